#pragma once

#include <QString>

namespace brisomel {

// Writes the text as UTF-8 to standard output, followed by a line feed, and flushes.
void writeConsoleLine(const QString& line);

// A path in double quotes for a one-line report: control characters and line or paragraph
// separators are shown as \u{XXXX}, so that a strange file name cannot break the line.
QString quotedPath(const QString& path);

} // namespace brisomel
