#include "Round.h"
#include "Cards.h"

namespace DoDadu {

const char* const kStartCaption = "START";
const char* const kCancelCaption = "CANCEL";
const char* const kMessagePlayerBusts = "You exceeded 7.5. You lost!";
const char* const kMessageDealerPlays = "Now play the dealer";
const char* const kMessageDealerStops = "The dealer stops";
const char* const kMessageDealerBusts = "Dealer exceeded 7.5. You won!";
const char* const kMessagePlayerWins = "You won!";
const char* const kMessagePlayerLoses = "You lost!";

namespace {

// Restores a flag on every way out of a scope.
class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : flag(flag) { flag = true; }
    ~BusyGuard() { flag = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& flag;
};

}  // namespace

bool DealerStops(double dealer, double shown, bool showsWild) {
    return (shown == 0.0 && dealer >= 6.0) || (shown != 0.0 && shown < dealer && dealer >= 5.0) ||
           (shown == kBestHand && dealer == kBestHand) || (shown == 7.0 && showsWild && dealer == 7.0);
}

Round::Round(TableView& view, DealerClock& clock, ScoreStore& store, const std::locale& numberLocale)
    : view(view), clock(clock), store(store), grouped(numberLocale) {}

void Round::LoadScore() {
    std::string stored = store.ReadScore();
    score = stored.empty() ? kStartingScore : LeadingInteger(stored);
}

RoundPhase Round::Phase() const {
    if (!roundActive) return RoundPhase::Idle;
    if (playerTurn != 0) return RoundPhase::PlayerTurn;
    return outcomePending ? RoundPhase::DealerStopped : RoundPhase::DealerTurn;
}

// ---- the player's actions ------------------------------------------------------

void Round::OnStartClicked() {
    view.SetCellText(TableCell::Message, std::string());
    // The cards of the last round are thrown away, not put back into the deck.
    cards.dealerHand.clear();
    cards.playerHand.clear();
    if (view.Caption(TableControl::StartButton) == kCancelCaption)
        Cancel();
    else
        Start();
}

void Round::Cancel() {
    const int penalty = CurrentStake() / 2;
    ChangeScore(-penalty);
    ShowAndSaveScore();
    Announce(RoundMoment::RoundGivenUp, 0, 0.0, penalty);
    roundActive = false;
    ResetTable();
    view.SetCaption(TableControl::StartButton, kStartCaption);
}

void Round::Start() {
    if (cards.remainingCards < 2 || cards.wildCardSeen) {
        cards.NewDeck();
        cards.wildCardSeen = false;
    }
    cards.DealNextCard(cards.dealerHand);  // the dealer's card always comes first
    cards.DealNextCard(cards.playerHand);
    playerTurn = 1;
    view.SetStakePosition(1);
    OnStakeChanged(1);
    RefreshTable();
    UpdateRemainingCell();
    SetPlayControlsLocked(false);
    roundActive = true;
    view.SetCaption(TableControl::StartButton, kCancelCaption);
    Announce(RoundMoment::PlayerGetsCard, cards.playerHand.back(), cards.playerPoints);
}

void Round::OnGetCardClicked() {
    DrawCard(cards.playerHand);
    Announce(RoundMoment::PlayerGetsCard, cards.playerHand.back(), cards.playerPoints);
    if (cards.playerPoints > kBestHand)
        PlayerBusts();
    else if (cards.playerPoints == kBestHand)
        view.SetEnabled(TableControl::GetCardButton, false);
    // The stake is fixed once the player has drawn.
    view.SetEnabled(TableControl::StakeSlider, false);
}

void Round::PlayerBusts() {
    view.SetCellText(TableCell::Message, kMessagePlayerBusts);
    const int stake = CurrentStake();
    ChangeScore(-static_cast<std::int64_t>(stake));
    playerTurn = 0;
    ShowAndSaveScore();
    Announce(RoundMoment::PlayerBusts, 0, cards.playerPoints, stake);
    SetPlayControlsLocked(true);
    roundActive = false;
    PlayResourceSound(kPlayerLosesSound);
    view.SetCaption(TableControl::StartButton, kStartCaption);
    RefreshTable();  // uncovers the dealer's card
}

void Round::OnStopClicked() {
    playerTurn = 0;
    RefreshTable();
    SetPlayControlsLocked(true);
    view.SetEnabled(TableControl::StartButton, false);  // no CANCEL while the dealer plays
    view.SetCellText(TableCell::Message, kMessageDealerPlays);
    restartDealerClock = true;
    Announce(RoundMoment::DealerTurnsCard, cards.dealerHand.front(), cards.dealerPoints);
}

void Round::OnStakeChanged(int position) {
    view.SetCaption(TableControl::StakeButton, grouped.Format(static_cast<long long>(position) * kStakeStep));
}

void Round::AbandonRound() {
    if (!roundActive) return;
    std::int64_t stake = CurrentStake();
    ChangeScore(playerTurn != 0 ? -(stake / 2) : -stake);
    ShowAndSaveScore();
}

// ---- the dealer ----------------------------------------------------------------

void Round::OnDealerTick() {
    if (dealerBusy) return;
    BusyGuard busy(dealerBusy);
    DealerStep();
}

void Round::DealerStep() {
    if (!dealerClockSet) RestartClock();
    if (!roundActive || playerTurn != 0) return;
    if (restartDealerClock) {
        RestartClock();
        restartDealerClock = false;
    }
    if (ElapsedSinceClock() <= kDealerPaceMs) return;

    bool showsWild = cards.PlayerShowsWildCard();
    if (outcomePending)
        Showdown();
    else if (cards.dealerPoints > kBestHand)
        DealerBusts();  // announced one step after the card that caused it
    else if (DealerStops(cards.dealerPoints, cards.playerShownPoints, showsWild)) {
        view.SetCellText(TableCell::Message, kMessageDealerStops);
        outcomePending = true;
        Announce(RoundMoment::DealerStops, 0, cards.dealerPoints);
    } else {
        DealerDraws();
    }
    RestartClock();
}

void Round::Showdown() {
    outcomePending = false;
    std::int64_t stake = CurrentStake();
    // The player wins only when strictly ahead: a tie goes to the dealer.
    const bool won = cards.playerPoints > cards.dealerPoints;
    if (won) {
        view.SetCellText(TableCell::Message, kMessagePlayerWins);
        ChangeScore(stake);
        PlayResourceSound(kPlayerWinsSound);
    } else {
        view.SetCellText(TableCell::Message, kMessagePlayerLoses);
        ChangeScore(-stake);
        PlayResourceSound(kPlayerLosesSound);
    }
    ShowAndSaveScore();
    const bool tie = cards.playerPoints == cards.dealerPoints;
    Announce(won   ? RoundMoment::PlayerWins
             : tie ? RoundMoment::TieLost
                   : RoundMoment::PlayerLoses,
             0, cards.playerPoints, stake);
    SetPlayControlsLocked(true);
    roundActive = false;
    EndRound();
}

void Round::DealerBusts() {
    view.SetCellText(TableCell::Message, kMessageDealerBusts);
    const int stake = CurrentStake();
    ChangeScore(stake);
    ShowAndSaveScore();
    Announce(RoundMoment::DealerBusts, 0, cards.dealerPoints, stake);
    SetPlayControlsLocked(true);
    roundActive = false;
    PlayResourceSound(kPlayerWinsSound);
    EndRound();
}

void Round::EndRound() {
    view.SetCaption(TableControl::StartButton, kStartCaption);
    RefreshTable();
    view.SetEnabled(TableControl::StartButton, true);
}

void Round::DealerDraws() {
    DrawCard(cards.dealerHand);
    PlayResourceSound(kDealerDrawSound);
    Announce(RoundMoment::DealerDraws, cards.dealerHand.back(), cards.dealerPoints);
}

// A card in the middle of a round: an empty deck is refilled around the hands first.
void Round::DrawCard(std::vector<int>& hand) {
    if (cards.remainingCards < 1) cards.RefillDeck();
    cards.DealNextCard(hand);
    UpdateRemainingCell();
    RefreshTable();
}

void Round::Announce(RoundMoment moment, int card, double points, std::int64_t stake) {
    if (!view.WantsSentences()) return;
    SentenceFacts facts{card, points, cards.dealerPoints, grouped.Format(stake), grouped.Format(score)};
    view.Announce(RoundSentence(moment, facts));
}

void Round::RestartClock() { dealerClockSet = clock.LocalMilliseconds(dealerClock); }

// Milliseconds since the dealer's last action; 0 when the time cannot be read. Local
// time may be set back: the clock then starts again from now, so the dealer waits
// one pace from the jump instead of until the old time comes round again.
std::int64_t Round::ElapsedSinceClock() {
    std::int64_t now = 0;
    if (!clock.LocalMilliseconds(now)) return 0;
    if (!dealerClockSet || now < dealerClock) {
        dealerClock = now;
        dealerClockSet = true;
        return 0;
    }
    return now - dealerClock;
}

// ---- the table -----------------------------------------------------------------

int Round::CurrentStake() { return view.StakePosition() * kStakeStep; }

void Round::RefreshTable() {
    cards.EvaluateHands();
    view.SetCellText(TableCell::DealerPoints,
                     playerTurn != 0 ? std::string("0") : PointsText(cards.dealerPoints));
    ShowRow(CardRow::Dealer, cards.dealerHand, playerTurn != 0);
    view.SetCellText(TableCell::PlayerPoints, PointsText(cards.playerPoints));
    // The player sees their own covered card face up.
    ShowRow(CardRow::Player, cards.playerHand, false);
}

void Round::ShowRow(CardRow row, const std::vector<int>& hand, bool coverFirst) {
    for (int i = 0; i < kCardPlaces; ++i) {
        if (i >= static_cast<int>(hand.size()))
            view.HideCard(row, i);
        else if (coverFirst && i == 0)
            view.ShowCard(row, i, kCardBackPicture);
        else
            view.ShowCard(row, i, CardPicture(hand[static_cast<std::size_t>(i)]));
    }
}

void Round::ResetTable() {
    view.SetStakePosition(1);
    OnStakeChanged(1);
    view.SetEnabled(TableControl::StopButton, false);
    view.SetEnabled(TableControl::GetCardButton, false);
    view.SetEnabled(TableControl::StakeButton, false);
    view.SetEnabled(TableControl::StakeSlider, false);
    for (CardRow row : {CardRow::Dealer, CardRow::Player}) {
        for (int i = 0; i < kCardPlaces; ++i) {
            view.HideCard(row, i);
            view.MoveCard(row, i, CardPlaceX(i), CardPlaceY(row));
            view.ShowCard(row, i, kCardBackPicture);
        }
    }
    view.SetCellText(TableCell::DealerPoints, "0");
    view.SetCellText(TableCell::PlayerPoints, "0");
    view.SetCellText(TableCell::Message, std::string());
}

void Round::UpdateRemainingCell() {
    view.SetCellText(TableCell::Remaining, PlainNumberText(cards.remainingCards));
}

void Round::ShowAndSaveScore() {
    view.SetCellText(TableCell::Score, grouped.Format(score));
    // Missing or empty text counts as 0 here: a score of 0 is not written over it.
    if (LeadingInteger(store.ReadScore()) != score) store.WriteScore(PlainNumberText(score));
}

void Round::SetPlayControlsLocked(bool locked) {
    // Only controls not already in the wanted state are touched. The stake button
    // only shows the stake: locking disables it, unlocking leaves it alone.
    for (TableControl control : {TableControl::GetCardButton, TableControl::StopButton,
                                 TableControl::StakeButton, TableControl::StakeSlider}) {
        if (!locked && control == TableControl::StakeButton) continue;
        if (view.IsEnabled(control) == locked) view.SetEnabled(control, !locked);
    }
}

void Round::PlayResourceSound(int id) { view.PlayWave(id); }

void Round::ChangeScore(std::int64_t delta) {
    score = SaturateToInt(static_cast<std::int64_t>(score) + delta);
}

}  // namespace DoDadu
