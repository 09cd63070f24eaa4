#include "settings/NumberText.h"
#include "settings/OptionTable.h"
#include "settings/OptionValidation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace brisomel;
using namespace Qt::StringLiterals;

// Under a comma-decimal process locale too, where there is one.
TEST(NumberText, AcceptsOnlyTextTheConversionConsumesWholeWithAFullStop) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            break;
        }
    }
    const std::pair<const char*, double> accepted[] = {
        {"1.5", 1.5}, {"-3", -3.0}, {"1e2", 100.0}, {"+2", 2.0}, {"-2.25", -2.25}, {"0.1", 0.1}};
    for (const auto& [text, value] : accepted) {
        EXPECT_EQ(parseDoubleText(QString::fromLatin1(text)), value) << text;
        EXPECT_EQ(parseFloatText(QString::fromLatin1(text)), static_cast<float>(value)) << text;
    }
    const QString embeddedNul = QString::fromUtf16(u"1\u00005", 3);
    const QString rejected[] = {u""_s,    u" 1.5"_s, u"\t1"_s,  u"\n1"_s,  u"\v1"_s,
                                u"\f1"_s, u"\r1"_s,  u"1.5 "_s, u"1,5"_s,  u"1.5px"_s,
                                u"abc"_s, u"-"_s,    u"1a"_s,   u"１２"_s, embeddedNul};
    for (const QString& text : rejected) {
        EXPECT_FALSE(parseDoubleText(text)) << text.toStdString();
        EXPECT_FALSE(parseFloatText(text)) << text.toStdString();
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// The first problem in the window's order, else the numbers: the pause only while it is on.
TEST(OptionValidation, TheFirstProblemInOrderOrTheNumbers) {
    const auto failed = [](OptionKey key) { return u"failed "_s + option(key).label.toString(); };
    // The option a failure's message names first.
    const auto named = [](const QString& message) {
        for (const OptionDescriptor& row : optionTable()) {
            if (message.startsWith(row.label)) {
                return row.label.toString();
            }
        }
        return QString();
    };
    const std::pair<OptionTexts, QString> cases[] = {
        {{u""_s, u"abc"_s, u"abc"_s, u"abc"_s, true}, kTimelineNameMissing},
        {{u"   "_s, u"abc"_s, u"abc"_s, u"0.5"_s, false}, failed(OptionKey::posX)}, // a name
        {{u"A"_s, u"10"_s, u"abc"_s, u"abc"_s, false}, failed(OptionKey::posY)},
        {{u"A"_s, u"0"_s, u"0"_s, u"abc"_s, false}, failed(OptionKey::silenceDulation)}, // off
        {{u"A"_s, u"0"_s, u"0"_s, u"-1"_s, false}, failed(OptionKey::silenceDulation)},
        // Numbers that cannot be placed, or not within what an editor holds.
        {{u"A"_s, u"0"_s, u"nan"_s, u"0"_s, false}, failed(OptionKey::posY)},
        {{u"A"_s, u"0"_s, u"0"_s, u"1e999"_s, true}, failed(OptionKey::silenceDulation)},
        {{u"A"_s, u"-10000.5"_s, u"0"_s, u"0"_s, false}, failed(OptionKey::posX)},
        {{u"A"_s, u"0"_s, u"1e5"_s, u"0"_s, false}, failed(OptionKey::posY)},
        {{u"A"_s, u"0"_s, u"0"_s, u"1e10"_s, true}, failed(OptionKey::silenceDulation)},
        {{u"A"_s, u"10"_s, u"-2.5"_s, u"2"_s, false}, u"10 -2.5 0"_s},
        {{u"A"_s, u"-10000"_s, u"10000"_s, u"3600"_s, true}, u"-10000 10000 3600"_s},
    };
    for (const auto& [texts, expected] : cases) {
        const Result<OptionNumbers> result = validateOptionTexts(texts);
        const QString outcome =
            result ? u"%1 %2 %3"_s.arg(result->posX).arg(result->posY).arg(result->pauseLength)
            : result.failure().code == FailureCode::optionValue
                ? u"failed "_s + named(result.failure().message())
                : result.failure().message();
        EXPECT_EQ(outcome.toStdString(), expected.toStdString()) << texts.posX.toStdString();
    }
}
