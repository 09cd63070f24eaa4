#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

namespace brisomel {

// One of the titles a long caption becomes: its lines and its frames within the clip.
struct CaptionPart {
    QStringList lines;
    std::int64_t firstFrame = 0; // counted from the clip's start
    std::int64_t frameCount = 0;
};

// The lines in parts of at most `maxLines` each, over a clip of `frames` whole frames: each
// part's frames in proportion to its characters, none fewer than one, adding up to the clip.
// Parts are as few as the line limit allows; among those, a cut between parts falls after a
// sentence's end (。！？) rather than after a clause mark (、), and after one of those rather than
// elsewhere, and a part shorter than `shortFrames` is avoided (merged with its neighbour) where
// the limit allows. When the clip has too few frames for every part, fewer parts take more lines
// each; a clip of no frames has one part with every line.
std::vector<CaptionPart> captionParts(const QStringList& lines, int maxLines, std::int64_t frames,
                                      std::int64_t shortFrames = 0);

} // namespace brisomel
