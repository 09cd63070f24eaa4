#include "app/AlertText.h"

#include <QFontMetrics>
#include <QStringList>

namespace brisomel {

namespace {

bool isHiragana(QChar c) {
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
}

// Whether a line may break between `before` and `after`.
bool mayBreakBetween(QChar before, QChar after) {
    static const QString breaksAfter = QStringLiteral("、。，．：！？）」』/\\");
    static const QString breaksBefore = QStringLiteral("（「『");
    // Particles that end a phrase when a word other than a kana ending follows.
    static const QString particles = QStringLiteral("がをにはでとのへも");
    if (before.isSpace() || breaksAfter.contains(before) || breaksBefore.contains(after)) {
        return !after.isSpace() && !breaksAfter.contains(after);
    }
    return particles.contains(before) && !isHiragana(after) && !breaksAfter.contains(after);
}

// The text cut where lines may break; joined again they give the text back.
QStringList breakablePieces(const QString& text) {
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (mayBreakBetween(text[i - 1], text[i])) {
            pieces << text.mid(start, i - start);
            start = i;
        }
    }
    pieces << text.mid(start);
    return pieces;
}

// A piece wider than a line, cut into parts that fit, never between the halves of a surrogate
// pair.
QStringList forcedParts(const QString& piece, const QFontMetrics& metrics, int width) {
    QStringList parts;
    QString part;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const qsizetype length = piece[i].isHighSurrogate() && i + 1 < piece.size() ? 2 : 1;
        const QString unit = piece.mid(i, length);
        if (!part.isEmpty() && metrics.horizontalAdvance(part + unit) > width) {
            parts << part;
            part.clear();
        }
        part += unit;
        i += length - 1;
    }
    if (!part.isEmpty()) {
        parts << part;
    }
    return parts;
}

QStringList wrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& piece : breakablePieces(paragraph)) {
        const QStringList parts = metrics.horizontalAdvance(piece.trimmed()) > width
                                      ? forcedParts(piece, metrics, width)
                                      : QStringList{piece};
        for (const QString& part : parts) {
            if (!line.isEmpty() && metrics.horizontalAdvance((line + part).trimmed()) > width) {
                lines << line.trimmed();
                line.clear();
            }
            line += part;
        }
    }
    lines << line.trimmed();
    return lines;
}

} // namespace

QString wrapAlertText(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        lines << wrapParagraph(paragraph, metrics, width);
    }
    return lines.join(u'\n');
}

} // namespace brisomel
