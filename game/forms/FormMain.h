// The main window of the game: the table with its two rows of cards, the captions and
// value cells, the six buttons, the stake slider and the dealer's timer. The round itself
// lives in `round`; the form shows what the round tells it.
#pragma once

#include "AboutBox.h"
#include "LocalTimeClock.h"
#include "HintAdvisor.h"
#include "OptionsMenu.h"
#include "ResourceTexts.h"
#include "Round.h"
#include "RegistryScoreStore.h"
#include "TableNarrator.h"
#include "TableView.h"

#include "Button.h"
#include "CellControl.h"
#include "Form.h"
#include "Image.h"
#include "Menu.h"
#include "Slider.h"
#include "TextBox.h"
#include "Timer.h"

#include <array>
#include <string>

namespace NeloUtility {
class FormAbout;
class FormStatistics;
}  // namespace NeloUtility

namespace DoDadu {

class FormMain : public NeloUtility::Form, private TableView {
public:
    FormMain(HINSTANCE instanceHandle, const std::string& title);
    // The same with another clock pacing the dealer (long-play tests step it by hand).
    FormMain(HINSTANCE instanceHandle, const std::string& title, DealerClock& dealerClock);
    ~FormMain();

    using Form::SetEnabled;  // the form's own, beside the table's controls' below

    // The player leaves the table, by a close answered Yes or by the end of the Windows
    // session: a running round is charged as abandoned and stored, and the dealer stops.
    void LeaveTable();

    HBRUSH OnControlColor(HDC deviceContext) override;
    NeloUtility::GUIElement* DefaultFocus() override;
    void OnSessionEnd() override;  // the round is settled as by a close answered Yes

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
    // The element that shows a cell of the table.
    NeloUtility::CellControl* Cell(TableCell cell) const;

    // The cards, the round and the score, with the local-time clock that paces the
    // dealer, the registry that keeps the score between runs and the texts in the
    // language chosen (or that of Windows).
    LocalTimeClock localTime;
    RegistryScoreStore store;
    ResourceTexts texts;
    Round round;
    TableNarrator narrator{*this};  // names and announcements

    HBRUSH controlBrush = nullptr;  // the last brush made for a child control's colours
    NeloUtility::FormAbout* aboutForm = nullptr;
    NeloUtility::FormStatistics* statisticsForm = nullptr;
    NeloUtility::MenuBar* menuBar = nullptr;
    NeloUtility::Menu* fileMenu = nullptr;
    NeloUtility::SubMenu* exitItem = nullptr;
    NeloUtility::Menu* helpMenu = nullptr;
    NeloUtility::SubMenu* homeItem = nullptr;
    NeloUtility::SubMenu* guideItem = nullptr;
    OptionsMenu* optionsMenu = nullptr;
    NeloUtility::Button* infoButton = nullptr;
    NeloUtility::Button* startButton = nullptr;
    NeloUtility::Button* exitButton = nullptr;
    NeloUtility::Button* stopButton = nullptr;
    NeloUtility::Button* getCardButton = nullptr;
    NeloUtility::Button* stakeButton = nullptr;
    NeloUtility::Slider* stakeSlider = nullptr;
    NeloUtility::Image* logoImage = nullptr;
    NeloUtility::Timer* dealTimer = nullptr;
    std::array<NeloUtility::Image*, kCardPlaces> dealerCardImages{};
    std::array<NeloUtility::Image*, kCardPlaces> playerCardImages{};
    NeloUtility::FontSpec* largeFont = nullptr;
    NeloUtility::FontSpec* hintFont = nullptr;  // two lines of a hint fit the message line
    NeloUtility::CellControl* messageCell = nullptr;
    NeloUtility::CellControl* scoreCaptionCell = nullptr;
    NeloUtility::CellControl* scoreCell = nullptr;
    NeloUtility::CellControl* playerCaptionCell = nullptr;
    NeloUtility::CellControl* playerPointsCell = nullptr;
    NeloUtility::CellControl* dealerCaptionCell = nullptr;
    NeloUtility::CellControl* dealerPointsCell = nullptr;
    NeloUtility::CellControl* remainingCaptionCell = nullptr;
    NeloUtility::CellControl* remainingCell = nullptr;

private:
    void Construct(const std::string& title);
    void SetFormEvents();
    void SetWindowIcon();
    void BuildMenuBar();
    void BuildCardPlaces();
    void BuildHandCells();
    void BuildSideCells();
    void BuildScoreCells();
    void BuildPlayButtons();
    void BuildStakeSlider();
    void MakeDealTimer();
    void FollowDealerTurn();
    void ShowAbout();
    void ShowStatistics();
    void AskHint();

    NeloUtility::CellControl* MakeCell(int x, int y, int cellWidth, int cellHeight,
                                       NeloUtility::FontSpec* cellFont, COLORREF color,
                                       const std::string& cellText);
    NeloUtility::Button* MakeButton(const std::string& caption, int x, int y, bool bottomRow,
                                    bool startEnabled);

    // What the round shows, on the real elements.
    void SetCellText(TableCell cell, const std::string& cellText) override;
    void ShowCard(CardRow row, int index, int picture) override;
    void HideCard(CardRow row, int index) override;
    void MoveCard(CardRow row, int index, int cardX, int cardY) override;
    void SetEnabled(TableControl control, bool enable) override;
    bool IsEnabled(TableControl control) const override;
    void SetCaption(TableControl control, const std::string& caption) override;
    std::string Caption(TableControl control) const override;
    void SetStakePosition(int position) override;
    int StakePosition() override;
    void PlayWave(int resourceId) override;
    void ShowHint(const std::string& hint) override;
    bool WantsSentences() const override;
    void Announce(const std::string& sentence) override;

    NeloUtility::GUIElement* Control(TableControl control) const;
    NeloUtility::Image* CardPlace(CardRow row, int index) const;

    NeloUtility::FontSpec* formFont = nullptr;  // "Lucida Console" 14, the form's own font
    HintAdvisor hintAdvisor;
};

// The first main form constructed; the menu's events fall back on it.
extern FormMain* mainForm;

}  // namespace DoDadu
