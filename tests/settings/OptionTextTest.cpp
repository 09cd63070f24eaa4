#include "settings/NumberText.h"
#include "settings/OptionValidation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace brisomel;

namespace {

QString messageFor(const OptionTexts& texts) {
    const auto result = validateOptionTexts(texts);
    return result ? QString() : result.failure().message();
}

OptionTexts valid() {
    return {QStringLiteral("A"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0.5"),
            false};
}

} // namespace

TEST(NumberText, AcceptsOnlyTextTheConversionConsumesWhole) {
    EXPECT_EQ(parseDoubleText(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(parseDoubleText(QStringLiteral("-3")), -3.0);
    EXPECT_EQ(parseDoubleText(QStringLiteral("1e2")), 100.0);
    EXPECT_EQ(parseDoubleText(QStringLiteral("+2")), 2.0);
    EXPECT_EQ(parseFloatText(QStringLiteral("0.1")), 0.1f);
    for (const char* rejected : {"", " 1.5", "\t1", "\n1", "\v1", "\f1", "\r1", "1.5 ", "1,5",
                                 "1.5px", "abc", "-", "1a"}) {
        EXPECT_FALSE(parseDoubleText(QString::fromLatin1(rejected))) << rejected;
        EXPECT_FALSE(parseFloatText(QString::fromLatin1(rejected))) << rejected;
    }
    EXPECT_FALSE(parseDoubleText(QStringLiteral("１２"))) << "full-width digits";
    EXPECT_FALSE(parseDoubleText(QString::fromUtf16(u"1\u0000"
                                                    "5",
                                                    3)))
        << "embedded NUL";
}

TEST(NumberText, ReadsAFullStopWhateverTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = std::string(name) != "C.UTF-8";
            break;
        }
    }
    EXPECT_EQ(parseDoubleText(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(parseFloatText(QStringLiteral("-2.25")), -2.25f);
    EXPECT_FALSE(parseDoubleText(QStringLiteral("1,5")));
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) {
        GTEST_SKIP() << "no comma-decimal locale installed; checked under the C locale only";
    }
}

TEST(OptionValidation, ReportsOnlyTheFirstProblemInOrder) {
    auto texts = valid();
    texts.timelineName.clear();
    texts.posX = QStringLiteral("abc");
    EXPECT_EQ(messageFor(texts), kTimelineNameMissing);

    texts = valid();
    texts.timelineName = QStringLiteral("   ");
    texts.posX = QStringLiteral("abc");
    texts.posY = QStringLiteral("abc");
    EXPECT_EQ(messageFor(texts), kPosXNotNumber) << "a name of spaces passes";
    texts.posX = QStringLiteral("10");
    EXPECT_EQ(messageFor(texts), kPosYNotNumber);

    texts = valid();
    texts.silenceDulation = QStringLiteral("abc");
    EXPECT_EQ(messageFor(texts), kPauseNotNumber) << "checked even while the pause is off";
    texts.silenceDulation = QStringLiteral("-1");
    EXPECT_EQ(messageFor(texts), kPauseNegative);

    texts = valid();
    texts.posX = QStringLiteral(" 10");
    EXPECT_EQ(messageFor(texts), kPosXNotNumber);
}

TEST(OptionValidation, RefusesNumbersThatCannotBePlaced) {
    for (const char* text : {"inf", "nan", "INFINITY", "1e999"}) {
        auto texts = valid();
        texts.isSilence = true;
        texts.silenceDulation = QString::fromLatin1(text);
        EXPECT_EQ(messageFor(texts), kPauseNotNumber) << text;
        texts = valid();
        texts.posX = QString::fromLatin1(text);
        EXPECT_EQ(messageFor(texts), kPosXNotNumber) << text;
    }
}

TEST(OptionValidation, PassesThePauseOnlyWhileItIsSwitchedOn) {
    auto texts = valid();
    texts.posX = QStringLiteral("10");
    texts.silenceDulation = QStringLiteral("2");
    auto numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.posX, 10.0f);
    EXPECT_EQ(numbers.pauseLength, 0.0);

    texts.isSilence = true;
    numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.pauseLength, 2.0);

    texts.silenceDulation = QStringLiteral("0");
    numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.pauseLength, 0.0);
}
