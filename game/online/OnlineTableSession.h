// An evening held by a server, behind the full table's window: one person seat is played
// from this screen, the others are seen only as far as the server shows them. Each of the
// server's messages replaces the whole sight (it sends the table as this seat sees it) and
// its moments are told in order; what the person asks goes out as messages, and the answer
// comes back as the next sight. A message that does not make a table (hostile or broken)
// changes nothing.
#pragma once
#include "ServerMessages.h"
#include "TableSession.h"

#include <functional>
#include <string>
#include <vector>

namespace DoDadu {

enum class OnlinePhase { Waiting, Lobby, Playing, Over };

class OnlineTableSession : public TableSession {
public:
    using Send = std::function<void(const std::string& message)>;
    explicit OnlineTableSession(Send send);

    // One message from the server: false when it is none the table takes.
    bool Receive(const std::string& text);
    // The link to the server is up (a sight is still needed before the table answers).
    void SetLinked(bool up);

    OnlinePhase Phase() const { return phase; }
    const std::string& Code() const { return code; }
    const std::string& Invitation() const { return invitation; }
    // The seat's resume token, once seated; the last refusal's wire code, or empty.
    const std::string& Token() const { return token; }
    const std::string& LastError() const { return lastError; }
    int You() const { return you; }
    bool Creator() const { return you == creator; }
    bool CanStart() const { return canStart; }
    // Every seat's chips when the evening started.
    std::int64_t StartingChips() const { return startingChips; }

    // Another seat's person came, was given to the computer, lost the link, came back or
    // stayed away: what the server told since the last call, oldest first.
    struct Presence {
        PresenceMoment moment = PresenceMoment::None;
        int seat = -1;
    };
    std::vector<Presence> TakePresence();
    // Why an evening that is over ended; one ended otherwise than by the chips is not told
    // as a moment of the round (whose words say that fewer than two seats can play).
    EndReason EndedBy() const { return endedBy; }

    const HouseRules& Rules() const override { return rules; }
    const std::vector<TableSeat>& Seats() const override { return seats; }
    int Bank() const override { return bank; }
    bool RoundInPlay() const override { return inPlay; }
    int ToAct() const override { return toAct; }
    bool BankTurn() const override { return bankTurn; }
    bool Over() const override { return phase == OnlinePhase::Over; }
    int RoundsPlayed() const override { return rounds; }
    const RoundSeat& InRound(int seat) const override;
    bool PlayedHere(int seat) const override { return phase != OnlinePhase::Waiting && seat == you; }
    // The server sends a covered card only to those who may see it.
    bool CoveredCardShown(int seat) const override;
    // The server's stake range holds to the cover.
    std::int64_t CoverLeft(int seat) const override;
    bool Answering() const override { return linked && phase != OnlinePhase::Waiting; }
    SeatSight SightOf(int seat) const override;
    BankSight SightOfBank() const override;

    // The creator starts the evening from the lobby, once the server says it can start;
    // later rounds the server deals itself.
    bool MayStartRound() const override;
    bool StartRound() override;
    bool SetStake(int stake) override;
    bool GetCard() override;
    bool Stand() override;
    bool Gathering() const override { return phase == OnlinePhase::Lobby; }
    // The creator, in the lobby, while the link is up.
    bool MayGiveSeat(int seat) const override;
    bool GiveToComputer(int seat, PlayStyle style, const std::string& name) override;
    bool ComputerDue() const override { return false; }
    bool ComputerStep() override { return false; }
    void SetListener(TableListener* to) override { listener = to; }

private:
    friend struct OnlineSightReader;
    // What the last sight showed, for the hint: every card dealt this round as this seat
    // saw it, and the deck.
    struct Deck {
        std::vector<int> dealtSeats;
        std::vector<int> dealtCards;
        int dealtBeforeRefill = -1;
        std::vector<int> seenBefore;
        int left = 0;
    };
    RoundSight Sight(int self) const;

    Send send;
    TableListener* listener = nullptr;
    bool linked = false;
    OnlinePhase phase = OnlinePhase::Waiting;
    std::string code, invitation, token, lastError;
    int you = -1;
    int creator = -1;
    bool canStart = false;
    HouseRules rules;
    std::vector<TableSeat> seats;
    std::vector<RoundSeat> round;
    int bank = 0;
    int toAct = -1;
    bool bankTurn = false;
    bool inPlay = false;
    bool mayStake = false;
    bool mayDraw = false;
    int mostStake = 0;  // the server's top of the stake range, with mayStake
    int rounds = 0;
    std::int64_t startingChips = kStartingChips;
    Deck deck;
    std::vector<Presence> presence;
    EndReason endedBy = EndReason::None;
};

}  // namespace DoDadu
