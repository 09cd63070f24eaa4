#include "platform/FileHead.h"
#include "platform/FolderEntries.h"
#include "platform/LibraryNames.h"
#include "platform/ProgramFolder.h"
#include "support/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <tuple>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
}

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

// Japanese, emoji and decomposed (NFD) names, a folder, and a dot name that is left out.
const QStringList kNames = {u"001_花子（通常）_こんにちは.wav"_s, u"002_😀_絵文字.txt"_s,
                            u"003_か\u3099くせい.wav"_s, u"003_が.wav"_s, u"サブ"_s};

void makeFolder(const QTemporaryDir& dir) {
    for (const QString& name : kNames.first(4)) {
        write(dir.filePath(name), name.toUtf8());
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(kNames.last()));
    write(dir.filePath(u".hidden.wav"_s), "x");
}

void expectSameHead(const FileHead& head, const FileHead& other, const QString& what) {
    EXPECT_EQ(head.problem, other.problem) << what.toStdString();
    EXPECT_EQ(head.openFailure, other.openFailure) << what.toStdString();
    EXPECT_EQ(head.error, other.error) << what.toStdString();
    EXPECT_EQ(head.bytes, other.bytes) << what.toStdString();
    EXPECT_EQ(head.size, other.size) << what.toStdString();
}

} // namespace

TEST(FolderEntries, JapaneseEmojiAndDecomposedNamesListedAlikeByBothListings) {
    QTemporaryDir dir;
    makeFolder(dir);
    const FolderEntries portable = listFolderEntriesPortable(dir.path());
    EXPECT_EQ(sorted(portable.names), sorted(kNames));
    EXPECT_EQ(portable.regularFiles, QSet<QString>(kNames.begin(), kNames.begin() + 4));
    EXPECT_TRUE(listFolderEntriesPortable(dir.filePath(u"none"_s)).names.isEmpty());
#ifdef Q_OS_UNIX
    // A name that is not UTF-8 cannot be opened by its decoded name: both set it apart.
    std::ofstream(QFile::encodeName(dir.path()).toStdString() + "/bad\xff.wav") << "x";
    const FolderEntries posix = listFolderEntriesPosix(dir.path());
    const FolderEntries again = listFolderEntriesPortable(dir.path());
    EXPECT_EQ(sorted(posix.names), sorted(again.names));
    EXPECT_EQ(posix.regularFiles, again.regularFiles);
    EXPECT_EQ(posix.undecodableNames, QStringList{u"bad\uFFFD.wav"_s});
    EXPECT_EQ(again.undecodableNames, posix.undecodableNames);
#endif
}

TEST(FileHead, BothReadersGiveTheSameHeadsAndProblems) {
    QTemporaryDir dir;
    makeFolder(dir);
    const QByteArray bytes(70000, 'b');
    write(dir.filePath(u"big.wav"_s), bytes);
    write(dir.filePath(u"empty.txt"_s), {});
    // A file, the most bytes asked for, the problem and the bytes read.
    const std::tuple<QString, qint64, FileHead::Problem, qint64> cases[] = {
        {u"big.wav"_s, 65536, FileHead::Problem::none, 65536},
        {u"big.wav"_s, std::numeric_limits<qint64>::max(), FileHead::Problem::none, 70000},
        {u"empty.txt"_s, 100, FileHead::Problem::none, 0},
        {kNames[2], 100, FileHead::Problem::none, kNames[2].toUtf8().size()},
        {u"サブ"_s, 100, FileHead::Problem::isFolder, 0},
        {u"none.wav"_s, 100, FileHead::Problem::cannotOpen, 0},
        {u"none.wav"_s, 0, FileHead::Problem::cannotOpen, 0},
    };
    for (const auto& [name, maxBytes, problem, bytesRead] : cases) {
        const QString path = dir.filePath(name);
        const FileHead head = readFileHeadPortable(path, maxBytes);
        EXPECT_EQ(head.problem, problem) << name.toStdString();
        EXPECT_EQ(head.bytes.size(), bytesRead) << name.toStdString();
#ifdef Q_OS_UNIX
        expectSameHead(head, readFileHeadPosix(path, maxBytes), name);
#endif
    }
    const FileHead missing = readFileHeadPortable(dir.filePath(u"none.wav"_s), 1);
    EXPECT_EQ(missing.openFailure, FileHead::OpenFailure::missing);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_EQ(readFileHeadPortable(dir.filePath(u"big.wav"_s), 0).size, 70000);
#ifdef Q_OS_UNIX
    // A FIFO is refused before it is opened, which would wait for a writer.
    const QString fifo = dir.filePath(u"fifo.wav"_s);
    ASSERT_TRUE(testsupport::makeFifo(fifo));
    expectSameHead(readFileHeadPortable(fifo, 100), readFileHeadPosix(fifo, 100), fifo);
    EXPECT_EQ(readFileHeadPortable(fifo, 100).problem, FileHead::Problem::notRegular);
#endif
}

TEST(LibraryNames, EachSystemsLoaderNames) {
    EXPECT_EQ(sharedLibraryFile(Os::linuxSystem, u"avformat", 59), u"libavformat.so.59"_s);
    EXPECT_EQ(sharedLibraryFile(Os::macos, u"avformat", 59), u"libavformat.59.dylib"_s);
    EXPECT_EQ(sharedLibraryFile(Os::windows, u"avformat", 61), u"avformat-61.dll"_s);
}

// Without a QCoreApplication the folder comes from the system, or is unknown with the portable I/O.
TEST(ProgramFolder, TheTestsOwnFolderWithoutAnApplication) {
#ifdef BRISOMEL_PORTABLE_IO
    EXPECT_EQ(programFolder(), QString());
#else
    EXPECT_EQ(programFolder(),
              QFileInfo(QStringLiteral(BRISOMEL_TEST_PROGRAM_FOLDER)).canonicalFilePath());
#endif
}
