#include "builder/TrailingBlank.h"

#include <QTextBoundaryFinder>

namespace brisomel {

namespace {

qsizetype lastGraphemeStart(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.toEnd();
    return finder.toPreviousBoundary();
}

} // namespace

bool endsWithBlank(const QString& text) {
    // A last character that is a blank ends with the blank's own code unit; checking that first
    // spares finding character boundaries in the usual caption.
    if (text.isEmpty() || (text.back() != u' ' && text.back() != u'\u3000')) {
        return false;
    }
    const QStringView last = QStringView(text).sliced(lastGraphemeStart(text));
    return last == u" " || last == u"\u3000";
}

QString withoutTrailingBlank(const QString& text) {
    return text.isEmpty() ? text : text.left(lastGraphemeStart(text));
}

} // namespace brisomel
