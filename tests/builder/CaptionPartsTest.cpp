#include "builder/CaptionParts.h"

#include <gtest/gtest.h>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// Each part as "lines:frames".
QStringList shapes(const std::vector<CaptionPart>& parts) {
    QStringList shown;
    std::int64_t next = 0;
    for (const CaptionPart& part : parts) {
        EXPECT_EQ(part.firstFrame, next) << "parts follow one another";
        next = part.firstFrame + part.frameCount;
        shown << QStringLiteral("%1:%2").arg(part.lines.size()).arg(part.frameCount);
    }
    return shown;
}

} // namespace

// Parts of at most the line count, their frames in proportion to their characters, rounded to
// whole frames that add up to the clip, none empty.
TEST(CaptionParts, ShareTheClipsFramesByCharacters) {
    // The lines, the most a title takes, the clip's frames and the parts.
    const std::tuple<QStringList, int, std::int64_t, QStringList> cases[] = {
        {{u"ああ"_s, u"いい"_s, u"うう"_s, u"ええ"_s, u"おお"_s},
         2,
         100,
         {u"2:40"_s, u"2:40"_s, u"1:20"_s}},
        {{u"あいうえお"_s, u"か"_s}, 1, 7, {u"1:6"_s, u"1:1"_s}},
        // A character of two code units counts once.
        {{u"あ"_s, u"😀😀😀"_s}, 1, 8, {u"1:2"_s, u"1:6"_s}},
        {{u"a"_s, QString(100, u'b')}, 1, 3, {u"1:1"_s, u"1:2"_s}}, // no part shorter than a frame
        {{u"ab"_s, u"cd"_s}, 2, 5, {u"2:5"_s}},
        // Too few frames for every part: fewer parts with more lines each.
        {{u"a"_s, u"b"_s, u"c"_s}, 1, 2, {u"2:1"_s, u"1:1"_s}},
        {{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}, 2, 1, {u"5:1"_s}},
        {{u"a"_s, u"b"_s, u"c"_s}, 1, 0, {u"3:0"_s}},
    };
    for (const auto& [lines, maxLines, frames, parts] : cases) {
        EXPECT_EQ(shapes(captionParts(lines, maxLines, frames)), parts)
            << lines.join(u'/').toStdString() << " over " << frames << " frames";
    }
}

// Between titles a cut falls after a sentence's end before a clause mark, and after either before
// anywhere else; a part shorter than the given frames is avoided where the line limit allows.
TEST(CaptionParts, CutAtSentenceEndsThenClauseMarksAndAvoidShortParts) {
    // As above, with the frames below which a part is short.
    const std::tuple<QStringList, int, std::int64_t, std::int64_t, QStringList> cases[] = {
        {{u"ああ、"_s, u"いい。"_s, u"うう、"_s, u"ええ"_s}, 3, 40, 0, {u"2:22"_s, u"2:18"_s}},
        {{u"「はい。」"_s, u"いい、"_s, u"うう"_s}, 2, 30, 0, {u"1:15"_s, u"2:15"_s}},
        {{u"ああ"_s, u"いい、"_s, u"うう"_s, u"ええ"_s}, 3, 40, 0, {u"2:22"_s, u"2:18"_s}},
        // Too short as [2, 1]: the last part would last 4 frames.
        {{u"ああああああ"_s, u"いいいいいい"_s, u"う"_s}, 2, 39, 15, {u"1:18"_s, u"2:21"_s}},
        // No layout avoids a short part: the fewest short parts, then the usual order.
        {{u"ああああああ"_s, u"いいいいいい"_s, u"う"_s}, 2, 13, 15, {u"2:12"_s, u"1:1"_s}},
    };
    for (const auto& [lines, maxLines, frames, shortFrames, parts] : cases) {
        EXPECT_EQ(shapes(captionParts(lines, maxLines, frames, shortFrames)), parts)
            << lines.join(u'/').toStdString();
    }
}
