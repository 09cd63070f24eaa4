#include "cli/CliOptions.h"

#include "core/Version.h"
#include "styles/StyleFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace brisomel {

namespace {

// The values of one option kind as the usage lists them: "a|b|c".
template <typename Infos, typename Field> QString choices(const Infos& infos, Field field) {
    QStringList names;
    for (const auto& info : infos) {
        names << (info.*field).toString();
    }
    return names.join(u'|');
}

QString usageText() {
    const ConversionOptions defaults;
    // Sizes from the smallest up.
    QStringList sizes = choices(frameTypes(), &FrameTypeInfo::cliName).split(u'|');
    std::reverse(sizes.begin(), sizes.end());
    return QStringLiteral(
               "Usage: brisomel-cli [--name NAME] [--size %1]\n"
               "                    [--fps %2]\n"
               "                    [--align %3] [--x X] [--y Y] [--split-clips]\n"
               "                    [--pause SECONDS] [--styles FILE.json] [-o OUT.fcpxml]\n"
               "                    [--srt OUT.srt [--srt-crlf] [--srt-speaker] [--srt-split]]\n"
               "                    FOLDER\n"
               "\n"
               "Turns a folder of voice lines (MP3, WAV, M4A, AIFF, AIF with optional same-named "
               ".txt\n"
               "captions) into one FCPXML 1.9 document.\n"
               "\n"
               "  --name NAME       timeline and project name (default: the folder's name)\n"
               "  --size SIZE       frame size (default: %4)\n"
               "  --fps RATE        frame rate (default: %5)\n"
               "  --align ALIGN     caption alignment (default: %6)\n"
               "  --x X, --y Y      caption position in pixels (default: 0 0)\n"
               "  --split-clips     cut the project from one compound clip\n"
               "  --pause SECONDS   pause after a caption that ends with a blank\n"
               "  --styles FILE     caption styles by speaker name (\"*\" for the others), from\n"
               "                    a JSON file\n"
               "  -o, --output OUT  output file, or - for standard output (default: "
               "NAME.fcpxml)\n"
               "  --srt OUT.srt     also write the captions as SubRip subtitles to OUT.srt\n"
               "  --srt-crlf        end the subtitle lines with CR LF instead of LF\n"
               "  --srt-speaker     put the speaker's name and \": \" before each subtitle\n"
               "  --srt-split       one subtitle file per speaker, OUT_<speaker>.srt\n"
               "  -h, --help        show this help\n"
               "  -v, --version     show the version\n")
        .arg(sizes.join(u'|'), choices(fpsTypes(), &FpsTypeInfo::label),
             choices(alignTypes(), &AlignTypeInfo::cliName),
             describe(defaults.frameType).cliName.toString(),
             describe(defaults.fpsType).label.toString(),
             describe(defaults.align).cliName.toString());
}

// The folder made absolute by plain path arithmetic, so a linked folder keeps its own name.
QString absoluteFolder(const QString& folder) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

CliUsageError badValue(const QString& option, const QString& value) {
    return {QStringLiteral("invalid value for --%1: \"%2\"").arg(option, value)};
}

} // namespace

QString cliUsage() {
    return usageText();
}

CliRequest parseCommandLine(const QStringList& arguments) {
    const QCommandLineOption name(QStringLiteral("name"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("SIZE"));
    const QCommandLineOption fps(QStringLiteral("fps"), QString(), QStringLiteral("RATE"));
    const QCommandLineOption align(QStringLiteral("align"), QString(), QStringLiteral("ALIGN"));
    const QCommandLineOption x(QStringLiteral("x"), QString(), QStringLiteral("X"));
    const QCommandLineOption y(QStringLiteral("y"), QString(), QStringLiteral("Y"));
    const QCommandLineOption splitClips(QStringLiteral("split-clips"), QString());
    const QCommandLineOption pause(QStringLiteral("pause"), QString(), QStringLiteral("SECONDS"));
    const QCommandLineOption styles(QStringLiteral("styles"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    const QCommandLineOption srt(QStringLiteral("srt"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption srtCrlf(QStringLiteral("srt-crlf"), QString());
    const QCommandLineOption srtSpeaker(QStringLiteral("srt-speaker"), QString());
    const QCommandLineOption srtSplit(QStringLiteral("srt-split"), QString());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({name, size, fps, align, x, y, splitClips, pause, styles, output, srt, srtCrlf,
                       srtSpeaker, srtSplit, help, version});
    if (!parser.parse(arguments)) {
        return CliUsageError{parser.errorText()};
    }
    if (parser.isSet(help)) {
        return CliPrint{usageText()};
    }
    if (parser.isSet(version)) {
        return CliPrint{QStringLiteral("brisomel-cli %1\n").arg(QStringLiteral(BRISOMEL_VERSION))};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return CliUsageError{positional.isEmpty() ? QStringLiteral("missing FOLDER")
                                                  : QStringLiteral("only one FOLDER may be given")};
    }

    CliOptions options;
    options.folder = absoluteFolder(positional.front());
    ConversionOptions& conversion = options.conversion;
    conversion.timelineName =
        parser.isSet(name) ? parser.value(name) : QFileInfo(options.folder).fileName();
    if (parser.isSet(size)) {
        const auto frame = frameTypeFromCliName(parser.value(size));
        if (!frame) {
            return badValue(QStringLiteral("size"), parser.value(size));
        }
        conversion.frameType = *frame;
    }
    if (parser.isSet(fps)) {
        const auto rate = fpsTypeFromRawValue(parser.value(fps));
        if (!rate) {
            return badValue(QStringLiteral("fps"), parser.value(fps));
        }
        conversion.fpsType = *rate;
    }
    if (parser.isSet(align)) {
        const auto alignment = alignTypeFromCliName(parser.value(align));
        if (!alignment) {
            return badValue(QStringLiteral("align"), parser.value(align));
        }
        conversion.align = *alignment;
    }
    if (parser.isSet(x)) {
        options.posX = parser.value(x);
    }
    if (parser.isSet(y)) {
        options.posY = parser.value(y);
    }
    conversion.splitClips = parser.isSet(splitClips);
    if (parser.isSet(pause)) {
        options.isSilence = true;
        options.silenceDulation = parser.value(pause);
    }
    for (const QCommandLineOption* srtChoice : {&srtCrlf, &srtSpeaker, &srtSplit}) {
        if (parser.isSet(*srtChoice) && !parser.isSet(srt)) {
            return CliUsageError{
                QStringLiteral("--%1 needs --srt PATH").arg(srtChoice->names().constFirst())};
        }
    }
    if (parser.isSet(srt)) {
        // Standard output may carry the document; the subtitles always go to a file.
        if (parser.value(srt).isEmpty() || parser.value(srt) == QLatin1String("-")) {
            return badValue(QStringLiteral("srt"), parser.value(srt));
        }
        options.srtPath = parser.value(srt);
        conversion.subtitles = {true, parser.isSet(srtCrlf), parser.isSet(srtSpeaker),
                                parser.isSet(srtSplit)};
    }
    // Read now, so a bad file stops the run before any folder is read.
    if (parser.isSet(styles)) {
        Result<SpeakerStyles> read = readStyleFile(parser.value(styles));
        if (!read) {
            return CliUsageError{read.failure().message()};
        }
        conversion.captionStyles = std::move(*read);
    }
    options.output = parser.isSet(output) ? parser.value(output)
                                          : conversion.timelineName + QStringLiteral(".fcpxml");
    return options;
}

} // namespace brisomel
