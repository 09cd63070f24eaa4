#pragma once

#include <QString>

class QFontMetrics;

namespace brisomel {

// The text of an alert broken into lines no wider than `width`, so that the alert stays narrower
// than the window. Lines break only where a reader would: at spaces, after Japanese punctuation
// and particles, before opening brackets, and after the separators of a path. A piece that is
// wider than a line on its own (a long file name) is broken where it must be.
QString wrapAlertText(const QString& text, const QFontMetrics& metrics, int width);

} // namespace brisomel
