#pragma once

#include "loudness/SpeakerGains.h"
#include "timeline/BuiltTimeline.h"

#include <QString>

#include <vector>

namespace brisomel {

// Gives every voice clip of each speaker's voice track that speaker's gain.
void applyVoiceGains(BuiltTimeline& timeline, const std::vector<SpeakerGain>& gains);

// One speaker's line of the summary: "ずんだもん −19.8 LUFS → +3.8 dB", saying when the true
// peak held the gain down, or that the speaker could not be measured and keeps its level.
QString gainSummary(const SpeakerGain& gain);

} // namespace brisomel
