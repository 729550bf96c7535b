// An input that begins with 'T' goes to the full table instead (TableFuzzer.cpp).
//
// Feeds the round arbitrary play: a seed for the deck, a stored score text, then a
// stream of the player's actions and dealer ticks with the local clock stepped
// forwards and backwards (or unreadable). Only controls that are enabled can be used,
// as on the real table. After every step the round must hold together; a broken rule
// aborts, so the fuzzer keeps the input that shows it.
#include "FakeTable.h"
#include "RandomSource.h"
#include "TableFuzzer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

using namespace DoDadu;

void Broken(const char* what, long long a = 0, long long b = 0) {
    std::fprintf(stderr, "round broken: %s (%lld, %lld)\n", what, a, b);
    std::abort();
}

using Input = FuzzInput;

void CheckCards(const GameState& cards) {
    if (cards.remainingCards < 0 || cards.remainingCards > kCardCount)
        Broken("cards left out of range", cards.remainingCards);
    if (cards.deck.empty() && cards.remainingCards == 0 && cards.dealerHand.empty())
        return;  // no round played yet
    if (cards.deck.size() != static_cast<std::size_t>(kCardCount))
        Broken("deck size", static_cast<long long>(cards.deck.size()));
    std::multiset<int> seen(cards.deck.end() - cards.remainingCards, cards.deck.end());
    seen.insert(cards.dealerHand.begin(), cards.dealerHand.end());
    seen.insert(cards.playerHand.begin(), cards.playerHand.end());
    for (int id : seen) {
        if (id < 1 || id > kCardCount) Broken("card id", id);
        if (seen.count(id) > 1) Broken("card twice", id);
    }
}

void CheckControls(const Round& round, const FakeTable& table) {
    bool start = true, stop = false, getCard = false, slider = false;
    unsigned caption = TextIds::kButtonStart;
    switch (round.Phase()) {
        case RoundPhase::Idle: break;
        case RoundPhase::PlayerTurn:
            caption = TextIds::kButtonCancel;
            stop = true;
            getCard = round.cards.playerPoints < kBestHand;
            slider = round.cards.playerHand.size() == 1;
            break;
        case RoundPhase::DealerTurn:
        case RoundPhase::DealerStopped:
            caption = TextIds::kButtonCancel;
            start = stop = getCard = slider = false;
            if (round.cards.dealerPoints > kBestHand && round.OutcomePending())
                Broken("a bust dealer waits for a showdown");
            break;
    }
    if (table.On(TableControl::StartButton) != start) Broken("start button", start);
    if (table.On(TableControl::StopButton) != stop) Broken("stop button", stop);
    if (table.On(TableControl::GetCardButton) != getCard) Broken("get card button", getCard);
    if (table.On(TableControl::StakeSlider) != slider) Broken("stake slider", slider);
    if (table.On(TableControl::StakeButton)) Broken("stake button enabled");
    if (table.Caption(TableControl::StartButton) != EnglishTexts().Text(caption)) Broken("start caption");
}

void CheckScore(const Round& round, int before, int stake, const FakeStore& store) {
    const long long delta = static_cast<long long>(round.Score()) - before;
    if (delta != 0 && delta != stake && delta != -stake && delta != -(stake / 2))
        Broken("score moved by other than the stake", delta, stake);
    if (delta != 0 && store.stored != std::to_string(round.Score()))
        Broken("changed score not stored", round.Score());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    if (size > 0 && data[0] == 'T') {
        input.Byte();
        FuzzTable(input);
        return 0;
    }
    std::uint32_t seed = input.Byte();
    seed |= static_cast<std::uint32_t>(input.Word()) << 8;
    SharedRandom().Reseed(seed);

    FakeTable table;
    FakeClock clock;
    FakeStore store;
    const int storedLength = input.Byte() % 24;
    if (storedLength > 0) {
        std::string text;
        for (int i = 1; i < storedLength; ++i) text += static_cast<char>(input.Byte());
        store.stored = text;
    }
    Round round(table, clock, store);
    round.LoadScore();
    round.ShowAndSaveScore();
    round.ResetTable();
    if (store.stored != std::to_string(round.Score()) &&
        LeadingInteger(store.stored.value_or("")) != round.Score())
        Broken("score not stored at start", round.Score());

    while (input.More()) {
        const int before = round.Score();
        const int stake = round.CurrentStake();
        const std::uint8_t op = input.Byte();
        switch (op % 8) {
            case 0:
                if (table.On(TableControl::StartButton)) round.OnStartClicked();
                break;
            case 1:
                if (table.On(TableControl::GetCardButton)) round.OnGetCardClicked();
                break;
            case 2:
                if (table.On(TableControl::StopButton)) round.OnStopClicked();
                break;
            case 3:
                if (table.On(TableControl::StakeSlider)) {
                    table.SetStakePosition(op / 8 % 10);  // 0 and 9 clamp
                    round.OnStakeChanged(table.StakePosition());
                }
                break;
            case 4:  // the pace and a little more
                clock.now += 2001 + input.Byte();
                clock.readable = true;
                round.OnDealerTick();
                break;
            case 5:  // anything up to a minute forwards
                clock.now += input.Word();
                round.OnDealerTick();
                break;
            case 6:  // local time set back
                clock.now -= static_cast<std::int64_t>(input.Word()) * 1000;
                round.OnDealerTick();
                break;
            case 7:
                clock.readable = !clock.readable;
                round.OnDealerTick();
                break;
        }
        CheckCards(round.cards);
        CheckControls(round, table);
        CheckScore(round, before, stake, store);
    }
    // The player leaves: a running round is charged, and what is charged is stored.
    const int before = round.Score();
    const int stake = round.CurrentStake();
    round.AbandonRound();
    CheckScore(round, before, stake, store);
    return 0;
}
