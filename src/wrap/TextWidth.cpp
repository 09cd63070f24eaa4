#include "wrap/TextWidth.h"

#include <QTextBoundaryFinder>

#include "platform/IcuApi.h"

namespace brisomel {

namespace {

char32_t codePointAt(QStringView text, qsizetype i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    }
    return text[i].unicode();
}

} // namespace

int characterWidth(char32_t firstCodePoint) {
    const auto width = static_cast<UEastAsianWidth>(
        u_getIntPropertyValue(static_cast<UChar32>(firstCodePoint), UCHAR_EAST_ASIAN_WIDTH));
    return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

std::vector<int> widthsBefore(QStringView text) {
    std::vector<int> before(static_cast<std::size_t>(text.size()) + 1, 0);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype start = 0;
    for (qsizetype end = characters.toNextBoundary(); end != -1;
         start = end, end = characters.toNextBoundary()) {
        const int width = before[static_cast<std::size_t>(start)];
        for (qsizetype i = start + 1; i < end; ++i) {
            before[static_cast<std::size_t>(i)] = width;
        }
        before[static_cast<std::size_t>(end)] = width + characterWidth(codePointAt(text, start));
    }
    return before;
}

int halfWidthUnits(QStringView text) {
    return widthsBefore(text).back();
}

} // namespace brisomel
