#include "fcpxml/DocumentFile.h"
#include "fcpxml/ProjectWriter.h"
#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace brisomel {
namespace {

using test::addSpeaker;
using test::addVoiceLine;

// Validates documents with xmllint against the document type definition; skips, never passes,
// when either is missing.
class DtdValidation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        if (!QFileInfo(dtd_).isFile()) {
            GTEST_SKIP() << "no document type definition at BRISOMEL_FCPXML_DTD";
        }
        if (xmllint_.isEmpty()) {
            GTEST_SKIP() << "xmllint is not installed";
        }
    }

    void save(const QString& fileName, const QString& document) {
        QString reason;
        paths_ << folder_.filePath(fileName);
        EXPECT_TRUE(writeDocumentFile(paths_.back(), document, &reason)) << reason.toStdString();
    }

    void saveBoth(const QString& label, const TrackMap& tracks, FrameType frame, FpsType fps,
                  const QString& name = uR"(Scene & <"1">'s)"_s) {
        save(label + u"_split.fcpxml"_s,
             makeFCPXMLWithSplitClips(name, tracks, frame, fps, u"Kestrune"_s));
        save(label + u"_direct.fcpxml"_s,
             makeFCPXMLWithoutSplitClips(name, tracks, frame, fps, u"Kestrune"_s));
    }

    // Passes when xmllint finds nothing to complain about in any saved document.
    ::testing::AssertionResult allValid() {
        QProcess lint;
        lint.start(xmllint_, QStringList{u"--noout"_s, u"--dtdvalid"_s, dtd_} + paths_);
        if (!lint.waitForFinished(120000) || lint.exitStatus() != QProcess::NormalExit) {
            return ::testing::AssertionFailure() << "xmllint did not finish";
        }
        const QByteArray complaints = lint.readAllStandardError();
        if (lint.exitCode() != 0 || !complaints.isEmpty()) {
            return ::testing::AssertionFailure() << "exit " << lint.exitCode() << "\n"
                                                 << complaints.toStdString();
        }
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir folder_;
    QString dtd_ = qEnvironmentVariable("BRISOMEL_FCPXML_DTD");
    QString xmllint_ = QStandardPaths::findExecutable(u"xmllint"_s);
    QStringList paths_;
};

TEST_F(DtdValidation, XmllintRejectsAnInvalidDocument) {
    save(u"invalid.fcpxml"_s,
         u"<?xml version=\"1.0\"?>\n<fcpxml version=\"1.9\"><unknown/></fcpxml>\n"_s);
    EXPECT_FALSE(allValid());
}

TEST_F(DtdValidation, EveryKindOfTimelineGivesAValidDocument) {
    saveBoth(u"empty"_s, TrackMap(), FrameType::frame1080p, FpsType::fps30);
    for (FrameType frame : kAllFrameTypes) {
        for (FpsType fps : kAllFpsTypes) {
            TrackMap tracks;
            addVoiceLine(addSpeaker(tracks, u"Hanako"_s), fps,
                         {.fileName = u"001_Hanako（normal）_hello"_s,
                          .caption = u"こんにちは"_s,
                          .duration = 2 * timescale(fps)});
            saveBoth(u"size%1_rate%2"_s.arg(int(frame)).arg(int(fps)), tracks, frame, fps);
        }
    }

    // Several speakers, pauses, a late first line, zero-length clips, clips sharing a start,
    // every character that needs escaping, Japanese text and control characters.
    constexpr FpsType fps = FpsType::fps59;
    TrackMap tracks;
    const auto taro = addSpeaker(tracks, u"太郎"_s);
    const auto quoted = addSpeaker(tracks, uR"(<"A&B">'s)"_s);
    const auto controlled = addSpeaker(tracks, u"ctl"_s + QChar(0x01));
    addVoiceLine(taro, fps,
                 {.fileName = u"001_太郎（元気）_やあ"_s,
                  .caption = u"やあ\n元気？"_s,
                  .duration = 30000,
                  .align = AlignType::left,
                  .posX = -350,
                  .posY = 1e-05f});
    addVoiceLine(quoted, fps,
                 {.fileName = uR"(002_<"A&B">'s（x）_&amp;)"_s,
                  .caption = uR"(a & b < c > d "e" 'f' ]]>)"_s,
                  .start = 60000,
                  .duration = 1000,
                  .align = AlignType::right,
                  .posX = 2e+07f,
                  .soundUrl = QUrl::fromLocalFile(uR"(/v/a&b/'q' "x" <y>.wav)"_s)});
    addVoiceLine(quoted, fps, {.fileName = u"003_zero"_s, .start = 61000, .duration = 0});
    addVoiceLine(quoted, fps, {.fileName = u"004_after_zero"_s, .start = 61000, .duration = 2000});
    // The later line sharing a start is the one written, the first is passed over.
    addVoiceLine(controlled, fps,
                 {.fileName = u"005_passed_over"_s, .start = 120000, .duration = 1000});
    addVoiceLine(controlled, fps,
                 {.fileName = u"006"_s + QChar(0x02),
                  .caption = u"bell"_s + QChar(0x07) + QChar(0xFFFE) + QChar(0xDC00),
                  .start = 120000,
                  .duration = 6000});
    saveBoth(u"several"_s, tracks, FrameType::frame4K, fps, u"名前"_s + QChar(0x1F) + u"&<>\"'"_s);

    EXPECT_TRUE(allValid());
}

} // namespace
} // namespace brisomel
