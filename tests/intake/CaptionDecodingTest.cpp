#include "intake/CaptionDecoding.h"

#include "IntakeTestSupport.h"

namespace brisomel {
namespace {

using test::bytes;
using test::q;

// UTF-8, or the Unicode encoding a byte-order mark announces, else Shift-JIS in its Windows form.
// Carriage returns are dropped, line feeds kept, nothing is trimmed.
TEST(CaptionFile, TextsInEveryEncoding) {
    const QString text = q(u"あ𠀋\n"); // a character outside the basic plane too
    const std::pair<QByteArray, QString> cases[] = {
        {"line one\r\nline two\n", "line one\nline two\n"},
        {"foo\rbar", "foobar"},
        {"", ""},
        {bytes("\xE4\xB8\x96\xE7\x95\x8C\xE3\x80\x82\r\n\xE4\xBA\x8C\xE8\xA1\x8C"),
         q(u"世界。\n二行")},
        {bytes("\x90\xA2\x8A\x45\x81\x42\r\n\x93\xF1\x8D\x73"), q(u"世界。\n二行")},
        {bytes("\xEF\xBB\xBF\xE3\x81\x82"), q(u"あ")},
        // Only the first mark is a mark; a second one is a zero-width no-break space.
        {bytes("\xEF\xBB\xBF\xEF\xBB\xBF\x61"), q(u"\uFEFFa")},
        {bytes("\xFF\xFE\x42\x30\x40\xD8\x0B\xDC\r\x00\n\x00"), text},
        {bytes("\xFE\xFF\x30\x42\xD8\x40\xDC\x0B\x00\r\x00\n"), text},
        {bytes("\xFF\xFE\x00\x00\x42\x30\x00\x00\x0B\x00\x02\x00\n\x00\x00\x00"), text},
        {bytes("\x00\x00\xFE\xFF\x00\x00\x30\x42\x00\x02\x00\x0B\x00\x00\x00\n"), text},
        // NEC row 13, IBM extensions (also as NEC-selected), CP932's own ～＼, half-width kana.
        {bytes("\x87\x40\x87\x54\xFB\xFC\xFA\x5C\xED\x40\x81\x60\x81\x5F\\~\xB1\xDF"),
         q(u"①Ⅰ髙纊纊～＼\\~ｱﾟ")},
    };
    test::TempFolder folder;
    const auto withCaption = [&](const QByteArray& caption) {
        folder.write("c.txt", caption);
        return test::entry("c", folder.path("c.txt"));
    };
    for (const auto& [caption, textRow] : cases) {
        const auto entry = withCaption(caption);
        ASSERT_TRUE(entry) << caption.toHex().toStdString();
        EXPECT_EQ(entry->textRow(), textRow) << caption.toHex().toStdString();
    }
    // The one-line text: line feeds become spaces.
    EXPECT_EQ(withCaption("  a\r\nb \n\n")->text(), QString("  a b   "));
}

// Strict decoding gives nothing rather than U+FFFD, so the next encoding gets its chance; in
// Shift-JIS every byte below 0x80 stays itself (the converter's table rotates 0x1A, 0x1C, 0x7F).
TEST(DecodeCaption, StrictDecodersAndControlBytes) {
    for (const QByteArray& invalid :
         {bytes("\x81\x20"), bytes("\xFF\xFF\xFF\xFF"), bytes("a\xE3\x81"), bytes("\xC0\xAF"),
          bytes("\xED\xA0\x80"), bytes("\xFF\xFE\x61\x00\x62"), bytes("\xFF\xFE\x00\xD8\x61\x00"),
          bytes("\xFE\xFF\xDC\x00"), bytes("\xFF\xFE\x00\x00\x00\x00\x11\x00"),
          bytes("\xFF\xFE\x00\x00\x00\xD8\x00\x00"), bytes("\xFF\xFE\x00\x00\x61\x00\x00")}) {
        EXPECT_FALSE(decodeUnicode(invalid)) << invalid.toHex().toStdString();
    }
    for (const QByteArray& invalid :
         {bytes("\x81\x20"), bytes("\xFF\xFF\xFF\xFF"), bytes("a\x82")}) {
        EXPECT_FALSE(decodeShiftJis(invalid)) << invalid.toHex().toStdString();
    }
    QByteArray all;
    QString expected;
    for (char16_t c = 0; c < 0x80; ++c) {
        all.append(static_cast<char>(c));
        expected.append(QChar(c));
    }
    EXPECT_EQ(decodeShiftJis(all), expected);
}

} // namespace
} // namespace brisomel
