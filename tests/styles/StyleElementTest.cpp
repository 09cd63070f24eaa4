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

} // namespace

// Entry to element: a negative outline width, a shadow always with colour, "distance angle" and
// blur, defaults for what is left out; an earlier [x, y] offset read as distance and angle.
TEST(StyleElement, EachEntryGivesItsTextStyleElement) {
    const std::pair<QByteArray, QString> cases[] = {
        {R"({"stroke": "#FF0000"})", uR"( strokeColor="1 0 0 1" strokeWidth="-1")"_s},
        {R"({"strokeWidth": 2.5})", uR"( strokeColor="0 0 0 1" strokeWidth="-2.5")"_s},
        {R"({"shadow": "#00000080"})",
         uR"( shadowColor="0 0 0 0.502" shadowOffset="5 315" shadowBlurRadius="1")"_s},
        {R"({"shadow": "#FF000080", "shadowDistance": 2, "shadowBlur": 0})",
         uR"( shadowColor="1 0 0 0.502" shadowOffset="2 315" shadowBlurRadius="0")"_s},
        {R"({"shadowAngle": -45.5})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="5 314.5" shadowBlurRadius="1")"_s},
        {R"({"shadowAngle": 720})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="5 0" shadowBlurRadius="1")"_s},
        {R"({"shadow": "#00000080", "shadowOffset": [3, -3]})",
         uR"( shadowColor="0 0 0 0.502" shadowOffset="4.2426 315" shadowBlurRadius="1")"_s},
        {R"({"shadowOffset": [-2, 0], "shadowBlur": 2})",
         uR"( shadowColor="0 0 0 0.749" shadowOffset="2 180" shadowBlurRadius="2")"_s},
    };
    for (const auto& [entry, attributes] : cases) {
        EXPECT_EQ(elementOrMessage(entry), kHead + attributes + kTail) << entry.toStdString();
    }
}

// The ranges' ends are accepted; just beyond them the file is refused, naming the key and the
// range, as are an offset too long, an offset beside distance or angle, and a number in quotes.
TEST(StyleElement, NumbersBeyondTheirRangeAreRefusedNamingTheRange) {
    const std::tuple<const char*, double, double> ranges[] = {{"size", 1, 1000},
                                                              {"strokeWidth", 0, 50},
                                                              {"shadowDistance", 0, 100},
                                                              {"shadowBlur", 0, 100}};
    const auto entry = [](const char* key, double value) {
        return QByteArray("{\"") + key + "\": " + QByteArray::number(value, 'g', 17) + "}";
    };
    for (const auto& [key, low, high] : ranges) {
        const QString range = u"%1 から %2 まで"_s.arg(low).arg(high);
        for (const double value : {low, high}) {
            EXPECT_TRUE(elementOrMessage(entry(key, value)).startsWith(u"<text-style"_s)) << key;
        }
        for (const double value : {low - 1e-4, high + 1e-4}) {
            const QString message = elementOrMessage(entry(key, value));
            EXPECT_TRUE(message.contains(u"\"%1\""_s.arg(key)) && message.contains(range))
                << message.toStdString();
        }
    }
    for (const char* entry :
         {R"({"shadowOffset": [71, 71]})", R"({"shadowOffset": [1, 1], "shadowAngle": 0})",
          R"({"shadowAngle": "315"})"}) {
        const QString message = elementOrMessage(entry);
        EXPECT_TRUE(message.startsWith(uR"(スタイルファイル "s.json")"_s) &&
                    message.contains(u"\"shadow"_s))
            << message.toStdString();
    }
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
