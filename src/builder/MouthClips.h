#pragma once

#include "builder/SpeakerPortraits.h"
#include "core/Failure.h"
#include "timeline/Timeline.h"

#include <cstdint>
#include <vector>

namespace brisomel {

// The label file voice tools write beside a voice line: the audio's path with ".lab".
QString labelPathFor(const QString& soundPath);

// Whether each of a line's frames shows the open mouth: from the line's label file when there is
// one, else from the level of its audio (decoded for it) by the portrait's threshold and hold;
// closed throughout for a portrait without an open image.
Result<std::vector<bool>> lineOpenFrames(const QString& soundPath, std::int64_t frameCount,
                                         FpsType fps, const SpeakerPortrait& portrait);

// The portrait over one line: closed and open clips one after another, in whole frames, from
// `start` for as many frames as `open` holds.
void addMouthClips(Track& track, const SpeakerPortrait& portrait, const QString& title,
                   CMTime start, const std::vector<bool>& open, FpsType fps);

// For a portrait shown always: closed clips over the gaps between its lines and from its last
// line to `end`.
void fillPortraitGaps(Track& track, const SpeakerPortrait& portrait, CMTime end, FpsType fps);

} // namespace brisomel
