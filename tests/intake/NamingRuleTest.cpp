#include "intake/NamingRule.h"
#include "intake/NamingSuggestion.h"

#include "IntakeTestSupport.h"

#include <array>
#include <vector>

namespace brisomel {
namespace {

using test::q;
using namespace Qt::StringLiterals;

constexpr std::size_t kRuleCount = 5;
const char16_t* const none = nullptr;

// A line, the speaker each rule finds in the order of namingRules() (none: no fit), and the
// caption-prefix rule's title (none: the caption as it is).
struct NamedLine {
    const char16_t* fileName;
    const char16_t* caption;
    std::array<const char16_t*, kRuleCount> speakers;
    const char16_t* prefixTitle = nullptr;
};

const NamedLine kLines[] = {
    // The default names of the voice tools.
    {u"001_ずんだもん（ノーマル）_はい", u"はい", {u"ずんだもん", u"ずんだもん", none, none, none}},
    {u"001_四国めたん_おはよう", u"おはよう", {none, u"四国めたん", none, none, none}},
    {u"1_霊夢_ゆっくりしていってね", u"", {none, u"霊夢", none, none, none}},
    {u"251119_081002_ずんだもん_こんにちは",
     u"こんにちは",
     {none, u"081002", u"ずんだもん", none, none}},
    {u"0-結月ゆかり-こんにちは", u"こんにちは", {none, none, none, u"結月ゆかり", none}},
    {u"VOICEROID2_123456789",
     u"結月ゆかり＞こんにちは",
     {none, none, none, none, u"結月ゆかり"},
     u"こんにちは"},
    // A text part holding the separators and a parenthesis.
    {u"001_ずんだもん（ノーマル）_はい_いいえ",
     u"x",
     {u"ずんだもん", u"ずんだもん", none, none, none}},
    {u"001_四国めたん_おは-よう（笑）", u"x", {none, u"四国めたん", none, none, none}},
    {u"0-結月ゆかり-こん_にち-は（笑）", u"x", {none, none, none, u"結月ゆかり", none}},
    // Decomposed kana are kept as written (speakers are compared in their composed form).
    {u"001_す\u3099んだもん_はい", u"x", {none, u"す\u3099んだもん", none, none, none}},
    // No text part.
    {u"001_四国めたん", u"x", {none, u"四国めたん", none, none, none}},
    {u"251119_081002_ずんだもん", u"x", {none, u"081002", u"ずんだもん", none, none}},
    {u"0-結月ゆかり", u"x", {none, none, none, u"結月ゆかり", none}},
    // No speaker field, or an empty one.
    {u"001_はい", u"x", {none, u"はい", none, none, none}},
    {u"001__はい", u"x", {none, none, none, none, none}},
    {u"0--はい", u"x", {none, none, none, none, none}},
    {u"こんにちは", u"x", {none, none, none, none, none}},
    // Captions: the mark on the first line only, either width, a name before it, a line kept.
    {u"v1", u"こんにちは\n結月ゆかり＞さようなら", {none, none, none, none, none}},
    {u"v2", u"結月ゆかり>こんにちは", {none, none, none, none, u"結月ゆかり"}, u"こんにちは"},
    {u"v3", u"＞こんにちは", {none, none, none, none, none}},
    {u"v4",
     u"琴葉 茜＞こんにちは＞\nまたね",
     {none, none, none, none, u"琴葉 茜"},
     u"こんにちは＞ またね"},
    {u"v5", nullptr, {none, none, none, none, none}},
};

// The entry of one line, with its caption file when it has one.
FileListPtr lineEntry(const test::TempFolder& folder, const NamedLine& line,
                      const NamingRule& rule) {
    std::optional<FileListData::LocalFile> caption;
    if (line.caption) {
        caption = FileListData::LocalFile{
            folder.write(q(line.fileName) + QStringLiteral(".txt"), q(line.caption).toUtf8()), {}};
    }
    auto created = FileListData::create(q(line.fileName), caption, std::nullopt, rule);
    EXPECT_TRUE(created);
    return created ? *created : nullptr;
}

TEST(NamingRule, EveryRuleOverTheVoiceToolsNames) {
    ASSERT_EQ(namingRules().size(), kRuleCount);
    test::TempFolder folder;
    for (std::size_t r = 0; r < kRuleCount; ++r) {
        const NamingRuleInfo& info = namingRules()[r];
        const std::optional<NamingRule> rule = NamingRule::named(info.name);
        ASSERT_TRUE(rule) << info.name.toStdString();
        EXPECT_EQ(rule->name(), info.name);
        for (const NamedLine& line : kLines) {
            const FileListPtr entry = lineEntry(folder, line, *rule);
            ASSERT_TRUE(entry);
            const char16_t* speaker = line.speakers[r];
            const QString where = info.name + u' ' + q(line.fileName);
            EXPECT_EQ(entry->hasSpeaker(), speaker != nullptr) << where.toStdString();
            EXPECT_EQ(entry->charactorName(), speaker ? q(speaker) : FileListData::defaultName)
                << where.toStdString();
            const bool stripped = info.kind == NamingKind::captionPrefix && line.prefixTitle;
            QString title = line.caption ? q(line.caption) : QString();
            title.replace(u'\n', u' ');
            EXPECT_EQ(entry->text(), stripped ? q(line.prefixTitle) : title) << where.toStdString();
        }
    }
}

TEST(NamingRule, TemplatesMatchTheWholeNameWithTheSpeakerWhereTheTemplatePlacesIt) {
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u"$連番$_$キャラ$（$スタイル$）_$テキスト$", u"001_ずんだもん（ノーマル）_はい",
         u"ずんだもん"},
        {u"$連番$_$キャラ$（$スタイル$）_$テキスト$", u"001_四国めたん_おはよう", none},
        {u"$連番$_$キャラ$（$スタイル$）_$テキスト$", u"x01_ずんだもん（ノーマル）_はい", none},
        {u"$キャラ$_$テキスト$", u"四国めたん_おは_よう", u"四国めたん"},
        {u"$日付$_*_$キャラ$_$テキスト$", u"251119_081002_ずんだもん_こんにちは", u"ずんだもん"},
        {u"$連番$-$キャラ$-$テキスト$", u"0-結月ゆかり-こん-にちは", u"結月ゆかり"},
        // Literal text is matched as written, characters that patterns use included.
        {u"[$キャラ$].$テキスト$", u"[花子].こんにちは", u"花子"},
        {u"[$キャラ$].$テキスト$", u"[花子]xこんにちは", none},
        {u"$キャラ$", u"花子", u"花子"},
        {u"$キャラ$$連番$", u"花子7", u"花子"},
    };
    for (const auto& [text, fileName, speaker] : cases) {
        const Result<NamingRule> rule = NamingRule::fromTemplate(q(text));
        ASSERT_TRUE(rule) << q(text).toStdString();
        EXPECT_EQ(rule->name(), kTemplateNamingName);
        const LineSpeaker found = rule->speakerOf(q(fileName), {});
        EXPECT_EQ(found.speaker, speaker ? std::optional(q(speaker)) : std::nullopt)
            << q(text).toStdString() << ' ' << q(fileName).toStdString();
    }
    for (const char16_t* bad : {u"", u"$連番$_$テキスト$", u"$キャラ$_$キャラ$", u"$キャラ"}) {
        EXPECT_FALSE(NamingRule::fromTemplate(q(bad))) << q(bad).toStdString();
    }
}

// Names are exact; a stored choice that names no rule, or a bad template, is the standard rule.
TEST(NamingRule, AStoredChoiceFallsBackToTheStandardRule) {
    const QString text = QStringLiteral("$連番$_$キャラ$_$テキスト$");
    EXPECT_EQ(NamingRule(), *NamingRule::named(u"standard"));
    EXPECT_FALSE(NamingRule::named(u"Standard") || NamingRule::named(u"template"));
    EXPECT_EQ(NamingRule::chosen(u"hyphen", text), *NamingRule::named(u"hyphen"));
    EXPECT_EQ(NamingRule::chosen(kTemplateNamingName, text), *NamingRule::fromTemplate(text));
    EXPECT_EQ(NamingRule::chosen(kTemplateNamingName, QStringLiteral("$連番$")), NamingRule());
    EXPECT_EQ(NamingRule::chosen(u"nonsense", text), NamingRule());
}

// The rule offered for a folder is the one that finds the most speakers, a date or a take number
// never counting as one; ties go to the earlier rule. Every caption names one speaker.
TEST(NamingRule, TheSuggestionFitsEachVoiceToolsNames) {
    const std::tuple<QString, const char16_t*, qsizetype> folders[] = {
        {u"001_ずんだもん（ノーマル）_はい 002_四国めたん（あまあま）_うん"_s, u"standard", 2},
        {u"001_四国めたん_おはよう 2_霊夢_ゆっくり 3_霊夢_x"_s, u"plain", 2},
        {u"251119_081002_ずんだもん_こんにちは 251119_081010_四国めたん_はい "
         u"251119_081013_春日部つむぎ_うん"_s,
         u"datetime", 3},
        {u"0-結月ゆかり-こんにちは 1-弦巻マキ-はい"_s, u"hyphen", 2},
        {u"VOICEROID2_123456789"_s, u"caption-prefix", 1},
    };
    for (const auto& [names, rule, speakers] : folders) {
        std::vector<NamingSample> lines;
        for (const QString& name : names.split(u' ')) {
            lines.push_back({name, u"結月ゆかり＞こんにちは"_s}); // one speaker by the caption
        }
        const std::optional<NamingSuggestion> suggested = suggestNamingRule(lines);
        ASSERT_TRUE(suggested) << q(rule).toStdString();
        EXPECT_EQ(suggested->rule.name, q(rule));
        EXPECT_EQ(suggested->speakerCount, speakers) << q(rule).toStdString();
    }
    const std::vector<NamingSample> digits = {{u"20220418005821_081002_1"_s, {}}, {u"1_2_3"_s, {}}};
    EXPECT_EQ(speakersFound(*NamingRule::named(u"plain"), digits), 0);
    EXPECT_FALSE(suggestNamingRule(digits));
}

} // namespace
} // namespace brisomel
