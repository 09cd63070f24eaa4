#pragma once

#include <QStringView>

#include <vector>

namespace brisomel {

// How wide a character is on screen, in half-width units: 2 when its first code point is wide or
// full-width by East Asian Width, else 1.
int characterWidth(char32_t firstCodePoint);

// For each UTF-16 position of the text, the width of what comes before it. A position inside a
// user-perceived character carries the width up to that character's start.
std::vector<int> widthsBefore(QStringView text);

// The width of the whole text in half-width units.
int halfWidthUnits(QStringView text);

} // namespace brisomel
