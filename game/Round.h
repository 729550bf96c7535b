#pragma once
#include "Cards.h"
#include "DealerClock.h"
#include "GameState.h"
#include "NumberText.h"
#include "RoundSentences.h"
#include "ScoreStore.h"
#include "TableView.h"

#include <cstdint>
#include <locale>
#include <string>

namespace DoDadu {

// Sound resources of the round.
constexpr int kDealerDrawSound = 1008;
constexpr int kPlayerWinsSound = 1009;
constexpr int kPlayerLosesSound = 1010;

constexpr int kStakeStep = 500;               // the stake is the slider position times this
constexpr int kStartingScore = 50000;         // the score when nothing is stored
constexpr std::int64_t kDealerPaceMs = 2000;  // the dealer acts only after more than this

// Texts of the message cell and of the start button.
extern const char* const kStartCaption;        // "START"
extern const char* const kCancelCaption;       // "CANCEL"
extern const char* const kMessagePlayerBusts;  // "You exceeded 7.5. You lost!"
extern const char* const kMessageDealerPlays;  // "Now play the dealer"
extern const char* const kMessageDealerStops;  // "The dealer stops"
extern const char* const kMessageDealerBusts;  // "Dealer exceeded 7.5. You won!"
extern const char* const kMessagePlayerWins;   // "You won!"
extern const char* const kMessagePlayerLoses;  // "You lost!"

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
    Round(TableView& view, DealerClock& clock, ScoreStore& store,
          const std::locale& numberLocale = std::locale::classic());

    // The score kept from the last run: the leading integer of the stored text, or
    // the starting score when nothing is stored. Shows and saves nothing.
    void LoadScore();

    // The player's actions (the buttons and the slider) and the dealer's timer.
    void OnStartClicked();  // START or CANCEL, after the start button's caption
    void OnGetCardClicked();
    void OnStopClicked();
    void OnDealerTick();
    void OnStakeChanged(int position);  // the stake caption follows the slider

    // The player leaves while a round runs: half the stake in the player's turn, the
    // whole stake in the dealer's. Nothing when idle.
    void AbandonRound();

    // Operations of the table, also used by the ones above.
    int CurrentStake();
    void RefreshTable();
    void ResetTable();
    void UpdateRemainingCell();
    void ShowAndSaveScore();
    void SetPlayControlsLocked(bool locked);
    void PlayResourceSound(int id);

    // The cards are open to callers that set up a table (tests, simulations).
    GameState cards;

    int Score() const { return score; }
    bool RoundActive() const { return roundActive; }
    int PlayerTurn() const { return playerTurn; }
    bool OutcomePending() const { return outcomePending; }
    RoundPhase Phase() const;

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
    void ChangeScore(std::int64_t delta);
    void RestartClock();
    std::int64_t ElapsedSinceClock();
    void ShowRow(CardRow row, const std::vector<int>& hand, bool coverFirst);
    void Announce(RoundMoment moment, int card, double points, std::int64_t stake = 0);

    TableView& view;
    DealerClock& clock;
    ScoreStore& store;
    GroupedNumberFormatter grouped;

    bool roundActive = false;
    bool restartDealerClock = false;
    int playerTurn = 0;
    int score = 0;

    // The dealer's pacing: the local time of its last action, a guard against a tick
    // arriving inside another (a nested message loop), and a decided stop waiting for
    // its showdown.
    std::int64_t dealerClock = 0;
    bool dealerClockSet = false;
    bool dealerBusy = false;
    bool outcomePending = false;
};

}  // namespace DoDadu
