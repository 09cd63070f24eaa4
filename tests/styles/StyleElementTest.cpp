#include "fcpxml/TextStyleRow.h"
#include "styles/StyleFile.h"

#include <gtest/gtest.h>

#include <QJsonObject>

#include <limits>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

const QString kHead = uR"(<text-style font="Helvetica" fontSize="72" fontFace="Regular" )"
                      uR"(fontColor="1 1 1 1")"_s;
const QString kTail = uR"( alignment="center"/>)"_s;

// The text-style element of speaker A's style in a file holding `entry`, or the file's message.
QString elementOrMessage(const QByteArray& entry) {
    const Result<SpeakerStyles> styles = parseStyleFile("{\"A\": " + entry + "}", u"s.json"_s);
    return styles ? textStyleElement(styles->styleFor(u"A"_s)) : styles.failure().message();
}

QString refusal(const QString& key, const QString& reason) {
    return uR"(スタイルファイル "s.json" を読み込めません: 「A」の "%1": %2)"_s.arg(key, reason);
}

} // namespace

// Entry to element: a negative outline width, a shadow always with colour, "distance angle" and
// blur, defaults for what is left out; an earlier [x, y] offset read as distance and angle.
TEST(StyleElement, EachEntryGivesItsTextStyleElement) {
    const struct {
        QByteArray entry;
        QString attributes;
    } cases[] = {
        {R"({"stroke": "#FF0000"})", uR"( strokeColor="1 0 0 1" strokeWidth="-1")"_s},
        {R"({"stroke": "#FF0000", "strokeWidth": 4})",
         uR"( strokeColor="1 0 0 1" strokeWidth="-4")"_s},
        {R"({"strokeWidth": 2.5})", uR"( strokeColor="0 0 0 1" strokeWidth="-2.5")"_s},
        {R"({"shadow": "#00000080"})",
         uR"( shadowColor="0 0 0 0.502" shadowOffset="5 315" shadowBlurRadius="1")"_s},
        {R"({"shadow": "#FF000080", "shadowAngle": 90, "shadowBlur": 3})",
         uR"( shadowColor="1 0 0 0.502" shadowOffset="5 90" shadowBlurRadius="3")"_s},
        {R"({"shadow": "#FF000080", "shadowDistance": 2, "shadowBlur": 0})",
         uR"( shadowColor="1 0 0 0.502" shadowOffset="2 315" shadowBlurRadius="0")"_s},
        {R"({"shadow": "#FF000080", "shadowDistance": 2, "shadowAngle": 10})",
         uR"( shadowColor="1 0 0 0.502" shadowOffset="2 10" shadowBlurRadius="1")"_s},
        {R"({"shadowAngle": -45.5})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="5 314.5" shadowBlurRadius="1")"_s},
        {R"({"shadowAngle": 720})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="5 0" shadowBlurRadius="1")"_s},
        {R"({"shadowAngle": -3600.5})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="5 359.5" shadowBlurRadius="1")"_s},
        {R"({"shadow": "#00000080", "shadowOffset": [3, -3]})",
         uR"( shadowColor="0 0 0 0.502" shadowOffset="4.2426 315" shadowBlurRadius="1")"_s},
        {R"({"shadowOffset": [-2, 0], "shadowBlur": 2})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="2 180" shadowBlurRadius="2")"_s},
        {R"({"shadowOffset": [0, 100]})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="100 90" shadowBlurRadius="1")"_s},
        {R"({"strokeWidth": 0, "shadowDistance": 0, "shadowAngle": 359.99999, "shadowBlur": 0})",
         uR"( strokeColor="0 0 0 1" strokeWidth="0")"
         uR"( shadowColor="0 0 0 0.749" shadowOffset="0 0" shadowBlurRadius="0")"_s},
        {R"({"strokeWidth": 50, "shadowDistance": 100, "shadowBlur": 100})",
         uR"( strokeColor="0 0 0 1" strokeWidth="-50")"
         uR"( shadowColor="0 0 0 0.749" shadowOffset="100 315" shadowBlurRadius="100")"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(elementOrMessage(c.entry), kHead + c.attributes + kTail) << c.entry.toStdString();
    }
}

// The ranges' ends are accepted, and just beyond them the file is refused naming the key and
// the range.
TEST(StyleElement, NumbersBeyondTheirRangeAreRefusedNamingTheRange) {
    const QString size = u"1 から 1000 までの数ではありません"_s;
    const QString width = u"0 から 50 までの数ではありません"_s;
    const QString hundred = u"0 から 100 までの数ではありません"_s;
    const struct {
        const char* key;
        double accepted;
        double beyond;
        QString reason;
    } cases[] = {
        {"size", 1, 0.9999, size},
        {"size", 1000, 1000.0001, size},
        {"size", 1000, 1e308, size},
        {"strokeWidth", 0, -0.0001, width},
        {"strokeWidth", 50, 50.0001, width},
        {"shadowDistance", 0, -0.0001, hundred},
        {"shadowDistance", 100, 100.0001, hundred},
        {"shadowBlur", 0, -0.0001, hundred},
        {"shadowBlur", 100, 100.0001, hundred},
    };
    const auto entry = [](const char* key, double value) {
        return QByteArray("{\"") + key + "\": " + QByteArray::number(value, 'g', 17) + "}";
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(elementOrMessage(entry(c.key, c.accepted)).startsWith(u"<text-style"_s))
            << c.key << " " << c.accepted;
        EXPECT_EQ(elementOrMessage(entry(c.key, c.beyond)), refusal(QLatin1String(c.key), c.reason))
            << c.key << " " << c.beyond;
    }
    EXPECT_EQ(
        elementOrMessage(R"({"shadowOffset": [71, 71]})"),
        refusal(u"shadowOffset"_s, u"影の距離 √(x² + y²) が 0 から 100 までではありません"_s));
    EXPECT_EQ(
        elementOrMessage(R"({"shadowOffset": [1, 1], "shadowAngle": 0})"),
        refusal(u"shadowOffset"_s, uR"("shadowDistance"・"shadowAngle" と一緒には使えません)"_s));
    EXPECT_EQ(elementOrMessage(R"({"shadowAngle": "315"})"),
              refusal(u"shadowAngle"_s, u"数ではありません"_s));
}

// JSON text cannot hold NaN or an infinity, but an entry built in memory can.
TEST(StyleElement, NotANumberAndInfinitiesAreRefusedByName) {
    for (const double odd :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        for (const QString& key : {u"size"_s, u"strokeWidth"_s, u"shadowAngle"_s}) {
            const Result<CaptionStyle> style = parseStyleEntry(QJsonObject{{key, odd}}, u"A"_s);
            ASSERT_FALSE(style) << key.toStdString() << " " << odd;
            EXPECT_TRUE(style.failure().reason.startsWith(u"「A」の \"%1\": "_s.arg(key)));
        }
    }
}
