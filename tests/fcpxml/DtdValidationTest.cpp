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
