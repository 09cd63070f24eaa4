#include "export/DocumentFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// Failures, and the old file kept through them, are tested where exports and the converter
// write their documents.
TEST(DocumentFile, ReplacesALongerOldFileWithUtf8WithoutByteOrderMark) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"台本.fcpxml"_s);
    ASSERT_TRUE(brisomel::writeDocumentFile(path, QString(10000, u'x')));
    ASSERT_TRUE(brisomel::writeDocumentFile(path, u"<a>ギャップ</a>\n"_s));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "<a>\xE3\x82\xAE\xE3\x83\xA3\xE3\x83\x83\xE3\x83\x97</a>\n");
}
