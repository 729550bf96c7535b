#pragma once
// The "Zandro++" wordmark logos and the program icon, drawn smooth in full colour.

#include "Formats.h"

namespace resgen {

// 200 x 50 on the table's green, for the main window; at another scale the same
// picture drawn at ScaledLength of both sides.
IndexedImage DrawTableLogo(int percent = 100);
// 163 x 50 on the button-face grey, for the about box.
IndexedImage DrawAboutLogo(int percent = 100);
// A card with a coin, at sizes x sizes pixels with transparency.
RgbaImage DrawIcon(int size);

}  // namespace resgen
