#include "intake/NamingRule.h"

#include "intake/SpeakerName.h"

#include <algorithm>
#include <array>

namespace brisomel {

namespace {

const std::array<NamingRuleInfo, 5> kRules = {{
    {NamingKind::standard, QStringLiteral("standard")},
    {NamingKind::plain, QStringLiteral("plain")},
    {NamingKind::datetime, QStringLiteral("datetime")},
    {NamingKind::hyphen, QStringLiteral("hyphen")},
    {NamingKind::captionPrefix, QStringLiteral("caption-prefix")},
}};

// The file-name rules as patterns of the whole name. The number fields are digits; the speaker
// is the field at its place, the text after it may hold the separator and may be missing.
// "plain" leaves out a style part in full-width parentheses that ends the speaker's field.
QString patternOf(NamingKind kind) {
    switch (kind) {
    case NamingKind::plain:
        return QStringLiteral("[0-9]+_(?<speaker>[^_]*?)(?:（[^_]*）)?(?:_.*)?");
    case NamingKind::datetime:
        return QStringLiteral("[0-9]+_[0-9]+_(?<speaker>[^_]+)(?:_.*)?");
    case NamingKind::hyphen:
        return QStringLiteral("[0-9]+-(?<speaker>[^-]+)(?:-.*)?");
    default:
        return {};
    }
}

const QString kSpeakerToken = QStringLiteral("$キャラ$");

// Every field takes as little as lets the rest of the name match, so the speaker ends at the
// first place where the template's next literal fits.
const std::array<TemplateToken, 6> kTokens = {{
    {QStringLiteral("$連番$"), QStringLiteral("番号（数字）"), QStringLiteral("[0-9]+")},
    {kSpeakerToken, QStringLiteral("話者"), QStringLiteral("(?<speaker>.+?)")},
    {QStringLiteral("$スタイル$"), QStringLiteral("スタイル"), QStringLiteral(".*?")},
    {QStringLiteral("$テキスト$"), QStringLiteral("セリフ"), QStringLiteral(".*?")},
    {QStringLiteral("$日付$"), QStringLiteral("日付（数字）"), QStringLiteral("[0-9]+")},
    {QStringLiteral("*"), QStringLiteral("任意の文字列"), QStringLiteral(".*?")},
}};

// The template as a pattern, with the number of speaker tokens it holds.
std::pair<QString, int> templatePattern(const QString& text) {
    QString pattern;
    QString literal;
    int speakers = 0;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView rest = QStringView(text).sliced(i);
        const auto token = std::find_if(kTokens.begin(), kTokens.end(),
                                        [&](const auto& t) { return rest.startsWith(t.token); });
        if (token == kTokens.end()) {
            literal += text[i++];
            continue;
        }
        pattern += QRegularExpression::escape(literal) + token->pattern;
        literal.clear();
        speakers += token->token == kSpeakerToken ? 1 : 0;
        i += token->token.size();
    }
    return {pattern + QRegularExpression::escape(literal), speakers};
}

// The caption's text before the first "＞" or ">" of its first line.
LineSpeaker captionPrefixSpeaker(QStringView caption) {
    const qsizetype lineEnd = caption.indexOf(u'\n');
    const QStringView firstLine = lineEnd < 0 ? caption : caption.first(lineEnd);
    const auto mark = std::find_if(firstLine.begin(), firstLine.end(),
                                   [](QChar c) { return c == u'＞' || c == u'>'; });
    const qsizetype length = mark - firstLine.begin();
    if (mark == firstLine.end() || length == 0) {
        return {}; // no mark, or no name before it
    }
    return {firstLine.first(length).toString(), length + 1};
}

} // namespace

std::span<const NamingRuleInfo> namingRules() {
    return kRules;
}

std::span<const TemplateToken> templateTokens() {
    return kTokens;
}

NamingRule::NamingRule(NamingKind kind, const QString& pattern, QString templateText)
    : kind_(kind), templateText_(std::move(templateText)) {
    if (!pattern.isEmpty()) {
        pattern_ = QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
    }
}

std::optional<NamingRule> NamingRule::named(QStringView name) {
    for (const NamingRuleInfo& info : kRules) {
        if (info.name == name) {
            return NamingRule(info.kind, patternOf(info.kind));
        }
    }
    return std::nullopt;
}

Result<NamingRule> NamingRule::fromTemplate(const QString& text) {
    const auto [pattern, speakers] = templatePattern(text);
    if (speakers != 1) {
        return Failure{QStringLiteral("テンプレート %1 は使えません"), text,
                       speakers == 0 ? QStringLiteral("$キャラ$ がありません")
                                     : QStringLiteral("$キャラ$ は 1 つだけにしてください")};
    }
    return NamingRule(NamingKind::custom, pattern, text);
}

NamingRule NamingRule::chosen(QStringView name, const QString& templateText) {
    if (name == kTemplateNamingName) {
        Result<NamingRule> rule = fromTemplate(templateText);
        return rule ? std::move(*rule) : NamingRule();
    }
    return named(name).value_or(NamingRule());
}

QString NamingRule::name() const {
    for (const NamingRuleInfo& info : kRules) {
        if (info.kind == kind_) {
            return info.name;
        }
    }
    return kTemplateNamingName;
}

LineSpeaker NamingRule::speakerOf(const QString& fileName, QStringView caption) const {
    switch (kind_) {
    case NamingKind::standard:
        return {standardSpeakerOf(fileName)};
    case NamingKind::captionPrefix:
        return captionPrefixSpeaker(caption);
    default:
        break;
    }
    const QRegularExpressionMatch match = pattern_.match(fileName);
    QString speaker = match.captured(QStringLiteral("speaker"));
    if (speaker.isEmpty()) {
        return {};
    }
    return {std::move(speaker)};
}

} // namespace brisomel
