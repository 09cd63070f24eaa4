#include "intake/ReplacementRules.h"

#include "core/AtomicFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace brisomel {

namespace {

const QString kRegexMark = QStringLiteral("regex");

Failure ruleFailure(const QString& where, const QString& reason) {
    return {QStringLiteral("置換ルール %1 を使えません"), where, reason};
}

QRegularExpression compiled(const ReplacementRule& rule) {
    return QRegularExpression(rule.find, QRegularExpression::UseUnicodePropertiesOption);
}

// What is wrong with a regular expression that does not compile, naming it and the character.
std::optional<QString> regexProblem(const ReplacementRule& rule) {
    if (!rule.regex) {
        return std::nullopt;
    }
    const QRegularExpression expression = compiled(rule);
    if (expression.isValid()) {
        return std::nullopt;
    }
    return QStringLiteral("正規表現 \"%1\" の %2 文字目に誤りがあります（%3）。直してください")
        .arg(rule.find, QString::number(expression.patternErrorOffset() + 1),
             expression.errorString());
}

} // namespace

Result<ReplacementRules> ReplacementRules::checked(QList<ReplacementRule> rules,
                                                   const QString& where) {
    for (qsizetype i = 0; i < rules.size(); ++i) {
        if (const auto problem = regexProblem(rules[i])) {
            return ruleFailure(
                where.isEmpty() ? QStringLiteral("（設定）") : where,
                QStringLiteral("%1 番目のルール: %2").arg(QString::number(i + 1), *problem));
        }
    }
    ReplacementRules checkedRules;
    for (const ReplacementRule& rule : rules) {
        checkedRules.expressions_ << (rule.regex ? compiled(rule) : QRegularExpression());
    }
    checkedRules.rules_ = std::move(rules);
    return checkedRules;
}

QString ReplacementRules::apply(QString caption) const {
    for (qsizetype i = 0; i < rules_.size(); ++i) {
        caption = applyOne(i, std::move(caption));
    }
    return caption;
}

QString ReplacementRules::applyOne(qsizetype index, QString caption) const {
    const ReplacementRule& rule = rules_[index];
    if (rule.find.isEmpty()) {
        return caption;
    }
    if (rule.regex) {
        return caption.replace(expressions_[index], rule.replace);
    }
    return caption.replace(rule.find, rule.replace);
}

QString replacementFileText(const ReplacementRules& rules) {
    QString text;
    for (const ReplacementRule& rule : rules.rules()) {
        text += rule.find + u'\t' + rule.replace;
        if (rule.regex) {
            text += u'\t' + kRegexMark;
        }
        text += u'\n';
    }
    return text;
}

Result<ReplacementRules> parseReplacementText(const QString& text, const QString& where) {
    QList<ReplacementRule> rules;
    QString body = text;
    if (body.startsWith(u'\xFEFF')) {
        body.remove(0, 1);
    }
    const QStringList lines = body.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (line.isEmpty()) {
            continue;
        }
        const QStringList fields = line.split(u'\t');
        const auto lineProblem = [&](const QString& what) {
            return ruleFailure(where,
                               QStringLiteral("%1 行目: %2").arg(QString::number(i + 1), what));
        };
        if (fields.size() < 2 || fields.size() > 3 ||
            (fields.size() == 3 && fields[2] != kRegexMark)) {
            return lineProblem(
                QStringLiteral("「検索<TAB>置換」か「検索<TAB>置換<TAB>regex」で書いてください"));
        }
        if (fields[0].isEmpty()) {
            return lineProblem(QStringLiteral("検索する文字列が空です"));
        }
        ReplacementRule rule{fields[0], fields[1], fields.size() == 3};
        if (const auto problem = regexProblem(rule)) {
            return lineProblem(*problem);
        }
        rules << std::move(rule);
    }
    return ReplacementRules::checked(std::move(rules), where);
}

Result<ReplacementRules> readReplacementFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return ruleFailure(path, file.errorString());
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError()) {
        return ruleFailure(path, QStringLiteral("UTF-8 で保存してください"));
    }
    return parseReplacementText(text, path);
}

Status writeReplacementFile(const QString& path, const ReplacementRules& rules) {
    for (qsizetype i = 0; i < rules.rules().size(); ++i) {
        const ReplacementRule& rule = rules.rules()[i];
        for (const QString& field : {rule.find, rule.replace}) {
            if (field.contains(u'\t') || field.contains(u'\n') || field.contains(u'\r')) {
                return Failure{QStringLiteral("置換ルールを %1 に書き出せません"), path,
                               QStringLiteral("%1 番目のルールにタブか改行があります").arg(i + 1)};
            }
        }
    }
    return writeFileAtomically(path, replacementFileText(rules),
                               QStringLiteral("置換ルールを %1 に書き出せません"));
}

} // namespace brisomel
