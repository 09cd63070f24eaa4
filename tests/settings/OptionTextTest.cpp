#include "settings/NumberText.h"
#include "settings/OptionValidation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

QString messageFor(const OptionTexts& texts) {
    const auto result = validateOptionTexts(texts);
    return result ? QString() : result.failure().message();
}

OptionTexts valid() {
    return {u"A"_s, u"0"_s, u"0"_s, u"0.5"_s, false};
}

} // namespace

TEST(NumberText, AcceptsOnlyTextTheConversionConsumesWhole) {
    EXPECT_EQ(parseDoubleText(u"1.5"_s), 1.5);
    EXPECT_EQ(parseDoubleText(u"-3"_s), -3.0);
    EXPECT_EQ(parseDoubleText(u"1e2"_s), 100.0);
    EXPECT_EQ(parseDoubleText(u"+2"_s), 2.0);
    EXPECT_EQ(parseFloatText(u"0.1"_s), 0.1f);
    for (const char* rejected : {"", " 1.5", "\t1", "\n1", "\v1", "\f1", "\r1", "1.5 ", "1,5",
                                 "1.5px", "abc", "-", "1a"}) {
        EXPECT_FALSE(parseDoubleText(QString::fromLatin1(rejected))) << rejected;
        EXPECT_FALSE(parseFloatText(QString::fromLatin1(rejected))) << rejected;
    }
    EXPECT_FALSE(parseDoubleText(u"１２"_s)) << "full-width digits";
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
    EXPECT_EQ(parseDoubleText(u"1.5"_s), 1.5);
    EXPECT_EQ(parseFloatText(u"-2.25"_s), -2.25f);
    EXPECT_FALSE(parseDoubleText(u"1,5"_s));
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) {
        GTEST_SKIP() << "no comma-decimal locale installed; checked under the C locale only";
    }
}

TEST(OptionValidation, ReportsOnlyTheFirstProblemInOrder) {
    auto texts = valid();
    texts.timelineName.clear();
    texts.posX = u"abc"_s;
    EXPECT_EQ(messageFor(texts), kTimelineNameMissing);

    texts = valid();
    texts.timelineName = u"   "_s;
    texts.posX = u"abc"_s;
    texts.posY = u"abc"_s;
    EXPECT_EQ(messageFor(texts), kPosXNotNumber) << "a name of spaces passes";
    texts.posX = u"10"_s;
    EXPECT_EQ(messageFor(texts), kPosYNotNumber);

    texts = valid();
    texts.silenceDulation = u"abc"_s;
    EXPECT_EQ(messageFor(texts), kPauseNotNumber) << "checked even while the pause is off";
    texts.silenceDulation = u"-1"_s;
    EXPECT_EQ(messageFor(texts), kPauseNegative);

    texts = valid();
    texts.posX = u" 10"_s;
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
    texts.posX = u"10"_s;
    texts.silenceDulation = u"2"_s;
    auto numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.posX, 10.0f);
    EXPECT_EQ(numbers.pauseLength, 0.0);

    texts.isSilence = true;
    numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.pauseLength, 2.0);

    texts.silenceDulation = u"0"_s;
    numbers = *validateOptionTexts(texts);
    EXPECT_EQ(numbers.pauseLength, 0.0);
}
