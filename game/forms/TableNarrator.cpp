#include "TableNarrator.h"

#include "FormMain.h"
#include "RoundSentences.h"

#include "AccessibleElement.h"
#include "ScreenReaderNotice.h"

namespace DoDadu {

using namespace NeloUtility;

TableNarrator::TableNarrator(FormMain& table) : form(table) {}

void TableNarrator::DescribeTable() {
    if (form.logoImage != nullptr) SetAccessibleName(*form.logoImage, "Zandro++");
    if (form.stakeSlider != nullptr)
        SetAccessibleName(*form.stakeSlider, form.texts.Text(TextIds::kNameStakeSlider));
    if (form.stakeButton != nullptr)
        CaptionChanged(TableControl::StakeButton, form.stakeButton->GetTextUtf8());
    for (TableCell cell : {TableCell::Message, TableCell::DealerPoints, TableCell::PlayerPoints,
                           TableCell::Remaining, TableCell::Score})
        if (GUIElement* element = form.Cell(cell)) CellChanged(cell, element->GetTextUtf8());
    // The card places, after the picture each shows.
    for (const auto* places : {&form.dealerCardImages, &form.playerCardImages})
        for (Image* place : *places)
            if (place != nullptr) CardShown(*place, place->resourceId);
}

void TableNarrator::CellChanged(TableCell cell, const std::string& text) {
    if (GUIElement* element = form.Cell(cell)) SetAccessibleName(*element, CellName(cell, text));
}

std::string TableNarrator::CellName(TableCell cell, const std::string& text) const {
    const TextSource& texts = form.texts;
    switch (cell) {
        case TableCell::Message: return text;
        case TableCell::DealerPoints:
            return FillPlaceholders(texts.Text(TextIds::kNameDealerPoints),
                                    {{"points", PointsNamed(text, texts)}});
        case TableCell::PlayerPoints:
            return FillPlaceholders(texts.Text(TextIds::kNamePlayerPoints),
                                    {{"points", PointsNamed(text, texts)}});
        case TableCell::Remaining:
            return FillPlaceholders(texts.Text(TextIds::kNameRemaining), {{"count", text}});
        case TableCell::Score: return FillPlaceholders(texts.Text(TextIds::kNameScore), {{"score", text}});
    }
    return text;
}

// A card place is named after the card it shows.
void TableNarrator::CardShown(const Image& place, int picture) {
    SetAccessibleName(place, CardName(picture - kCardBackPicture, form.texts));
}

// START's caption is its name; the stake shows on a button and is the slider's value.
void TableNarrator::CaptionChanged(TableControl control, const std::string& caption) {
    if (control != TableControl::StakeButton) return;
    if (form.stakeButton != nullptr)
        SetAccessibleName(*form.stakeButton,
                          FillPlaceholders(form.texts.Text(TextIds::kNameStakeButton), {{"stake", caption}}));
    if (form.stakeSlider != nullptr) SetAccessibleValue(*form.stakeSlider, caption);
}

void TableNarrator::Speak(const std::string& sentence) const { ScreenReaderNotice(form).Speak(sentence); }

}  // namespace DoDadu
