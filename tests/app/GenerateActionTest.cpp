#include "app/GenerateAction.h"

#include "support/ScriptedExportUi.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

using namespace brisomel;
using testsupport::ScriptedExportUi;

namespace {

// The action over a temporary store; the dialog is cancelled unless a test says otherwise, so
// nothing is built.
class GenerateActionTest : public ::testing::Test {
protected:
    ExportOptions collect(const QString& timelineName = QStringLiteral("A")) {
        const auto collected = action_.collectOptions(timelineName);
        EXPECT_TRUE(std::holds_alternative<ExportOptions>(collected));
        return std::holds_alternative<ExportOptions>(collected) ? std::get<ExportOptions>(collected)
                                                                : ExportOptions{};
    }

    QTemporaryDir dir_;
    QSettings store_{dir_.filePath(QStringLiteral("prefs.ini")), QSettings::IniFormat};
    UserSettings settings_{&store_};
    FileLists lists_;
    ScriptedExportUi ui_;
    GenerateAction action_{lists_, settings_, ui_};
};

} // namespace

TEST_F(GenerateActionTest, DefaultSettingsGiveTheDefaultOptionsAndProposeTheName) {
    const ExportOptions options = collect();
    EXPECT_EQ(options.frameType, FrameType::frame1080p);
    EXPECT_EQ(options.fpsType, FpsType::fps30);
    EXPECT_EQ(options.align, AlignType::canter);
    EXPECT_EQ(options.posX, 0.0f);
    EXPECT_EQ(options.posY, 0.0f);
    EXPECT_EQ(options.pauseLength, 0.0);
    EXPECT_EQ(options.splitClipIndex, 1);
    EXPECT_EQ(options.eventName, QStringLiteral("Kestrune"));

    EXPECT_EQ(action_.run(QStringLiteral("A")), ExportOutcome::cancelled);
    EXPECT_EQ(ui_.proposedNames, QStringList{QStringLiteral("A.fcpxml")});
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
}

TEST_F(GenerateActionTest, StoredPositionsPickFromTheWindowsLists) {
    settings_.setFrameIndex(0);
    settings_.setFpsIndex(6);
    settings_.setAlignIndex(2);
    settings_.setSplitClipIndex(0);
    settings_.setPosX(QStringLiteral("10"));
    settings_.setIsSilence(true);
    settings_.setSilenceDulation(QStringLiteral("0.25"));
    const ExportOptions options = collect();
    EXPECT_EQ(options.frameType, FrameType::frame720p);
    EXPECT_EQ(options.fpsType, FpsType::fps60);
    EXPECT_EQ(options.align, AlignType::right);
    EXPECT_EQ(options.splitClipIndex, 0);
    EXPECT_EQ(options.posX, 10.0f);
    EXPECT_EQ(options.pauseLength, 0.25);

    settings_.setFpsIndex(3);
    EXPECT_EQ(collect().fpsType, FpsType::fps30) << "the fourth rate; 29.97 is not offered";
}

TEST_F(GenerateActionTest, PositionsOutsideTheirListsFallBackToTheDefaults) {
    settings_.setFrameIndex(4);
    settings_.setFpsIndex(-1);
    settings_.setAlignIndex(99);
    const ExportOptions options = collect();
    EXPECT_EQ(options.frameType, FrameType::frame1080p);
    EXPECT_EQ(options.fpsType, FpsType::fps30);
    EXPECT_EQ(options.align, AlignType::canter);
}

TEST_F(GenerateActionTest, EachValidationMessageIsShownAloneAndStopsTheExport) {
    const auto runAndTakeAlert = [&](const QString& timelineName) {
        ui_ = ScriptedExportUi();
        EXPECT_EQ(action_.run(timelineName), std::nullopt);
        EXPECT_TRUE(ui_.proposedNames.isEmpty()) << "no dialog after a failed check";
        EXPECT_EQ(ui_.alertInformativeTexts, QStringList{QString()});
        return ui_.alertMessages.value(0);
    };
    settings_.setPosX(QStringLiteral("abc"));
    settings_.setPosY(QStringLiteral("abc"));
    EXPECT_EQ(runAndTakeAlert(QString()), QStringLiteral("タイムライン名を入力してください"));
    EXPECT_EQ(runAndTakeAlert(QStringLiteral("A")),
              QStringLiteral("位置:Xは数値を入力してください"));
    settings_.setPosX(QStringLiteral("1"));
    EXPECT_EQ(runAndTakeAlert(QStringLiteral("A")),
              QStringLiteral("位置:Yは数値を入力してください"));
    settings_.setPosY(QStringLiteral("1"));
    settings_.setSilenceDulation(QStringLiteral("abc"));
    EXPECT_EQ(runAndTakeAlert(QStringLiteral("A")), QStringLiteral("時間は数値を入力してください"));
    settings_.setSilenceDulation(QStringLiteral("-1"));
    EXPECT_EQ(runAndTakeAlert(QStringLiteral("A")),
              QStringLiteral("時間は0以上を入力してください"));
    EXPECT_EQ(settings_.silenceDulation(), QStringLiteral("-1")) << "the typed text is kept";
}
