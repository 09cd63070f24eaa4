#include "fcpxml/FcpxmlFormat.h"
#include "fcpxml/TimelineSketch.h"

#include <QRegularExpression>

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
    const QString caption = u"\"It's\" & <b>\nnext"_s;
    QString written(caption.size() * kLongestXmlUnit, Qt::Uninitialized);
    written.truncate(writeXmlText(written.data(), caption, XmlEntities::caption) - written.data());
    EXPECT_EQ(written, "\"It's\" &amp; &lt;b&gt;\nnext");
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

// A media URL written straight from a path is the text QUrl gives; for an absolute path it is a
// URI that strict readers accept and that decodes back to the path.
TEST(MediaUrls, PathsGiveQUrlsTextAsStrictUrisThatDecodeToThePath) {
    QStringList absolute{u"/v/plain.wav"_s,
                         u"/v/[BGM] 台本 第2話.wav"_s,
                         u"/v/e\u0301 \u3000\u00A0\u2028.wav"_s,
                         u"/v/%41%2F%.wav"_s,
                         u"/v/./a/../b//c.wav"_s,
                         u"/v/dir/"_s,
                         u"/v/"_s + QString(251, u'x') + u".wav"_s,
                         u"/v/"_s + QString(83, u'あ') + u".wav"_s}; // 255 bytes with ".wav"
    for (int c = 1; c < 0x80; ++c) {
        absolute << u"/v/a"_s + QChar(c) + u" b.wav"_s;
    }
    // Noncharacters, which QUrl replaces, and paths that are not plain absolute ones.
    const QStringList odd{u"/v/😀\U0001FFFE\U0010FFFF\U0001FFFD\uFFFF.wav"_s,
                          u"//host/share/a.wav"_s,
                          u"relative/a.wav"_s,
                          u""_s,
                          u"/v/"_s + QChar(0xD800) + u"x"_s,
                          u"/v/"_s + QChar(0xDC00) + u"x"_s};
    const QRegularExpression strictFileUri(
        uR"(^file://(/([A-Za-z0-9._~!$&'()*+,;=:@-]|%[0-9A-F]{2})*)+$)"_s);
    for (const QString& path : absolute + odd) {
        const QString url = localMediaUrlText(path, PathStyle::posix);
        EXPECT_EQ(url.toStdString(), mediaUrlText(QUrl::fromLocalFile(path)).toStdString());
        if (absolute.contains(path)) {
            EXPECT_TRUE(strictFileUri.match(url).hasMatch()) << url.toStdString();
            EXPECT_EQ(QString::fromUtf8(QByteArray::fromPercentEncoding(url.sliced(7).toLatin1())),
                      path);
        }
    }
    // Names that were valid before are written as before.
    EXPECT_EQ(localMediaUrlText(u"/v/a (1)&b.wav"_s, PathStyle::posix),
              u"file:///v/a%20(1)&b.wav"_s);
}

// Every system's paths, whichever system writes the document.
TEST(MediaUrls, DriveLettersUncPathsAndDecomposedNames) {
    const std::tuple<PathStyle, QString, QString> table[] = {
        {PathStyle::windows, u"C:\\声\\001.wav"_s, u"file:///C:/%E5%A3%B0/001.wav"_s},
        {PathStyle::windows, u"d:\\a b\\[1].wav"_s, u"file:///d:/a%20b/%5B1%5D.wav"_s},
        {PathStyle::windows, u"\\\\nas\\share\\a.wav"_s, u"file://nas/share/a.wav"_s},
        {PathStyle::windows, u"\\\\?\\C:\\long\\a.wav"_s, u"file:///C:/long/a.wav"_s},
        {PathStyle::windows, u"\\\\?\\UNC\\nas\\share\\a.wav"_s, u"file://nas/share/a.wav"_s},
        // macOS keeps names decomposed: か + U+3099 stays two characters, never が.
        {PathStyle::posix, u"/Users/a/\u304B\u3099.wav"_s,
         u"file:///Users/a/%E3%81%8B%E3%82%99.wav"_s},
        {PathStyle::posix, u"/Users/a/\u304C.wav"_s, u"file:///Users/a/%E3%81%8C.wav"_s},
        // A backslash is a character of a POSIX name.
        {PathStyle::posix, u"/v/a\\b.wav"_s, u"file:///v/a%5Cb.wav"_s},
    };
    for (const auto& [style, path, url] : table) {
        EXPECT_EQ(localMediaUrlText(path, style).toStdString(), url.toStdString())
            << path.toStdString();
    }
}
