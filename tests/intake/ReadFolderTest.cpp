#include "intake/ReadFolder.h"

#include "IntakeTestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace brisomel {
namespace {

using test::bytes;
using test::q;

QStringList fileNames(const ReadFolderResult& result) {
    QStringList names;
    if (result.list) {
        for (const auto& entry : *result.list) {
            names.append(entry->fileName());
        }
    }
    return names;
}

// readFolder with standard output captured.
struct Scan {
    ReadFolderResult result;
    std::string output;
};

Scan scan(const QUrl& url) {
    testing::internal::CaptureStdout();
    ReadFolderResult result = readFolder(url);
    return Scan{std::move(result), testing::internal::GetCapturedStdout()};
}

TEST(ReadFolder, PairsAudioFilesWithCaptions) {
    test::TempFolder folder;
    folder.write("b.WAV");
    folder.write("a.mp3");
    folder.write("a.txt", "hello\r\n");
    folder.write("notes.txt", "ignored");

    const Scan s = scan(folder.url());
    EXPECT_EQ(s.result.error, ErrorType::normalEnd);
    EXPECT_EQ(s.output, "");
    ASSERT_EQ(fileNames(s.result), QStringList({"a", "b"}));
    const auto& a = *s.result.list->at(0);
    const auto& b = *s.result.list->at(1);
    EXPECT_EQ(a.textFileUrl(), QUrl::fromLocalFile(folder.path("a.txt")));
    EXPECT_EQ(a.soundFileUrl(), QUrl::fromLocalFile(folder.path("a.mp3")));
    EXPECT_EQ(a.textRow(), QString("hello\n"));
    EXPECT_FALSE(b.textFileUrl().has_value());
    EXPECT_EQ(b.soundFileUrl(), QUrl::fromLocalFile(folder.path("b.WAV")));
    EXPECT_TRUE(b.text().isEmpty());
}

TEST(ReadFolder, SoundUrlHoldsTheRealAbsolutePath) {
    test::TempFolder folder;
    folder.makeDir(q(u"シーン 1#%"));
    const QString audio = folder.write(q(u"シーン 1#%/001_花子（普通）_やあ #1.wav"));
    const Scan s = scan(QUrl::fromLocalFile(folder.path(q(u"シーン 1#%")) + u'/'));
    ASSERT_EQ(s.result.error, ErrorType::normalEnd);
    const QUrl sound = *s.result.list->at(0)->soundFileUrl();
    EXPECT_EQ(sound.toLocalFile(), audio);
    EXPECT_EQ(QUrl::fromEncoded(sound.toEncoded()).toLocalFile(), audio);
    EXPECT_TRUE(QFileInfo::exists(sound.toLocalFile()));
    EXPECT_EQ(s.result.list->at(0)->charactorName(), q(u"花子"));
}

TEST(ReadFolder, FolderUrlWithoutTrailingSlashWorksToo) {
    test::TempFolder folder;
    folder.write("a.wav");
    const Scan s = scan(QUrl::fromLocalFile(folder.path()));
    EXPECT_EQ(s.result.error, ErrorType::normalEnd);
    EXPECT_EQ(s.result.list->at(0)->soundFileUrl(), QUrl::fromLocalFile(folder.path("a.wav")));
}

TEST(ReadFolder, ExtensionsMatchInAnyLetterCase) {
    test::TempFolder folder;
    for (const char* name : {"x.Mp3", "y.aiff", "z.AIF", "w.m4a", "v.wAv"}) {
        folder.write(name);
    }
    for (const char* name : {"p.mp4", "q.ogg", "noext", "r.wav.bak", "s.", "mp3", "t.wav "}) {
        folder.write(name);
    }
    const Scan s = scan(folder.url());
    EXPECT_EQ(s.result.error, ErrorType::normalEnd);
    EXPECT_EQ(fileNames(s.result), QStringList({"v", "w", "x", "y", "z"}));
}

TEST(ReadFolder, UpperCasingIsFullUnicode) {
    test::TempFolder folder;
    folder.write(q(u"lig.ai\uFB00")); // the ligature ﬀ upper-cases to FF
    const Scan s = scan(folder.url());
    EXPECT_EQ(fileNames(s.result), QStringList({"lig"}));
}

TEST(ReadFolder, OnlyTheLastExtensionIsRemoved) {
    test::TempFolder folder;
    folder.write("a.b.wav");
    folder.write("a.b.txt", "caption");
    const Scan s = scan(folder.url());
    ASSERT_EQ(fileNames(s.result), QStringList({"a.b"}));
    EXPECT_EQ(s.result.list->at(0)->textFileUrl(), QUrl::fromLocalFile(folder.path("a.b.txt")));
    EXPECT_EQ(s.result.list->at(0)->text(), QString("caption"));
}

TEST(ReadFolder, SameBaseNameTwiceKeepsListingOrderAndSharesTheCaption) {
    test::TempFolder folder;
    folder.write("voice.wav");
    folder.write("voice.mp3");
    folder.write("voice.txt", "v");
    const Scan s = scan(folder.url());
    ASSERT_EQ(fileNames(s.result), QStringList({"voice", "voice"}));
    EXPECT_EQ(s.result.list->at(0)->soundFileUrl(), QUrl::fromLocalFile(folder.path("voice.mp3")));
    EXPECT_EQ(s.result.list->at(1)->soundFileUrl(), QUrl::fromLocalFile(folder.path("voice.wav")));
    for (const auto& entry : *s.result.list) {
        EXPECT_EQ(entry->textFileUrl(), QUrl::fromLocalFile(folder.path("voice.txt")));
        EXPECT_EQ(entry->text(), QString("v"));
    }
    EXPECT_NE(s.result.list->at(0)->id(), s.result.list->at(1)->id());
}

TEST(ReadFolder, CaptionIsLookedUpWithLowerCaseTxt) {
    test::TempFolder folder;
    folder.write("voice.wav");
    folder.write("voice.TXT", "upper");
    const Scan s = scan(folder.url());
    ASSERT_EQ(s.result.error, ErrorType::normalEnd);
    // The exists test is the file system's: found only where names compare case-insensitively.
    const bool caseInsensitive = QFileInfo::exists(folder.path("voice.txt"));
    EXPECT_EQ(s.result.list->at(0)->textFileUrl().has_value(), caseInsensitive);
}

TEST(ReadFolder, HiddenEntriesLeftOutSubfoldersNotEntered) {
    test::TempFolder folder;
    folder.write(".secret.wav");
    folder.write("visible.wav");
    folder.write(".visible.txt", "hidden caption");
    folder.makeDir("take.wav");
    folder.makeDir("sub");
    folder.write("sub/inner.wav");
    folder.makeDir(".hidden.wav");
    const Scan s = scan(folder.url());
    EXPECT_EQ(s.result.error, ErrorType::normalEnd);
    EXPECT_EQ(fileNames(s.result), QStringList({"take", "visible"}));
    EXPECT_EQ(s.result.list->at(0)->soundFileUrl(), QUrl::fromLocalFile(folder.path("take.wav")));
    EXPECT_FALSE(s.result.list->at(1)->textFileUrl().has_value());
}

TEST(ReadFolder, BrokenLinkNamedLikeAudioIsAnEntry) {
    test::TempFolder folder;
    ASSERT_TRUE(QFile::link(folder.path("missing.wav"), folder.path("dangling.wav")));
    const Scan s = scan(folder.url());
    EXPECT_EQ(fileNames(s.result), QStringList({"dangling"}));
}

TEST(ReadFolder, SortsByCodePoint) {
    test::TempFolder folder;
    for (const QString& name :
         {q(u"a.wav"), q(u"B.wav"), q(u"2_x.wav"), q(u"10_x.wav"), q(u"\U0002000B.wav"),
          q(u"\uFF5E.wav"), q(u"e\u0301.wav"), q(u"f.wav")}) {
        folder.write(name);
    }
    const Scan s = scan(folder.url());
    EXPECT_EQ(fileNames(s.result), QStringList({q(u"10_x"), q(u"2_x"), q(u"B"), q(u"a"), q(u"f"),
                                                q(u"e\u0301"), q(u"\uFF5E"), q(u"\U0002000B")}));
}

TEST(ReadFolder, NoAudioEntries) {
    test::TempFolder empty;
    Scan s = scan(empty.url());
    EXPECT_EQ(s.result.error, ErrorType::fileNotFound);
    EXPECT_FALSE(s.result.list.has_value());
    EXPECT_EQ(s.output, "");

    test::TempFolder captionsOnly;
    captionsOnly.write("a.txt", "x");
    captionsOnly.write("b.txt", "y");
    s = scan(captionsOnly.url());
    EXPECT_EQ(s.result.error, ErrorType::fileNotFound);
    EXPECT_FALSE(s.result.list.has_value());
    EXPECT_EQ(s.output, "");
}

TEST(ReadFolder, MissingFolderGivesOneLineNamingIt) {
    test::TempFolder folder;
    const QString missing = folder.path(q(u"存在しない"));
    const Scan s = scan(QUrl::fromLocalFile(missing + u'/'));
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_FALSE(s.result.list.has_value());
    EXPECT_TRUE(s.result.report.contains(missing)) << s.result.report.toStdString();
    EXPECT_EQ(s.output, "") << "the caller decides where the report goes";
}

TEST(ReadFolder, NotAFolderOrNotLocalIsAReadError) {
    test::TempFolder folder;
    const QString file = folder.write("a.wav");
    Scan s = scan(QUrl::fromLocalFile(file));
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_TRUE(s.result.report.contains(file));
    EXPECT_EQ(s.output, "") << "the caller decides where the report goes";

    s = scan(QUrl("https://example.com/folder/"));
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_TRUE(s.result.report.contains("https://example.com/folder/"));
}

TEST(ReadFolder, ReportStaysOnOneLine) {
    test::TempFolder folder;
    const Scan s = scan(QUrl::fromLocalFile(folder.path("line\nbreak/")));
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_FALSE(s.result.report.contains(u'\n'));
}

void expectCaptionFailure(const test::TempFolder& folder, const QString& captionPath) {
    const Scan s = scan(folder.url());
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_FALSE(s.result.list.has_value());
    EXPECT_TRUE(s.result.report.startsWith("Error ")) << s.result.report.toStdString();
    EXPECT_TRUE(s.result.report.contains(captionPath)) << s.result.report.toStdString();
    EXPECT_EQ(s.output, "") << "the caller decides where the report goes";
}

TEST(ReadFolder, UndecodableCaptionFailsTheScan) {
    test::TempFolder folder;
    folder.write("a.wav");
    folder.write("a.txt", "fine");
    folder.write("b.wav");
    const QString bad = folder.write("b.txt", bytes("\x81\x20\xFF\xFF"));
    expectCaptionFailure(folder, bad);
}

TEST(ReadFolder, CaptionThatIsAFolderFailsTheScan) {
    test::TempFolder folder;
    folder.write("a.wav");
    expectCaptionFailure(folder, folder.makeDir("a.txt"));
}

TEST(ReadFolder, CaptionThatIsAFifoFailsWithoutBlocking) {
    test::TempFolder folder;
    folder.write("a.wav");
    const QString fifo = folder.path("a.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectCaptionFailure(folder, fifo);
}

TEST(ReadFolder, UnreadableCaptionFailsTheScan) {
    test::TempFolder folder;
    folder.write("a.wav");
    const QString caption = folder.write("a.txt", "secret");
    ASSERT_TRUE(QFile::setPermissions(caption, QFileDevice::Permissions()));
    if (QFile file(caption); file.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "permissions are not enforced for this user (root?)";
    }
    expectCaptionFailure(folder, caption);
}

TEST(ReadFolder, UnreadableFolderIsAReadError) {
    test::TempFolder folder;
    const QString locked = folder.makeDir("locked");
    folder.write("locked/a.wav");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    if (!QDir(locked).entryList(QDir::Files).isEmpty()) {
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        GTEST_SKIP() << "permissions are not enforced for this user (root?)";
    }
    const Scan s = scan(QUrl::fromLocalFile(locked + u'/'));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(s.result.error, ErrorType::fileReadError);
    EXPECT_TRUE(s.result.report.contains(locked));
}

TEST(ErrorTypeMessage, TextsOfPart1_3) {
    EXPECT_EQ(message(ErrorType::normalEnd), QString(""));
    EXPECT_EQ(message(ErrorType::fileNotFound),
              q(u"ディレクトリが空またはファイルが見つかりません。"));
    EXPECT_EQ(message(ErrorType::fileReadError),
              q(u"ファイルの読み込み中に予期しないエラーが発生しました。"));
    EXPECT_EQ(message(ErrorType::unknownError), q(u"予期しないエラーが発生しました。"));
}

} // namespace
} // namespace brisomel
