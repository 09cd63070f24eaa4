#include "cli/CliOptions.h"
#include "cli/Convert.h"
#include "export/OptionCheck.h"

#include "support/PcmWriter.h"
#include "support/SrtReader.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

CliOptions parsed(QStringList args) {
    args.prepend(u"brisomel-cli"_s);
    const CliRequest request = parseCommandLine(args);
    EXPECT_TRUE(std::holds_alternative<CliOptions>(request));
    return std::holds_alternative<CliOptions>(request) ? std::get<CliOptions>(request)
                                                       : CliOptions{};
}

// The usage error's message, or nothing when the arguments were taken.
std::optional<QString> usageError(QStringList args) {
    args.prepend(u"brisomel-cli"_s);
    const CliRequest request = parseCommandLine(args);
    if (const auto* error = std::get_if<CliUsageError>(&request)) {
        return error->message;
    }
    return std::nullopt;
}

// A voice folder with two speakers, run through the converter in this process.
class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        voices_.addLine(u"001_Hanako（normal）_hello"_s, 2.5, u"こんにちは "_s);
        voices_.addLine(u"002_Taro（normal）_reply"_s, 1.0, u"はい"_s);
    }

    int convert(CliOptions options) {
        messages_.clear();
        QTextStream stream(&messages_);
        stdout_.setData(QByteArray());
        stdout_.open(QIODevice::WriteOnly);
        const int status = convertFolder(options, stream, stdout_);
        stdout_.close();
        return status;
    }

    CliOptions options() {
        auto o = parsed({folder_});
        o.targets.document = dir_.filePath(u"out.fcpxml"_s);
        return o;
    }

    QTemporaryDir dir_;
    testsupport::VoiceFolder voices_{u"Scene & <1>"_s};
    const QString folder_ = voices_.path();
    QString messages_;
    QBuffer stdout_;
};

} // namespace

// The defaults are the registered ones and the folder names the timeline. Then the options the
// window's end-to-end comparison does not set (it runs the others).
TEST(CliOptions, DefaultsAndEveryOptionAreTakenAndCheckedWithTheWindowsRule) {
    const CliOptions d = parsed({u"voices/Scene1/"_s});
    EXPECT_TRUE(QDir::isAbsolutePath(d.folder));
    EXPECT_TRUE(d.folder.endsWith(u"/voices/Scene1"_s));
    EXPECT_EQ(d.conversion.timelineName + u' ' + d.targets.document, u"Scene1 Scene1.fcpxml"_s);
    EXPECT_EQ(d.conversion.posX + d.conversion.posY + d.conversion.pauseLength, 0);
    EXPECT_FALSE(d.conversion.splitClips || d.conversion.subtitles.enabled);
    EXPECT_FALSE(d.conversion.loudnessTarget);
    EXPECT_EQ(d.conversion.wrap.width, 0) << "captions are not broken";
    EXPECT_EQ(parsed({u"--name"_s, u"Other"_s, u"A"_s}).targets.document, u"Other.fcpxml"_s)
        << "the document is named after the timeline";

    const CliOptions o = parsed(u"--name|My take|--size|2.5K|--align|left|--y|1e2|-o|-|--srt|s.srt|"
                                u"--srt-crlf|--srt-speaker|/tmp/v"_s.split(u'|'));
    EXPECT_EQ(o.conversion.timelineName, u"My take"_s);
    EXPECT_EQ(o.conversion.frameType, FrameType::frame2K);
    EXPECT_EQ(o.conversion.align, AlignType::left);
    EXPECT_EQ(o.conversion.posY, 100);
    EXPECT_EQ(o.targets.document + u' ' + o.targets.subtitles, u"- s.srt"_s);
    const SubtitleOptions& srt = o.conversion.subtitles;
    EXPECT_TRUE(srt.enabled && srt.crlf && srt.speakerPrefix);
    EXPECT_EQ(parsed({u"--wrap"_s, u"26"_s, u"a"_s}).conversion.wrap.maxLines, 2);
}

// One line that names the bad option and its value, or what is missing; option numbers get
// the window's messages in the window's order.
TEST(CliOptions, UsageErrorsNameTheBadArgument) {
    const std::pair<QString, QStringList> cases[] = {
        {u""_s, {u"フォルダを指定"_s}},
        {u"a b"_s, {u"a b"_s}},
        {u"--frobnicate a"_s, {u"--frobnicate"_s}},
        {u"a --fps"_s, {u"--fps に値"_s}},
        {u"--split-clips=1 a"_s, {u"--split-clips は値"_s}},
        {u"--fps 29.970 a"_s, {u"--fps の値 \"29.970\""_s, u"|29.97）"_s}},
        {u"--srt-split a"_s, {kSubtitleChoicesWithoutSubtitles}},
        {u"--srt - a"_s, {u"--srt には"_s}},
        {u"--name= a"_s, {kTimelineNameMissing}},
        {u"--x 1,5 --pause -1 a"_s, {u"位置:Xは数値"_s}},
        {u"--x 1.5 --pause -1 a"_s, {u"時間は0以上"_s}},
        {u"--wrap 13.5 a"_s, {u"--wrap の値 \"13.5\""_s}},
        {u"--loudness 3 a"_s, {u"目標の音量は0以下"_s}},
        {u"--wrap 1000 a"_s, {u"1行の最大幅は999以下"_s}},
        {u"--wrap 26 --max-lines 0 a"_s, {u"最大行数は1以上"_s}},
        {u"--max-lines 3 a"_s, {u"--max-lines は --wrap"_s}},
        {u"--naming Plain a"_s, {u"--naming の値 \"Plain\""_s, u"|caption-prefix）"_s}},
        {u"--naming-template $連番$ a"_s, {u"--naming-template の値 \"$連番$\""_s, u"$キャラ$"_s}},
        {u"--naming-template $キャラ$ --naming plain a"_s, {u"--naming と --naming-template"_s}},
    };
    for (const auto& [args, named] : cases) {
        const QString message = usageError(args.split(u' ', Qt::SkipEmptyParts)).value_or(u"-"_s);
        for (const QString& part : named) {
            EXPECT_TRUE(message.contains(part))
                << args.toStdString() << ": " << message.toStdString();
        }
    }
}

// The summary's seconds are the written lengths, which the 1001-based rates stretch.
TEST_F(ConvertTest, WritesTheDocumentAndOneSummaryLine) {
    const CliOptions o =
        parsed({u"--fps"_s, u"23.98"_s, u"-o"_s, dir_.filePath(u"a.fcpxml"_s), folder_});
    ASSERT_EQ(convert(o), kExitSuccess) << messages_.toStdString();
    const QByteArray document = testsupport::readBytes(o.targets.document);
    EXPECT_TRUE(document.contains("<project name=\"Scene &amp; &lt;1&gt;\">"));
    EXPECT_TRUE(document.contains("frameDuration=\"1001/24000s\""));
    EXPECT_FALSE(document.contains("ref-clip"));
    EXPECT_EQ(messages_, u"2 行、話者 2 人、3.503 秒 → \""_s + o.targets.document + u"\"\n"_s);
}

// A style file is read while the arguments are: a bad one is a usage error naming the file
// before any folder is read; a good one styles the named speaker only.
TEST_F(ConvertTest, StylesComeFromTheFileGivenWithStyles) {
    const QString good = dir_.filePath(u"good.json"_s);
    const QString bad = dir_.filePath(u"bad.json"_s);
    testsupport::writeBytes(good, R"({"Hanako": {"color": "#FFD700", "strokeWidth": 4}})");
    testsupport::writeBytes(bad, R"({"Hanako": {"size": 0}})");
    EXPECT_TRUE(usageError({u"--styles"_s, bad, u"/none"_s}).value_or(QString()).contains(bad));

    CliOptions o = parsed({u"--styles"_s, good, folder_});
    o.targets.document = u"-"_s;
    ASSERT_EQ(convert(o), kExitSuccess) << messages_.toStdString();
    EXPECT_EQ(stdout_.data().count(R"(fontColor="1 0.8431 0 1" strokeColor="0 0 0 1")"), 1);
    EXPECT_EQ(stdout_.data().count(R"(fontColor="1 1 1 1" alignment="center"/>)"), 1);
}

// The rule chosen by --naming or --naming-template finds the speakers of the names it covers; the
// summary counts the other lines, naming them.
TEST_F(ConvertTest, TheChosenNamingRuleFindsTheSpeakersOfTheNamesItCovers) {
    testsupport::VoiceFolder voices{u"tools"_s};
    voices.addLine(u"001_ずんだもん（ノーマル）_はい"_s, 0.5, u"はい"_s);
    voices.addLine(u"002_四国めたん_おはよう"_s, 0.5, u"おはよう"_s);
    voices.addLine(u"251119_081002_ずんだもん_こんにちは"_s, 0.5, u"こんにちは"_s);
    voices.addLine(u"0-結月ゆかり-こんにちは"_s, 0.5, u"やあ"_s);
    const std::pair<QStringList, QString> cases[] = {
        {{u"--naming"_s, u"plain"_s}, u"話者 3 人、話者なし 1 行（0-結月ゆかり-こんにちは.wav）"_s},
        {{u"--naming-template"_s, u"$日付$_$日付$_$キャラ$_$テキスト$"_s},
         u"話者 1 人、話者なし 3 行（0-結月ゆかり-こんにちは.wav、001_ずんだもん（ノーマル）_"
         u"はい.wav、002_四国めたん_おはよう.wav）"_s},
    };
    for (const auto& [args, unnamed] : cases) {
        ASSERT_EQ(convert(parsed(args + QStringList{u"-o"_s, u"-"_s, voices.path()})), kExitSuccess)
            << messages_.toStdString();
        EXPECT_TRUE(messages_.startsWith(u"4 行、"_s + unnamed + u"、2.000 秒 → "_s))
            << messages_.toStdString();
    }
}

// The statuses and streams of the program. WAV and AIFF headers are read without the FFmpeg
// probe module, and only an MP3 then fails, naming itself and the module. 22050 frames at
// 22050.25 Hz are 59 frames at 59.94 fps, not 60.
TEST(CliProgram, StatusesAndWavAndAiffFoldersWithoutTheFfmpegModule) {
    QTemporaryDir dir;
    const QString missingModule = dir.filePath(u"nowhere/probe.so"_s);
    testsupport::writeWav(dir.filePath(u"a.wav"_s), 44100, 1, 44100);
    testsupport::writeBytes(dir.filePath(u"b.aiff"_s), testsupport::aiffBytes(22050.25, 1, 22050));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"BRISOMEL_PROBE_MODULE"_s, missingModule);
    process.setProcessEnvironment(environment);
    const auto run = [&](const QStringList& args) {
        process.start(QStringLiteral(BRISOMEL_CLI_PATH), args);
        process.waitForFinished(60000);
        return process.exitCode();
    };
    EXPECT_EQ(run({u"--help"_s}), 0);
    EXPECT_EQ(run({u"--bogus"_s}), 2);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              u"brisomel-cli: 不明なオプションです: --bogus\n詳しくは --help\n"_s);

    const QStringList convert = {u"--fps"_s, u"59.94"_s, u"-o"_s, u"-"_s, dir.path()};
    ASSERT_EQ(run(convert), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().contains(
        "name=\"b\" start=\"0s\" duration=\"59059/60000s\""));

    ASSERT_TRUE(QFile::copy(QStringLiteral(BRISOMEL_TEST_DATA "/audio/tone-1250ms-44k.mp3"),
                            dir.filePath(u"d.mp3"_s)));
    EXPECT_EQ(run(convert), 1);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(
        errors.contains(u"d.mp3"_s) &&
        errors.contains(u"音声読み込みモジュール "_s + missingModule + u" を読み込めません"_s))
        << errors.toStdString();
}

// --list prints every line, whatever is wrong with it, and writes no document.
TEST_F(ConvertTest, ListPrintsOneRecordPerLineWithWhatIsWrong) {
    voices_.addLine(u"003_（x）_sfx"_s, 0.25);
    voices_.addLine(u"004_Jiro（x）_multi"_s, 0.5, u"one\ntwo\tthree \\n"_s);
    testsupport::writeBytes(voices_.filePath(u"005_Jiro（x）_broken.wav"_s), "not audio");
    CliOptions o = options();
    o.listLines = true;
    o.conversion.fpsType = FpsType::fps25;
    ASSERT_EQ(convert(o), kExitSuccess) << messages_.toStdString();
    const QStringList lines = QString::fromUtf8(stdout_.data()).split(u'\n');
    ASSERT_EQ(lines.size(), 7) << stdout_.data().toStdString();
    EXPECT_EQ(lines[0], u"番号\tファイル\t話者\tセリフ\t秒\tフレーム\t状態"_s);
    EXPECT_EQ(lines[3], u"3\t003_（x）_sfx\t\t\t0.25\t6\t字幕ファイルなし"_s);
    EXPECT_EQ(lines[4], u"4\t004_Jiro（x）_multi\tJiro\tone\\ntwo\\tthree \\\\n\t0.50\t12\t"_s);
    EXPECT_TRUE(lines[5].startsWith(u"5\t005_Jiro（x）_broken\tJiro\t\t\t\t"_s));
    EXPECT_GT(lines[5].size(), u"5\t005_Jiro（x）_broken\tJiro\t\t\t\t"_s.size()) << "the reason";
    EXPECT_EQ(lines[6], QString());
    EXPECT_FALSE(QFile::exists(o.targets.document));
}

// --skip takes numbers and ranges in any order, overlapping or not; anything else is a usage
// error naming the value. It leaves the numbered lines out of the document; a number past the last
// line (a huge range costs nothing until it meets the folder), or leaving out every line, is a
// usage error and writes nothing.
TEST_F(ConvertTest, SkipTakesNumbersAndRangesAndLeavesThoseLinesOut) {
    const std::pair<QString, QList<LineRange>> taken[] = {
        {u"3,7-9"_s, {{3, 3}, {7, 9}}},
        {u"2-4,3,1"_s, {{2, 4}, {3, 3}, {1, 1}}},
        {u"1-2000000000"_s, {{1, 2000000000}}},
    };
    for (const auto& [value, ranges] : taken) {
        EXPECT_EQ(parsed({u"--skip"_s, value, u"."_s}).skipped, ranges) << value.toStdString();
    }
    for (const QString& value : {u""_s, u"0"_s, u"3-1"_s, u"a"_s, u"1-2-3"_s, u"3,"_s, u"+3"_s}) {
        EXPECT_TRUE(usageError({u"--skip"_s, value, u"."_s})
                        .value_or(QString())
                        .startsWith(u"--skip の値 \"%1\" "_s.arg(value)))
            << value.toStdString();
    }
    CliOptions o = options();
    o.skipped = {{1, 1}};
    ASSERT_EQ(convert(o), kExitSuccess) << messages_.toStdString();
    const QByteArray document = testsupport::readBytes(o.targets.document);
    EXPECT_FALSE(document.contains("001_Hanako"));
    EXPECT_TRUE(document.contains("002_Taro"));
    EXPECT_TRUE(messages_.startsWith(u"1 行、話者 1 人、1.000 秒"_s)) << messages_.toStdString();

    QFile::remove(o.targets.document);
    const std::pair<QList<LineRange>, QString> refused[] = {
        {{{1, 1}, {3, 3}}, u"--skip の番号 3 はありません（行は 2 まで）"_s},
        {{{2, 2000000000}}, u"--skip の番号 2000000000 はありません（行は 2 まで）"_s},
        {{{2, 2}, {1, 2}}, u"--skip ですべての行が外されています"_s},
    };
    for (const auto& [skipped, message] : refused) {
        o.skipped = skipped;
        EXPECT_EQ(convert(o), kExitUsage);
        EXPECT_EQ(messages_, u"brisomel-cli: "_s + message + u"\n詳しくは --help\n"_s);
        EXPECT_FALSE(QFile::exists(o.targets.document));
    }
}

// The markup rules, then the replacement rules in their order (groups included), reach --list as
// they reach the documents (the window's test compares those). A bad rule is a usage error naming
// the file before any folder is read.
TEST_F(ConvertTest, CaptionRulesReachTheListingAndABadRuleIsNamed) {
    voices_.addLine(u"003_Taro（normal）_rules"_s, 0.5, u"[笑]{明日|あした}の2026年"_s);
    const QString rules = dir_.filePath(u"rules.tsv"_s);
    testsupport::writeBytes(rules,
                            u"明日\t今日\n\n(\\d+)年\t\\1 年\tregex\r\n今日\tきょう\n"_s.toUtf8());
    ASSERT_EQ(convert(parsed({u"--clean-markup"_s, u"--replace"_s, rules, u"--list"_s, folder_})),
              kExitSuccess)
        << messages_.toStdString();
    EXPECT_TRUE(QString::fromUtf8(stdout_.data()).contains(u"\tきょうの2026 年\t"_s));

    testsupport::writeBytes(rules, "a\tb\n(x\ty\tregex\n");
    EXPECT_TRUE(
        usageError({u"--replace"_s, rules, u"/none"_s}).value_or(QString()).contains(rules));
}
