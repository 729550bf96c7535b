#include "Round.h"
#include "Cards.h"
#include "HandRules.h"

#include <algorithm>

namespace DoDadu {

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
    // Every value on the table is a whole number of half points.
    return ClassicDealerStops(static_cast<int>(dealer * 2), static_cast<int>(shown * 2), showsWild);
}

Round::Round(ClassicTableView& view, DealerClock& clock, ScoreStore& store, const TextSource& texts)
    : view(view), clock(clock), store(store), grouped(texts), texts(texts) {}

void Round::LoadScore() {
    std::string stored = store.ReadScore();
    score = stored.empty() ? kStartingScore : LeadingInteger(stored);
    stats = store.ReadStats();
    stats.Reach(score);
}

void Round::ResetStats() {
    stats = RoundStats();
    stats.Reach(score);
    store.WriteStats(stats);
}

void Round::CountRound(RoundEnd end) {
    stats.Record(end, score);
    store.WriteStats(stats);
}

RoundPhase Round::Phase() const {
    if (!roundActive) return RoundPhase::Idle;
    if (playerTurn != 0) return RoundPhase::PlayerTurn;
    return outcomePending ? RoundPhase::DealerStopped : RoundPhase::DealerTurn;
}

// ---- the player's actions ------------------------------------------------------

void Round::OnStartClicked() {
    ShowMessage(0);
    const bool cancel = view.Caption(TableControl::StartButton) == texts.Text(TextIds::kButtonCancel);
    // The dealer's covered card of a round given up is thrown away unseen.
    if (cancel && !cards.dealerHand.empty()) unseenDealt.push_back(cards.dealerHand.front());
    // The cards of the last round are thrown away, not put back into the deck.
    cards.dealerHand.clear();
    cards.playerHand.clear();
    if (cancel)
        Cancel();
    else
        Start();
}

void Round::Cancel() {
    const int penalty = CurrentStake() / 2;
    ChangeScore(-penalty);
    ShowAndSaveScore();
    CountRound(RoundEnd::Abandoned);
    Announce(RoundMoment::RoundGivenUp, 0, 0.0, penalty);
    roundActive = false;
    ResetTable();
    ShowStartCaption();
}

void Round::Start() {
    if (cards.remainingCards < 2 || cards.wildCardSeen) {
        cards.NewDeck();
        cards.wildCardSeen = false;
        unseenDealt.clear();
    }
    dealtBeforeRound = kCardCount - cards.remainingCards;
    sightAtRefill = ClassicTableSight();
    cards.DealNextCard(cards.dealerHand);  // the dealer's card always comes first
    cards.DealNextCard(cards.playerHand);
    playerTurn = 1;
    view.SetStakePosition(1);
    OnStakeChanged(1);
    RefreshTable();
    UpdateRemainingCell();
    SetPlayControlsLocked(false);
    roundActive = true;
    ShowStartCaption();
    Announce(RoundMoment::PlayerGetsCard, cards.playerHand.back(), cards.playerPoints);
}

void Round::OnGetCardClicked() {
    EndHint();
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
    ShowMessage(TextIds::kMessagePlayerBusts);
    const int stake = CurrentStake();
    ChangeScore(-static_cast<std::int64_t>(stake));
    playerTurn = 0;
    ShowAndSaveScore();
    CountRound(RoundEnd::Busted);
    Announce(RoundMoment::PlayerBusts, 0, cards.playerPoints, stake);
    SetPlayControlsLocked(true);
    roundActive = false;
    PlayResourceSound(kPlayerLosesSound);
    ShowStartCaption();
    RefreshTable();  // uncovers the dealer's card
}

void Round::OnStopClicked() {
    playerTurn = 0;
    RefreshTable();
    SetPlayControlsLocked(true);
    view.SetEnabled(TableControl::StartButton, false);  // no CANCEL while the dealer plays
    ShowMessage(TextIds::kMessageDealerPlays);
    restartDealerClock = true;
    Announce(RoundMoment::DealerTurnsCard, cards.dealerHand.front(), cards.dealerPoints);
}

void Round::OnStakeChanged(int position) {
    EndHint();
    view.SetCaption(TableControl::StakeButton, grouped.Format(static_cast<long long>(position) * kStakeStep));
}

void Round::AbandonRound() {
    if (!roundActive) return;
    std::int64_t stake = CurrentStake();
    ChangeScore(playerTurn != 0 ? -(stake / 2) : -stake);
    ShowAndSaveScore();
    CountRound(RoundEnd::Abandoned);
    roundActive = false;  // charged once, however often the player is seen leaving
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
        ShowMessage(TextIds::kMessageDealerStops);
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
        ShowMessage(TextIds::kMessagePlayerWins);
        ChangeScore(stake);
        PlayResourceSound(kPlayerWinsSound);
    } else {
        ShowMessage(TextIds::kMessagePlayerLoses);
        ChangeScore(-stake);
        PlayResourceSound(kPlayerLosesSound);
    }
    ShowAndSaveScore();
    CountRound(won ? RoundEnd::Won : RoundEnd::Lost);
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
    ShowMessage(TextIds::kMessageDealerBusts);
    const int stake = CurrentStake();
    ChangeScore(stake);
    ShowAndSaveScore();
    CountRound(RoundEnd::Won);
    Announce(RoundMoment::DealerBusts, 0, cards.dealerPoints, stake);
    SetPlayControlsLocked(true);
    roundActive = false;
    PlayResourceSound(kPlayerWinsSound);
    EndRound();
}

void Round::EndRound() {
    ShowStartCaption();
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
    if (cards.remainingCards < 1) {
        if (playerTurn != 0) {
            sightAtRefill = EarlierCards();
            sightAtRefill.handAtRefill = static_cast<int>(cards.playerHand.size());
        }
        cards.RefillDeck();
        unseenDealt.clear();
        dealtBeforeRound = 0;
    }
    cards.DealNextCard(hand);
    UpdateRemainingCell();
    RefreshTable();
}

ClassicTableSight Round::Sight() const {
    ClassicTableSight sight = sightAtRefill.handAtRefill > 0 ? sightAtRefill : EarlierCards();
    sight.hand = cards.playerHand;
    return sight;
}

// The cards dealt from this deck before this round, sorted into seen and unseen.
ClassicTableSight Round::EarlierCards() const {
    ClassicTableSight sight;
    const int dealt = std::min(dealtBeforeRound, static_cast<int>(cards.deck.size()));
    for (int i = 0; i < dealt; ++i) {
        const int id = cards.deck[static_cast<std::size_t>(i)];
        if (std::find(unseenDealt.begin(), unseenDealt.end(), id) != unseenDealt.end())
            ++sight.unseenBefore;
        else
            sight.seenBefore.push_back(id);
    }
    return sight;
}

void Round::Announce(RoundMoment moment, int card, double points, std::int64_t stake) {
    if (!view.WantsSentences()) return;
    SentenceFacts facts{card, points, cards.dealerPoints, grouped.Format(stake), grouped.Format(score)};
    view.Announce(RoundSentence(moment, facts, texts));
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
    handsShown = true;
    view.SetCellText(TableCell::DealerPoints, DealerPointsShown());
    ShowRow(CardRow::Dealer, cards.dealerHand, playerTurn != 0);
    view.SetCellText(TableCell::PlayerPoints, PlayerPointsShown());
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
            // A card back that stays shown is not hidden first: nothing changes for it.
            view.MoveCard(row, i, CardPlaceX(i), CardPlaceY(row));
            view.ShowCard(row, i, kCardBackPicture);
        }
    }
    handsShown = false;
    view.SetCellText(TableCell::DealerPoints, "0");
    view.SetCellText(TableCell::PlayerPoints, "0");
    ShowMessage(0);
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

void Round::ShowMessage(unsigned id) {
    messageId = id;
    hintShown = false;
    view.SetCellText(TableCell::Message, id != 0 ? texts.Text(id) : std::string());
}

void Round::ShowHint(const std::string& hint) {
    if (Phase() != RoundPhase::PlayerTurn) return;
    hintShown = true;
    view.ShowHint(hint);
    if (!view.WantsSentences()) return;
    std::string spoken = hint;
    std::replace(spoken.begin(), spoken.end(), '\n', ' ');
    view.Announce(spoken);
}

void Round::EndHint() {
    if (hintShown) ShowMessage(messageId);
}

// CANCEL from START to the round's end, START between rounds.
void Round::ShowStartCaption() {
    view.SetCaption(TableControl::StartButton,
                    texts.Text(roundActive ? TextIds::kButtonCancel : TextIds::kButtonStart));
}

// The dealer's total stays 0 while its card is covered.
std::string Round::DealerPointsShown() const {
    return handsShown && playerTurn == 0 ? PointsShown(cards.dealerPoints, texts) : std::string("0");
}

std::string Round::PlayerPointsShown() const {
    return handsShown ? PointsShown(cards.playerPoints, texts) : std::string("0");
}

void Round::ShowTexts() {
    ShowStartCaption();
    ShowMessage(messageId);
    view.SetCellText(TableCell::DealerPoints, DealerPointsShown());
    view.SetCellText(TableCell::PlayerPoints, PlayerPointsShown());
    UpdateRemainingCell();
    view.SetCellText(TableCell::Score, grouped.Format(score));
    view.SetCaption(TableControl::StakeButton,
                    grouped.Format(static_cast<long long>(view.StakePosition()) * kStakeStep));
}

void Round::ChangeScore(std::int64_t delta) {
    score = SaturateToInt(static_cast<std::int64_t>(score) + delta);
}

}  // namespace DoDadu
