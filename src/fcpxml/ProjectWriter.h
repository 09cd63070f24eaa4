#pragma once

#include "timeline/Timeline.h"

#include <QString>

namespace brisomel {

// The name of the event that holds the project.
inline const QString kEventName = QStringLiteral("Kestrune");

// The whole arrangement inside one compound clip, cut in the project at every clip start.
QString makeFCPXMLWithSplitClips(const QString& name, const TrackMap& tracks, FrameType frameType,
                                 FpsType fpsType, const QString& eventName);

// Titles and audio clips placed directly in the project.
QString makeFCPXMLWithoutSplitClips(const QString& name, const TrackMap& tracks,
                                    FrameType frameType, FpsType fpsType, const QString& eventName);

} // namespace brisomel
