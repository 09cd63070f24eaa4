#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brisomel::testsupport {

// A cue as a SubRip reader gives it back: times in milliseconds, the text with its lines joined
// by LF, and where in the file its timing line stands.
struct ReadCue {
    std::int64_t startMs;
    std::int64_t endMs;
    QString text;
    std::int64_t position;
};

// The cues of a file as FFmpeg's SubRip demuxer reads them, in the order it hands them out (by
// start); nothing when FFmpeg does not recognise the file as SubRip.
std::optional<std::vector<ReadCue>> readSrt(const QString& path);

} // namespace brisomel::testsupport
