#include "app/GenerateAction.h"

#include "settings/StoredCaptionRules.h"
#include "styles/StoredStyles.h"
#include "support/ScriptedExportUi.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// The action over a temporary store, with scripted dialogs.
class GenerateActionTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QSettings store_{dir_.filePath(u"prefs.ini"_s), QSettings::IniFormat};
    UserSettings settings_{&store_};
    FileLists lists_;
    testsupport::ScriptedExportUi ui_;
    GenerateAction action_{lists_, settings_, ui_};
};

} // namespace

// Each problem is an alert of its own, without informative text, before any save dialog.
TEST_F(GenerateActionTest, EachValidationMessageIsShownAloneAndStopsTheExport) {
    settings_.setPosX(u"abc"_s);
    settings_.setPosY(u"abc"_s);
    EXPECT_EQ(action_.run(QString()), std::nullopt);
    EXPECT_EQ(action_.run(u"A"_s), std::nullopt);
    settings_.setPosX(u"1"_s);
    EXPECT_EQ(action_.run(u"A"_s), std::nullopt);
    settings_.setPosY(u"1"_s);
    settings_.setSilenceDulation(u"abc"_s);
    EXPECT_EQ(action_.run(u"A"_s), std::nullopt);

    EXPECT_EQ(
        ui_.alertMessages,
        (QStringList{u"タイムライン名を入力してください"_s, u"位置:Xは数値を入力してください"_s,
                     u"位置:Yは数値を入力してください"_s, u"時間は数値を入力してください"_s}));
    EXPECT_EQ(ui_.alertInformativeTexts, QStringList(4));
    EXPECT_TRUE(ui_.proposedNames.isEmpty());
}

// 29.97 was appended last; a position outside its list (a store edited by hand) is the default.
TEST_F(GenerateActionTest, EveryStoredPositionKeepsItsMeaning) {
    const FrameType frames[] = {FrameType::frame720p, FrameType::frame1080p, FrameType::frame2K,
                                FrameType::frame4K};
    const FpsType rates[] = {FpsType::fps23, FpsType::fps24, FpsType::fps25, FpsType::fps30,
                             FpsType::fps50, FpsType::fps59, FpsType::fps60, FpsType::fps29};
    const AlignType aligns[] = {AlignType::left, AlignType::canter, AlignType::right};
    for (int i = -1; i <= 8; ++i) {
        settings_.setFrameIndex(i);
        settings_.setFpsIndex(i);
        settings_.setAlignIndex(i);
        const ConversionOptions options = *action_.collectOptions(u"A"_s);
        EXPECT_EQ(options.frameType, i >= 0 && i < 4 ? frames[i] : FrameType::frame1080p) << i;
        EXPECT_EQ(options.fpsType, i >= 0 && i < 8 ? rates[i] : FpsType::fps30) << i;
        EXPECT_EQ(options.align, i >= 0 && i < 3 ? aligns[i] : AlignType::canter) << i;
    }
    for (const auto& [position, split] : {std::pair{0, true}, {1, false}, {2, false}}) {
        settings_.setSplitClipIndex(position);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->splitClips, split) << position;
    }
    CaptionStyle style;
    style.size = 80;
    storeStyle(settings_, u"Hanako"_s, style);
    EXPECT_EQ(action_.collectOptions(u"A"_s)->captionStyles, storedStyles(settings_));
}

// Byte for byte, for every output kind, the caption rules the window keeps included. (The window
// has no per-speaker choice: it is handed it.) The user's edits come after the rules.
TEST_F(GenerateActionTest, TheWindowAndTheConverterWriteTheSameFiles) {
    testsupport::VoiceFolder folder(u"Scene"_s);
    folder.addLine(u"001_Hanako（a）_x"_s, 1.01, u"two blanks  "_s);
    folder.addLine(u"002_Taro（a）_y"_s, 0.7, u"line\nnext "_s);
    folder.addLine(u"003_Hanako（a）_z"_s, 0.3);
    folder.addLine(u"004_Taro（a）_w"_s, 0.5, u"[笑]{明日|あした}は2026年"_s);
    std::vector<double> tone(48480); // Hanako's first line, heard, for the loudness
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.2 * std::sin(i * 0.05);
    }
    ASSERT_TRUE(testsupport::writeBytes(folder.filePath(u"001_Hanako（a）_x.wav"_s),
                                        testsupport::wavBytes(48000, 1, tone)));
    lists_.setFileLists(folder.load());
    settings_.setFpsIndex(7); // 29.97
    settings_.setPosX(u"12"_s);
    settings_.setIsSilence(true);
    settings_.setSilenceDulation(u"0.25"_s);
    settings_.setMaxLines(1);
    settings_.setLoudnessTarget(u"-20.5"_s);
    const QStringList common = {u"--fps"_s, u"29.97"_s, u"--x"_s, u"12"_s, u"--pause"_s, u"0.25"_s};
    QTemporaryDir faces;
    const QString rules = u"(\\d+)年\t\\1 年\tregex\n明日\t今日\n"_s;
    testsupport::writeBytes(faces.filePath(u"rules.tsv"_s), rules.toUtf8());
    QImage face(30, 40, QImage::Format_ARGB32);
    face.fill(Qt::white);
    ASSERT_TRUE(face.save(faces.filePath(u"Hanako.png"_s)));
    ASSERT_TRUE(face.save(faces.filePath(u"Hanako_口開.png"_s)));
    // Whether subtitles are written, and the flags the window's settings follow.
    const std::pair<bool, QStringList> kinds[] = {
        {false, {u"--split-clips"_s}},
        {true, {}},
        {true, {u"--srt-split"_s}},
        {true, {u"--split-clips"_s, u"--wrap"_s, u"4"_s, u"--max-lines"_s, u"1"_s}},
        {false, {u"--portraits"_s, faces.path()}},
        {false, {u"--loudness"_s, u"-20.5"_s}},
        {true, {u"--clean-markup"_s, u"--replace"_s, faces.filePath(u"rules.tsv"_s)}},
    };
    for (const auto& [subtitles, flags] : kinds) {
        QTemporaryDir window, converter;
        const auto given = [&flags = flags](const QString& flag) { return flags.contains(flag); };
        const bool bySpeaker = given(u"--srt-split"_s), loud = given(u"--loudness"_s);
        const bool ruled = given(u"--replace"_s);
        settings_.setSplitClipIndex(given(u"--split-clips"_s) ? 0 : 1);
        settings_.setIsSrt(subtitles);
        settings_.setWrapWidth(given(u"--wrap"_s) ? 4 : 0);
        settings_.setPortraitFolder(given(u"--portraits"_s) ? faces.path() : QString());
        settings_.setIsLoudness(loud);
        settings_.setCleanMarkup(ruled);
        settings_.setReplacementRules(ruled ? rules : QString());
        lists_.setCaptionRules(storedCaptionRules(settings_));
        Result<ConversionOptions> options = action_.collectOptions(u"Scene"_s);
        ASSERT_TRUE(options);
        ASSERT_EQ(options->loudnessTarget.has_value(), loud);
        options->subtitles.splitBySpeaker = bySpeaker;
        ui_.saveLocation = window.filePath(u"Scene.fcpxml"_s);
        ASSERT_EQ(exportTimeline(*lists_.fileLists(), *options, ui_), ExportOutcome::written);

        QStringList arguments = common;
        arguments << u"-o"_s << converter.filePath(u"Scene.fcpxml"_s) << flags;
        if (subtitles) {
            arguments << u"--srt"_s << converter.filePath(u"Scene.srt"_s);
        }
        QProcess cli;
        cli.start(QStringLiteral(BRISOMEL_CLI_PATH), arguments << folder.path());
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

        const QStringList files = QDir(window.path()).entryList(QDir::Files);
        EXPECT_EQ(files, QDir(converter.path()).entryList(QDir::Files));
        EXPECT_EQ(files.size(), bySpeaker ? 3 : subtitles ? 2 : 1);
        EXPECT_EQ(testsupport::readBytes(window.filePath(files.front())).contains("adjust-volume"),
                  loud);
        for (const QString& file : files) {
            const QByteArray written = testsupport::readBytes(window.filePath(file));
            EXPECT_EQ(written, testsupport::readBytes(converter.filePath(file)))
                << file.toStdString();
            EXPECT_EQ(written.contains(u"今日は2026 年"_s.toUtf8()), ruled) << file.toStdString();
        }
    }
    EXPECT_TRUE(ui_.alertMessages.isEmpty());

    lists_.editCaption(4, u"いいえ"_s);
    ui_.saveLocation = faces.filePath(u"edited.fcpxml"_s);
    ASSERT_EQ(exportTimeline(*lists_.fileLists(), *action_.collectOptions(u"Scene"_s), ui_),
              ExportOutcome::written);
    EXPECT_TRUE(testsupport::readBytes(*ui_.saveLocation).contains(u"いいえ"_s.toUtf8()));
}
