#pragma once

#include "cli/CliOptions.h"
#include "export/Conversion.h"

#include <QIODevice>
#include <QTextStream>

namespace brisomel {

// Exit statuses of the converter.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitUsage = 2;

// Reads the folder and runs the conversion (the document to `documentOut` when its target is
// "-"). Failures and the one-line summary go to `messages`, with a line per speaker when the
// loudness is evened out; with `showProgress`, also a progress line while measuring, redrawn in
// place (for a terminal). Answers the exit status.
int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut,
                  bool showProgress = false);

// The summary line of a finished conversion.
QString conversionSummary(const ConversionReport& report);

} // namespace brisomel
