#pragma once
// Stand-ins for what the round talks to: a table that remembers what it was told to
// show, a clock the test sets by hand and a score store in memory; and the cards and
// controls stacked or checked as the tests need them.
#include "Round.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace DoDadu {

struct CardPlace {
    bool visible = false;
    int picture = 0;
    int x = 100;
    int y = 100;
};

class FakeTable : public ClassicTableView {
public:
    std::array<std::string, 5> cells;
    std::array<bool, 5> enabled{{true, false, false, false, true}};
    std::array<std::string, 5> captions{{"START", "STOP", "GET CARD", "PUNTO", ""}};
    std::array<std::array<CardPlace, kCardPlaces>, 2> places;
    int stakePosition = 1;
    std::vector<int> sounds;
    std::vector<std::string> sentences;
    int enableChanges = 0;
    std::function<void()> onSound;  // runs inside PlayWave, like a nested message loop

    void SetCellText(TableCell cell, const std::string& text) override {
        cells[static_cast<std::size_t>(cell)] = text;
    }
    void ShowCard(CardRow row, int index, int picture) override {
        CardPlace& place = Place(row, index);
        place.picture = picture;
        place.visible = true;
    }
    void HideCard(CardRow row, int index) override { Place(row, index).visible = false; }
    void MoveCard(CardRow row, int index, int x, int y) override {
        Place(row, index).x = x;
        Place(row, index).y = y;
    }
    void SetEnabled(TableControl control, bool on) override {
        enabled[static_cast<std::size_t>(control)] = on;
        ++enableChanges;
    }
    bool IsEnabled(TableControl control) const override { return enabled[static_cast<std::size_t>(control)]; }
    void SetCaption(TableControl control, const std::string& caption) override {
        captions[static_cast<std::size_t>(control)] = caption;
    }
    std::string Caption(TableControl control) const override {
        return captions[static_cast<std::size_t>(control)];
    }
    void SetStakePosition(int position) override { stakePosition = std::clamp(position, 1, 8); }
    int StakePosition() override { return stakePosition; }
    void PlayWave(int resourceId) override {
        sounds.push_back(resourceId);
        if (onSound) onSound();
    }
    bool WantsSentences() const override { return true; }
    void Announce(const std::string& sentence) override { sentences.push_back(sentence); }

    const std::string& Cell(TableCell cell) const { return cells[static_cast<std::size_t>(cell)]; }
    bool On(TableControl control) const { return IsEnabled(control); }
    CardPlace& Place(CardRow row, int index) {
        return places[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
    }
    int VisibleCards(CardRow row) {
        int count = 0;
        for (int i = 0; i < kCardPlaces; ++i) count += Place(row, i).visible ? 1 : 0;
        return count;
    }
};

class FakeClock : public DealerClock {
public:
    std::int64_t now = 1'000'000'000;
    bool readable = true;
    bool LocalMilliseconds(std::int64_t& out) override {
        if (readable) out = now;
        return readable;
    }
};

class FakeStore : public ScoreStore {
public:
    std::optional<std::string> stored;
    int writes = 0;
    std::map<std::string, std::string> values;  // the statistics, by name
    std::string ReadScore() override { return stored.value_or(std::string()); }
    void WriteScore(const std::string& text) override {
        stored = text;
        ++writes;
    }
    RoundStats ReadStats() override {
        return StatsFromText([this](const char* name) {
            auto found = values.find(name);
            return found == values.end() ? std::string() : found->second;
        });
    }
    void WriteStats(const RoundStats& stats) override {
        StatsToText(stats, [this](const char* name, const std::string& text) { values[name] = text; });
    }
};

// A round on a fake table, clock and store, its dealer paced by hand.
struct TableRound {
    FakeTable table;
    FakeClock clock;
    FakeStore store;
    Round round{table, clock, store};

    // The next dealer step: just over the dealer's pace later.
    void DealerStep() {
        clock.now += kDealerPaceMs + 1;
        round.OnDealerTick();
    }
    // The dealer's turn stepped out to its outcome.
    void PlayDealerOut() {
        for (int step = 0; step < 20 && round.RoundActive(); ++step) DealerStep();
    }
};

// A deck whose next cards are the given ones, the other ids after them, all 40 left.
inline void StackDeck(GameState& cards, const std::vector<int>& first) {
    cards.deck = first;
    for (int id = 1; id <= kCardCount; ++id)
        if (std::find(first.begin(), first.end(), id) == first.end()) cards.deck.push_back(id);
    cards.remainingCards = kCardCount;
    cards.wildCardSeen = false;
}

// The deck holds every card once (or is not made yet), and each card in the hands was
// dealt from it and is in no other hand.
inline ::testing::AssertionResult CardsAreSound(const GameState& cards) {
    if (cards.remainingCards < 0 || cards.remainingCards > kCardCount)
        return ::testing::AssertionFailure() << "remaining " << cards.remainingCards;
    if (cards.deck.empty() && cards.remainingCards == 0 && cards.dealerHand.empty() &&
        cards.playerHand.empty())
        return ::testing::AssertionSuccess();  // before the first round
    std::set<int> inDeck(cards.deck.begin(), cards.deck.end());
    if (cards.deck.size() != static_cast<std::size_t>(kCardCount) || inDeck.size() != cards.deck.size() ||
        *inDeck.begin() != 1 || *inDeck.rbegin() != kCardCount)
        return ::testing::AssertionFailure() << "the deck is not every card once";
    const auto dealtEnd = cards.deck.end() - cards.remainingCards;
    std::set<int> inHands;
    for (const auto* hand : {&cards.dealerHand, &cards.playerHand}) {
        for (int id : *hand) {
            if (!inHands.insert(id).second)
                return ::testing::AssertionFailure() << "card " << id << " in the hands twice";
            if (std::find(cards.deck.begin(), dealtEnd, id) == dealtEnd)
                return ::testing::AssertionFailure() << "card " << id << " not dealt yet";
        }
    }
    return ::testing::AssertionSuccess();
}

// The controls each phase of a round leaves on; `on` says whether a control is enabled
// and `startCaption` is what the START button reads.
template <class IsOn>
::testing::AssertionResult ControlsMatchPhase(const Round& round, IsOn on, const std::string& startCaption) {
    const RoundPhase phase = round.Phase();
    const bool idle = phase == RoundPhase::Idle;
    const bool playing = phase == RoundPhase::PlayerTurn;
    const struct {
        TableControl control;
        const char* name;
        bool wanted;
    } rows[] = {
        {TableControl::StartButton, "START", idle || playing},
        {TableControl::StopButton, "STOP", playing},
        {TableControl::GetCardButton, "GET CARD", playing && round.cards.playerPoints < kBestHand},
        // The stake is fixed from the first card drawn on.
        {TableControl::StakeSlider, "slider", playing && round.cards.playerHand.size() == 1},
        {TableControl::StakeButton, "stake button", false},
    };
    std::ostringstream wrong;
    for (const auto& row : rows)
        if (on(row.control) != row.wanted) wrong << row.name << (row.wanted ? " off; " : " on; ");
    // The caption stays CANCEL, disabled, while the dealer plays.
    if (startCaption != (idle ? "START" : "CANCEL")) wrong << "start caption " << startCaption << "; ";
    if (wrong.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "phase " << static_cast<int>(phase) << ": " << wrong.str();
}

}  // namespace DoDadu
