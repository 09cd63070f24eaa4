#include "export/OutputFiles.h"
#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace brisomel;
using namespace brisomel::test;

namespace {

// Passes when xmllint, checking against the document type definition, finds nothing to complain
// about in the documents and in the files at `paths`.
::testing::AssertionResult valid(const QString& xmllint, const QString& dtd,
                                 const QStringList& documents, QStringList paths = {}) {
    QTemporaryDir folder;
    for (const QString& document : documents) {
        paths << folder.filePath(u"%1.fcpxml"_s.arg(paths.size()));
        EXPECT_TRUE(writeDocumentFile(paths.back(), document));
    }
    QProcess lint;
    lint.setProcessChannelMode(QProcess::MergedChannels);
    lint.start(xmllint, QStringList{u"--noout"_s, u"--dtdvalid"_s, dtd} + paths);
    const bool finished = lint.waitForFinished(120000) && lint.exitStatus() == QProcess::NormalExit;
    const QByteArray complaints = lint.readAll();
    if (finished && lint.exitCode() == 0 && complaints.isEmpty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "xmllint: " << (finished ? "" : "unfinished, ") << "exit " << lint.exitCode() << "\n"
           << complaints.toStdString();
}

} // namespace

// The golden documents, the edge cases and styled titles. Size and rate change only attribute
// values the definition leaves free, so one of each is enough here.
TEST(DtdValidation, WrittenDocumentsAreValidAndAnInvalidOneIsNot) {
    const QString dtd = qEnvironmentVariable("BRISOMEL_FCPXML_DTD");
    const QString xmllint = QStandardPaths::findExecutable(u"xmllint"_s);
    if (!QFileInfo(dtd).isFile() || xmllint.isEmpty()) {
        GTEST_SKIP() << "needs xmllint and a document type definition at BRISOMEL_FCPXML_DTD";
    }
    const QString invalid = u"<?xml version=\"1.0\"?><fcpxml version=\"1.9\"><unknown/></fcpxml>"_s;
    EXPECT_FALSE(valid(xmllint, dtd, {invalid}));

    const QDir golden(QStringLiteral(BRISOMEL_FCPXML_GOLDEN_DIR));
    QStringList goldenPaths;
    for (const QString& file : golden.entryList({u"*.fcpxml"_s}, QDir::Files)) {
        goldenPaths << golden.filePath(file);
    }
    ASSERT_EQ(goldenPaths.size(), 5);
    EXPECT_TRUE(valid(xmllint, dtd, edgeDocuments() + edgeDocuments({}, true), goldenPaths));
}

// Portraits: a still lane per speaker under the title lanes, one asset per image after the
// audio's, the transform only where the still is moved or scaled; valid in both documents.
TEST(DtdValidation, DocumentsWithPortraitsAreValidWithTheStillsUnderTheTitles) {
    constexpr FpsType fps = FpsType::fps30;
    TrackMap tracks;
    const Speaker hanako = addSpeaker(tracks, u"Hanako"_s);
    addVoiceLine(hanako, fps, u"001"_s, u"あ"_s, 0, 300);
    addVoiceLine(hanako, fps, u"002"_s, u"い"_s, 600, 300);
    auto stills = std::make_shared<Track>(u"Hanako03立ち絵トラック"_s, TrackType::video);
    tracks.insert(stills);
    const auto addStill = [&](std::int64_t start, std::int64_t length, const QString& path) {
        auto still = std::make_shared<StillClip>(u"001"_s, CMTimeMake(start, 3000),
                                                 CMTimeMake(length, 3000), path);
        still->pixelWidth = 300;
        still->pixelHeight = 600;
        still->x = -540;
        still->y = 108;
        still->scale = 50;
        stills->addClip(still);
    };
    addStill(600, 200, u"/p/closed & co.png"_s);
    addStill(800, 100, u"/p/open.png"_s);
    const QStringList documents = bothVariants(u"P"_s, tracks, FrameType::frame1080p, fps);
    for (const QString& document : documents) {
        // Lane 1 holds the stills, lane 2 the titles; assets r6/r7 and r8/r9 after two voices.
        const qsizetype stillLane = document.indexOf(u"<spine lane=\"1\" offset=\"0s\">"_s);
        EXPECT_LT(stillLane, document.indexOf(u"<video ref=\"r7\" offset=\"600/3000s\""_s));
        EXPECT_LT(document.indexOf(u"<video ref=\"r9\""_s),
                  document.indexOf(u"<spine lane=\"2\" offset=\"0s\">"_s));
        EXPECT_TRUE(document.contains(
            u"<format id=\"r6\" name=\"FFVideoFormatRateUndefined\" width=\"300\" height=\"600\""_s));
        // Every still at its pixel size, then moved and scaled.
        EXPECT_EQ(document.count(u"<adjust-conform type=\"none\"/>"_s),
                  document.count(u"<video "_s));
        EXPECT_TRUE(
            document.contains(u"<adjust-transform position=\"-50 10\" scale=\"0.5 0.5\"/>"_s));
    }
    const QString dtd = qEnvironmentVariable("BRISOMEL_FCPXML_DTD");
    const QString xmllint = QStandardPaths::findExecutable(u"xmllint"_s);
    if (!QFileInfo(dtd).isFile() || xmllint.isEmpty()) {
        GTEST_SKIP() << "needs xmllint and a document type definition at BRISOMEL_FCPXML_DTD";
    }
    EXPECT_TRUE(valid(xmllint, dtd, documents));
}
