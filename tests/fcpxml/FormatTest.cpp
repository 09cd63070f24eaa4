#include "fcpxml/FcpxmlFormat.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <random>

using namespace brisomel;
using namespace Qt::StringLiterals;

TEST(FcpxmlFormat, TimesFormatNamesAndAudioRates) {
    const std::tuple<FpsType, std::int64_t, const char*> cases[] = {
        {FpsType::fps23, 0, "0/24000"},       {FpsType::fps23, 1000, "1001/24000"},
        {FpsType::fps23, 1500, "1001/24000"}, {FpsType::fps25, 250, "200/2500"},
        {FpsType::fps25, -150, "-100/2500"},  {FpsType::fps59, 60000, "60060/60000"}};
    for (const auto& [fps, value, expected] : cases) {
        EXPECT_EQ(fcpxmlTime(fps, CMTimeMake(value, timescale(fps))), expected) << value;
    }
    // The time's own timescale is not consulted.
    EXPECT_EQ(fcpxmlTime(FpsType::fps24, CMTimeMake(600, 600)), "600/2400");
    EXPECT_EQ(formatAudioRate(22050.7), "22050");
    // A size and rates the golden documents leave out.
    EXPECT_EQ(formatName(FrameType::frame4K, FpsType::fps60), "FFVideoFormat3840x2160p60");
    EXPECT_EQ(formatName(FrameType::frame2K, FpsType::fps23), "FFVideoFormat2560x1440p2398");
}

TEST(Escaping, EntitiesAndCharactersXmlCannotCarry) {
    EXPECT_EQ(xmlEscape(u"&\"'<>"_s), "&amp;&quot;&apos;&lt;&gt;");
    EXPECT_EQ(xmlEscape(u"&amp;"_s), "&amp;amp;");
    EXPECT_EQ(captionEscape(u"\"It's\" & <b>\nnext"_s), "\"It's\" &amp; &lt;b&gt;\nnext");
    const QString forbidden =
        u"\x00\x01\x08\x0B\x0C\x0E\x1F\uFFFE\uFFFF"_s + QChar(0xDE00) + QChar(0xD83D);
    EXPECT_EQ(xmlSafeText(u"a"_s + forbidden + u"b"_s), u"ab"_s);
    const QString allowed = u"\t\n\r ~\u007F\uD7FF\uE000\uFFFD日本😀\U0010FFFF"_s;
    EXPECT_EQ(xmlSafeText(allowed), allowed);
}

// Plain, with a fraction, from 0.0001 up to 2^24; exponent form beyond, as for 9.999999e-05 and
// 1.6777218e+07, the nearest floats outside. Always the shortest text that reads back exactly.
TEST(FormatPosition, WorkedValuesAndRandomFloats) {
    for (const char* text : {"0.0", "-0.0", "-350.0", "12.5", "0.1", "1e-05", "2e+07", "0.0001",
                             "9.999999e-05", "16777216.0", "1.6777218e+07"}) {
        EXPECT_EQ(formatPosition(std::strtof(text, nullptr)), text);
    }
    std::mt19937 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const float value = std::bit_cast<float>(std::uint32_t(random()));
        if (!std::isfinite(value) || value == 0.0f) {
            continue;
        }
        const std::string text = formatPosition(value).toStdString();
        char* end = nullptr;
        ASSERT_EQ(std::strtof(text.c_str(), &end), value) << text;
        ASSERT_EQ(*end, '\0') << text;
        const bool plain = std::fabs(value) >= 0.0001f && std::fabs(value) <= 16777216.0f;
        ASSERT_EQ(text.find('e') == std::string::npos, plain) << text;
    }
}
