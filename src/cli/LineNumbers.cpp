#include "cli/LineNumbers.h"

#include <QStringList>

namespace brisomel {

namespace {

std::optional<int> positiveNumber(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    // Digits only: toInt would take "+3" and " 3" too.
    if (!ok || number < 1 || text.isEmpty() || !text.front().isDigit()) {
        return std::nullopt;
    }
    return number;
}

} // namespace

Result<QList<LineRange>> parseLineNumbers(const QString& option, const QString& text) {
    const Failure notAList{
        QStringLiteral("--%1 の値 \"%2\" は番号の並びではありません（例: 3,7-9）")
            .arg(option, text),
        {},
        {}};
    QList<LineRange> ranges;
    for (const QString& item : text.split(u',')) {
        const QStringList ends = item.split(u'-');
        if (ends.size() > 2) {
            return notAList;
        }
        const auto first = positiveNumber(ends.front());
        const auto last = positiveNumber(ends.back());
        if (!first || !last || *last < *first) {
            return notAList;
        }
        ranges << LineRange{*first, *last};
    }
    return ranges;
}

} // namespace brisomel
