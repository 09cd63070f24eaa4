#include "intake/CaptionDecoding.h"

#include "IntakeTestSupport.h"

#include <gtest/gtest.h>

namespace brisomel {
namespace {

using test::bytes;
using test::q;

TEST(DecodeUnicode, Utf8WithAndWithoutMark) {
    EXPECT_EQ(decodeUnicode(bytes("\xE3\x81\x82"
                                  "a")),
              q(u"あa"));
    EXPECT_EQ(decodeUnicode(bytes("\xEF\xBB\xBF"
                                  "\xE3\x81\x82")),
              q(u"あ"));
    // Only the first mark is a mark; a second one is a zero-width no-break space.
    EXPECT_EQ(decodeUnicode(bytes("\xEF\xBB\xBF\xEF\xBB\xBF"
                                  "a")),
              q(u"\uFEFFa"));
    EXPECT_EQ(decodeUnicode(QByteArrayView()), QString(""));
}

TEST(DecodeUnicode, MarkedUtf16AndUtf32) {
    const QString expected = q(u"あ𠀋a");
    EXPECT_EQ(decodeUnicode(bytes("\xFF\xFE"
                                  "\x42\x30"
                                  "\x40\xD8\x0B\xDC"
                                  "a\x00")),
              expected);
    EXPECT_EQ(decodeUnicode(bytes("\xFE\xFF"
                                  "\x30\x42"
                                  "\xD8\x40\xDC\x0B"
                                  "\x00"
                                  "a")),
              expected);
    EXPECT_EQ(decodeUnicode(bytes("\xFF\xFE\x00\x00"
                                  "\x42\x30\x00\x00"
                                  "\x0B\x00\x02\x00"
                                  "a\x00\x00\x00")),
              expected);
    EXPECT_EQ(decodeUnicode(bytes("\x00\x00\xFE\xFF"
                                  "\x00\x00\x30\x42"
                                  "\x00\x02\x00\x0B"
                                  "\x00\x00\x00"
                                  "a")),
              expected);
}

TEST(DecodeUnicode, RejectsInvalidBytesInsteadOfReplacingThem) {
    EXPECT_FALSE(decodeUnicode(bytes("\x81\x20")));         // stray continuation byte
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFF\xFF\xFF"))); // never valid in UTF-8
    EXPECT_FALSE(decodeUnicode(bytes("a\xE3\x81")));        // sequence cut off at the end
    EXPECT_FALSE(decodeUnicode(bytes("\xC0\xAF")));         // overlong
    EXPECT_FALSE(decodeUnicode(bytes("\xED\xA0\x80")));     // encoded surrogate
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFE"
                                     "a\x00"
                                     "b"))); // odd UTF-16 length
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFE"
                                     "\x00\xD8"
                                     "a\x00"))); // lone high surrogate
    EXPECT_FALSE(decodeUnicode(bytes("\xFE\xFF"
                                     "\xDC\x00"))); // lone low surrogate
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFE\x00\x00"
                                     "\x00\x00\x11\x00"))); // above U+10FFFF
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFE\x00\x00"
                                     "\x00\xD8\x00\x00"))); // surrogate value
    EXPECT_FALSE(decodeUnicode(bytes("\xFF\xFE\x00\x00"
                                     "a\x00\x00"))); // cut off
}

TEST(DecodeShiftJis, WindowsFormWithNecAndIbmExtensions) {
    EXPECT_EQ(decodeShiftJis(bytes("\x82\xA0\x8A\xBF\x8E\x9A")), q(u"あ漢字"));
    EXPECT_EQ(decodeShiftJis(bytes("\x87\x40")), q(u"①")); // NEC row 13
    EXPECT_EQ(decodeShiftJis(bytes("\x87\x54")), q(u"Ⅰ"));
    EXPECT_EQ(decodeShiftJis(bytes("\xFB\xFC")), q(u"髙"));           // IBM extension
    EXPECT_EQ(decodeShiftJis(bytes("\xFA\x5C")), q(u"纊"));           // IBM extension
    EXPECT_EQ(decodeShiftJis(bytes("\xED\x40")), q(u"纊"));           // NEC-selected IBM extension
    EXPECT_EQ(decodeShiftJis(bytes("\x81\x60\x81\x5F")), q(u"～＼")); // CP932, not JIS X 0208
    EXPECT_EQ(decodeShiftJis(bytes("\\~\xB1\xDF")), q(u"\\~ｱﾟ"));     // ASCII and half-width kana
}

TEST(DecodeShiftJis, ControlBytesMapToThemselves) {
    QByteArray all;
    for (int byte = 0; byte < 0x80; ++byte) {
        all.append(static_cast<char>(byte));
    }
    const auto text = decodeShiftJis(all);
    ASSERT_TRUE(text);
    ASSERT_EQ(text->size(), 0x80);
    for (int i = 0; i < 0x80; ++i) {
        EXPECT_EQ(text->at(i).unicode(), i) << "byte " << i;
    }
}

TEST(DecodeShiftJis, RejectsInvalidBytes) {
    EXPECT_FALSE(decodeShiftJis(bytes("\x81\x20")));         // trail byte out of range
    EXPECT_FALSE(decodeShiftJis(bytes("\xFF\xFF\xFF\xFF"))); // not a CP932 byte
    EXPECT_FALSE(decodeShiftJis(bytes("a\x82")));            // lead byte cut off at the end
    EXPECT_FALSE(decodeShiftJis(bytes("\xFF\xFE"
                                      "\x00\xD8")));
}

TEST(ReadCaptionFile, ReadsAndNamesFailures) {
    test::TempFolder folder;
    EXPECT_EQ(std::get<QString>(readCaptionFile(folder.write("u.txt", bytes("\xE3\x81\x82")))),
              q(u"あ"));
    EXPECT_EQ(std::get<QString>(readCaptionFile(folder.write("s.txt", bytes("\x82\xA0")))),
              q(u"あ"));
    EXPECT_TRUE(std::holds_alternative<CaptionFailure>(
        readCaptionFile(folder.write("bad.txt", bytes("\x81\x20")))));
    EXPECT_TRUE(std::holds_alternative<CaptionFailure>(readCaptionFile(folder.makeDir("d.txt"))));
    EXPECT_TRUE(std::holds_alternative<CaptionFailure>(readCaptionFile(folder.path("none.txt"))));
}

} // namespace
} // namespace brisomel
