// The full table: an evening of 7.5 with the bank passing round, one person against
// computer seats or several persons sharing the computer. A resizable window whose table
// scales with it as a whole (FullTableLayout). It meets the evening only as a TableSession,
// and what the evening shows reaches it through FullTableView; the form answers the
// players and paces the computer seats, about a second a decision. Closed, it only hides:
// the evening goes on when it is opened again, and the one stored after every round comes
// back in the next run.
#pragma once

#include "ComputerPlayers.h"
#include "Evening.h"
#include "EveningSetupBox.h"
#include "ExpertPlayer.h"
#include "FullTableLayout.h"
#include "FullTableNarrator.h"
#include "FullTableView.h"
#include "LocalTableSession.h"
#include "OnlineEvening.h"
#include "OnlineJoinBox.h"
#include "RegistryEveningStore.h"
#include "ResourceTexts.h"

#include "Form.h"
#include "FormBox.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace DoDadu {

// A window property that marks a table of the game, so that a second start of the
// program finds whichever table is open, whatever its title.
extern const wchar_t* const kTableWindowProperty;

class FormFullTable : public NeloUtility::Form {
    ResourceTexts texts;
    FullTableLayout table;
    FullTableNarrator narrator;
    FullTableView view{table, narrator};
    RegistryEveningStore store;
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;
    PlayerTable players;
    std::unique_ptr<Evening> evening;  // the local evening, kept while another is shown
    std::unique_ptr<LocalTableSession> local;
    TableSession* session = nullptr;  // the evening the window shows and asks

public:
    // classicTable: shown again when the full table closes; may be null.
    FormFullTable(HINSTANCE instanceHandle, NeloUtility::Form* classicTable);

    // A seat the server refused before this window ever held it (a name taken, a code
    // unknown, a server out of reach): the window steps aside for the classic table, which
    // is handed what was asked and why it was refused.
    using SeatRefused = void (*)(NeloUtility::Form& classicTable, const OnlineJoinFields& asked);
    SeatRefused seatRefused = nullptr;
    ~FormFullTable();

    // Shows the window and the evening: the one in memory, else the stored one, else
    // the setup box for a new one.
    void Open();
    // The Yes/No question, then the setup box; NewEvening asks nothing.
    void AskNewEvening();
    void NewEvening();
    void StartEvening(const EveningSetup& setup);
    // Shows the window at an evening held by a server (a window of its own, apart from the
    // local evening's): joining the table by its code, or back at the stored seat (false
    // when none is stored).
    void JoinOnline(const Invitation& table, const std::string& name);
    // The setup box for a table to create on the server; its OK creates it there.
    void AskOnlineSetup(const Invitation& server, const std::string& name);
    bool ResumeOnline();
    void OnOnlineNews();
    void OnOnlineRetry();

    const Evening* ThisEvening() const { return evening.get(); }
    const FullTableLayout& Layout() const { return table; }

    // The form's events.
    void BuildLayout();
    bool ConfirmClose();
    void OnFormResized();
    void OnPaceTick();
    void OnButtonClick(NeloUtility::GUIElement* button);
    void OnMenuCommand(NeloUtility::SubMenu* item);
    void OnStakeChanged(int position);
    HBRUSH OnControlColor(HDC deviceContext) override;
    NeloUtility::GUIElement* DefaultFocus() override;
    // What another program hands the game goes to the classic table's form, which owns the
    // Play online box.
    bool OnCopyData(ULONG_PTR tag, const void* bytes, DWORD size) override;

private:
    void ShowTable();
    void WatchOnline();
    void CopyInvitation();
    void FollowOnline();
    void SayPresence();
    std::string TroubleText(OnlineTrouble trouble) const;
    bool RefusedBeforeSeated() const;
    void HandBackRefusal(const std::string& why);
    void ShowClassicTable();
    bool ResumeStored();
    void Begin();
    void FollowEvening();
    void FollowGathering();
    void GiveSeat();
    std::string LobbyLine() const;
    int PersonToAct() const;
    int StakeAt(int position) const;
    void ShowStake();
    void SetStakeRange(int seat);
    void Play(bool draw);
    void AskHint();
    void ShowStandings();
    void ForgetStandings();
    void NewOnlineEvening();

    NeloUtility::Form* classic = nullptr;
    HBRUSH controlBrush = nullptr;
    NeloUtility::FormBox* setupBox = nullptr;
    NeloUtility::FormBox* standingsBox = nullptr;
    int stakeFor = -1;           // the seat whose turn set the slider's range
    std::vector<int> freeSeats;  // the free person seats the choice lists, in its order
    std::unique_ptr<OnlineEvening> online;
    std::size_t arranged = 0;  // the seats the online table was arranged for
    std::string onlineLine;    // the last line said of the online table's link
    NeloUtility::SubMenu* copyInvitationItem = nullptr;
    std::optional<Invitation> createOn;  // the server of a table being set up
    std::string creatorName;
};

}  // namespace DoDadu
