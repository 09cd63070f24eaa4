#include "intake/SpeakerName.h"

#include <QStringView>
#include <QTextBoundaryFinder>

#include <optional>
#include <vector>

namespace brisomel {

namespace {

// Whole characters (extended grapheme clusters) are compared, as a reader sees them: "_" or "（"
// followed by a combining mark is not a separator.
std::vector<QStringView> graphemes(QStringView text) {
    std::vector<QStringView> result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        if (end > start) {
            result.push_back(text.sliced(start, end - start));
        }
        start = end;
    }
    return result;
}

// Non-empty pieces between "_" graphemes, in order.
std::vector<QStringView> splitAtUnderscores(QStringView text) {
    std::vector<QStringView> pieces;
    qsizetype pieceStart = 0;
    qsizetype position = 0;
    for (const QStringView grapheme : graphemes(text)) {
        if (grapheme == u"_") {
            if (position > pieceStart) {
                pieces.push_back(text.sliced(pieceStart, position - pieceStart));
            }
            pieceStart = position + grapheme.size();
        }
        position += grapheme.size();
    }
    if (position > pieceStart) {
        pieces.push_back(text.sliced(pieceStart, position - pieceStart));
    }
    return pieces;
}

// Characters beside which "_" and "（" are always whole characters: they neither extend the
// character before them (combining marks, joiners, spacing marks) nor attach to the one after
// (prepended marks). Names are usually written in these alone: Latin-1, CJK punctuation,
// kana, ideographs and full-width forms, the kana voicing marks excepted.
bool isPlainNeighbour(char16_t unit) {
    return unit < 0x0300 || (unit >= 0x3000 && unit <= 0x3029) ||
           (unit >= 0x3041 && unit <= 0x3096) || (unit >= 0x30A1 && unit <= 0x30FF) ||
           (unit >= 0x4E00 && unit <= 0x9FFF) || (unit >= 0xFF01 && unit <= 0xFF5E);
}

// Whether every "_" and "（" of the text is a character of its own, so that code units can be
// compared instead of characters, which takes finding the character boundaries.
bool separatorsStandAlone(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'_' && text[i] != u'（') {
            continue;
        }
        if ((i > 0 && !isPlainNeighbour(text[i - 1].unicode())) ||
            (i + 1 < text.size() && !isPlainNeighbour(text[i + 1].unicode()))) {
            return false;
        }
    }
    return true;
}

// The second of the non-empty pieces between "_" code units when there are at least three.
std::optional<QStringView> secondOfThreePieces(QStringView text) {
    std::optional<QStringView> second;
    qsizetype count = 0;
    qsizetype pieceStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'_') {
            continue;
        }
        if (i > pieceStart) {
            ++count;
            if (count == 2) {
                second = text.sliced(pieceStart, i - pieceStart);
            } else if (count == 3) {
                return second;
            }
        }
        pieceStart = i + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> standardSpeakerOf(const QString& fileName) {
    if (separatorsStandAlone(fileName)) {
        const std::optional<QStringView> second = secondOfThreePieces(fileName);
        const qsizetype bracket = second ? second->indexOf(u'（') : -1;
        if (bracket < 0) {
            return std::nullopt;
        }
        return second->first(bracket).toString();
    }
    const std::vector<QStringView> pieces = splitAtUnderscores(fileName);
    if (pieces.size() <= 2) {
        return std::nullopt;
    }
    const QStringView second = pieces[1];
    qsizetype position = 0;
    for (const QStringView grapheme : graphemes(second)) {
        if (grapheme == u"（") {
            return second.first(position).toString();
        }
        position += grapheme.size();
    }
    return std::nullopt;
}

} // namespace brisomel
