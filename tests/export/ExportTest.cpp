#include "export/ExportTimeline.h"
#include "intake/ReadFolder.h"

#include "support/PcmWriter.h"
#include "support/ScriptedExportUi.h"
#include "support/SrtReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

using namespace brisomel;
using testsupport::ScriptedExportUi;

namespace {

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::writeWav(voice(QStringLiteral("001_Hanako（normal）_hello.wav")), 48000, 1,
                              120000);
        testsupport::writeBytes(voice(QStringLiteral("001_Hanako（normal）_hello.txt")),
                                "こんにちは  ");
        ReadFolderResult read = readFolder(QUrl::fromLocalFile(voices_.path()));
        ASSERT_EQ(read.error, ErrorType::normalEnd);
        entries_ = std::move(*read.list);
        options_.timelineName = QStringLiteral("A");
    }

    QString voice(const QString& name) const { return voices_.filePath(name); }
    QString output(const QString& name) const { return out_.filePath(name); }
    const QString& caption() const { return entries_[0]->textRow(); }

    QTemporaryDir voices_;
    QTemporaryDir out_;
    FileList entries_;
    ConversionOptions options_;
    ScriptedExportUi ui_;
};

} // namespace

TEST_F(ExportTest, CancellingTheDialogBuildsWritesAndShowsNothing) {
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::cancelled);
    EXPECT_EQ(ui_.proposedNames, QStringList{QStringLiteral("A.fcpxml")});
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
    EXPECT_EQ(caption(), QStringLiteral("こんにちは  ")) << "the builder must not have run";
}

TEST_F(ExportTest, TheSplitClipOptionSelectsTheWriter) {
    options_.timelineName = QStringLiteral("A.fcpxml");
    for (const bool split : {true, false}) {
        options_.splitClips = split;
        const QString path = output(QStringLiteral("split%1.fcpxml").arg(split));
        ui_.saveLocation = path;
        EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
        const QByteArray document = testsupport::readBytes(path);
        EXPECT_EQ(document.contains("<ref-clip ref=\"r3\""), split);
        EXPECT_TRUE(document.contains("<project name=\"A.fcpxml\">"));
        EXPECT_FALSE(document.startsWith("\xEF\xBB\xBF")) << "no byte-order mark";
    }
    EXPECT_EQ(ui_.proposedNames.front(), QStringLiteral("A.fcpxml.fcpxml"));
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
}

TEST_F(ExportTest, AnExistingFileIsReplacedWhole) {
    const QString path = output(QStringLiteral("A.fcpxml"));
    testsupport::writeBytes(path, QByteArray(100000, 'x'));
    ui_.saveLocation = path;
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
    const QByteArray document = testsupport::readBytes(path);
    EXPECT_TRUE(document.startsWith("<?xml"));
    EXPECT_TRUE(document.endsWith("</fcpxml>\n"));
    EXPECT_FALSE(document.contains("xxx"));
}

TEST_F(ExportTest, ADiskThatFillsUpMidWriteLeavesTheExistingFileAsItWas) {
    // A file-size limit makes the write fail part-way for every user, as a full disk would.
    const QString path = output(QStringLiteral("A.fcpxml"));
    testsupport::writeBytes(path, "earlier document");
    ui_.saveLocation = path;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ExportOutcome outcome = exportTimeline(entries_, options_, ui_);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(outcome, ExportOutcome::writeFailed);
    EXPECT_EQ(ui_.alertMessages, QStringList{kWriteErrorMessage});
    ASSERT_EQ(ui_.alertInformativeTexts.size(), 1);
    EXPECT_TRUE(ui_.alertInformativeTexts.front().contains(path)) << "the alert names the file";
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("earlier document"));
    EXPECT_EQ(QDir(out_.path()).entryList(QDir::Files), QStringList{QStringLiteral("A.fcpxml")})
        << "no temporary file is left behind";
}

TEST_F(ExportTest, ABuilderFailureReachesTheUserAndWritesNothing) {
    testsupport::writeBytes(voice(QStringLiteral("002_broken.wav")), "RIFF....WAVEjunk");
    entries_ = *readFolder(QUrl::fromLocalFile(voices_.path())).list;
    const QString path = output(QStringLiteral("A.fcpxml"));
    ui_.saveLocation = path;
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::buildFailed);
    ASSERT_EQ(ui_.alertMessages.size(), 1);
    EXPECT_TRUE(ui_.alertMessages.front().startsWith(QStringLiteral("対応していない形式です: ")));
    EXPECT_TRUE(ui_.alertMessages.front().contains(QStringLiteral("002_broken.wav")));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(caption(), QStringLiteral("こんにちは  ")) << "a failed build changes no caption";
}

// Runs as an unprivileged user too (permissions do not bind root).
TEST_F(ExportTest, AReadOnlyFolderGetsTheAlertNamingTheFileAndNothingIsWritten) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind root; run through run-unprivileged.sh";
    }
    ASSERT_TRUE(QFile::setPermissions(out_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString path = output(QStringLiteral("A.fcpxml"));
    ui_.saveLocation = path;
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::writeFailed);
    QFile::setPermissions(out_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ui_.alertMessages, QStringList{kWriteErrorMessage});
    EXPECT_TRUE(ui_.alertInformativeTexts.value(0).contains(path));
    EXPECT_TRUE(QDir(out_.path()).isEmpty());
}

// The window's subtitles go beside the chosen document. When they cannot be written the alert
// names their file and says that the document was written.
TEST_F(ExportTest, SubtitlesGoBesideTheDocumentOrTheAlertSaysWhatWasWritten) {
    options_.subtitles.enabled = true;
    ui_.saveLocation = output(QStringLiteral("Scene.fcpxml"));
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
    const auto cues = testsupport::readSrt(output(QStringLiteral("Scene.srt")));
    ASSERT_TRUE(cues);
    ASSERT_EQ(cues->size(), 1u);
    EXPECT_EQ(cues->front().text, QStringLiteral("こんにちは ")) << "one trailing blank removed";
    EXPECT_EQ(cues->front().endMs, 2500);

    ASSERT_TRUE(QDir(out_.path()).mkdir(QStringLiteral("Blocked.srt")));
    ui_.saveLocation = output(QStringLiteral("Blocked.fcpxml"));
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::writeFailed);
    ASSERT_EQ(ui_.alertInformativeTexts.size(), 1);
    const QString alert = ui_.alertInformativeTexts.front();
    EXPECT_TRUE(
        alert.contains(QStringLiteral("\"%1\": ").arg(output(QStringLiteral("Blocked.srt")))))
        << alert.toStdString();
    EXPECT_TRUE(alert.contains(QStringLiteral("書き込んだもの: \"%1\"").arg(*ui_.saveLocation)));
    EXPECT_TRUE(QFile::exists(*ui_.saveLocation));
}
