#include "core/Failure.h"

namespace brisomel {

QString Failure::message() const {
    QString line = what.contains(QLatin1String("%1")) ? what.arg(quotedPath(file)) : what;
    if (!reason.isEmpty()) {
        line += QStringLiteral(": ") + reason;
    }
    return line;
}

QString quotedPath(const QString& path) {
    QString result;
    result.reserve(path.size() + 2);
    result.append(u'"');
    for (const QChar c : path) {
        const char16_t unit = c.unicode();
        const bool breaksLine =
            unit < 0x20 || unit == 0x7F || unit == 0x85 || unit == 0x2028 || unit == 0x2029;
        if (breaksLine) {
            const QString hex = QString::number(unit, 16).toUpper().rightJustified(4, u'0');
            result.append(QStringLiteral("\\u{%1}").arg(hex));
        } else {
            result.append(c);
        }
    }
    result.append(u'"');
    return result;
}

} // namespace brisomel
