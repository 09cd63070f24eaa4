#pragma once

#include "timeline/Timeline.h"

#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace brisomel {

// The order in which every output walks a built timeline, and the time every output writes, so
// that a document and its subtitles agree to the unit.

// Tracks sorted stably by title (code-point order of NFC forms); equal titles keep map order.
std::vector<std::shared_ptr<Track>> sortedTracks(const TrackMap& tracks);
// The clips of a track in writing order: from the first clip, each next one the nearest that
// starts at or after the end of the one before; never the same clip twice.
std::vector<std::shared_ptr<Clip>> clipWalk(const Track& track);

// A track with its clips in writing order.
struct TrackWalk {
    std::shared_ptr<Track> track;
    std::vector<std::shared_ptr<Clip>> clips;
};

// Every track in writing order, each walked once so that every pass over the walks sees the
// same clips in the same order.
std::vector<TrackWalk> walkTracks(const TrackMap& tracks);

// The clip as the given kind, or null. The kinds are final classes, so comparing the exact type
// answers what dynamic_cast would, without its walk of the class hierarchy for every clip.
template <typename Kind> const Kind* clipAs(const Clip& clip) {
    static_assert(std::is_final_v<Kind>);
    return typeid(clip) == typeid(Kind) ? static_cast<const Kind*>(&clip) : nullptr;
}

// A clip time as outputs write it, in units of the rate's timescale: whole nominal frames, each
// at its written length (so the 1001-based rates run 1.001 times longer).
std::int64_t writtenTimeValue(FpsType fps, CMTime time);
struct WrittenTime {
    std::int64_t value;
    std::int64_t timescale;
};
WrittenTime writtenTime(FpsType fps, CMTime time);

} // namespace brisomel
