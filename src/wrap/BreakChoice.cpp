#include "wrap/BreakChoice.h"

#include <limits>

namespace brisomel {

std::vector<qsizetype> cheapestBreaks(QStringView text, const std::vector<int>& widthsBefore,
                                      int width, const std::vector<BreakPlace>& places) {
    // Line starts: the text's start, then every place; the last "start" is the text's end.
    std::vector<BreakPlace> ends = places;
    ends.push_back({text.size(), 0});
    // The width up to each end, blanks before it not counted.
    std::vector<int> widthAt;
    for (const BreakPlace& end : ends) {
        qsizetype trimmed = end.at;
        while (trimmed > 0 && text[trimmed - 1].isSpace()) {
            --trimmed;
        }
        widthAt.push_back(widthsBefore[static_cast<std::size_t>(trimmed)]);
    }

    // best[j]: the least cost of lines that end at ends[j]; from[j]: where that last line starts
    // (an index into ends, or -1 for the text's start).
    constexpr long kNone = std::numeric_limits<long>::max();
    std::vector<long> best(ends.size(), kNone);
    std::vector<long> from(ends.size(), -1);
    for (std::size_t j = 0; j < ends.size(); ++j) {
        for (long i = static_cast<long>(j) - 1; i >= -1; --i) {
            const qsizetype start = i < 0 ? 0 : ends[static_cast<std::size_t>(i)].at;
            const bool fits = widthAt[j] - widthsBefore[static_cast<std::size_t>(start)] <= width;
            // A run too wide for any line is allowed as a line of its own.
            const bool nextPlace = i == static_cast<long>(j) - 1;
            if (!fits && !nextPlace) {
                break; // lines starting earlier are only wider
            }
            const long before = i < 0 ? 0 : best[static_cast<std::size_t>(i)];
            if (before == kNone) {
                continue;
            }
            const long breakCost = i < 0 ? 0 : ends[static_cast<std::size_t>(i)].cost;
            const long cost = before + breakcost::kLine + breakCost;
            if (cost < best[j]) {
                best[j] = cost;
                from[j] = i;
            }
        }
    }

    std::vector<qsizetype> lineEnds;
    for (long j = static_cast<long>(ends.size()) - 1; j >= 0;
         j = from[static_cast<std::size_t>(j)]) {
        lineEnds.insert(lineEnds.begin(), ends[static_cast<std::size_t>(j)].at);
    }
    return lineEnds;
}

} // namespace brisomel
