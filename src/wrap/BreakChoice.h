#pragma once

#include <QStringView>

#include <vector>

namespace brisomel {

// A place a line may end, and how much a reader minds a break there.
struct BreakPlace {
    qsizetype at; // UTF-16 position in the text
    int cost;
};

// How much a reader minds a break, by what it falls between.
namespace breakcost {
inline constexpr int kSentenceEnd = 0;     // after 。！？
inline constexpr int kClause = 1;          // after 、 or a closing bracket
inline constexpr int kPhrase = 4;          // between phrases
inline constexpr int kKanaAfterKanji = 20; // a phrase that starts with hiragana after kanji
inline constexpr int kWord = 40;           // between words of one phrase
inline constexpr int kInflection = 60;     // kanji, then hiragana of the same phrase
inline constexpr int kInsideWord = 90;     // anywhere else the line rules allow
inline constexpr int kLine = 30;           // each line shown
} // namespace breakcost

// The ends of the lines, the text's end last, that cost the reader least: each line fits
// `width` (given the widths before each position, blanks at a line's end not counted), unless a
// run between two places is itself wider; `places` ascending, all inside the text.
std::vector<qsizetype> cheapestBreaks(QStringView text, const std::vector<int>& widthsBefore,
                                      int width, const std::vector<BreakPlace>& places);

} // namespace brisomel
