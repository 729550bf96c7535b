// The table's about box: the logo, the version, the copyright, the maker's pages and a
// short guide to the game, in the player's language.
#pragma once

#include "GameTexts.h"

#include "FormAbout.h"

#include <string>

namespace DoDadu {

// The maker's pages. We publish no site: the home page is under a reserved test domain,
// short enough to show in full in the about box.
extern const char* const kHomePage;  // "http://www.zandro.test"
std::string GuidePage();             // the home page + "/" + "Zandro" + ".asp"

// A new box over the owner, shown at once and modal to it, with its pictures drawn for
// the owner's densities.
NeloUtility::FormAbout* OpenAbout(NeloUtility::Form& owner, const TextSource& texts);

}  // namespace DoDadu
