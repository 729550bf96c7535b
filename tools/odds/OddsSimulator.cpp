#include "OddsSimulator.h"

#include "RandomSource.h"
#include "Round.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace DoDadu {
namespace Odds {
namespace {

// A window that is never drawn: it keeps only what the round reads back (captions,
// enabled controls, the slider) and the position the simulated player sets.
class SilentView : public ClassicTableView {
public:
    void SetCellText(TableCell, const std::string&) override {}
    void ShowCard(CardRow, int, int) override {}
    void HideCard(CardRow, int) override {}
    void MoveCard(CardRow, int, int, int) override {}
    void SetEnabled(TableControl control, bool on) override { enabled[Index(control)] = on; }
    bool IsEnabled(TableControl control) const override { return enabled[Index(control)]; }
    void SetCaption(TableControl control, const std::string& caption) override {
        if (control == TableControl::StartButton) startCaption = caption;
    }
    std::string Caption(TableControl control) const override {
        return control == TableControl::StartButton ? startCaption : std::string();
    }
    void SetStakePosition(int position) override {
        stakePosition = position < 1 ? 1 : position > 8 ? 8 : position;
    }
    int StakePosition() override { return stakePosition; }
    void PlayWave(int) override {}

private:
    static int Index(TableControl control) { return static_cast<int>(control); }
    bool enabled[5] = {true, false, false, false, false};
    std::string startCaption = EnglishTexts().Text(TextIds::kButtonStart);
    int stakePosition = 1;
};

// Every reading is more than the dealer's pause after the one before, so each tick
// of the dealer's timer is one decision.
class JumpingClock : public DealerClock {
public:
    bool LocalMilliseconds(std::int64_t& now) override {
        now = time;
        time += kDealerPaceMs + 1;
        return true;
    }

private:
    std::int64_t time = 0;
};

// The score as the game would store it, kept in memory; the statistics are not kept.
class MemoryStore : public ScoreStore {
public:
    std::string ReadScore() override { return text; }
    void WriteScore(const std::string& value) override { text = value; }
    RoundStats ReadStats() override { return RoundStats(); }
    void WriteStats(const RoundStats&) override {}
    std::string text = "0";
};

// A small, fast generator (splitmix64) for the uniform shuffle.
class FastRandom {
public:
    explicit FastRandom(std::uint64_t seed) : state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound-1, by scaling the top 32 bits: the bias for a bound of 40 or less is
    // below one part in a hundred million.
    int Below(int bound) {
        return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(bound)) >> 32);
    }

private:
    std::uint64_t state;
};

// A dealer needs at most 16 cards; far more ticks mean the round code stalled.
constexpr int kMostDealerTicks = 200;

}  // namespace

struct RoundSimulator::Table {
    Table(std::uint64_t seed, DeckShuffle shuffle) : random(seed), shuffle(shuffle) {}
    // Makes the next START deal from a new deck, or from one with the gone cards dealt.
    void NewDeckForNextRound();
    void DeckAfterGoneCards();

    FastRandom random;
    DeckShuffle shuffle;
    std::vector<int> gone;
    std::vector<int> fresh;  // every id not in gone
    SilentView view;
    JumpingClock clock;
    MemoryStore store;
    Round round{view, clock, store};
};

StakeRule FixedStake(int stake) {
    return [stake](int) { return stake; };
}

RoundSimulator::RoundSimulator(std::uint64_t seed, DeckShuffle shuffle) : table(new Table(seed, shuffle)) {
    SharedRandom().Reseed(static_cast<std::uint32_t>(seed));
    table->round.LoadScore();
}

void RoundSimulator::Table::NewDeckForNextRound() {
    GameState& cards = round.cards;
    if (!gone.empty()) {
        DeckAfterGoneCards();
        return;
    }
    if (shuffle == DeckShuffle::Game) {
        cards.remainingCards = 0;  // START then shuffles a new deck itself
        return;
    }
    // Any order shuffled this way comes out uniform, so the last deck is reused.
    if (cards.deck.size() != static_cast<std::size_t>(kCardCount)) {
        cards.deck.resize(kCardCount);
        for (int i = 0; i < kCardCount; ++i) cards.deck[static_cast<std::size_t>(i)] = i + 1;
    }
    for (int i = kCardCount - 1; i > 0; --i)
        std::swap(cards.deck[static_cast<std::size_t>(i)],
                  cards.deck[static_cast<std::size_t>(random.Below(i + 1))]);
    cards.remainingCards = kCardCount;
    cards.wildCardSeen = false;
}

RoundSimulator::~RoundSimulator() { delete table; }

namespace {

PlayerView ViewOf(const GameState& cards, bool dealerCardKnown) {
    PlayerView view;
    view.hand.covered = KindOf(cards.playerHand.front());
    for (int id : cards.playerHand) ++view.hand.cards[KindOf(id)];
    if (dealerCardKnown) view.knownDealerCard = KindOf(cards.dealerHand.front());
    return view;
}

// The player's turn: the stake, then draws until the policy stops or cancels.
void PlayersTurn(Round& round, ClassicTableView& view, const Policy& policy, const StakeRule& stake) {
    int position = stake(KindOf(round.cards.playerHand.front())) / kStakeStep;
    if (position != view.StakePosition()) {
        view.SetStakePosition(position);
        round.OnStakeChanged(position);  // as the slider reports a move
    }
    bool dealerCardKnown = false;
    while (round.Phase() == RoundPhase::PlayerTurn) {
        Action action = policy(ViewOf(round.cards, dealerCardKnown));
        if (action == Action::Cancel) {
            round.OnStartClicked();
        } else if (action == Action::Draw && view.IsEnabled(TableControl::GetCardButton)) {
            // An empty deck is refilled around the hands: the one card the player had
            // not seen, the dealer's, is then known.
            dealerCardKnown = dealerCardKnown || round.cards.remainingCards < 1;
            round.OnGetCardClicked();
        } else {
            round.OnStopClicked();
        }
    }
}

}  // namespace

void RoundSimulator::SetGoneCards(const std::vector<int>& ids) {
    table->gone = ids;
    table->fresh.clear();
    for (int id = 1; id <= kCardCount; ++id)
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) table->fresh.push_back(id);
}

// The gone cards fill the positions already dealt; the rest follow, shuffled.
void RoundSimulator::Table::DeckAfterGoneCards() {
    for (std::size_t i = fresh.size(); i > 1; --i)
        std::swap(fresh[i - 1], fresh[static_cast<std::size_t>(random.Below(static_cast<int>(i)))]);
    GameState& cards = round.cards;
    cards.deck = gone;
    cards.deck.insert(cards.deck.end(), fresh.begin(), fresh.end());
    cards.remainingCards = static_cast<int>(fresh.size());
    cards.wildCardSeen = std::find(gone.begin(), gone.end(), kWildCard) != gone.end();
}

SimulationResult RoundSimulator::Play(long long rounds, const Policy& policy, const StakeRule& stake) {
    Round& round = table->round;
    SimulationResult result;
    double sum = 0.0, squares = 0.0;
    for (long long i = 0; i < rounds; ++i) {
        int before = round.Score();
        // Far from the score's bounds, so that no change is cut off.
        if (std::abs(before) > 1000000000) {
            table->store.text = "0";
            round.LoadScore();
            before = round.Score();
        }
        table->NewDeckForNextRound();
        round.OnStartClicked();
        PlayersTurn(round, table->view, policy, stake);
        bool cancelled =
            table->view.Caption(TableControl::StartButton) == EnglishTexts().Text(TextIds::kButtonStart) &&
            round.cards.playerHand.empty();
        int ticks = 0;
        while (round.RoundActive() && ticks++ < kMostDealerTicks) round.OnDealerTick();
        if (round.RoundActive()) {
            ++result.stalled;
            break;
        }
        double change = round.Score() - before;
        sum += change;
        squares += change * change;
        ++result.rounds;
        if (cancelled)
            ++result.cancels;
        else if (change > 0)
            ++result.playerWins;
        else
            ++result.playerLosses;
    }
    if (result.rounds > 0) {
        double n = static_cast<double>(result.rounds);
        result.mean = sum / n;
        double variance = n > 1 ? (squares - sum * sum / n) / (n - 1) : 0.0;
        result.standardError = std::sqrt(std::max(variance, 0.0) / n);
    }
    return result;
}

}  // namespace Odds
}  // namespace DoDadu
