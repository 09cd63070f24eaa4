#include "app/GenerateAction.h"

#include "support/ScriptedExportUi.h"

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
