#include "ClassicTableNarrator.h"

#include "Cards.h"
#include "RoundSentences.h"
#include "ClassicTableLayout.h"

#include "AccessibleElement.h"
#include "ScreenReaderNotice.h"

namespace DoDadu {

using namespace NeloUtility;

ClassicTableNarrator::ClassicTableNarrator(const ClassicTableLayout& layout, const TextSource& tableTexts)
    : table(layout), texts(tableTexts) {}

void ClassicTableNarrator::DescribeTable() {
    if (table.logoImage != nullptr) SetAccessibleName(*table.logoImage, "Zandro++");
    if (table.stakeSlider != nullptr)
        SetAccessibleName(*table.stakeSlider, texts.Text(TextIds::kNameStakeSlider));
    if (table.stakeButton != nullptr)
        CaptionChanged(TableControl::StakeButton, table.stakeButton->GetTextUtf8());
    for (TableCell cell : {TableCell::Message, TableCell::DealerPoints, TableCell::PlayerPoints,
                           TableCell::Remaining, TableCell::Score})
        if (GUIElement* element = table.Cell(cell)) CellChanged(cell, element->GetTextUtf8());
    // The card places, after the picture each shows.
    for (const auto* places : {&table.dealerCardImages, &table.playerCardImages})
        for (Image* place : *places)
            if (place != nullptr) CardShown(*place, place->resourceId);
}

void ClassicTableNarrator::CellChanged(TableCell cell, const std::string& text) {
    if (GUIElement* element = table.Cell(cell)) SetAccessibleName(*element, CellName(cell, text));
}

std::string ClassicTableNarrator::CellName(TableCell cell, const std::string& text) const {
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
void ClassicTableNarrator::CardShown(const Image& place, int picture) {
    SetAccessibleName(place, CardName(picture - kCardBackPicture, texts));
}

// START's caption is its name; the stake shows on a button and is the slider's value.
void ClassicTableNarrator::CaptionChanged(TableControl control, const std::string& caption) {
    if (control != TableControl::StakeButton) return;
    if (table.stakeButton != nullptr)
        SetAccessibleName(*table.stakeButton,
                          FillPlaceholders(texts.Text(TextIds::kNameStakeButton), {{"stake", caption}}));
    if (table.stakeSlider != nullptr) SetAccessibleValue(*table.stakeSlider, caption);
}

void ClassicTableNarrator::Speak(const std::string& sentence) const {
    if (table.form != nullptr) ScreenReaderNotice(*table.form).Speak(sentence);
}

}  // namespace DoDadu
