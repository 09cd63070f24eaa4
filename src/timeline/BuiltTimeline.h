#pragma once

#include "timeline/Timeline.h"

#include <QString>

namespace brisomel {

inline const QString kCaptionTrackSuffix = QStringLiteral("01テキストトラック");
inline const QString kVoiceTrackSuffix = QStringLiteral("02サウンドトラック");
inline const QString kPortraitTrackSuffix = QStringLiteral("03立ち絵トラック");

// What the builder hands to the writers.
struct BuiltTimeline {
    QString timelineName;
    TrackMap tracks;
    FrameType frameType = FrameType::frame1080p;
    FpsType fpsType = FpsType::fps30;
};

} // namespace brisomel
