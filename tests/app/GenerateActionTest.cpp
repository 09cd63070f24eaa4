#include "app/GenerateAction.h"

#include "intake/ReadFolder.h"
#include "support/PcmWriter.h"
#include "support/ScriptedExportUi.h"

#include <gtest/gtest.h>

#include <QFile>
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

// Stored positions pick from the window's lists; a position outside its list, which only a store
// edited by hand holds, falls back to the default.
TEST_F(GenerateActionTest, StoredChoicesBecomeTheExportOptions) {
    const struct {
        std::int64_t frame, fps, align;
        FrameType frameType;
        FpsType fpsType;
        AlignType alignType;
    } cases[] = {
        {0, 6, 2, FrameType::frame720p, FpsType::fps60, AlignType::right},
        {3, 3, 0, FrameType::frame4K, FpsType::fps30, AlignType::left},
        {1, 7, 1, FrameType::frame1080p, FpsType::fps29, AlignType::canter}, // appended later
        {4, -1, 99, FrameType::frame1080p, FpsType::fps30, AlignType::canter},
        {-1, 8, 3, FrameType::frame1080p, FpsType::fps30, AlignType::canter},
    };
    settings_.setPosX(u"10"_s);
    settings_.setIsSilence(true);
    settings_.setSilenceDulation(u"0.25"_s);
    for (const auto& c : cases) {
        settings_.setFrameIndex(c.frame);
        settings_.setFpsIndex(c.fps);
        settings_.setAlignIndex(c.align);
        const auto options = *action_.collectOptions(u"A"_s);
        EXPECT_EQ(options.frameType, c.frameType) << c.frame;
        EXPECT_EQ(options.fpsType, c.fpsType) << c.fps;
        EXPECT_EQ(options.align, c.alignType) << c.align;
        EXPECT_EQ(options.posX, 10.0f);
        EXPECT_EQ(options.pauseLength, 0.25);
    }
}

// Each problem stops the export with an alert of its own and no informative text, and no save
// dialog opens.
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
    settings_.setSilenceDulation(u"-1"_s);
    EXPECT_EQ(action_.run(u"A"_s), std::nullopt);

    EXPECT_EQ(ui_.alertMessages,
              (QStringList{u"タイムライン名を入力してください"_s,
                           u"位置:Xは数値を入力してください"_s, u"位置:Yは数値を入力してください"_s,
                           u"時間は数値を入力してください"_s, u"時間は0以上を入力してください"_s}));
    EXPECT_EQ(ui_.alertInformativeTexts, QStringList(5));
    EXPECT_TRUE(ui_.proposedNames.isEmpty());
}

// Users' stored positions must keep their meaning from release to release.
TEST_F(GenerateActionTest, EveryStoredPositionKeepsItsMeaning) {
    const FrameType frames[] = {FrameType::frame720p, FrameType::frame1080p, FrameType::frame2K,
                                FrameType::frame4K};
    const FpsType rates[] = {FpsType::fps23, FpsType::fps24, FpsType::fps25, FpsType::fps30,
                             FpsType::fps50, FpsType::fps59, FpsType::fps60};
    const AlignType aligns[] = {AlignType::left, AlignType::canter, AlignType::right};
    for (int i = 0; i < 4; ++i) {
        settings_.setFrameIndex(i);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->frameType, frames[i]) << i;
    }
    for (int i = 0; i < 7; ++i) {
        settings_.setFpsIndex(i);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->fpsType, rates[i]) << i;
    }
    for (int i = 0; i < 3; ++i) {
        settings_.setAlignIndex(i);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->align, aligns[i]) << i;
    }
    for (const auto& [position, split] : {std::pair{0, true}, {1, false}, {2, false}}) {
        settings_.setSplitClipIndex(position);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->splitClips, split) << position;
    }
}

// The same folder and options give the same document, however often the user presses 作成….
TEST_F(GenerateActionTest, ExportsInARowWriteTheSameDocument) {
    QTemporaryDir voices;
    testsupport::writeWav(voices.filePath(u"1.wav"_s), 48000, 1, 48000);
    testsupport::writeBytes(voices.filePath(u"1.txt"_s), "two blanks  ");
    testsupport::writeWav(voices.filePath(u"2.wav"_s), 48000, 1, 48000);
    lists_.setFileLists(readFolder(QUrl::fromLocalFile(voices.path())).list);
    settings_.setIsSilence(true);

    QByteArrayList documents;
    for (const QString& name : {u"first.fcpxml"_s, u"second.fcpxml"_s}) {
        ui_.saveLocation = dir_.filePath(name);
        ASSERT_EQ(action_.run(u"A"_s), ExportOutcome::written);
        QFile written(*ui_.saveLocation);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        documents << written.readAll();
    }
    EXPECT_EQ(documents[0], documents[1]);
}
