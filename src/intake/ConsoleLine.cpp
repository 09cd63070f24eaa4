#include "intake/ConsoleLine.h"

#include <cstdio>

namespace brisomel {

void writeConsoleLine(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
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
