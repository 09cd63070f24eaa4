#include "timeline/WritingOrder.h"

#include "intake/TextOrder.h"

#include <algorithm>
#include <numeric>

namespace brisomel {

namespace {

// Finds the first position at or after a given one whose clip has not been written yet; written
// positions are skipped in amortised constant time (path-halving union-find).
class UnvisitedPositions {
public:
    explicit UnvisitedPositions(std::size_t count) : next_(count + 1) {
        std::iota(next_.begin(), next_.end(), std::size_t{0});
    }

    // `count` when every position from `from` on has been visited.
    std::size_t firstFrom(std::size_t from) {
        while (next_[from] != from) {
            next_[from] = next_[next_[from]];
            from = next_[from];
        }
        return from;
    }

    void visit(std::size_t position) { next_[position] = position + 1; }

private:
    std::vector<std::size_t> next_;
};

} // namespace

std::vector<std::shared_ptr<Track>> sortedTracks(const TrackMap& tracks) {
    std::vector<std::shared_ptr<Track>> sorted(tracks.begin(), tracks.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return codePointLess(a->title, b->title);
    });
    return sorted;
}

std::vector<std::shared_ptr<Clip>> clipWalk(const Track& track) {
    const std::shared_ptr<Clip> first = track.firstClip();
    if (!first) {
        return {};
    }
    // By start, and among equal starts in the order the clips were added: the first unvisited
    // clip at or after a position is then the nearest one, the earliest added winning a tie.
    std::vector<std::shared_ptr<Clip>> byStart(track.clips().begin(), track.clips().end());
    const auto earlierStart = [](const auto& a, const auto& b) { return a->start < b->start; };
    // The builder adds clips in order of start, and a stable sort leaves a sorted list as it is.
    if (!std::is_sorted(byStart.begin(), byStart.end(), earlierStart)) {
        std::stable_sort(byStart.begin(), byStart.end(), earlierStart);
    }
    UnvisitedPositions unvisited(byStart.size());

    std::vector<std::shared_ptr<Clip>> walk;
    walk.reserve(byStart.size());
    auto position = static_cast<std::size_t>(std::find(byStart.begin(), byStart.end(), first) -
                                             byStart.begin());
    while (position < byStart.size()) {
        const Clip& clip = *byStart[position];
        walk.push_back(byStart[position]);
        unvisited.visit(position);

        const CMTime end = clip.start + clip.duration;
        const auto startingAtOrAfterEnd = std::partition_point(
            byStart.begin(), byStart.end(), [&](const auto& c) { return c->start < end; });
        position =
            unvisited.firstFrom(static_cast<std::size_t>(startingAtOrAfterEnd - byStart.begin()));
    }
    return walk;
}

std::vector<TrackWalk> walkTracks(const TrackMap& tracks) {
    std::vector<TrackWalk> walks;
    for (auto& track : sortedTracks(tracks)) {
        auto clips = clipWalk(*track);
        walks.push_back({std::move(track), std::move(clips)});
    }
    return walks;
}

std::int64_t writtenTimeValue(FpsType fps, CMTime time) {
    // Integer division truncates toward zero like the floating-point division it stands for,
    // and stays exact beyond 2^53.
    const std::int64_t frames = time.value / frameUnit(fps);
    return frames * writtenFrameLength(fps);
}

WrittenTime writtenTime(FpsType fps, CMTime time) {
    return {writtenTimeValue(fps, time), timescale(fps)};
}

} // namespace brisomel
