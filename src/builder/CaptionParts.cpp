#include "builder/CaptionParts.h"

#include <algorithm>

namespace brisomel {

namespace {

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// Characters as code points, the line ends between lines not counted.
std::int64_t characterCount(const QStringList& lines) {
    std::int64_t count = 0;
    for (const QString& line : lines) {
        count +=
            std::count_if(line.begin(), line.end(), [](QChar c) { return !c.isLowSurrogate(); });
    }
    return count;
}

} // namespace

std::vector<CaptionPart> captionParts(const QStringList& lines, int maxLines, std::int64_t frames) {
    const auto lineCount = static_cast<std::int64_t>(lines.size());
    const std::int64_t partsByFrames = std::max<std::int64_t>(frames, 1);
    const std::int64_t perPart =
        std::max({std::int64_t{maxLines}, ceilDiv(lineCount, partsByFrames), std::int64_t{1}});

    std::vector<CaptionPart> parts;
    for (qsizetype first = 0; first < lines.size() || parts.empty(); first += perPart) {
        parts.push_back({lines.mid(first, perPart), 0, 0});
    }

    // Each boundary where its share of the characters puts it, rounded to the nearest frame, yet
    // at least a frame after the one before and leaving a frame for every part after it.
    std::vector<std::int64_t> counts;
    for (const CaptionPart& part : parts) {
        counts.push_back(characterCount(part.lines));
    }
    const std::int64_t total = std::max<std::int64_t>(characterCount(lines), 1);
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
