#pragma once
#include "Cards.h"
#include "DealerClock.h"
#include "GameState.h"
#include "NumberText.h"
#include "RoundSentences.h"
#include "RoundStats.h"
#include "ScoreStore.h"
#include "ClassicTableSight.h"
#include "ClassicTableView.h"

#include <cstdint>
#include <string>

namespace DoDadu {

// Sound resources of the round.
constexpr int kDealerDrawSound = 1008;
constexpr int kPlayerWinsSound = 1009;
constexpr int kPlayerLosesSound = 1010;

constexpr int kStakeStep = 500;               // the stake is the slider position times this
constexpr int kStartingScore = 50000;         // the score when nothing is stored
constexpr std::int64_t kDealerPaceMs = 2000;  // the dealer acts only after more than this

// The dealer's stopping rule. dealer: the dealer's points (at most 7.5 here);
// shown: the player's points as the dealer sees them; showsWild: the wild card lies
// face up in the player's hand. The dealer never stops below what it can see, and
// stops level with it only at 7.5 or at a 7 made by the visible wild card.
bool DealerStops(double dealer, double shown, bool showsWild);

// Where a round stands; follows from roundActive, playerTurn and outcomePending.
enum class RoundPhase { Idle, PlayerTurn, DealerTurn, DealerStopped };

// One table: the cards, the round, the dealer's pacing and the running score. Every
// operation changes the state and then tells the view what to show. Runs on one
// thread; the view, the clock and the store must outlive the round.
class Round {
public:
    Round(ClassicTableView& view, DealerClock& clock, ScoreStore& store,
          const TextSource& texts = EnglishTexts());

    // The score kept from the last run: the leading integer of the stored text, or
    // the starting score when nothing is stored; and the statistics of the rounds.
    // Shows and saves nothing.
    void LoadScore();

    // The player's actions (the buttons and the slider) and the dealer's timer.
    void OnStartClicked();  // START or CANCEL, after the start button's caption
    void OnGetCardClicked();
    void OnStopClicked();
    void OnDealerTick();
    void OnStakeChanged(int position);  // the stake caption follows the slider

    // The player leaves while a round runs: half the stake in the player's turn, the
    // whole stake in the dealer's, and the round is over. Nothing when idle.
    void AbandonRound();

    // Operations of the table, also used by the ones above.
    int CurrentStake();
    void RefreshTable();
    void ResetTable();
    void UpdateRemainingCell();
    void ShowAndSaveScore();
    void SetPlayControlsLocked(bool locked);
    void PlayResourceSound(int id);
    // Every text the round has put on the table, again, in its texts' language as it is
    // now: START or CANCEL, the message, the totals, the remaining cards, score and stake.
    void ShowTexts();

    // The cards are open to callers that set up a table (tests, simulations).
    GameState cards;

    int Score() const { return score; }
    // Counted and saved as each round ends, with the score.
    const RoundStats& Stats() const { return stats; }
    // Clears the statistics and saves them; the score stays, and is the best so far.
    void ResetStats();
    bool RoundActive() const { return roundActive; }
    int PlayerTurn() const { return playerTurn; }
    bool OutcomePending() const { return outcomePending; }
    RoundPhase Phase() const;

    // What the player can see of the cards, for a hint in the player's turn.
    ClassicTableSight Sight() const;
    // A hint of the player's turn: on the message line until the player's next action, and
    // spoken in one line. Nothing outside the player's turn.
    void ShowHint(const std::string& hint);
    bool HintShown() const { return hintShown; }

private:
    void Cancel();
    void Start();
    void PlayerBusts();
    void DealerStep();
    void Showdown();
    void DealerBusts();
    void DealerDraws();
    void DrawCard(std::vector<int>& hand);
    void EndRound();  // what every outcome of the dealer's turn shares at its end
    void CountRound(RoundEnd end);
    void ChangeScore(std::int64_t delta);
    void RestartClock();
    std::int64_t ElapsedSinceClock();
    void ShowRow(CardRow row, const std::vector<int>& hand, bool coverFirst);
    ClassicTableSight EarlierCards() const;
    void Announce(RoundMoment moment, int card, double points, std::int64_t stake = 0);
    void ShowMessage(unsigned id);  // 0: an empty message line; replaces a hint
    void EndHint();                 // the message line as it was before the hint
    void ShowStartCaption();
    std::string DealerPointsShown() const;
    std::string PlayerPointsShown() const;

    ClassicTableView& view;
    DealerClock& clock;
    ScoreStore& store;
    GroupedNumberFormatter grouped;
    const TextSource& texts;
    unsigned messageId = 0;   // the text on the message line; 0 when it is empty
    bool handsShown = false;  // the totals show the hands, not the 0 of a laid table
    bool hintShown = false;   // a hint covers the message line

    bool roundActive = false;
    bool restartDealerClock = false;
    int playerTurn = 0;
    int score = 0;
    RoundStats stats;

    // The dealer's pacing: the local time of its last action, a guard against a tick
    // arriving inside another (a nested message loop), and a decided stop waiting for
    // its showdown.
    std::int64_t dealerClock = 0;
    bool dealerClockSet = false;
    bool dealerBusy = false;
    bool outcomePending = false;

    // What the player has seen of this deck: the dealer's covered cards of rounds given
    // up (never shown), the number of cards dealt before this round, and what was seen
    // before the deck ran dry in the player's turn.
    std::vector<int> unseenDealt;
    int dealtBeforeRound = 0;
    ClassicTableSight sightAtRefill;
};

}  // namespace DoDadu
