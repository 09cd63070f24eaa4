#include "wrap/CaptionWrapper.h"
#include "wrap/TextWidth.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

const QString kSentences[] = {
    u"今日はとてもいい天気ですね。散歩に行きましょう！"_s,
    u"「ちょっと待って」と彼女は言った……でも、もう遅かった――。"_s,
    u"iPhone 15 Proを2023年9月に買いましたが、バッテリーの持ちがとても良いです。"_s,
    u"ラーメンを食べに行ったら、行列が100メートルも続いていてびっくりしました😀"_s,
    u"ｶﾀｶﾅで書かれたﾒﾆｭｰを読むのは、ちょっと大変です。"_s,
    u"東京スカイツリーの高さは634メートルで、世界一高いタワーです。"_s,
    u"「ありがとう」って、ちゃんと言えたかな？　明日もう一度会いに行こう。"_s,
    u"時々、人々が集まって色々な話をします。"_s,
    u"Wi-Fiのパスワードを入力してから、もう一度お試しください。"_s,
    u"ストラットフォード・オン・エイヴォンは、シェイクスピアの生まれたところです。"_s,
};

QStringList wrapped(const QString& caption, int width) {
    Result<CaptionWrapper> wrapper = CaptionWrapper::create(width);
    EXPECT_TRUE(wrapper);
    return wrapper ? wrapper->wrap(caption) : QStringList();
}

// What may not start a line, what may not end one, and the runs no break may fall inside.
const QString kNoLineStart =
    u"」』）］｝〕〉》】)]}、。，．！？・：；,.!?:;ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶー々ｰｯｬｭｮ"_s;
const QString kNoLineEnd = u"「『（［｛〔〈《【([{"_s;

bool isAsciiAlnum(QChar c) {
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// Why the break between two lines breaks a rule, or nothing. `adjacent` tells whether the two
// lines met in the caption, with no blank between them.
std::string brokenRule(const QString& line, const QString& next, bool adjacent) {
    const QChar before = line.back();
    const QChar after = next.front();
    if (kNoLineStart.contains(after)) {
        return "line starts with " + QString(after).toStdString();
    }
    if (kNoLineEnd.contains(before)) {
        return "line ends with " + QString(before).toStdString();
    }
    if ((before == u'…' && after == u'…') || (before == u'―' && after == u'―')) {
        return "split " + (QString(before) + after).toStdString();
    }
    if (adjacent && isAsciiAlnum(before) && isAsciiAlnum(after)) {
        return "split a run of digits or Latin letters";
    }
    return {};
}

QString withoutBlanks(QString text) {
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

} // namespace

TEST(TextWidth, CountsWideAndFullWidthCharactersTwiceAndEveryOtherOnce) {
    const std::pair<QString, int> cases[] = {
        {u"abc 123"_s, 7},
        {u"かなカナ漢字"_s, 12},
        {u"ｶﾀｶﾅ"_s, 4},   // half-width katakana
        {u"ＡＢ１"_s, 6}, // full-width Latin and digits
        {u"「」、。"_s, 8},
        {u"……――"_s, 4},               // ambiguous width counts once
        {u"😀"_s, 2},                  // one character of two code units
        {u"👨‍👩‍👧"_s, 2}, // joined emoji are one character
        {u"か\u3099"_s, 2},           // が with a combining mark
    };
    for (const auto& [text, width] : cases) {
        EXPECT_EQ(halfWidthUnits(text), width) << text.toStdString();
    }
}

// Words a reader takes as one: names no dictionary knows, inflected and compound verbs stay whole
// at every width from 20 (on narrower lines the model's phrases may still cut a name).
TEST(CaptionWrapper, KeepsNamesInflectedAndCompoundVerbsWhole) {
    const std::pair<QString, QStringList> cases[] = {
        {u"こんにちは、結月ゆかりです。"_s, {u"こんにちは"_s, u"結月ゆかり"_s}},
        {u"今日は結月ゆかりさんと、東北ずん子さんに会いました。"_s,
         {u"結月ゆかり"_s, u"東北ずん子"_s, u"会いました"_s}},
        {u"「ちょっと待って」って言ったけど、もう遅かったみたいです。"_s,
         {u"言ったけど"_s, u"遅かった"_s}},
        {u"四国めたんと春日部つむぎが、ずんだもんの家に遊びに来ました。"_s,
         {u"四国めたん"_s, u"春日部つむぎ"_s, u"ずんだもん"_s, u"来ました"_s}},
        {u"彼女は床に落ちた鍵を拾い上げ、そっとポケットにしまった。"_s, {u"拾い上げ"_s}},
        {u"つむぎは小さな声で歌い始め、みんなが静かに聞き入った。"_s, {u"歌い始め"_s}},
    };
    for (int width = 20; width <= 40; ++width) {
        Result<CaptionWrapper> wrapper = CaptionWrapper::create(width);
        ASSERT_TRUE(wrapper);
        for (const auto& [sentence, words] : cases) {
            const QStringList lines = wrapper->wrap(sentence);
            for (const QString& word : words) {
                EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                        [&](const QString& line) { return line.contains(word); }))
                    << word.toStdString() << " at width " << width << ": "
                    << lines.join(u" | ").toStdString();
            }
        }
    }
}

// A line ends after a sentence or a clause when that fits, before any phrase break that fills
// the line more.
TEST(CaptionWrapper, BreaksAfterASentenceOrAClauseThatFits) {
    EXPECT_EQ(wrapped(u"こんにちは、結月ゆかりです。"_s, 26),
              (QStringList{u"こんにちは、"_s, u"結月ゆかりです。"_s}));
    EXPECT_EQ(wrapped(u"雨です。「傘を持って行きなさい」と母は言った。"_s, 40),
              (QStringList{u"雨です。"_s, u"「傘を持って行きなさい」と母は言った。"_s}));
    EXPECT_EQ(wrapped(u"今日はいい天気ですね。散歩に行きましょう！"_s, 24),
              (QStringList{u"今日はいい天気ですね。"_s, u"散歩に行きましょう！"_s}));
}

// At every width the lines keep the sentence's text, fit the width and break no rule.
TEST(CaptionWrapper, NeverBreaksTheLineRulesAtAnyWidth) {
    for (int width = 10; width <= 40; ++width) {
        Result<CaptionWrapper> wrapper = CaptionWrapper::create(width);
        ASSERT_TRUE(wrapper);
        for (const QString& sentence : kSentences) {
            const QStringList lines = wrapper->wrap(sentence);
            const std::string where =
                QStringLiteral("width %1: %2").arg(width).arg(lines.join(u" | ")).toStdString();
            EXPECT_EQ(withoutBlanks(lines.join(QString())), withoutBlanks(sentence)) << where;
            qsizetype at = 0;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                EXPECT_LE(halfWidthUnits(lines[i]), width) << where;
                at = sentence.indexOf(lines[i], at) + lines[i].size();
                if (i + 1 < lines.size()) {
                    const bool adjacent = sentence.sliced(at).startsWith(lines[i + 1]);
                    EXPECT_EQ(brokenRule(lines[i], lines[i + 1], adjacent), "") << where;
                }
            }
        }
    }
}

TEST(CaptionWrapper, KeepsTheCaptionsOwnLinesAndDropsBlankOnes) {
    EXPECT_EQ(wrapped(u"一行目です\r\n\r\n　\n二行目\rです"_s, 40),
              (QStringList{u"一行目です"_s, u"二行目"_s, u"です"_s}));
    EXPECT_EQ(wrapped(u" \n"_s, 20), QStringList());
}

TEST(CaptionWrapper, KeepsARunThatMayNotBeBrokenWholeAndDropsBlanksAtBreaks) {
    EXPECT_EQ(wrapped(u"abcdefghijklmnop です"_s, 10),
              (QStringList{u"abcdefghijklmnop"_s, u"です"_s}));
    EXPECT_EQ(wrapped(u"1234567890123456789"_s, 10), QStringList{u"1234567890123456789"_s});
}
