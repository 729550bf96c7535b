// The main window of the game: the classic table. Its elements and where they stand are the
// layout's (ClassicTableLayout); what the round shows reaches them through the round's view
// (ClassicTableRoundView); the form itself answers the player: buttons, keys, menus and the close.
#pragma once

#include "AboutBox.h"
#include "HintAdvisor.h"
#include "LocalTimeClock.h"
#include "RegistryScoreStore.h"
#include "ResourceTexts.h"
#include "Round.h"
#include "ClassicTableLayout.h"
#include "ClassicTableNarrator.h"
#include "ClassicTableRoundView.h"
#include "OnlineJoinBox.h"

#include "Form.h"
#include "TextBox.h"

#include <string>

namespace NeloUtility {
class FormAbout;
class FormStatistics;
}  // namespace NeloUtility

namespace DoDadu {

class FormFullTable;
struct Invitation;

class FormMain : public NeloUtility::Form {
    // The texts in the language chosen (or that of Windows), the table's elements, their
    // words for a screen reader and the round's view of them; then the local-time clock that
    // paces the dealer and the registry that keeps the score between runs.
    ResourceTexts texts;
    ClassicTableLayout table;
    ClassicTableNarrator narrator{table, texts};
    ClassicTableRoundView view{table, narrator};
    LocalTimeClock localTime;
    RegistryScoreStore store;

public:
    FormMain(HINSTANCE instanceHandle, const std::string& title);
    // The same with another clock pacing the dealer (long-play tests step it by hand).
    FormMain(HINSTANCE instanceHandle, const std::string& title, DealerClock& dealerClock);
    ~FormMain();

    // The cards, the round and the score.
    Round round;

    // The table's elements, as the layout made them.
    const ClassicTableLayout& Layout() const { return table; }
    NeloUtility::FormAbout* AboutForm() const { return aboutForm; }
    FormFullTable* FullTable() const { return fullTable; }
    FormFullTable* OnlineTable() const { return onlineTable; }
    // The Play online box, filled with an invitation (from the command line, say) or with
    // what was used last; at once on the table of the stored seat when there is one.
    void OpenPlayOnline(const std::string& invitation = std::string());
    // The box again, with what the server refused and why.
    void OpenPlayOnline(const OnlineJoinFields& refused);
    void JoinOnline(const Invitation& table, const std::string& name);
    // A table to create on the server: its house rules and seats are chosen in the online
    // table's window.
    void CreateOnline(const Invitation& server, const std::string& name);
    HBRUSH LastControlBrush() const { return controlBrush; }

    // The player leaves the table, by a close answered Yes or by the end of the Windows
    // session: a running round is charged as abandoned and stored, and the dealer stops.
    void LeaveTable();

    HBRUSH OnControlColor(HDC deviceContext) override;
    NeloUtility::GUIElement* DefaultFocus() override;
    void OnSessionEnd() override;  // the round is settled as by a close answered Yes
    // An invitation from a second start opens the Play online box, filled in.
    bool OnCopyData(ULONG_PTR tag, const void* bytes, DWORD size) override;
    void OnThemeChanged() override;  // the contrast item's check mark follows Windows

    // Operations of the main form, after those of Form.
    virtual void BuildLayout();
    virtual bool ConfirmClose();
    virtual void OnFormResized();
    virtual void OnDealerTick();
    virtual bool OnFormChar(int character);
    virtual bool OnTextBoxChar(NeloUtility::TextBox* textBox, int character);
    virtual void OnFormKeyDown(int key);
    virtual void OnFormKeyUp(int key);
    virtual void OnMenuCommand(NeloUtility::SubMenu* item);
    virtual void CloseOnEscape(NeloUtility::GUIElement* element, int key);
    virtual void OnFormLeftButtonUp(int mouseX, int mouseY);
    virtual void OnFormLeftButtonDown(int mouseX, int mouseY);
    virtual void OnChildLeftButtonDown(NeloUtility::GUIElement* element);
    virtual void OnChildEvent(NeloUtility::GUIElement* element);
    virtual void OnTextBoxFocus(NeloUtility::TextBox* textBox);
    virtual void OnButtonClick(NeloUtility::GUIElement* button);
    virtual void OnStakeChanged(NeloUtility::GUIElement* sender, int position);

    // Every text in the table is shown again in the language of the texts as it is now.
    void ShowTexts();

private:
    void MakeOnlineTable();  // once, and told where a refused seat goes
    void Construct(const std::string& title);
    void SetFormEvents();
    void SetWindowIcon();
    void FollowDealerTurn();
    void ShowAbout();
    void ShowStatistics();
    void AskHint();
    void OpenFullTable();
    void FollowRoundForMenu();

    HBRUSH controlBrush = nullptr;  // the last brush made for a child control's colours
    NeloUtility::FormAbout* aboutForm = nullptr;
    NeloUtility::FormStatistics* statisticsForm = nullptr;
    FormFullTable* fullTable = nullptr;    // made when first opened, kept until the game ends
    FormFullTable* onlineTable = nullptr;  // the online evening's window, apart from the local one
    NeloUtility::FormBox* onlineBox = nullptr;
    HintAdvisor hintAdvisor;
};

// The dwData of a WM_COPYDATA by which a second start of the game hands the running one
// an invitation: its UTF-8 text, without a closing zero.
constexpr ULONG_PTR kInvitationCopyTag = 0x5A414E44;  // "ZAND"
constexpr DWORD kLongestInvitation = 1024;

// The first main form constructed; the menu's events fall back on it.
extern FormMain* mainForm;

}  // namespace DoDadu
