#pragma once

#include "intake/FileLists.h"
#include "timeline/Timeline.h"

#include <functional>
#include <optional>

namespace brisomel {

inline const QString kCaptionTrackSuffix = QStringLiteral("01テキストトラック");
inline const QString kVoiceTrackSuffix = QStringLiteral("02サウンドトラック");

// What the writers receive.
struct BuiltTimeline {
    QString timelineName;
    TrackMap tracks;
    FrameType frameType = FrameType::frame1080p;
    FpsType fpsType = FpsType::fps30;
};

struct BuildResult {
    std::optional<BuiltTimeline> timeline;
    QString error; // "Error " followed by a description naming the file, when building failed
};

// Called with the number of audio files read so far and the number to read.
using BuildProgress = std::function<void(qsizetype done, qsizetype total)>;

// Places one caption clip and one voice clip per ticked entry, one after another in file-name
// order, on frame-aligned times taken from the audio files. Removes one trailing blank from each
// ticked entry's textRow (written back into the shared entry).
BuildResult buildTimeline(const FileLists& fileLists, const QString& timelineName,
                          FrameType frameType, FpsType fpsType, AlignType align, float posX,
                          float posY, double pauseLength, const BuildProgress& progress = {});

} // namespace brisomel
