#include "timeline/TextCleaning.h"

namespace brisomel {

namespace {

// A UTF-16 unit that is an XML 1.0 character by itself; characters beyond U+FFFF are allowed too
// but take a surrogate pair.
bool isXmlUnit(char16_t c) {
    return (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) || c == u'\t' || c == u'\n' ||
           c == u'\r';
}

} // namespace

qsizetype xmlCharLength(QStringView text, qsizetype i) {
    const QChar unit = text[i];
    if (isXmlUnit(unit.unicode())) {
        return 1;
    }
    return unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 0;
}

QString xmlSafeText(const QString& text) {
    QString safe;
    qsizetype keptUpTo = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = xmlCharLength(text, i);
        if (length > 0) {
            i += length;
            continue;
        }
        safe += QStringView(text).sliced(keptUpTo, i - keptUpTo);
        keptUpTo = ++i;
    }
    if (keptUpTo == 0) {
        return text; // nothing left out: share the original
    }
    safe += QStringView(text).sliced(keptUpTo);
    return safe;
}

QString subtitleSafeText(const QString& text) {
    return xmlSafeText(text);
}

} // namespace brisomel
