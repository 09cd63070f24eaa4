#pragma once

#include "subtitles/SubtitleCues.h"
#include "timeline/ConversionOptions.h"

#include <QString>

#include <vector>

namespace brisomel {

// "HH:MM:SS,mmm": hours take more digits when they need them; a negative time reads as zero.
QString srtTimestamp(std::int64_t milliseconds);

// The cues as SubRip text, numbered from 1, each followed by a blank line; LF or CR LF line ends,
// and with the speaker option the speaker's name and ": " before each cue's first line.
QString srtText(const std::vector<SubtitleCue>& cues, const SubtitleOptions& options);

} // namespace brisomel
