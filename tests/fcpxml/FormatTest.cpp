#include "fcpxml/FcpxmlFormat.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

using namespace Qt::StringLiterals;

namespace brisomel {
namespace {

TEST(FcpxmlTime, WholeNominalFramesAtTheirWrittenLength) {
    const std::tuple<FpsType, std::int64_t, const char*> cases[] = {
        {FpsType::fps23, 0, "0/24000"},         {FpsType::fps23, 1000, "1001/24000"},
        {FpsType::fps23, 1500, "1001/24000"},   {FpsType::fps23, 48000, "48048/24000"},
        {FpsType::fps24, 0, "0/2400"},          {FpsType::fps25, 250, "200/2500"},
        {FpsType::fps29, 30000, "30030/30000"}, {FpsType::fps30, 3000, "3000/3000"},
        {FpsType::fps59, 60000, "60060/60000"}, {FpsType::fps25, -150, "-100/2500"},
    };
    for (const auto& [fps, value, expected] : cases) {
        EXPECT_EQ(fcpxmlTime(fps, CMTimeMake(value, timescale(fps))), expected) << value;
    }
    // The time's own timescale is not consulted.
    EXPECT_EQ(fcpxmlTime(FpsType::fps24, CMTimeMake(600, 600)), "600/2400");
}

TEST(Escaping, AttributesAndCaptions) {
    EXPECT_EQ(xmlEscape(u"&\"'<>"_s), "&amp;&quot;&apos;&lt;&gt;");
    EXPECT_EQ(xmlEscape(u"&amp;"_s), "&amp;amp;");
    EXPECT_EQ(captionEscape(u"\"It's\" & <b>\nnext"_s), "\"It's\" &amp; &lt;b&gt;\nnext");
}

TEST(XmlSafeText, LeavesOutExactlyWhatXmlCannotCarry) {
    for (char16_t bad : {0x0, 0x1, 0x8, 0xB, 0xC, 0xE, 0x1F, 0xFFFE, 0xFFFF, 0xD83D, 0xDE00}) {
        EXPECT_EQ(xmlSafeText(u"a"_s + QChar(bad) + u"b"_s), "ab") << int(bad);
    }
    const QString allowed = u"\t\n\r ~\u007F\uD7FF\uE000\uFFFD日本😀\U0010FFFF"_s;
    EXPECT_EQ(xmlSafeText(allowed), allowed);
}

TEST(FormatPosition, ShortestTextWithFractionOrExponent) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0.0"},
        {-350.0f, "-350.0"},
        {12.5f, "12.5"},
        {0.1f, "0.1"},
        {1234567.9f, "1234567.9"},
        {0.0001f, "0.0001"},
        {std::nextafter(0.0001f, 0.0f), "9.999999e-05"},
        {1e-05f, "1e-05"},
        {-3.5e-07f, "-3.5e-07"},
        {16777216.0f, "16777216.0"},
        {16777218.0f, "1.6777218e+07"},
        {2e+07f, "2e+07"},
        {-0.0f, "-0.0"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(formatPosition(value), expected);
    }
    EXPECT_FALSE(formatPosition(std::numeric_limits<float>::infinity()).isEmpty());
    EXPECT_FALSE(formatPosition(std::numeric_limits<float>::quiet_NaN()).isEmpty());
}

TEST(FormatPosition, RandomFloatsReadBackExactlyInTheirForm) {
    static const QRegularExpression plain(u"^-?\\d+\\.\\d+$"_s);
    static const QRegularExpression exponent(u"^-?\\d(\\.\\d+)?e[+-]\\d{2,}$"_s);
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> onScreen(-5000.0f, 5000.0f);
    for (int i = 0; i < 50000; ++i) {
        const float value =
            i % 2 ? onScreen(random) : std::bit_cast<float>(std::uint32_t(random()));
        if (!std::isfinite(value) || value == 0.0f) {
            continue;
        }
        const QString text = formatPosition(value);
        const std::string bytes = text.toStdString();
        float readBack = 0;
        const auto end = std::from_chars(bytes.data(), bytes.data() + bytes.size(), readBack).ptr;
        ASSERT_EQ(end, bytes.data() + bytes.size()) << bytes;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(readBack), std::bit_cast<std::uint32_t>(value))
            << bytes;
        const bool large = std::fabs(value) > 16777216.0f || std::fabs(value) < 0.0001f;
        ASSERT_TRUE((large ? exponent : plain).match(text).hasMatch()) << bytes;
    }
}

TEST(FormatTables, NamesAndAudioRates) {
    EXPECT_EQ(formatName(FrameType::frame1080p, FpsType::fps29), "FFVideoFormat1080p2997");
    EXPECT_EQ(formatName(FrameType::frame4K, FpsType::fps60), "FFVideoFormat3840x2160p60");
    EXPECT_EQ(formatName(FrameType::frame2K, FpsType::fps23), "FFVideoFormat2560x1440p2398");
    EXPECT_EQ(formatAudioRate(44100.0), "44100");
    EXPECT_EQ(formatAudioRate(22050.7), "22050");
    EXPECT_EQ(formatAudioRate(0.0), "0");
    EXPECT_EQ(formatAudioRate(std::numeric_limits<double>::quiet_NaN()), "0");
}

} // namespace
} // namespace brisomel
