#pragma once

#include <QString>

namespace brisomel {

// Writes the text as UTF-8 to standard output, followed by a line feed, and flushes.
void writeConsoleLine(const QString& line);

} // namespace brisomel
