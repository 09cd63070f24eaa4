#pragma once

#include "timeline/ConversionOptions.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace brisomel {

// A conversion as asked for on the command line. Texts are kept as typed; they are validated
// with the same rule and messages as the window's options.
struct CliOptions {
    QString folder; // absolute, symbolic links not resolved
    // The chosen values; the timeline name is the folder's name unless --name was given. The
    // numbers are filled in from the texts below once they have been validated.
    ConversionOptions conversion;
    QString posX = QStringLiteral("0");
    QString posY = QStringLiteral("0");
    bool isSilence = false;
    QString silenceDulation = QStringLiteral("0.5");
    QString output;  // a path, or "-" for standard output
    QString srtPath; // where the subtitles go when conversion.subtitles asks for them
};

// What the command line asks for: a conversion, a text to print and leave (help, version), or a
// usage error with its message.
struct CliPrint {
    QString text;
};
struct CliUsageError {
    QString message;
};
using CliRequest = std::variant<CliOptions, CliPrint, CliUsageError>;

CliRequest parseCommandLine(const QStringList& arguments);

QString cliUsage();

} // namespace brisomel
