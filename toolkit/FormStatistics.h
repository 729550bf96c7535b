// The toolkit's ready-made statistics box: named figures in two columns, a button that
// clears them after a Yes/No question, and Close. Like the about box it knows nothing of
// the program: the owner fills in the texts and the figures before showing it, and it is
// a box over its owner (FormBox). Escape closes it, and so does
// Enter anywhere but on the reset button. A screen reader reads each figure's value
// under the figure's name.
#pragma once

#include "Button.h"
#include "FormBox.h"
#include "Label.h"

#include <functional>
#include <string>
#include <vector>

namespace NeloUtility {

// One line of the box, in UTF-8.
struct Figure {
    std::string name;
    std::string value;
};

class FormStatistics : public FormBox {
public:
    std::vector<Figure> figures;  // the lines, top to bottom
    std::string resetText = "&Reset";
    std::string closeText = "Close";
    std::string resetQuestion;  // asked before a reset, under the box's caption
    AnswerCaptions answers;     // the question's buttons; empty ones keep the system's
    // Clears what the figures count after the question is answered Yes, and gives the
    // figures to show from then on.
    std::function<std::vector<Figure>()> Reset;

    explicit FormStatistics(Form* ownerForm);
    ~FormStatistics();

    // Sized for the figures, centred on the owner (FormBox::CenterOnOwner) and shown, with
    // the focus on Close.
    void Open();
    void OnShown() override;
    void ReleaseElements() override;

    void BuildLayout();
    // New values for the figures on show, with their names unchanged.
    void ShowValues(const std::vector<Figure>& shown);
    void AskReset();
    // A character typed in the box or one of its controls; false when the box used it.
    bool OnBoxChar(int character);

    static constexpr int kClientWidth = 400;
    int ClientHeight() const;

private:
    std::vector<Label*> nameLabels;
    std::vector<Label*> valueLabels;
    Button* resetButton = nullptr;
    Button* closeButton = nullptr;
};

}  // namespace NeloUtility
