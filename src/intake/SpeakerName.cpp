#include "intake/SpeakerName.h"

#include "intake/FileListData.h"

#include <QStringView>
#include <QTextBoundaryFinder>

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

} // namespace

QString speakerNameOf(const QString& fileName) {
    const std::vector<QStringView> pieces = splitAtUnderscores(fileName);
    if (pieces.size() <= 2) {
        return FileListData::defaultName;
    }
    const QStringView second = pieces[1];
    qsizetype position = 0;
    for (const QStringView grapheme : graphemes(second)) {
        if (grapheme == u"（") {
            return second.first(position).toString();
        }
        position += grapheme.size();
    }
    return FileListData::defaultName;
}

} // namespace brisomel
