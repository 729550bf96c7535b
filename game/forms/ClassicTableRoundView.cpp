#include "ClassicTableRoundView.h"

#include "ScreenReaderNotice.h"
#include "Sound.h"

namespace DoDadu {

using namespace NeloUtility;

ClassicTableRoundView::ClassicTableRoundView(ClassicTableLayout& layout, ClassicTableNarrator& tableNarrator)
    : table(layout), narrator(tableNarrator) {}

void ClassicTableRoundView::SetCellText(TableCell cell, const std::string& cellText) {
    if (cell == TableCell::Message && table.messageCell != nullptr) table.messageCell->font = table.largeFont;
    if (CellControl* target = table.Cell(cell)) target->SetTextUtf8(cellText);
    narrator.CellChanged(cell, cellText);
}

// Named first, so that a screen reader hears the new name with every change below.
void ClassicTableRoundView::ShowCard(CardRow row, int index, int picture) {
    if (Image* place = table.CardPlace(row, index)) {
        narrator.CardShown(*place, picture);
        place->SetImage(picture);
        place->Show();
    }
}

void ClassicTableRoundView::HideCard(CardRow row, int index) {
    if (Image* place = table.CardPlace(row, index)) place->Hide();
}

void ClassicTableRoundView::MoveCard(CardRow row, int index, int cardX, int cardY) {
    // A place that is already there is not moved again (and not repainted for it).
    Image* place = table.CardPlace(row, index);
    if (place != nullptr && (place->x != cardX || place->y != cardY || !place->created))
        place->MoveTo(cardX, cardY);
}

void ClassicTableRoundView::SetEnabled(TableControl control, bool enable) {
    if (GUIElement* element = table.Control(control)) element->SetEnabled(enable);
    // The hint goes with STOP: both belong to the player's turn.
    if (control == TableControl::StopButton && table.optionsMenu != nullptr)
        table.optionsMenu->SetHintEnabled(enable);
}

bool ClassicTableRoundView::IsEnabled(TableControl control) const {
    GUIElement* element = table.Control(control);
    return element != nullptr && element->enabled;
}

void ClassicTableRoundView::SetCaption(TableControl control, const std::string& caption) {
    if (GUIElement* element = table.Control(control)) element->SetTextUtf8(caption);
    narrator.CaptionChanged(control, caption);
}

std::string ClassicTableRoundView::Caption(TableControl control) const {
    GUIElement* element = table.Control(control);
    return element != nullptr ? element->GetTextUtf8() : std::string();
}

void ClassicTableRoundView::SetStakePosition(int position) {
    if (table.stakeSlider != nullptr) table.stakeSlider->SetPosition(position);
}

int ClassicTableRoundView::StakePosition() {
    return table.stakeSlider != nullptr ? table.stakeSlider->ReadPosition() : 1;
}

// With the sound off nothing is played, and the library that plays sounds is never loaded.
void ClassicTableRoundView::PlayWave(int resourceId) {
    if (table.optionsMenu != nullptr && table.optionsMenu->SoundOn()) PlayWaveResource(resourceId);
}

void ClassicTableRoundView::ShowHint(const std::string& hint) {
    if (table.messageCell == nullptr) return;
    table.messageCell->font = table.hintFont;
    table.messageCell->SetTextUtf8(hint);
    narrator.CellChanged(TableCell::Message, hint);
}

// The round's moments are worded only for a screen reader, where the platform can speak them.
bool ClassicTableRoundView::WantsSentences() const { return ScreenReaderNotice::Available(); }

void ClassicTableRoundView::Announce(const std::string& sentence) { narrator.Speak(sentence); }

}  // namespace DoDadu
