#pragma once

#include "timeline/OptionTypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>

namespace brisomel {

// A conversion as asked for on the command line. Texts are kept as typed; they are validated
// with the same rule and messages as the window's options.
struct CliOptions {
    QString folder;       // absolute, symbolic links not resolved
    QString timelineName; // the folder's name unless --name was given
    FrameType frameType = FrameType::frame1080p;
    FpsType fpsType = FpsType::fps30;
    AlignType align = AlignType::canter;
    QString posX = QStringLiteral("0");
    QString posY = QStringLiteral("0");
    std::int64_t splitClipIndex = 1;
    bool isSilence = false;
    QString silenceDulation = QStringLiteral("0.5");
    QString output; // a path, or "-" for standard output
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
