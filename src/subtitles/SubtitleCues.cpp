#include "subtitles/SubtitleCues.h"

#include "timeline/TextCleaning.h"
#include "timeline/WritingOrder.h"

#include <QRegularExpression>

#include <algorithm>

namespace brisomel {

namespace {

struct PlacedCue {
    std::int64_t writtenStart;
    SubtitleCue cue;
};

bool isBlankLine(const QString& line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

std::int64_t writtenMilliseconds(std::int64_t writtenValue, std::int32_t timescale) {
    // Whole seconds apart from the rest, so that no product comes near overflow.
    const std::int64_t seconds = writtenValue / timescale;
    const std::int64_t rest = writtenValue % timescale;
    return seconds * 1000 + (rest * 2000 + timescale) / (2 * std::int64_t{timescale});
}

QStringList subtitleLines(const QString& caption) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = subtitleSafeText(caption).split(lineBreak);
    lines.removeIf(isBlankLine);
    return lines;
}

std::vector<SubtitleCue> subtitleCues(const BuiltTimeline& timeline) {
    const FpsType fps = timeline.fpsType;
    std::vector<PlacedCue> placed;
    for (const TrackWalk& walk : walkTracks(timeline.tracks)) {
        for (const auto& clip : walk.clips) {
            const auto* title = dynamic_cast<const TextClip*>(clip.get());
            if (!title) {
                continue;
            }
            // The title ends where the document's offset plus duration puts it.
            const std::int64_t start = writtenTimeValue(fps, title->start);
            const std::int64_t end = start + writtenTimeValue(fps, title->duration);
            SubtitleCue cue{writtenMilliseconds(start, timescale(fps)),
                            writtenMilliseconds(end, timescale(fps)), subtitleLines(title->text),
                            walk.track.get()};
            if (cue.endMs > cue.startMs && !cue.lines.isEmpty()) {
                placed.push_back({start, std::move(cue)});
            }
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.writtenStart < b.writtenStart; });

    std::vector<SubtitleCue> cues;
    cues.reserve(placed.size());
    for (auto& p : placed) {
        cues.push_back(std::move(p.cue));
    }
    return cues;
}

} // namespace brisomel
