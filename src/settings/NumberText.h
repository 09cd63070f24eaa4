#pragma once

#include <QString>

#include <optional>

namespace brisomel {

// The option number rule: rejected when empty or starting with a space, tab, line feed, vertical
// tab, form feed or carriage return; otherwise the C library's conversion in the C locale (the
// decimal point is a full stop, whatever the process locale) must consume the whole text.
// Not QString::toDouble or std::from_chars: they accept other texts than the C library (a leading
// plus sign, hexadecimal numbers), and stored settings are read by exactly this rule.
std::optional<float> parseFloatText(const QString& text);
std::optional<double> parseDoubleText(const QString& text);

} // namespace brisomel
