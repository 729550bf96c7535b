// The setup box of a new evening at the full table: the seats (2 to 6, each a name, who
// plays it and a computer's style), the rules (a preset or each field) and the starting
// chips. A box over its owner (FormBox): Enter accepts, Escape cancels, Alt with a marked
// letter goes to that field, and a screen reader hears every control by name. What cannot
// start an evening is said in the box, and the field it concerns takes the focus.
#pragma once

#include "EveningSetup.h"

#include "Button.h"
#include "ChoiceBox.h"
#include "FormBox.h"
#include "Label.h"
#include "TextBox.h"

#include <array>
#include <vector>

namespace DoDadu {

using SetupAccepted = void (*)(NeloUtility::Form& owner, const EveningSetup& setup);

class EveningSetupBox : public NeloUtility::FormBox {
public:
    EveningSetupBox(NeloUtility::Form& owner, const TextSource& texts, const EveningSetup& start,
                    SetupAccepted accepted, unsigned captionId);
    ~EveningSetupBox();

    // Made, sized, centred on the owner and shown, with the focus on the first name.
    void Open();
    void ReleaseElements() override;
    NeloUtility::GUIElement* DefaultFocus() override;

    void BuildLayout();
    // The controls show this setup; and what they show, with the numbers as typed.
    void ShowSetup(const EveningSetup& setup);
    EveningSetup ReadSetup(SetupNumbers& numbers);

    void AddSeat();
    void RemoveSeat();
    int SeatCount() const { return seatCount; }
    // Checks what the box shows: said in the box, or the box closes and hands it over.
    void Accept();
    // After a choice or a field changed: the style only for computers, the rounds only
    // when the bank passes after some, the preset that the fields make.
    void FollowChoices();
    void ChoosePreset(RulesPreset preset);
    void OnChosen(NeloUtility::ChoiceBox* choice, int index);
    void OnButton(NeloUtility::GUIElement* button);
    bool OnBoxChar(int character);

    // The text the box says what is wrong in (empty while nothing is).
    NeloUtility::Label* ProblemLine() const { return problem; }

    static constexpr int kClientWidth = 866;
    static constexpr int kClientHeight = 452;

private:
    struct SeatRow {
        NeloUtility::TextBox* name = nullptr;
        NeloUtility::ChoiceBox* playedBy = nullptr;
        NeloUtility::ChoiceBox* style = nullptr;
    };
    NeloUtility::Label* AddLabel(unsigned textId, int left, int top, int labelWidth);
    NeloUtility::ChoiceBox* AddChoice(const std::vector<unsigned>& choiceIds, const std::string& name,
                                      int left, int top, int choiceWidth);
    NeloUtility::TextBox* AddNumber(const std::string& name, int left, int top, int boxWidth);
    NeloUtility::Button* AddButton(unsigned textId, int left, int top, int buttonWidth);
    void BuildSeats();
    void BuildRules();
    void ShowSeatCount(int count);
    void ShowRules(const HouseRules& rules);
    void ShowProblem(const SetupProblem& found);
    NeloUtility::GUIElement* FieldControl(const SetupProblem& found);
    HouseRules RulesShown() const;

    const TextSource& texts;
    EveningSetup start;
    SetupAccepted accepted;
    int seatCount = 0;
    std::array<SeatRow, kMaxSeats> rows{};
    std::vector<NeloUtility::GUIElement*> owned;  // every control, for ReleaseElements
    NeloUtility::Button* addButton = nullptr;
    NeloUtility::Button* removeButton = nullptr;
    NeloUtility::TextBox* chipsBox = nullptr;
    NeloUtility::ChoiceBox* rulesChoice = nullptr;
    NeloUtility::ChoiceBox* wildChoice = nullptr;
    NeloUtility::ChoiceBox* paysChoice = nullptr;
    NeloUtility::ChoiceBox* royalChoice = nullptr;
    NeloUtility::ChoiceBox* coverChoice = nullptr;
    NeloUtility::ChoiceBox* takesChoice = nullptr;
    NeloUtility::ChoiceBox* passesChoice = nullptr;
    NeloUtility::TextBox* passEveryBox = nullptr;
    NeloUtility::TextBox* minStakeBox = nullptr;
    NeloUtility::TextBox* maxStakeBox = nullptr;
    NeloUtility::TextBox* stepBox = nullptr;
    NeloUtility::Label* problem = nullptr;
    NeloUtility::Button* okButton = nullptr;
    NeloUtility::Button* cancelButton = nullptr;
};

// The setup box over its owner (owner disabled while it is open, Enter accepts), titled with
// the text captionId: a new evening here, or a table to create on a server. On OK,
// accepted(owner, setup) is called; Cancel or close leaves everything as it was. The
// caller deletes the box (DeferDelete) once it is closed.
NeloUtility::FormBox* OpenEveningSetup(NeloUtility::Form& owner, const TextSource& texts,
                                       const EveningSetup& start, SetupAccepted accepted, unsigned captionId);

}  // namespace DoDadu
