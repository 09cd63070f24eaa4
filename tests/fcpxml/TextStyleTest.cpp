#include "fcpxml/TextStyleRow.h"
#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace brisomel;
using namespace brisomel::test;

namespace {

const QString kDefaultRow = uR"(<text-style font="Helvetica" fontSize="72" fontFace="Regular" )"
                            uR"(fontColor="1 1 1 1" alignment="center"/>)"_s;

// The text-style rows of a document, in order, without their indent.
QStringList textStyleRows(const QString& document) {
    QStringList rows;
    static const QRegularExpression row(uR"(^ *(<text-style font=.*)$)"_s,
                                        QRegularExpression::MultilineOption);
    for (const auto& match : row.globalMatch(document)) {
        rows << match.captured(1);
    }
    return rows;
}

} // namespace

// Outline and shadow as the editor reads them: the outline's width negative (filled letters),
// the shadow's offset as "distance angle" with the angle in [0, 360).
TEST(TextStyle, TheElementCarriesExactlyTheStylesAttributes) {
    const QString head = uR"(<text-style font="Helvetica" fontSize="72" fontFace="Regular" )"
                         uR"(fontColor="1 1 1 1")"_s;
    CaptionStyle defaultLookingFont;
    defaultLookingFont.size = 72.00001; // differs, but is written as the default's size
    CaptionStyle zeroOutline;
    zeroOutline.outline = Outline{{0, 0, 0, 255}, 0};
    CaptionStyle turned;
    turned.shadow = DropShadow{{0, 0, 0, 255}, 100, 359.99999, 0};
    const struct {
        CaptionStyle style;
        QString element;
    } cases[] = {
        {CaptionStyle{}, kDefaultRow},
        {defaultLookingFont, kDefaultRow},
        {zeroOutline, head + uR"( strokeColor="0 0 0 1" strokeWidth="0" alignment="center"/>)"_s},
        {turned, head + uR"( shadowColor="0 0 0 1" shadowOffset="100 0" shadowBlurRadius="0")"
                        uR"( alignment="center"/>)"_s},
        {fullStyle(),
         uR"(<text-style font="&lt;&quot;Hiragino&quot; &amp; &apos;Co&apos;&gt;" fontSize="80.25" )"
         uR"(fontFace="W6" fontColor="1 0.8431 0 1" strokeColor="0 0 0 0.502" strokeWidth="-4" )"
         uR"(shadowColor="0.0039 0.0078 0.0118 0.0157" shadowOffset="2 0" )"
         uR"(shadowBlurRadius="3.5" alignment="center"/>)"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textStyleElement(c.style), c.element);
    }
}

// A styled speaker's titles carry its row and every other title the default row, in both
// variants.
TEST(TextStyle, OnlyTheStyledSpeakersTitlesChange) {
    constexpr FpsType fps = FpsType::fps30;
    TrackMap tracks;
    const Speaker hanako = addSpeaker(tracks, u"Hanako"_s);
    const Speaker taro = addSpeaker(tracks, u"Taro"_s);
    addVoiceLine(hanako, fps, u"001"_s, u"a"_s, 0, 300);
    addVoiceLine(taro, fps, u"002"_s, u"b"_s, 300, 300);
    addVoiceLine(hanako, fps, u"003"_s, u"c"_s, 600, 300);
    setCaptionStyle(hanako, fullStyle());
    const QString styledRow = textStyleElement(fullStyle());
    for (const QString& document : bothVariants(u"T"_s, tracks, FrameType::frame1080p, fps)) {
        // Tracks are written by title: Hanako's two titles, then Taro's.
        EXPECT_EQ(textStyleRows(document), (QStringList{styledRow, styledRow, kDefaultRow}));
    }
}
