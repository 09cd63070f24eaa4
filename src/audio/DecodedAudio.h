#pragma once

#include <functional>
#include <span>

namespace brisomel {

// The form of the samples a decoder hands on.
struct DecodedFormat {
    int sampleRate = 0;
    int channels = 0;
};

// Receives a file's samples block by block: interleaved floats, full scale at ±1 (frames *
// channels values; a floating-point file may hold values beyond).
using AudioBlockSink =
    std::function<void(const DecodedFormat&, std::span<const float> interleaved)>;

} // namespace brisomel
