#include "FullTableNarrator.h"

#include "HandRules.h"
#include "HintAdvisor.h"
#include "HouseRules.h"
#include "RoundSentences.h"

namespace DoDadu {

namespace {

const char* const kDot = " \xC2\xB7 ";          // " · "
const char* const kTurnMark = "\xE2\x96\xBA ";  // "► "

// The sentence of each moment that names one seat and needs nothing else to choose it.
struct MomentText {
    TableMoment moment;
    unsigned text;
};
const MomentText kMomentTexts[] = {
    {TableMoment::RoundStarts, TextIds::kFullRoundStarts},
    {TableMoment::SitsOut, TextIds::kFullSitsOut},
    {TableMoment::DeckShuffled, TextIds::kFullDeckShuffled},
    {TableMoment::StakeSet, TextIds::kFullStakeSet},
    {TableMoment::SeatStands, TextIds::kFullStands},
    {TableMoment::SeatBusts, TextIds::kFullBusts},
    {TableMoment::SeatShowsBest, TextIds::kFullShowsBest},
    {TableMoment::BankCannotCover, TextIds::kFullCannotCover},
    {TableMoment::BankStands, TextIds::kFullBankStands},
    {TableMoment::BankBusts, TextIds::kFullBankBusts},
    {TableMoment::SeatWins, TextIds::kFullSeatWins},
    {TableMoment::SeatLoses, TextIds::kFullSeatLoses},
    {TableMoment::BankRunsShort, TextIds::kFullBankShort},
    {TableMoment::RoundEnds, TextIds::kFullRoundEnds},
    {TableMoment::EveningEnds, TextIds::kFullEveningEnds},
};

unsigned PassText(PassReason reason) {
    switch (reason) {
        case PassReason::TwoCardBest: return TextIds::kFullPassTwoCard;
        case PassReason::DeckUsedUp: return TextIds::kFullPassDeck;
        case PassReason::EveryRounds: return TextIds::kFullPassRounds;
        case PassReason::BankShort: return TextIds::kFullPassShort;
        case PassReason::BankOut:
        case PassReason::None: break;
    }
    return TextIds::kFullPassOut;
}

}  // namespace

double ShownPoints(const SeatShown& seat) {
    std::vector<int> faceUp;
    for (int card : seat.cards)
        if (card != 0) faceUp.push_back(card);
    return HandPoints(faceUp, seat.wildCard);
}

std::string ChipsInWords(std::int64_t chips, const TextSource& texts) {
    if (chips == 1) return texts.Text(TextIds::kFullChipsOne);
    return FillPlaceholders(texts.Text(TextIds::kFullChipsMany),
                            {{"chips", GroupedNumberFormatter(texts).Format(chips)}});
}

FullTableNarrator::FullTableNarrator(const TextSource& tableTexts) : texts(tableTexts), grouped(tableTexts) {}

std::string FullTableNarrator::Grouped(std::int64_t value) { return grouped.Format(value); }

std::string FullTableNarrator::ChipsLine(const SeatShown& seat) {
    const std::string chips = ChipsInWords(seat.chips, texts);
    return seat.bank ? FillPlaceholders(texts.Text(TextIds::kFullBankChips), {{"chips", chips}}) : chips;
}

std::string FullTableNarrator::StateWord(SeatStatus status) const {
    switch (status) {
        case SeatStatus::SitsOut: return texts.Text(TextIds::kFullStateOut);
        case SeatStatus::Waiting: return texts.Text(TextIds::kFullStateWaiting);
        case SeatStatus::Playing: return texts.Text(TextIds::kFullStatePlaying);
        case SeatStatus::Standing: return texts.Text(TextIds::kFullStateStanding);
        case SeatStatus::Bust: return texts.Text(TextIds::kFullStateOver);
    }
    return std::string();
}

std::string FullTableNarrator::StyleName(PlayStyle style) const {
    switch (style) {
        case PlayStyle::Careful: break;
        case PlayStyle::Bold: return texts.Text(TextIds::kSetupBold);
        case PlayStyle::Expert: return texts.Text(TextIds::kSetupExpert);
    }
    return texts.Text(TextIds::kSetupCareful);
}

std::string FullTableNarrator::FreeSeatName(int seat) const {
    return FillPlaceholders(texts.Text(TextIds::kSetupNameSeat), {{"number", std::to_string(seat + 1)}});
}

std::string FullTableNarrator::GatheringLine(const SeatShown& seat) const {
    if (seat.kind == SeatKind::Computer)
        return texts.Text(TextIds::kSetupComputer) + kDot + StyleName(seat.style);
    return texts.Text(seat.free ? TextIds::kLobbyWaiting : TextIds::kLobbyJoined);
}

std::string FullTableNarrator::StateLine(const SeatShown& seat) {
    if (seat.gathering) return GatheringLine(seat);
    if (seat.cards.empty())
        return seat.status == SeatStatus::SitsOut ? StateWord(seat.status) : std::string();
    std::string line = PointsShown(ShownPoints(seat), texts) + kDot + StateWord(seat.status);
    if (seat.stake > 0)
        line += kDot + FillPlaceholders(texts.Text(TextIds::kFullStake), {{"stake", Grouped(seat.stake)}});
    return line;
}

std::string FullTableNarrator::NameLine(const SeatShown& seat) const {
    return seat.inTurn ? kTurnMark + seat.name : seat.name;
}

std::string FullTableNarrator::SeatName(const SeatShown& seat) {
    std::string name =
        FillPlaceholders(texts.Text(seat.bank ? TextIds::kNameFullBank : TextIds::kNameFullSeat),
                         {{"name", seat.name}, {"chips", ChipsInWords(seat.chips, texts)}});
    return seat.inTurn ? FillPlaceholders(texts.Text(TextIds::kNameFullInTurn), {{"seat", name}}) : name;
}

std::string FullTableNarrator::HandName(const SeatShown& seat) {
    if (seat.gathering)
        return FillPlaceholders(texts.Text(TextIds::kNameLobbySeat),
                                {{"name", seat.name}, {"state", GatheringLine(seat)}});
    const std::size_t count = seat.cards.size();
    const std::string cards = count == 1 ? texts.Text(TextIds::kFullCardsOne)
                                         : FillPlaceholders(texts.Text(TextIds::kFullCardsMany),
                                                            {{"count", std::to_string(count)}});
    const bool staked = seat.stake > 0 && !seat.bank;
    return FillPlaceholders(texts.Text(staked ? TextIds::kNameFullHandStake : TextIds::kNameFullHand),
                            {{"name", seat.name},
                             {"cards", cards},
                             {"points", PointsInWords(ShownPoints(seat), texts)},
                             {"state", StateWord(seat.status)},
                             {"stake", staked ? Grouped(seat.stake) : std::string()}});
}

std::string FullTableNarrator::CardPlaceName(const SeatShown& seat, int index) const {
    const int card =
        index < static_cast<int>(seat.cards.size()) ? seat.cards[static_cast<std::size_t>(index)] : 0;
    return FillPlaceholders(
        texts.Text(TextIds::kNameFullCard),
        {{"name", seat.name}, {"number", std::to_string(index + 1)}, {"card", CardName(card, texts)}});
}

std::string FullTableNarrator::Fill(unsigned id, const std::string& name, const TableEvent& event,
                                    double points) {
    return FillPlaceholders(texts.Text(id), {{"name", name},
                                             {"card", CardName(event.card, texts)},
                                             {"points", PointsInWords(points, texts)},
                                             {"stake", Grouped(event.amount)},
                                             {"amount", Grouped(event.amount)}});
}

// A hand's points are told as the others see them while its covered card lies face down
// (a card dealt, a stand); the moments that show the covered card tell the whole hand.
std::string FullTableNarrator::Sentence(const TableEvent& event, const std::vector<TableSeat>& seats,
                                        const Context& context) {
    const bool named = event.seat >= 0 && event.seat < static_cast<int>(seats.size());
    const std::string name = named ? seats[static_cast<std::size_t>(event.seat)].name : std::string();
    const bool bank = event.seat == context.bank;
    unsigned text = 0;
    double points = event.points;
    switch (event.moment) {
        case TableMoment::CardDealt:
            text = event.covered ? TextIds::kFullCoveredDealt
                   : bank        ? TextIds::kFullBankDraws
                                 : TextIds::kFullCardDealt;
            if (!bank) points = context.shownPoints;
            break;
        case TableMoment::TurnStarts:
            text = bank                  ? TextIds::kFullBankTurn
                   : context.privateTurn ? TextIds::kFullTurnPrivate
                                         : TextIds::kFullTurnStarts;
            break;
        case TableMoment::SeatStands: points = context.shownPoints; break;
        case TableMoment::BankTurnsCard: text = TextIds::kFullBankTurnsCard; break;
        case TableMoment::BankPasses: text = PassText(event.reason); break;
        default: break;
    }
    for (const MomentText& known : kMomentTexts)
        if (text == 0 && known.moment == event.moment) text = known.text;
    return text != 0 ? Fill(text, name, event, points) : std::string();
}

std::string FullTableNarrator::CoverText(std::int64_t most) {
    return FillPlaceholders(texts.Text(TextIds::kFullStakeCovered), {{"amount", Grouped(most)}});
}

std::string FullTableNarrator::HintText(const SeatHint& hint) {
    const unsigned best = hint.best == Odds::Action::Draw ? TextIds::kButtonGetCard : TextIds::kButtonStop;
    return FillPlaceholders(texts.Text(hint.canDraw ? TextIds::kFullHint : TextIds::kFullHintNoCard),
                            {{"best", texts.Text(best)},
                             {"stop", SignedChange(hint.stop, grouped)},
                             {"draw", SignedChange(hint.draw, grouped)}});
}

}  // namespace DoDadu
