// Hours of play in a minute: thousands of whole rounds on the real main form, the
// dealer paced by a clock the test moves on by hand, with random but legal choices of
// the player. The window-system objects the process holds must not grow, and the score
// must be stored after every step.
#include "PlayDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

using namespace playdriver;

const int relaunched = coretest::RunInsideVirtualDesktop();

// Objects made once on first use (fonts, cached brushes) settle within the warm-up;
// after it a whole session may differ by a handful at most, never by one per round.
constexpr int kWarmUpRounds = 20;
constexpr long kAllowedGrowth = 8;

class LongPlay : public FormTest {
protected:
    LongPlay() : FormTest("Zandro++ long play") {}

    // One action and the messages it causes, then what must hold after it.
    bool Act(const std::function<void()>& action) {
        const int scoreBefore = form->round.Score();
        const int stake = form->round.CurrentStake();
        action();
        coretest::Pump();
        EXPECT_TRUE(StepKeptTheRound(form, scoreBefore, stake));
        ++actions;
        return !HasFailure();
    }

    // The player's turn: raise or lower the stake while it may, draw up to a limit
    // chosen for this round, then stop; now and then give up.
    bool PlayersTurn(std::mt19937& random) {
        const double drawUpTo = std::uniform_int_distribution<int>(6, 14)(random) / 2.0;
        while (form->round.Phase() == RoundPhase::PlayerTurn) {
            const int choice = std::uniform_int_distribution<int>(0, 19)(random);
            const WPARAM keys[] = {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
            bool ok;
            if (choice == 0)
                ok = Act([&] { Click(form->Layout().startButton); });  // CANCEL
            else if (choice <= 4 && Enabled(form->Layout().stakeSlider))
                ok = Act([&] { SlideKey(form->Layout().stakeSlider, keys[random() % 8]); });
            else if (form->round.cards.playerPoints < drawUpTo && Enabled(form->Layout().getCardButton))
                ok = Act([&] { Click(form->Layout().getCardButton); });
            else
                ok = Act([&] { Click(form->Layout().stopButton); });
            if (!ok) return false;
        }
        return true;
    }

    // The dealer's turn: every tick comes just over the dealer's pace after the last.
    bool DealersTurn() {
        for (int ticks = 0; form->round.RoundActive(); ++ticks) {
            if (ticks > 2 * kCardCount) {
                ADD_FAILURE() << "the dealer never finishes";
                return false;
            }
            if (!Act([&] { Tick(form, clock, 2001); })) return false;
        }
        return true;
    }

    bool PlayRound(std::mt19937& random) {
        if (!Act([&] { Click(form->Layout().startButton); })) return false;
        if (form->round.Phase() != RoundPhase::PlayerTurn) {
            ADD_FAILURE() << "START did not start a round";
            return false;
        }
        return PlayersTurn(random) && DealersTurn() && form->round.Phase() == RoundPhase::Idle;
    }

    // Plays the rounds, calling `plant` after each.
    int PlayRounds(int rounds, std::mt19937& random, const std::function<void()>& plant) {
        for (int played = 0; played < rounds; ++played) {
            if (!PlayRound(random)) return played;
            plant();
        }
        return rounds;
    }

    long actions = 0;
};

TEST_F(LongPlay, TwoThousandRoundsHoldNoMoreObjects) {
    constexpr int kRounds = 2000;
    std::mt19937 random(20260);
    auto nothing = [] {};
    ASSERT_EQ(kWarmUpRounds, PlayRounds(kWarmUpRounds, random, nothing));
    const GuiObjects before = CountGuiObjects();
    const int scoreBefore = form->round.Score();
    const auto started = std::chrono::steady_clock::now();

    ASSERT_EQ(kRounds, PlayRounds(kRounds, random, nothing));

    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const GuiObjects after = CountGuiObjects();
    std::printf(
        "%d rounds, %ld actions in %.1f s; score %d -> %d; GDI objects %ld -> %ld, "
        "USER objects %ld -> %ld\n",
        kRounds, actions, seconds, scoreBefore, form->round.Score(), before.gdi, after.gdi, before.user,
        after.user);
    EXPECT_LE(after.gdi - before.gdi, kAllowedGrowth);
    EXPECT_LE(after.user - before.user, kAllowedGrowth);
    EXPECT_GT(before.gdi, 0) << "the count must see the table's own objects";
    EXPECT_GT(before.user, 30) << "the count must see the table's own windows";
}

// The count above must catch a leak: a brush and a menu left behind every round, as a
// round that forgot to free what it made would leave them.
TEST_F(LongPlay, CountSeesAnObjectLeftBehindEachRound) {
    constexpr int kRounds = 100;
    std::mt19937 random(7);
    auto nothing = [] {};
    ASSERT_EQ(kWarmUpRounds, PlayRounds(kWarmUpRounds, random, nothing));
    const GuiObjects before = CountGuiObjects();

    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    auto leak = [&] {
        brushes.push_back(CreateSolidBrush(RGB(0, 128, 0)));
        menus.push_back(CreateMenu());
    };
    ASSERT_EQ(kRounds, PlayRounds(kRounds, random, leak));
    const GuiObjects after = CountGuiObjects();
    for (HBRUSH brush : brushes) DeleteObject(brush);
    for (HMENU menu : menus) DestroyMenu(menu);

    EXPECT_GE(after.gdi - before.gdi, kRounds);
    EXPECT_GE(after.user - before.user, kRounds);
}

}  // namespace
