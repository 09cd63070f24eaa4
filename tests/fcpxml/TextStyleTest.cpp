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

// Every attribute of a style, escaped where needed; a size within rounding of the default's is the
// default. (The style file's tests try outlines and shadows one by one.)
TEST(TextStyle, TheElementCarriesExactlyTheStylesAttributes) {
    CaptionStyle defaultLookingFont;
    defaultLookingFont.size = 72.00001;
    EXPECT_EQ(textStyleElement(defaultLookingFont), kDefaultRow);
    EXPECT_EQ(
        textStyleElement(fullStyle()),
        uR"(<text-style font="&lt;&quot;Hiragino&quot; &amp; &apos;Co&apos;&gt;" fontSize="80.25" )"
        uR"(fontFace="W6" fontColor="1 0.8431 0 1" strokeColor="0 0 0 0.502" strokeWidth="-4" )"
        uR"(shadowColor="0.0039 0.0078 0.0118 0.0157" shadowOffset="2 0" )"
        uR"(shadowBlurRadius="3.5" alignment="center"/>)"_s);
}

// A styled speaker's titles carry its row and every other title the default row, in both variants.
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
