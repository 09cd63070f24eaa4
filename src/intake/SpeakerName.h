#pragma once

#include <QString>

#include <optional>

namespace brisomel {

// The speaker name derived from a base name such as "001_Hanako（normal）_hello":
// the base name is split at every "_" grapheme cluster, empty pieces dropped; with more than two
// pieces, the part of the second piece before its first full-width "（" (U+FF08) grapheme, which
// may be empty. None when there are two pieces or fewer or the second has no "（".
std::optional<QString> standardSpeakerOf(const QString& fileName);

} // namespace brisomel
