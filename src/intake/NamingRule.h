#pragma once

#include "core/Failure.h"

#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace brisomel {

// Where the speaker of a line is read: from its file name in one of the forms voice tools write,
// from a "話者＞" prefix of its caption, or by a template of the user's own.
enum class NamingKind { standard, plain, datetime, hyphen, captionPrefix, custom };

// A built-in rule by the name the converter and the settings know it by.
struct NamingRuleInfo {
    NamingKind kind;
    QString name;
};

// The built-in rules, the default first.
std::span<const NamingRuleInfo> namingRules();

// A token of a template of the user's own: what it is written as, what it stands for and what
// it matches.
struct TemplateToken {
    QString token;
    QString meaning;
    QString pattern;
};
std::span<const TemplateToken> templateTokens();

// The name under which the settings keep a template of the user's own.
inline const QString kTemplateNamingName = QStringLiteral("template");

// The speaker a rule finds for one line, and how much of the caption's start was the speaker's
// prefix, which titles and subtitles leave out.
struct LineSpeaker {
    std::optional<QString> speaker; // none when the line does not fit the rule
    qsizetype captionStart = 0;
};

class NamingRule {
public:
    // The standard rule: "番号_話者（スタイル）_セリフ".
    NamingRule() = default;

    // A built-in rule by its name.
    static std::optional<NamingRule> named(QStringView name);
    // A template of tokens and literal text, matched against the whole file name:
    // $連番$ and $日付$ digits, $キャラ$ the speaker, $スタイル$, $テキスト$ and * anything.
    // It must hold $キャラ$ exactly once.
    static Result<NamingRule> fromTemplate(const QString& text);
    // The rule kept under a name (kTemplateNamingName for the template): the standard rule when
    // the name is unknown or the template unusable, as only a store edited by hand can hold.
    static NamingRule chosen(QStringView name, const QString& templateText);

    NamingKind kind() const { return kind_; }
    // The settings' and the converter's name; kTemplateNamingName for a template.
    QString name() const;
    const QString& templateText() const { return templateText_; }

    // The speaker of the line with this base name and caption (line ends LF).
    LineSpeaker speakerOf(const QString& fileName, QStringView caption) const;

    friend bool operator==(const NamingRule& a, const NamingRule& b) {
        return a.kind_ == b.kind_ && a.templateText_ == b.templateText_;
    }

private:
    NamingRule(NamingKind kind, const QString& pattern, QString templateText = {});

    NamingKind kind_ = NamingKind::standard;
    // The file-name rules but the standard one: the whole name, the speaker in group "speaker".
    QRegularExpression pattern_;
    QString templateText_;
};

} // namespace brisomel
