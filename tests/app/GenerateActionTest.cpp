#include "app/GenerateAction.h"

#include "support/ScriptedExportUi.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

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

// Users' stored positions must keep their meaning from release to release (29.97 was appended
// last); a position outside its list, which only a store edited by hand holds, falls back to the
// default.
TEST_F(GenerateActionTest, EveryStoredPositionKeepsItsMeaning) {
    const FrameType frames[] = {FrameType::frame720p, FrameType::frame1080p, FrameType::frame2K,
                                FrameType::frame4K};
    const FpsType rates[] = {FpsType::fps23, FpsType::fps24, FpsType::fps25, FpsType::fps30,
                             FpsType::fps50, FpsType::fps59, FpsType::fps60, FpsType::fps29};
    const AlignType aligns[] = {AlignType::left, AlignType::canter, AlignType::right};
    settings_.setPosX(u"10"_s);
    settings_.setIsSilence(true);
    settings_.setSilenceDulation(u"0.25"_s);
    for (int i = -1; i <= 8; ++i) {
        settings_.setFrameIndex(i);
        settings_.setFpsIndex(i);
        settings_.setAlignIndex(i);
        const ConversionOptions options = *action_.collectOptions(u"A"_s);
        EXPECT_EQ(options.frameType, i >= 0 && i < 4 ? frames[i] : FrameType::frame1080p) << i;
        EXPECT_EQ(options.fpsType, i >= 0 && i < 8 ? rates[i] : FpsType::fps30) << i;
        EXPECT_EQ(options.align, i >= 0 && i < 3 ? aligns[i] : AlignType::canter) << i;
        EXPECT_EQ(options.posX, 10.0f);
        EXPECT_EQ(options.pauseLength, 0.25);
    }
    for (const auto& [position, split] : {std::pair{0, true}, {1, false}, {2, false}}) {
        settings_.setSplitClipIndex(position);
        EXPECT_EQ(action_.collectOptions(u"A"_s)->splitClips, split) << position;
    }
}

// The same folder and options give the same document, however often the user presses 作成….
TEST_F(GenerateActionTest, ExportsInARowWriteTheSameDocument) {
    testsupport::VoiceFolder folder;
    folder.addLine(u"1"_s, 1.0, u"two blanks  "_s);
    folder.addLine(u"2"_s, 1.0, u"one blank "_s);
    folder.addLine(u"3"_s, 1.0);
    lists_.setFileLists(folder.load());
    settings_.setIsSilence(true);

    QByteArrayList documents;
    for (const QString& name : {u"first.fcpxml"_s, u"second.fcpxml"_s}) {
        ui_.saveLocation = dir_.filePath(name);
        ASSERT_EQ(action_.run(u"A"_s), ExportOutcome::written);
        documents << testsupport::readBytes(*ui_.saveLocation);
    }
    EXPECT_EQ(documents[0], documents[1]);
}
