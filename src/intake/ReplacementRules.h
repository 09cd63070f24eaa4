#pragma once

#include "core/Failure.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

namespace brisomel {

// One replacement: plain text, or a regular expression whose replacement may name its groups
// as \1 to \99.
struct ReplacementRule {
    QString find;
    QString replace;
    bool regex = false;

    friend bool operator==(const ReplacementRule&, const ReplacementRule&) = default;
};

// The user's replacements, applied to a caption one after another in their order.
class ReplacementRules {
public:
    ReplacementRules() = default;
    // The rules when every regular expression compiles; else the failure naming the first that
    // does not, its rule's number (from 1) and the character where it goes wrong. `where` names
    // the source ("置換ルール" or the file) in the message.
    static Result<ReplacementRules> checked(QList<ReplacementRule> rules,
                                            const QString& where = {});

    const QList<ReplacementRule>& rules() const { return rules_; }
    bool isEmpty() const { return rules_.isEmpty(); }
    // The caption after every rule; a rule with an empty search text changes nothing.
    QString apply(QString caption) const;
    // The caption after the rule at this place only.
    QString applyOne(qsizetype index, QString caption) const;

    friend bool operator==(const ReplacementRules& a, const ReplacementRules& b) {
        return a.rules_ == b.rules_;
    }

private:
    QList<ReplacementRule> rules_;
    QList<QRegularExpression> expressions_; // compiled once, by rule (empty for plain text)
};

// The rules as a rule file holds them: one rule a line, "検索<TAB>置換", and "<TAB>regex" after a
// regular expression's; UTF-8, LF line ends.
QString replacementFileText(const ReplacementRules& rules);
// Reads that text (a byte-order mark, CR LF line ends and empty lines allowed); the failure
// names `where`, the line and what is wrong with it.
Result<ReplacementRules> parseReplacementText(const QString& text, const QString& where);
// Reads a rule file; the failure names the file.
Result<ReplacementRules> readReplacementFile(const QString& path);
// Writes a rule file atomically; a rule holding a tab or a line break, which the file cannot
// keep, is refused by its number before anything is written.
Status writeReplacementFile(const QString& path, const ReplacementRules& rules);

} // namespace brisomel
