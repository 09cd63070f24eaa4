#include "AppTestSupport.h"

#include "app/ContentView.h"
#include "app/SegmentedControl.h"
#include "support/ScriptedExportUi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

using namespace brisomel;
using namespace brisomel::apptest;

namespace {

// A window on a temporary store with scripted dialogs and a one-line scene loaded.
class GenerateFromWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        scene_.addVoice(QStringLiteral("001_Hanako（normal）_hello"), QStringLiteral("こんにちは"),
                        2.5);
        view_.setExportUi(&ui_);
        QSignalSpy finished(&view_.folderLoad(), &FolderLoadAction::loadFinished);
        view_.folderLoad().dropFolder({scene_.url()});
        ASSERT_TRUE(waitForSignals(finished));
        ui_.saveLocation = QDir(output_.path()).filePath(QStringLiteral("chosen.fcpxml"));
        view_.show();
    }

    void pressGenerate() {
        QTest::mouseClick(view_.findChild<QPushButton*>(QStringLiteral("generateButton")),
                          Qt::LeftButton);
    }

    void clickSegment(const char* picker, int index) {
        auto* segments = view_.findChild<SegmentedControl*>(QLatin1String(picker));
        QTest::mouseClick(segments->segment(index), Qt::LeftButton);
    }

    QString written() {
        QFile file(*ui_.saveLocation);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TempStore store_;
    VoiceFolder scene_{QStringLiteral("Scene1")};
    QTemporaryDir output_;
    testsupport::ScriptedExportUi ui_;
    ContentView view_{store_.settings()};
};

} // namespace

TEST_F(GenerateFromWindowTest, TheButtonWritesTheDocumentForTheLoadedFolder) {
    pressGenerate();

    EXPECT_EQ(ui_.proposedNames, QStringList{"Scene1.fcpxml"});
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
    const QString document = written();
    EXPECT_TRUE(document.startsWith(QStringLiteral("<?xml")));
    EXPECT_TRUE(document.contains(QStringLiteral("<project name=\"Scene1\"")));
    EXPECT_TRUE(document.contains(QStringLiteral("こんにちは")));
    EXPECT_FALSE(document.contains(QStringLiteral("<media ")));
}

TEST_F(GenerateFromWindowTest, TheNameAndChoicesMadeInTheWindowReachTheDocument) {
    typeInto(view_.findChild<QLineEdit*>(QStringLiteral("timelineNameField")),
             QStringLiteral("Edited"));
    clickSegment("alignPicker", 2);
    clickSegment("splitClipPicker", 0);

    pressGenerate();

    EXPECT_EQ(ui_.proposedNames, QStringList{"Edited.fcpxml"});
    const QString document = written();
    EXPECT_TRUE(document.contains(QStringLiteral("<project name=\"Edited\"")));
    EXPECT_TRUE(document.contains(QStringLiteral("<media ")));
    EXPECT_TRUE(document.contains(QRegularExpression(QStringLiteral("\"配置\"[^>]*value=\"2\""))));
}

// The window's own timeline name is checked, not the one in the options store.
TEST_F(GenerateFromWindowTest, AnEmptiedTimelineNameIsRefusedAndNothingIsAsked) {
    typeInto(view_.findChild<QLineEdit*>(QStringLiteral("timelineNameField")), QString());

    pressGenerate();

    EXPECT_EQ(ui_.alertMessages, QStringList{"タイムライン名を入力してください"});
    EXPECT_EQ(ui_.alertInformativeTexts, QStringList{QString()});
    EXPECT_TRUE(ui_.proposedNames.isEmpty());
}

TEST_F(GenerateFromWindowTest, CancellingTheSaveDialogWritesAndShowsNothing) {
    ui_.saveLocation.reset();
    pressGenerate();
    EXPECT_EQ(ui_.proposedNames.size(), 1);
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
    EXPECT_TRUE(QDir(output_.path()).isEmpty());
}
