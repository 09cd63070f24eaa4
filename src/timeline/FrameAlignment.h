#pragma once

#include "timeline/CMTime.h"
#include "timeline/OptionTypes.h"

#include <cstdint>

namespace brisomel {

// The length a clip of audio lasting `seconds` gets: the seconds rounded to the rate's units,
// then cut down to whole frames.
CMTime frameAlignedDuration(double seconds, FpsType fps);

// How many whole frames that clip lasts.
std::int64_t wholeFrames(double seconds, FpsType fps);

} // namespace brisomel
