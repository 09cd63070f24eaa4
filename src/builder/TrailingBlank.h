#pragma once

#include <QString>

namespace brisomel {

// True when the last user-perceived character is exactly a space or an ideographic space.
bool endsWithBlank(const QString& text);
// The text without its last user-perceived character.
QString withoutTrailingBlank(const QString& text);

} // namespace brisomel
