#include "intake/FileListData.h"

#include "IntakeTestSupport.h"

#include <gtest/gtest.h>

namespace brisomel {
namespace {

using test::bytes;
using test::q;

FileListPtr entryNamed(const QString& fileName, const std::optional<QUrl>& caption = {}) {
    auto created = FileListData::create(fileName, caption, QUrl::fromLocalFile("/v/x.wav"));
    EXPECT_TRUE(std::holds_alternative<FileListPtr>(created));
    return std::holds_alternative<FileListPtr>(created) ? std::get<FileListPtr>(created) : nullptr;
}

// The caption texts of an entry whose caption file holds the bytes.
FileListPtr entryWithCaption(const QByteArray& captionBytes) {
    test::TempFolder folder;
    const QString path = folder.write("c.txt", captionBytes);
    return entryNamed("c", QUrl::fromLocalFile(path));
}

struct SpeakerCase {
    const char16_t* fileName;
    const char16_t* speaker;
};

class SpeakerName : public testing::TestWithParam<SpeakerCase> {};

TEST_P(SpeakerName, FromBaseName) {
    const auto entry = entryNamed(q(GetParam().fileName));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->charactorName(), q(GetParam().speaker));
}

INSTANTIATE_TEST_SUITE_P(
    Part1_2, SpeakerName,
    testing::Values(
        SpeakerCase{u"001_Hanako（normal）_hello", u"Hanako"},
        SpeakerCase{u"001_Hanako_hello", u"noname"},
        SpeakerCase{u"001_Hanako(normal)_hello", u"noname"},
        SpeakerCase{u"Hanako（normal）_hello", u"noname"}, SpeakerCase{u"001_（x）_y", u""},
        SpeakerCase{u"001__Hanako（a）__z", u"Hanako"},
        SpeakerCase{u"_001_Hanako（a）_z_", u"Hanako"}, SpeakerCase{u"1_A（b）（c）_d", u"A"},
        SpeakerCase{u"1_x_A（b）_d", u"noname"}, SpeakerCase{u"1_A（b）_c_d_e", u"A"},
        SpeakerCase{u"1_花子（ふつう）_こんにちは", u"花子"}, SpeakerCase{u"", u"noname"},
        SpeakerCase{u"___", u"noname"},
        // Whole characters are compared: an underscore or a parenthesis carrying a
        // combining mark is a different character.
        SpeakerCase{u"1_\u0301A（x）_t", u"noname"}, SpeakerCase{u"1_A（\u0301x）_t", u"noname"},
        SpeakerCase{u"1_e\u0301（x）_t", u"e\u0301"},
        SpeakerCase{u"1_\U0001F469\u200D\U0001F467（x）_t", u"\U0001F469\u200D\U0001F467"}));

TEST(FileListData, InitialValues) {
    const auto a = entryNamed("001_Hanako（normal）_hello");
    const auto b = entryNamed("001_Hanako（normal）_hello");
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(a->id().isNull());
    EXPECT_NE(a->id(), b->id());
    EXPECT_TRUE(a->targetFlg());
    EXPECT_EQ(a->fileName(), q(u"001_Hanako（normal）_hello"));
    EXPECT_EQ(FileListData::defaultName, QString("noname"));
    EXPECT_EQ(a->soundFileUrl(), QUrl::fromLocalFile("/v/x.wav"));
}

TEST(FileListData, NoCaptionFileGivesEmptyTexts) {
    const auto entry = entryNamed("a");
    ASSERT_TRUE(entry);
    EXPECT_FALSE(entry->textFileUrl().has_value());
    EXPECT_TRUE(entry->text().isEmpty());
    EXPECT_TRUE(entry->textRow().isEmpty());
}

TEST(FileListData, CarriageReturnsRemovedLineFeedsKeptInTextRow) {
    const auto entry = entryWithCaption("line one\r\nline two\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->textRow(), QString("line one\nline two\n"));
    EXPECT_EQ(entry->text(), QString("line one line two "));
}

TEST(FileListData, LoneCarriageReturnJoinsWords) {
    const auto entry = entryWithCaption("foo\rbar");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->textRow(), QString("foobar"));
    EXPECT_EQ(entry->text(), QString("foobar"));
}

TEST(FileListData, NoTrimming) {
    const auto entry = entryWithCaption("  a \n\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->textRow(), QString("  a \n\n"));
    EXPECT_EQ(entry->text(), QString("  a   "));
}

TEST(FileListData, Utf8AndShiftJisGiveTheSameTexts) {
    // こんにちは、世界。 LF 二行目
    const auto utf8 =
        entryWithCaption(bytes("\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1"
                               "\xE3\x81\xAF\xE3\x80\x81\xE4\xB8\x96\xE7\x95\x8C"
                               "\xE3\x80\x82\r\n\xE4\xBA\x8C\xE8\xA1\x8C\xE7\x9B\xAE"));
    const auto sjis =
        entryWithCaption(bytes("\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x41"
                               "\x90\xA2\x8A\x45\x81\x42\r\n\x93\xF1\x8D\x73\x96\xDA"));
    ASSERT_TRUE(utf8 && sjis);
    EXPECT_EQ(utf8->textRow(), q(u"こんにちは、世界。\n二行目"));
    EXPECT_EQ(utf8->text(), q(u"こんにちは、世界。 二行目"));
    EXPECT_EQ(sjis->textRow(), utf8->textRow());
    EXPECT_EQ(sjis->text(), utf8->text());
}

TEST(FileListData, ByteOrderMarksAreNotText) {
    const QString expected = q(u"あ\n");
    for (const QByteArray& encoded :
         {bytes("\xEF\xBB\xBF\xE3\x81\x82\r\n"), bytes("\xFF\xFE\x42\x30\r\x00\n\x00"),
          bytes("\xFE\xFF\x30\x42\x00\r\x00\n"),
          bytes("\xFF\xFE\x00\x00\x42\x30\x00\x00\r\x00\x00\x00\n\x00\x00\x00"),
          bytes("\x00\x00\xFE\xFF\x00\x00\x30\x42\x00\x00\x00\r\x00\x00\x00\n")}) {
        const auto entry = entryWithCaption(encoded);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->textRow(), expected) << encoded.toHex().toStdString();
    }
}

TEST(FileListData, Cp932ExtensionCharacters) {
    const auto entry = entryWithCaption(bytes("\x87\x40\xFB\xFC\xED\x40\x81\x60"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->textRow(), q(u"①髙纊～"));
}

TEST(FileListData, UndecodableCaptionFailsWithReportNamingTheFile) {
    for (const QByteArray& undecodable : {bytes("\x81\x20"), bytes("\xFF\xFF\xFF\xFF")}) {
        test::TempFolder folder;
        const QString path = folder.write("bad.txt", undecodable);
        const auto created = FileListData::create("bad", QUrl::fromLocalFile(path), std::nullopt);
        const auto* error = std::get_if<FileListData::CaptionError>(&created);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->report.startsWith("Error ")) << error->report.toStdString();
        EXPECT_TRUE(error->report.contains(path)) << error->report.toStdString();
        EXPECT_TRUE(error->report.contains("Shift-JIS")) << error->report.toStdString();
    }
}

TEST(FileListData, CaptionThatIsAFolderFails) {
    test::TempFolder folder;
    const QString path = folder.makeDir("d.txt");
    const auto created = FileListData::create("d", QUrl::fromLocalFile(path), std::nullopt);
    const auto* error = std::get_if<FileListData::CaptionError>(&created);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->report.startsWith("Error "));
    EXPECT_TRUE(error->report.contains(path));
}

TEST(FileListData, SettersNotifyBeforeAssigning) {
    const auto entry = entryNamed("1_A（x）_t");
    ASSERT_TRUE(entry);
    int notifications = 0;
    bool sawOldValue = false;
    entry->willChange.observe([&] {
        ++notifications;
        sawOldValue = entry->textRow().isEmpty();
    });
    entry->setTextRow("new");
    EXPECT_EQ(notifications, 1);
    EXPECT_TRUE(sawOldValue);
    EXPECT_EQ(entry->textRow(), QString("new"));

    entry->setTargetFlg(false);
    entry->setText("t");
    entry->setFileName("f");
    entry->setCharactorName("c");
    EXPECT_EQ(notifications, 5);
    EXPECT_FALSE(entry->targetFlg());
    EXPECT_EQ(entry->text(), QString("t"));
    EXPECT_EQ(entry->fileName(), QString("f"));
    EXPECT_EQ(entry->charactorName(), QString("c"));
}

} // namespace
} // namespace brisomel
