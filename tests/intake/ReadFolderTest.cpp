#include "intake/ReadFolder.h"

#include "IntakeTestSupport.h"
#include "support/SpecialFiles.h"

#include <QFileInfo>

#include <tuple>
#include <vector>

namespace brisomel {
namespace {

using test::bytes;
using test::q;
using testsupport::haveSpecialFiles;
using testsupport::permissionsBind;

// readFolder, which never writes to standard output: the caller decides where a report goes.
Result<FileList> scan(const QUrl& url) {
    testing::internal::CaptureStdout();
    Result<FileList> result = readFolder(url);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    return result;
}

TEST(ReadFolder, ListsAudioFilesInCodePointOrderAndPairsThemWithCaptions) {
    test::TempFolder f;
    for (const char* name :
         {"b.WAV",     "a.mp3",   "x.Mp3",     "y.aiff",    "z.AIF",       "w.m4a",
          "c.wav",     "d.b.wav", "voice.wav", "voice.mp3", "visible.wav", ".secret.wav",
          "10_x.wav",  "2_x.wav", "B.wav",     "p.mp4",     "q.ogg",       "noext",
          "r.wav.bak", "s.",      "mp3",       "t.wav "}) {
        f.write(name);
    }
    // Full Unicode upper-casing turns the ligature U+FB00 into "FF".
    for (const char16_t* name : {u"u.ai\uFB00", u"e\u0301.wav", u"\uFF5E.wav", u"\U0002000B.wav"}) {
        f.write(q(name));
    }
    f.makeDir("take.wav");
    f.makeDir(".hidden.wav");
    f.makeDir("sub/inner.wav"); // subfolders are not entered
    const std::pair<const char*, QByteArray> captions[] = {
        {"a.txt", "hello\r\n"}, {"c.TXT", "upper"},         {"d.b.txt", "d.b"},
        {"voice.txt", "v"},     {".visible.txt", "hidden"}, {"notes.txt", "no audio"}};
    for (const auto& [name, caption] : captions) {
        f.write(name, caption);
    }

    const Result<FileList> s = scan(f.url());
    ASSERT_TRUE(s);
    ASSERT_EQ(
        test::fileNames(*s),
        QStringList({"10_x", "2_x", "B", "a", "b", "c", "d.b", "take", "u", "visible", "voice",
                     "voice", "w", "x", "y", "z", q(u"e\u0301"), q(u"\uFF5E"), q(u"\U0002000B")}));
    const auto at = [&](int i) { return s->at(static_cast<std::size_t>(i)); };
    EXPECT_EQ(at(3)->soundFileUrl(), f.url("a.mp3"));
    EXPECT_EQ(at(3)->textFileUrl(), f.url("a.txt"));
    EXPECT_EQ(at(3)->textRow(), QString("hello\n"));
    EXPECT_EQ(at(4)->soundFileUrl(), f.url("b.WAV"));
    EXPECT_FALSE(at(4)->textFileUrl().has_value());
    EXPECT_TRUE(at(4)->text().isEmpty());
    // The exists test is the file system's: c.TXT is found only where names ignore case.
    EXPECT_EQ(at(5)->textFileUrl().has_value(), QFileInfo::exists(f.path("c.txt")));
    EXPECT_EQ(at(6)->text(), QString("d.b"));
    EXPECT_EQ(at(7)->soundFileUrl(), f.url("take.wav"));
    EXPECT_FALSE(at(9)->textFileUrl().has_value());
    // Equal stems keep the listing's code-point order and share the caption.
    EXPECT_EQ(at(10)->soundFileUrl(), f.url("voice.mp3"));
    EXPECT_EQ(at(11)->soundFileUrl(), f.url("voice.wav"));
    EXPECT_EQ(at(10)->text() + at(11)->text(), QString("vv"));
}

// A failure of one line naming what could not be listed, with the code the window acts on.
TEST(ReadFolder, FolderFailures) {
    test::TempFolder folder;
    const QString file = folder.write("a.wav");
    folder.makeDir("empty");
    folder.makeDir("captions");
    folder.write("captions/a.txt", "no audio");
    const QString missing = folder.path(q(u"存在しない"));
    using Code = FailureCode;
    std::vector<std::tuple<QUrl, Code, QString>> cases = {
        {folder.url("empty"), Code::folderEmpty, folder.path("empty")},
        {folder.url("captions"), Code::folderEmpty, kFolderEmptyReason},
        {QUrl::fromLocalFile(missing + u'/'), Code::folderNotFolder, missing},
        {QUrl::fromLocalFile(file), Code::folderNotFolder, file},
        {QUrl("https://example.com/f/"), Code::folderNotLocal, "https://example.com/f/"},
        {folder.url("line\nbreak/"), Code::folderNotFolder, "break"},
    };
    if (permissionsBind()) {                             // not for root, nor on Windows
        const QString locked = folder.makeDir("locked"); // empty, so it can be removed as it is
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
        cases.emplace_back(folder.url("locked"), Code::folderUnreadable, locked);
    }
    for (const auto& [url, code, mention] : cases) {
        const Result<FileList> s = scan(url);
        ASSERT_FALSE(s) << url.toString().toStdString();
        EXPECT_EQ(s.failure().code, code) << url.toString().toStdString();
        const QString message = s.failure().message();
        EXPECT_TRUE(message.contains(mention)) << message.toStdString();
        EXPECT_FALSE(message.contains(u'\n')) << message.toStdString();
    }
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
}

TEST(ReadFolder, ACaptionThatCannotBeReadFailsTheWholeScanNamingIt) {
    enum Kind { undecodable, folder, fifo, unreadable };
    for (const Kind kind : {undecodable, folder, fifo, unreadable}) {
        if ((kind == unreadable && !permissionsBind()) || (kind == fifo && !haveSpecialFiles())) {
            continue; // root reads any file; Windows has no FIFOs
        }
        test::TempFolder dir;
        dir.write("a.wav");
        dir.write("a.txt", "fine");
        dir.write("b.wav");
        dir.write("c.wav");
        dir.write("c.txt", bytes("\xFF")); // also bad, but later in file-name order
        const QString caption = dir.path("b.txt");
        if (kind == folder) {
            dir.makeDir("b.txt");
        } else if (kind == fifo) { // opening it would block the scan
            ASSERT_TRUE(testsupport::makeFifo(caption));
        } else {
            dir.write("b.txt", kind == undecodable ? bytes("\x81\x20\xFF\xFF") : "secret");
            ASSERT_TRUE(kind == undecodable || QFile::setPermissions(caption, {}));
        }
        const Result<FileList> s = scan(dir.url());
        ASSERT_FALSE(s) << kind;
        EXPECT_EQ(s.failure().code, FailureCode::folderUnreadable) << kind;
        const QString message = s.failure().message();
        EXPECT_TRUE(message.startsWith("Error ")) << message.toStdString();
        EXPECT_TRUE(message.contains(caption)) << message.toStdString();
        EXPECT_TRUE(kind != undecodable || message.contains("Shift-JIS"));
        EXPECT_FALSE(message.contains(dir.path("c.txt"))) << "the first bad caption is named";
    }
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
}

} // namespace
} // namespace brisomel
