#pragma once

#include "cli/CliOptions.h"

#include <QTextStream>

namespace brisomel {

// Exit statuses of the converter.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitUsage = 2;

// Reads the folder, validates the option texts, builds and writes the document (to a file,
// atomically, or to `documentOut` when the output is "-"). Messages and the one-line summary go
// to `messages`. Answers the exit status.
int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut);

} // namespace brisomel
