#include "timeline/FrameAlignment.h"

namespace brisomel {

CMTime frameAlignedDuration(double seconds, FpsType fps) {
    return CMTimeMake(wholeFrames(seconds, fps) * frameUnit(fps), timescale(fps));
}

std::int64_t wholeFrames(double seconds, FpsType fps) {
    const std::int64_t units = CMTimeMakeWithSeconds(seconds, timescale(fps)).value;
    return static_cast<std::int64_t>(static_cast<double>(units) /
                                     static_cast<double>(frameUnit(fps)));
}

} // namespace brisomel
