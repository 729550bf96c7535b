#include "FormStatistics.h"

#include "AccessibleElement.h"

namespace NeloUtility {

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kMargin = 20;
constexpr int kLineHeight = 26;
constexpr int kNameWidth = 250;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 30;

// Sized and placed over the owner before the window is first shown: only now is its frame
// known, which the centring takes in.
void BoxCreated(GUIElement* element, HWND) {
    auto* box = dynamic_cast<FormStatistics*>(element);
    if (box == nullptr) return;
    box->FitWindowToClient(FormStatistics::kClientWidth, box->ClientHeight());
    box->CenterOnOwner();
    box->BuildLayout();
}

bool BoxClosing(GUIElement* element) {
    if (auto* box = dynamic_cast<FormStatistics*>(element)) box->ReleaseOwner();
    return true;
}

bool BoxChar(GUIElement* element, int character) {
    auto* box = BoxOf<FormStatistics>(element);
    return box == nullptr || box->OnBoxChar(character);
}

void ResetPressed(GUIElement* element) {
    if (auto* box = BoxOf<FormStatistics>(element)) box->AskReset();
}

void ClosePressed(GUIElement* element) {
    if (auto* box = BoxOf<FormStatistics>(element)) box->Close();
}

template <class T>
T* Placed(T* element, FontSpec* font, int left, int top, int elementWidth, int elementHeight) {
    element->CharTyped = BoxChar;
    element->font = font;
    element->MoveTo(left, top);
    element->SetSize(elementWidth, elementHeight);
    return element;
}

}  // namespace

FormStatistics::FormStatistics(Form* ownerForm) : FormBox(ownerForm) {
    Created = BoxCreated;
    Closing = BoxClosing;
    CharTyped = BoxChar;
}

FormStatistics::~FormStatistics() { ReleaseElements(); }

int FormStatistics::ClientHeight() const {
    return 2 * kMargin + static_cast<int>(figures.size()) * kLineHeight + kMargin / 2 + kButtonHeight;
}

void FormStatistics::Open() {
    SetSize(kClientWidth, ClientHeight());
    CenterOnOwner();
    Show();
}

// The size follows the figures, which are filled in after construction.
void FormStatistics::OnShown() { SetClientSize(kClientWidth, ClientHeight()); }

void FormStatistics::ReleaseElements() {
    for (auto* labels : {&nameLabels, &valueLabels}) {
        for (Label*& label : *labels) DeleteAndClear(label);
        labels->clear();
    }
    DeleteAndClear(resetButton);
    DeleteAndClear(closeButton);
}

void FormStatistics::BuildLayout() {
    const int valueWidth = kClientWidth - 2 * kMargin - kNameWidth;
    int top = kMargin;
    for (const Figure& figure : figures) {
        auto* name = Placed(new Label(this, std::string()), font, kMargin, top, kNameWidth, kLineHeight - 4);
        name->SetTextUtf8(figure.name);
        name->Create();
        auto* value = Placed(new Label(this, std::string()), font, kMargin + kNameWidth, top, valueWidth,
                             kLineHeight - 4);
        value->alignRight = true;
        value->SetTextUtf8(figure.value);
        SetAccessibleName(*value, figure.name);
        SetAccessibleValue(*value, figure.value);
        value->Create();
        nameLabels.push_back(name);
        valueLabels.push_back(value);
        top += kLineHeight;
    }
    top += kMargin / 2;
    const int left = kClientWidth / 2 - kButtonWidth - kMargin / 2;
    resetButton = Placed(new Button(this, std::string()), font, left, top, kButtonWidth, kButtonHeight);
    resetButton->SetTextUtf8(resetText);
    resetButton->command = ResetPressed;
    resetButton->Create();
    closeButton = Placed(new Button(this, std::string()), font, left + kButtonWidth + kMargin, top,
                         kButtonWidth, kButtonHeight);
    closeButton->SetTextUtf8(closeText);
    closeButton->command = ClosePressed;
    closeButton->Create();
    closeButton->Focus();
}

void FormStatistics::ShowValues(const std::vector<Figure>& shown) {
    for (std::size_t i = 0; i < shown.size() && i < valueLabels.size(); ++i) {
        figures[i].value = shown[i].value;
        valueLabels[i]->SetTextUtf8(shown[i].value);
        SetAccessibleValue(*valueLabels[i], shown[i].value);
    }
}

void FormStatistics::AskReset() {
    if (!Reset || !AskYesNo(resetQuestion, GetTextUtf8(), answers)) return;
    ComeBack();
    ShowValues(Reset());
}

bool FormStatistics::OnBoxChar(int character) {
    if (character == kEscape || (character == kEnter && !resetButton->HasFocus())) {
        Close();
        return false;
    }
    if (character == kEnter) {
        AskReset();
        return false;
    }
    return true;
}

}  // namespace NeloUtility
