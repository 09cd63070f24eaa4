#pragma once

#include "timeline/BuiltTimeline.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace brisomel {

// One title of the document as a subtitle: its written start and end in whole milliseconds, its
// text lines and the caption track it stands on.
struct SubtitleCue {
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    QStringList lines;
    const Track* track = nullptr;
};

// A written time (units of the timescale) in milliseconds, rounded to the nearest, halves up.
std::int64_t writtenMilliseconds(std::int64_t writtenValue, std::int32_t timescale);

// A caption as subtitle lines: the characters XML cannot carry left out, split at LF, CR LF and
// CR, and lines of nothing but blanks dropped, since a blank line ends a cue.
QStringList subtitleLines(const QString& caption);

// One cue per title the document writes that keeps a line and lasts at least a millisecond once
// rounded, ordered by start. Cues that start together keep the document's order: by track (the
// document's track order, that is by speaker), then along the track.
std::vector<SubtitleCue> subtitleCues(const BuiltTimeline& timeline);

} // namespace brisomel
