#include "fcpxml/DocumentFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace brisomel {
namespace {

TEST(DocumentFile, ReplacesAnOldFileWithUtf8WithoutByteOrderMark) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"台本.fcpxml"_s);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
    old.close();

    QString reason;
    ASSERT_TRUE(writeDocumentFile(path, u"<a>ギャップ</a>\n"_s, &reason)) << reason.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "<a>\xE3\x82\xAE\xE3\x83\xA3\xE3\x83\x83\xE3\x83\x97</a>\n");
}

TEST(DocumentFile, FailureNamesThePathAndWhy) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"missing/out.fcpxml"_s);
    QString reason;
    EXPECT_FALSE(writeDocumentFile(path, u"<a/>"_s, &reason));
    EXPECT_TRUE(reason.startsWith(path + u": "_s)) << reason.toStdString();
    EXPECT_GT(reason.size(), path.size() + 2) << reason.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace brisomel
