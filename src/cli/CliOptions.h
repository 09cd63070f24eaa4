#pragma once

#include "cli/LineNumbers.h"
#include "export/OutputKinds.h"
#include "intake/CaptionRules.h"
#include "intake/NamingRule.h"
#include "settings/OptionTable.h"
#include "settings/OptionValidation.h"
#include "timeline/ConversionOptions.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace brisomel {

inline const QString kMaxLinesWithoutWrap =
    QStringLiteral("--max-lines は --wrap（1 以上）と一緒に指定してください");

// A conversion as asked for on the command line. The typed texts are kept as given; they are
// checked with the window's rule and messages when the conversion starts.
struct CliOptions {
    QString folder; // absolute, symbolic links not resolved
    // The chosen values; the numbers are filled in from `texts` once they have been checked.
    ConversionOptions conversion;
    OptionTexts texts{QString(), registeredDefault(OptionKey::posX).toString(),
                      registeredDefault(OptionKey::posY).toString(),
                      registeredDefault(OptionKey::silenceDulation).toString(), false};
    OutputTargets targets; // the document ("-" for standard output) and the subtitle file
    std::optional<NamingRule> naming; // how speakers are found; the standard rule when not given
    CaptionRules captionRules;        // what is done to every caption
    bool listLines = false;           // print the lines instead of converting
    QList<LineRange> skipped;         // the lines left out, numbered in the document's order from 1
};

// What the command line asks for: a conversion, a text to print and leave (help, version), or a
// usage error naming the argument that is wrong.
struct CliPrint {
    QString text;
};
struct CliUsageError {
    QString message;
};
using CliRequest = std::variant<CliOptions, CliPrint, CliUsageError>;

CliRequest parseCommandLine(const QStringList& arguments);

// The help, made from the same table as the parser.
QString cliHelp();

} // namespace brisomel
