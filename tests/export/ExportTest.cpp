#include "export/ExportTimeline.h"
#include "intake/ReadFolder.h"

#include "support/PcmWriter.h"
#include "support/ScriptedExportUi.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::ScriptedExportUi;

namespace {

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        voices_.addLine(u"001_Hanako（normal）_hello"_s, 2.5, u"こんにちは  "_s);
        entries_ = voices_.load();
        ASSERT_EQ(entries_.size(), 1);
        options_.timelineName = u"A"_s;
    }

    QString voice(const QString& name) const { return voices_.filePath(name); }
    QString output(const QString& name) const { return out_.filePath(name); }
    const QString& caption() const { return entries_[0]->textRow(); }

    testsupport::VoiceFolder voices_;
    QTemporaryDir out_;
    FileList entries_;
    ConversionOptions options_;
    ScriptedExportUi ui_;
};

} // namespace

TEST_F(ExportTest, TheSplitClipOptionSelectsTheWriter) {
    options_.timelineName = u"A.fcpxml"_s;
    for (const bool split : {true, false}) {
        options_.splitClips = split;
        const QString path = output(u"split%1.fcpxml"_s.arg(split));
        ui_.saveLocation = path;
        EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
        const QByteArray document = testsupport::readBytes(path);
        EXPECT_EQ(document.contains("<ref-clip ref=\"r3\""), split);
        EXPECT_TRUE(document.contains("<project name=\"A.fcpxml\">"));
    }
    EXPECT_EQ(ui_.proposedNames.front(), u"A.fcpxml.fcpxml"_s);
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
}

// With a loudness target every voice clip of a measured speaker carries the speaker's gain, in
// both document forms; a silent speaker's clips carry none, and without a target no clip does.
TEST_F(ExportTest, LoudnessGainsReachTheVoiceClipsInBothForms) {
    std::vector<double> tone(48000 * 2);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.1 * std::sin(i * 0.13);
    }
    for (const QString& stem : {u"002_Taro（normal）_a"_s, u"003_Taro（normal）_b"_s}) {
        ASSERT_TRUE(testsupport::writeBytes(voice(stem + u".wav"_s),
                                            testsupport::wavBytes(48000, 1, tone)));
    }
    entries_ = voices_.load();
    const QRegularExpression gain(
        uR"(audioRole="dialogue">\s*<adjust-volume amount="(-?\d+\.\d)dB"/>)"_s);
    for (const auto& [split, target] :
         {std::pair{false, std::optional(-16.0)}, std::pair{true, std::optional(-16.0)},
          std::pair{true, std::optional<double>()}}) {
        options_.splitClips = split;
        options_.loudnessTarget = target;
        ui_.saveLocation = output(u"loud%1%2.fcpxml"_s.arg(split).arg(target.has_value()));
        ASSERT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
        const QString document = QString::fromUtf8(testsupport::readBytes(*ui_.saveLocation));
        QStringList amounts;
        for (const auto& match : gain.globalMatch(document)) {
            amounts << match.captured(1);
        }
        EXPECT_EQ(document.count(u"<adjust-volume"_s), target ? 2 : 0) << split;
        if (target) {
            ASSERT_EQ(amounts.size(), 2) << split;
            EXPECT_EQ(amounts[0], amounts[1]);
            // A 1 kHz tone of amplitude A measures 20 log10(A) - 3.01 LUFS.
            EXPECT_NEAR(amounts[0].toDouble(), -16 - (20 * std::log10(0.1) - 3.01), 0.1);
        }
    }
}

// Measuring cancelled is a cancelled export: nothing is written and nothing is said.
TEST_F(ExportTest, ACancelledMeasurementWritesNothing) {
    options_.loudnessTarget = -16;
    ui_.saveLocation = output(u"A.fcpxml"_s);
    const std::atomic_bool cancelled = true;
    EXPECT_EQ(exportTimeline(entries_, options_, ui_, {}, nullptr, {nullptr, {}, &cancelled}),
              ExportOutcome::cancelled);
    EXPECT_FALSE(QFile::exists(*ui_.saveLocation));
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
}

// A cancelled dialog neither builds nor writes.
TEST_F(ExportTest, ACancelWritesNothing) {
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::cancelled);
    EXPECT_EQ(ui_.proposedNames, QStringList{u"A.fcpxml"_s});
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
    EXPECT_EQ(caption(), u"こんにちは  "_s) << "the builder must not have run";
}

// Audio is measured when the document is built, not when the folder is loaded: a take re-exported
// in between gets its new length, and one removed in between stops the export, named.
TEST_F(ExportTest, AudioChangedAfterTheLoadIsMeasuredAtExport) {
    const QString path = output(u"A.fcpxml"_s);
    ui_.saveLocation = path;
    const QString audio = voice(u"001_Hanako（normal）_hello.wav"_s);
    ASSERT_TRUE(testsupport::writeWav(audio, 48000, 1, 110400)); // 2.3 s: 69 frames at 30 fps
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
    const QByteArray document = testsupport::readBytes(path);
    EXPECT_TRUE(document.contains("duration=\"6900/3000s\""));
    EXPECT_FALSE(document.contains("7500/3000s")) << "the length read at load (2.5 s)";

    ASSERT_TRUE(QFile::remove(audio));
    QFile::remove(path);
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::buildFailed);
    ASSERT_EQ(ui_.alertMessages.size(), 1);
    EXPECT_TRUE(ui_.alertMessages.front().contains(u"001_Hanako"_s))
        << ui_.alertMessages.front().toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

// Subtitles that cannot be written beside the document: the alert says that the document was
// written and they were not.
TEST_F(ExportTest, SubtitlesGoBesideTheDocumentOrTheAlertSaysWhatWasWritten) {
    options_.subtitles.enabled = true;
    ASSERT_TRUE(QDir(out_.path()).mkdir(u"Blocked.srt"_s));
    ui_.saveLocation = output(u"Blocked.fcpxml"_s);
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::writeFailed);
    EXPECT_EQ(ui_.alertMessages, QStringList{kWriteErrorMessage});
    ASSERT_EQ(ui_.alertInformativeTexts.size(), 1);
    const QString alert = ui_.alertInformativeTexts.front();
    EXPECT_TRUE(alert.contains(u"書き込んでいないもの: \"%1\""_s.arg(output(u"Blocked.srt"_s))))
        << alert.toStdString();
    EXPECT_TRUE(alert.contains(u"書き込んだもの: \"%1\""_s.arg(*ui_.saveLocation)));
    EXPECT_TRUE(QFile::exists(*ui_.saveLocation));
}

// The save dialog asks about the document only: existing subtitle files are named in one question
// before anything is written, and cancelling it leaves every file as it was.
TEST_F(ExportTest, ExistingSubtitleFilesAreReplacedOnlyWhenTheUserSaysSo) {
    options_.subtitles.enabled = true;
    ui_.saveLocation = output(u"Scene.fcpxml"_s);
    testsupport::writeBytes(output(u"Scene.fcpxml"_s), "old document");
    EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
    EXPECT_TRUE(ui_.replaceQuestions.isEmpty()) << "only the document existed";

    for (const bool bySpeaker : {false, true}) {
        options_.subtitles.splitBySpeaker = bySpeaker;
        const QString subtitles = output(bySpeaker ? u"Scene_Hanako.srt"_s : u"Scene.srt"_s);
        testsupport::writeBytes(subtitles, "hand-written");
        testsupport::writeBytes(output(u"Scene.fcpxml"_s), "old document");
        ui_.replaceQuestions.clear();
        ui_.replaceAnswer = false;
        EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::cancelled);
        EXPECT_EQ(ui_.replaceQuestions, QList<QStringList>{{QFileInfo(subtitles).fileName()}});
        EXPECT_EQ(testsupport::readBytes(subtitles), "hand-written");
        EXPECT_EQ(testsupport::readBytes(output(u"Scene.fcpxml"_s)), "old document");
        ui_.replaceAnswer = true;
        EXPECT_EQ(exportTimeline(entries_, options_, ui_), ExportOutcome::written);
        EXPECT_NE(testsupport::readBytes(subtitles), "hand-written");
    }
    EXPECT_EQ(replacedFilesText({u"a.srt"_s, u"b.srt"_s, u"c.srt"_s, u"d.srt"_s, u"e.srt"_s}),
              u"a.srt\nb.srt\nc.srt\nほか 2 件"_s);
    EXPECT_TRUE(ui_.alertMessages.isEmpty());
}
