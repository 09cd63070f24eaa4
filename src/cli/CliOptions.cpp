#include "cli/CliOptions.h"

#include "cli/CliNames.h"
#include "cli/LineNumbers.h"
#include "core/Version.h"
#include "export/OptionCheck.h"
#include "export/OutputFiles.h"
#include "settings/OptionTable.h"
#include "styles/StyleFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace brisomel {

namespace {

// Takes an option's value (empty for a flag) into the request; the problem, naming the argument,
// when the value cannot be taken.
using Take = std::optional<QString> (*)(const QString& value, CliOptions& options);

// One option of the converter: the parser's option and the help's line come from the same row.
struct OptionRow {
    QStringList names;   // a one-letter name first, then the long one
    QString valueName;   // empty for a flag
    QString description; // the help's text
    Take take;           // null for help and version, which end the parse
};

// The names of an option the table declares.
QStringList namesOf(OptionKey key) {
    return {option(key).cliName.toString()};
}

QString defaultText(OptionKey key) {
    return registeredDefault(key).toString();
}

QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString badValue(const QString& name, const QString& value, const QStringList& allowed) {
    return QStringLiteral("--%1 の値 \"%2\" は使えません（%3）")
        .arg(name, value, allowed.join(u'|'));
}

QString badValue(OptionKey key, const QString& value, const QStringList& allowed) {
    return badValue(option(key).cliName.toString(), value, allowed);
}

// A choice among a kind's converter names.
template <auto fromName, auto allNames>
std::optional<QString> takeChoice(OptionKey key, const QString& value, auto& field) {
    const auto chosen = fromName(value);
    if (!chosen) {
        return badValue(key, value, allNames());
    }
    field = *chosen;
    return std::nullopt;
}

// A whole number; its range is checked with the other options.
std::optional<QString> takeWholeNumber(OptionKey key, const QString& value, int& field) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) {
        return badValue(key, value, {QStringLiteral("整数")});
    }
    field = number;
    return std::nullopt;
}

std::optional<QString> readStyles(const QString& path, CliOptions& options) {
    // Read now, so a bad file stops the run before any folder is read.
    Result<SpeakerStyles> read = readStyleFile(path);
    if (!read) {
        return read.failure().message();
    }
    options.conversion.captionStyles = std::move(*read);
    return std::nullopt;
}

QStringList namingNames() {
    QStringList names;
    for (const NamingRuleInfo& info : namingRules()) {
        names << info.name;
    }
    return names;
}

const QString kNamingConflict =
    QStringLiteral("--naming と --naming-template は一緒に指定できません");

std::optional<QString> takeNaming(const QString& value, CliOptions& options) {
    options.naming = NamingRule::named(value);
    if (!options.naming) {
        return badValue(OptionKey::namingRule, value, namingNames());
    }
    return std::nullopt;
}

// Taken after --naming (rows are taken in table order).
std::optional<QString> takeNamingTemplate(const QString& value, CliOptions& options) {
    if (options.naming) {
        return kNamingConflict;
    }
    Result<NamingRule> rule = NamingRule::fromTemplate(value);
    if (!rule) {
        return badValue(OptionKey::namingTemplate, value, {rule.failure().reason});
    }
    options.naming = std::move(*rule);
    return std::nullopt;
}

const std::vector<OptionRow>& optionRows() {
    const ConversionOptions defaults;
    static const std::vector<OptionRow> rows = {
        {{QStringLiteral("name")},
         QStringLiteral("名前"),
         QStringLiteral("タイムラインとプロジェクトの名前（既定: フォルダ名）"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.conversion.timelineName = value;
             return std::nullopt;
         }},
        {namesOf(OptionKey::frameIndex), QStringLiteral("サイズ"),
         QStringLiteral("フレームサイズ: %1（既定: %2）")
             .arg(frameCliNames().join(u'|'), cliName(defaults.frameType)),
         [](const QString& value, CliOptions& o) {
             return takeChoice<frameTypeFromCliName, frameCliNames>(OptionKey::frameIndex, value,
                                                                    o.conversion.frameType);
         }},
        {namesOf(OptionKey::fpsIndex), QStringLiteral("レート"),
         QStringLiteral("フレームレート: %1（既定: %2）")
             .arg(fpsCliNames().join(u'|'), cliName(defaults.fpsType)),
         [](const QString& value, CliOptions& o) {
             return takeChoice<fpsTypeFromCliName, fpsCliNames>(OptionKey::fpsIndex, value,
                                                                o.conversion.fpsType);
         }},
        {namesOf(OptionKey::alignIndex), QStringLiteral("配置"),
         QStringLiteral("テロップの配置: %1（既定: %2）")
             .arg(alignCliNames().join(u'|'), cliName(defaults.align)),
         [](const QString& value, CliOptions& o) {
             return takeChoice<alignTypeFromCliName, alignCliNames>(OptionKey::alignIndex, value,
                                                                    o.conversion.align);
         }},
        {namesOf(OptionKey::posX), QStringLiteral("X"),
         QStringLiteral("テロップの位置 X（ピクセル、%1、既定: %2）")
             .arg(rangeText(OptionKey::posX), defaultText(OptionKey::posX)),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.texts.posX = value;
             return std::nullopt;
         }},
        {namesOf(OptionKey::posY), QStringLiteral("Y"),
         QStringLiteral("テロップの位置 Y（ピクセル、%1、既定: %2）")
             .arg(rangeText(OptionKey::posY), defaultText(OptionKey::posY)),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.texts.posY = value;
             return std::nullopt;
         }},
        {namesOf(OptionKey::wrapWidth), QStringLiteral("幅"),
         QStringLiteral("テロップの 1 行の最大幅（半角単位、全角は 2）で文節ごとに折り返す"
                        "（%1、既定: %2 で折り返さない）")
             .arg(rangeText(OptionKey::wrapWidth), defaultText(OptionKey::wrapWidth)),
         [](const QString& value, CliOptions& o) {
             return takeWholeNumber(OptionKey::wrapWidth, value, o.conversion.wrap.width);
         }},
        {namesOf(OptionKey::maxLines), QStringLiteral("行数"),
         QStringLiteral("折り返したテロップ 1 つの最大行数、超えたら同じクリップの上で分ける"
                        "（%1、既定: %2）")
             .arg(rangeText(OptionKey::maxLines), defaultText(OptionKey::maxLines)),
         [](const QString& value, CliOptions& o) {
             return takeWholeNumber(OptionKey::maxLines, value, o.conversion.wrap.maxLines);
         }},
        {namesOf(OptionKey::splitClipIndex), QString(),
         QStringLiteral("プロジェクトを 1 つの複合クリップから切り出す（分割クリップ）"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.conversion.splitClips = true;
             return std::nullopt;
         }},
        {namesOf(OptionKey::silenceDulation), QStringLiteral("秒"),
         QStringLiteral("空白で終わるテロップの後に、この長さの間を入れる（%1）")
             .arg(rangeText(OptionKey::silenceDulation)),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.texts.isSilence = true;
             o.texts.silenceDulation = value;
             return std::nullopt;
         }},
        {namesOf(OptionKey::loudnessTarget), QStringLiteral("LUFS"),
         QStringLiteral("話者ごとに 1 つのゲインで声の音量をこの値にそろえる（%1。動画サイト -14、"
                        "話し声 -16、放送 -23）")
             .arg(rangeText(OptionKey::loudnessTarget)),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.texts.isLoudness = true;
             o.texts.loudnessTarget = value;
             return std::nullopt;
         }},
        {{QStringLiteral("styles")},
         QStringLiteral("ファイル"),
         QStringLiteral("話者ごとのテロップのスタイル（JSON、\"*\" はほかの話者）"),
         readStyles},
        {namesOf(OptionKey::portraitFolder), QStringLiteral("フォルダ"),
         QStringLiteral(
             "話者ごとの立ち絵のフォルダ（話者名.png、口を開けた画像は話者名_口開.png）"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             if (!QFileInfo(value).isDir()) {
                 return QStringLiteral("立ち絵のフォルダ %1 がありません").arg(quotedPath(value));
             }
             o.conversion.portraitFolder = QFileInfo(value).absoluteFilePath();
             return std::nullopt;
         }},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("出力"),
         QStringLiteral("書き出す FCPXML ファイル、- で標準出力（既定: 名前.fcpxml）"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             o.targets.document = value;
             return std::nullopt;
         }},
        {namesOf(OptionKey::isSrt), QStringLiteral("字幕.srt"),
         QStringLiteral("テロップを SubRip 字幕としてもこのファイルに書き出す"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             // Standard output may carry the document; the subtitles always go to a file.
             if (value.isEmpty() || value == kStandardOutputPath) {
                 return QStringLiteral(
                     "--srt には字幕ファイルの場所を指定してください（標準出力には"
                     "書き出せません）");
             }
             o.targets.subtitles = value;
             o.conversion.subtitles.enabled = true;
             return std::nullopt;
         }},
        {{QStringLiteral("srt-crlf")},
         QString(),
         QStringLiteral("字幕の行末を CR LF にする"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.conversion.subtitles.crlf = true;
             return std::nullopt;
         }},
        {{QStringLiteral("srt-speaker")},
         QString(),
         QStringLiteral("字幕の前に「話者名: 」を付ける"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.conversion.subtitles.speakerPrefix = true;
             return std::nullopt;
         }},
        {{QStringLiteral("srt-split")},
         QString(),
         QStringLiteral("話者ごとに字幕ファイルを分ける（字幕_話者名.srt）"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.conversion.subtitles.splitBySpeaker = true;
             return std::nullopt;
         }},
        {namesOf(OptionKey::namingRule), QStringLiteral("形式"),
         QStringLiteral("話者を読むファイル名の形式: %1（既定: %2）")
             .arg(namingNames().join(u'|'), defaultText(OptionKey::namingRule)),
         takeNaming},
        {namesOf(OptionKey::namingTemplate), QStringLiteral("テンプレート"),
         QStringLiteral("話者を読むファイル名のテンプレート（$連番$ $キャラ$ $スタイル$ "
                        "$テキスト$ $日付$ * と文字）"),
         takeNamingTemplate},
        {namesOf(OptionKey::cleanMarkup), QString(),
         QStringLiteral("テロップから読み仮名とメモの記法を除く（{表示|よみ}、｜漢字《よみ》、"
                        "[メモ]）"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.captionRules.cleanMarkup = true;
             return std::nullopt;
         }},
        {namesOf(OptionKey::replacementRules), QStringLiteral("ファイル"),
         QStringLiteral("テロップに置換ルールを順に当てる（UTF-8、1 行に「検索<TAB>置換」、"
                        "正規表現は「検索<TAB>置換<TAB>regex」で \\1 がグループ）"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             // Read now, so a bad rule stops the run before anything is read or written.
             Result<ReplacementRules> read = readReplacementFile(value);
             if (!read) {
                 return read.failure().message();
             }
             o.captionRules.replacements = std::move(*read);
             return std::nullopt;
         }},
        {{QStringLiteral("list")},
         QString(),
         QStringLiteral("変換せず、行の一覧をタブ区切りで標準出力に書き出す"),
         [](const QString&, CliOptions& o) -> std::optional<QString> {
             o.listLines = true;
             return std::nullopt;
         }},
        {{QStringLiteral("skip")},
         QStringLiteral("番号"),
         QStringLiteral("書き出さない行（--list の番号、例: 3,7-9）"),
         [](const QString& value, CliOptions& o) -> std::optional<QString> {
             Result<QList<LineRange>> ranges = parseLineNumbers(QStringLiteral("skip"), value);
             if (!ranges) {
                 return ranges.failure().message();
             }
             o.skipped = std::move(*ranges);
             return std::nullopt;
         }},
        {{QStringLiteral("h"), QStringLiteral("help")},
         QString(),
         QStringLiteral("このヘルプを表示する"),
         nullptr},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QString(),
         QStringLiteral("バージョンを表示する"),
         nullptr},
    };
    return rows;
}

const OptionRow& rowNamed(const QString& name) {
    for (const OptionRow& row : optionRows()) {
        if (row.names.contains(name)) {
            return row;
        }
    }
    return optionRows().front();
}

// The parser's failure in words: an unknown option, a value missing, or a value given to a flag.
QString parseProblem(const QCommandLineParser& parser, const QStringList& arguments) {
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        return QStringLiteral("不明なオプションです: %1").arg(dashed(unknown.constFirst()));
    }
    for (const QString& argument : arguments.sliced(1)) {
        if (argument == QLatin1String("--")) {
            break;
        }
        const QString name =
            argument.sliced(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(u'=', 0, 0);
        if (!argument.startsWith(u'-') || !parser.optionNames().contains(name)) {
            continue;
        }
        if (rowNamed(name).valueName.isEmpty() && argument.contains(u'=')) {
            return QStringLiteral("%1 は値をとりません").arg(dashed(name));
        }
    }
    const QString last = arguments.constLast();
    return QStringLiteral("%1 に値がありません").arg(last.section(u'=', 0, 0));
}

QString helpLine(const OptionRow& row) {
    // A one-letter alias takes one dash; every option name takes two.
    QStringList names;
    for (const QString& name : row.names) {
        names << (row.names.size() > 1 && name == row.names.front() ? u'-' + name
                                                                    : QStringLiteral("--") + name);
    }
    QString left = names.join(QStringLiteral(", "));
    if (!row.valueName.isEmpty()) {
        left += u' ' + row.valueName;
    }
    return QStringLiteral("  %1\n      %2\n").arg(left, row.description);
}

// The folder made absolute by plain path arithmetic, so a linked folder keeps its own name.
QString absoluteFolder(const QString& folder) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

} // namespace

QString cliHelp() {
    QString help = QStringLiteral(
        "使い方: brisomel-cli [オプション] フォルダ\n"
        "\n"
        "音声ファイル（MP3・WAV・M4A・AIFF・AIF）と、同じ名前の字幕ファイル（.txt）があれば\n"
        "それも読み、フォルダ全体から FCPXML 1.9 のタイムラインを 1 つ作ります。\n"
        "\n"
        "オプション:\n");
    for (const OptionRow& row : optionRows()) {
        help += helpLine(row);
    }
    help += QStringLiteral("\n終了コード: 0 成功、1 変換できなかった、2 引数の誤り\n");
    return help;
}

CliRequest parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    std::vector<std::pair<QCommandLineOption, const OptionRow*>> options;
    for (const OptionRow& row : optionRows()) {
        QCommandLineOption option(row.names, row.description, row.valueName);
        parser.addOption(option);
        options.emplace_back(std::move(option), &row);
    }
    if (!parser.parse(arguments)) {
        return CliUsageError{parseProblem(parser, arguments)};
    }
    if (parser.isSet(QStringLiteral("help"))) {
        return CliPrint{cliHelp()};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return CliPrint{QStringLiteral("brisomel-cli %1\n").arg(QStringLiteral(BRISOMEL_VERSION))};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return CliUsageError{positional.isEmpty()
                                 ? QStringLiteral("フォルダを指定してください")
                                 : QStringLiteral("フォルダは 1 つだけ指定してください: %1")
                                       .arg(positional.join(u' '))};
    }

    CliOptions request;
    request.folder = absoluteFolder(positional.front());
    request.conversion.timelineName = QFileInfo(request.folder).fileName();
    for (const auto& [option, row] : options) {
        if (row->take && parser.isSet(option)) {
            const QString value = row->valueName.isEmpty() ? QString() : parser.value(option);
            if (const auto problem = row->take(value, request)) {
                return CliUsageError{*problem};
            }
        }
    }
    request.texts.timelineName = request.conversion.timelineName;
    if (request.targets.document.isEmpty()) {
        request.targets.document = request.conversion.timelineName + QStringLiteral(".fcpxml");
    }
    Result<ConversionOptions> checked = checkedOptions(request.conversion, request.texts);
    if (!checked) {
        return CliUsageError{checked.failure().message()};
    }
    request.conversion = std::move(*checked);
    if (parser.isSet(option(OptionKey::maxLines).cliName.toString()) &&
        request.conversion.wrap.width == 0) {
        return CliUsageError{kMaxLinesWithoutWrap};
    }
    return request;
}

} // namespace brisomel
