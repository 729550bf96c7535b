#pragma once
// The "Zandro++" wordmark logos and the program icon, drawn smooth in full colour.

#include "Formats.h"

namespace resgen {

// 200 x 50 on the table's green, for the main window.
IndexedImage DrawTableLogo();
// 163 x 50 on the button-face grey, for the about box.
IndexedImage DrawAboutLogo();
// A card with a coin, at sizes x sizes pixels with transparency.
RgbaImage DrawIcon(int size);

}  // namespace resgen
