// What is said of another seat's person coming and going at an online table.
#pragma once
#include "GameTexts.h"
#include "ServerMessages.h"

#include <string>

namespace DoDadu {

// The sentence for the seat's name; empty for a moment that is not one of the people's.
std::string PresenceSentence(const TextSource& texts, PresenceMoment moment, const std::string& name);

}  // namespace DoDadu
