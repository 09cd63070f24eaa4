#include "core/AtomicFile.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

const QString kWhat = u"書けません: %1"_s;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// Written piece by piece, a document must equal its whole encoding, whichever four-byte
// character sits just before, on or just after a piece boundary; a longer old file is replaced
// whole, and no byte-order mark comes first.
TEST(AtomicFile, FourByteCharactersAtEveryPieceBoundaryEncodeAsTheWholeText) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"台本.fcpxml"_s);
    ASSERT_TRUE(put(path, QByteArray(5 * kUtf8PieceUnits, 'z')));
    for (const int shift : {-1, 0, 1}) {
        QString text(4 * kUtf8PieceUnits, u'x');
        for (int boundary = 1; boundary <= 3; ++boundary) {
            const QString character = boundary % 2 ? u"😀"_s : u"𠮟"_s;
            text.replace(boundary * kUtf8PieceUnits + shift, 2, character);
        }
        text.back() = QChar(0xD83D); // a lone high surrogate ends the text
        ASSERT_TRUE(writeFileAtomically(path, text, kWhat));
        EXPECT_EQ(contents(path), text.toUtf8()) << "shift " << shift;
    }
}

// A target that is no regular file is refused and left as it was; a path beneath a file cannot
// be written. Each failure says what, names the path and gives the reason.
TEST(AtomicFile, RefusesAFifoAFolderAndAPathBeneathAFile) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(u"fifo"_s);
    QStringList refused = {folder.path()};
    if (haveSpecialFiles()) {
        ASSERT_TRUE(makeFifo(fifo));
        refused << fifo;
    }
    const QString file = folder.filePath(u"file"_s);
    ASSERT_TRUE(put(file, "old"));
    for (const QString& path : refused) {
        const Status written = writeFileAtomically(path, u"text"_s, kWhat);
        ASSERT_FALSE(written) << path.toStdString();
        EXPECT_EQ(written.failure().message(),
                  u"書けません: \"%1\": 通常のファイルではありません"_s.arg(path));
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    const Status beneath = writeFileAtomically(file + u"/x"_s, u"text"_s, kWhat);
    ASSERT_FALSE(beneath);
    EXPECT_EQ(beneath.failure().file, file + u"/x"_s);
    EXPECT_FALSE(beneath.failure().reason.isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"file"_s});
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
}

// A write that stops part-way, in the last flush of the buffer or in the last piece written
// past the buffer, fails and leaves the old file unchanged, with no temporary file beside it.
TEST(AtomicFile, AWriteThatStopsPartWayKeepsTheOldFile) {
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
    QTemporaryDir folder;
    const QString path = folder.filePath(u"old.fcpxml"_s);
    ASSERT_TRUE(put(path, "old document"));
    const std::pair<qsizetype, QString> cases[] = {
        {512, QString(1000, u'x')},
        {4 * kUtf8PieceUnits, QString(2 * kUtf8PieceUnits, u'ギ')}, // 3 bytes each
    };
    for (const auto& [bytes, text] : cases) {
        const FileSizeLimit limit(bytes);
        EXPECT_FALSE(writeFileAtomically(path, text, kWhat)) << bytes;
        EXPECT_EQ(contents(path), "old document");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"old.fcpxml"_s});
    }
}
