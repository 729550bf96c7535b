#pragma once
// The game's words from the program's string resources, in the language the toolkit reads
// texts in (NeloUtility::TextLanguage).
#include "GameTexts.h"
#include "TextResources.h"

namespace DoDadu {

class ResourceTexts : public TextSource {
public:
    std::string Text(unsigned id) const override { return NeloUtility::Text(id); }
};

}  // namespace DoDadu
