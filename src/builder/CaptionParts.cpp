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
    const qsizetype count = lines.size();
    const qsizetype parts = std::max<qsizetype>(ceilDiv(count, perPart), 1);
    std::vector<std::int64_t> charsBefore(static_cast<std::size_t>(count) + 1, 0);
    for (qsizetype i = 0; i < count; ++i) {
        charsBefore[static_cast<std::size_t>(i) + 1] =
            charsBefore[static_cast<std::size_t>(i)] + characterCount(lines[i]);
    }
    const std::int64_t total = std::max<std::int64_t>(charsBefore.back(), 1);
    const auto isShort = [&](qsizetype from, qsizetype to) {
        const std::int64_t chars =
            charsBefore[static_cast<std::size_t>(to)] - charsBefore[static_cast<std::size_t>(from)];
        return frames * chars < shortFrames * total;
    };

    // best[k][i]: least cost of k parts covering the first i lines; from[k][i]: the last cut.
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
    const auto rows = static_cast<std::size_t>(parts) + 1;
    const auto columns = static_cast<std::size_t>(count) + 1;
    std::vector<std::int64_t> best(rows * columns, kNone);
    std::vector<qsizetype> from(rows * columns, 0);
    best[0] = 0;
    for (std::size_t k = 1; k < rows; ++k) {
        for (qsizetype i = 1; i <= count; ++i) {
            for (qsizetype j = std::max<qsizetype>(i - perPart, 0); j < i; ++j) {
                const std::int64_t before = best[(k - 1) * columns + static_cast<std::size_t>(j)];
                if (before == kNone) {
                    continue;
                }
                const std::int64_t cost = before + (j > 0 ? cutCost(lines[j - 1]) : 0) +
                                          (isShort(j, i) ? kShortPartCost : 0);
                auto& cell = best[k * columns + static_cast<std::size_t>(i)];
                if (cost < cell) {
                    cell = cost;
                    from[k * columns + static_cast<std::size_t>(i)] = j;
                }
            }
        }
    }
    std::vector<qsizetype> sizes;
    for (qsizetype k = parts, i = count; k > 0; --k) {
        const qsizetype j =
            from[static_cast<std::size_t>(k) * columns + static_cast<std::size_t>(i)];
        sizes.insert(sizes.begin(), i - j);
        i = j;
    }
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
