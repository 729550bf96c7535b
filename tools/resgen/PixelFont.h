#pragma once
// The generator's own bitmap fonts: narrow 4 x 7 digits for the card indices and a
// 5 x 7 face for the wordmark. A glyph is a list of rows, '#' for ink.

#include <string>
#include <vector>

namespace resgen {

struct Glyph {
    int width = 0;
    std::vector<std::string> rows;  // all the same height
    bool Ink(int x, int y) const { return rows[std::size_t(y)][std::size_t(x)] == '#'; }
};

// Digits '0'-'9' for the corner indices; throws for anything else.
const Glyph& IndexDigit(char c);
// The wordmark's letters: 'Z', the lower-case letters of "andro" and '+'.
// Throws std::out_of_range for a character the face lacks.
const Glyph& WordmarkGlyph(char c);

}  // namespace resgen
