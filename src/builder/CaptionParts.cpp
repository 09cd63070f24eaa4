#include "builder/CaptionParts.h"

#include <algorithm>
#include <limits>

namespace brisomel {

namespace {

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// Characters as code points, the line ends between lines not counted.
std::int64_t characterCount(const QString& line) {
    return std::count_if(line.begin(), line.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

// How much a reader minds a cut between titles after this line.
int cutCost(const QString& line) {
    QStringView text = QStringView(line).trimmed();
    while (!text.isEmpty() && QStringView(u"」』）)\"”").contains(text.back())) {
        text.chop(1);
    }
    if (text.isEmpty()) {
        return 4;
    }
    if (QStringView(u"。！？!?").contains(text.back())) {
        return 0;
    }
    return QStringView(u"、，,").contains(text.back()) ? 2 : 4;
}

constexpr std::int64_t kShortPartCost = 10;

// The sizes of the parts, in lines: the fewest parts of at most `perPart` lines, cut where a
// reader minds it least and leaving no part shorter than `shortFrames` where that can be helped.
std::vector<qsizetype> partSizes(const QStringList& lines, qsizetype perPart, std::int64_t frames,
                                 std::int64_t shortFrames) {
    const auto count = static_cast<std::size_t>(lines.size());
    std::vector<std::int64_t> charsBefore(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) {
        charsBefore[i + 1] = charsBefore[i] + characterCount(lines[static_cast<qsizetype>(i)]);
    }
    const std::int64_t total = std::max<std::int64_t>(charsBefore.back(), 1);
    const auto isShort = [&](std::size_t from, std::size_t to) {
        return frames * (charsBefore[to] - charsBefore[from]) < shortFrames * total;
    };

    // best[i]: the fewest parts for the first i lines, then the least cost; from[i]: the last cut.
    struct Cost {
        std::int64_t parts;
        std::int64_t minded;
        bool operator<=(const Cost& other) const {
            return parts != other.parts ? parts < other.parts : minded <= other.minded;
        }
    };
    constexpr Cost kNone{std::numeric_limits<std::int64_t>::max(), 0};
    std::vector<Cost> best(count + 1, kNone);
    std::vector<std::size_t> from(count + 1, 0);
    best[0] = {0, 0};
    const auto limit = static_cast<std::size_t>(perPart);
    for (std::size_t i = 1; i <= count; ++i) {
        // On a tie the later cut wins, so earlier parts are the fuller ones.
        for (std::size_t j = i > limit ? i - limit : 0; j < i; ++j) {
            const Cost cost{best[j].parts + 1,
                            best[j].minded +
                                (j > 0 ? cutCost(lines[static_cast<qsizetype>(j) - 1]) : 0) +
                                (isShort(j, i) ? kShortPartCost : 0)};
            if (cost <= best[i]) {
                best[i] = cost;
                from[i] = j;
            }
        }
    }
    std::vector<qsizetype> sizes;
    for (std::size_t i = count; i > 0; i = from[i]) {
        sizes.push_back(static_cast<qsizetype>(i - from[i]));
    }
    if (sizes.empty()) {
        sizes.push_back(0); // no lines: one empty part
    }
    std::reverse(sizes.begin(), sizes.end());
    return sizes;
}

} // namespace

std::vector<CaptionPart> captionParts(const QStringList& lines, int maxLines, std::int64_t frames,
                                      std::int64_t shortFrames) {
    const auto lineCount = static_cast<std::int64_t>(lines.size());
    const std::int64_t partsByFrames = std::max<std::int64_t>(frames, 1);
    const std::int64_t perPart =
        std::max({std::int64_t{maxLines}, ceilDiv(lineCount, partsByFrames), std::int64_t{1}});

    std::vector<CaptionPart> parts;
    qsizetype first = 0;
    for (const qsizetype size : partSizes(lines, perPart, frames, shortFrames)) {
        parts.push_back({lines.mid(first, size), 0, 0});
        first += size;
    }

    // Each boundary where its share of the characters puts it, rounded to the nearest frame, yet
    // at least a frame after the one before and leaving a frame for every part after it.
    std::vector<std::int64_t> counts;
    for (const CaptionPart& part : parts) {
        std::int64_t count = 0;
        for (const QString& line : part.lines) {
            count += characterCount(line);
        }
        counts.push_back(count);
    }
    std::int64_t total = 0;
    for (const std::int64_t count : counts) {
        total += count;
    }
    total = std::max<std::int64_t>(total, 1);
    const auto partCount = static_cast<std::int64_t>(parts.size());
    std::int64_t before = 0;
    std::int64_t boundary = 0;
    for (std::int64_t i = 0; i < partCount; ++i) {
        before += counts[static_cast<std::size_t>(i)];
        const std::int64_t ideal = (2 * frames * before + total) / (2 * total);
        const std::int64_t next =
            i + 1 == partCount ? frames
                               : std::clamp(ideal, boundary + 1, frames - (partCount - i - 1));
        parts[static_cast<std::size_t>(i)].firstFrame = boundary;
        parts[static_cast<std::size_t>(i)].frameCount = next - boundary;
        boundary = next;
    }
    return parts;
}

} // namespace brisomel
