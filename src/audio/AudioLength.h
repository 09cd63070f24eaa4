#pragma once

#include <optional>

struct AVFormatContext;
struct AVStream;

namespace brisomel {

// The length the container's header states for a stream (sample count of a PCM file, track or
// edit-list duration of an MP4), in seconds; nothing when the header states none.
std::optional<double> statedSeconds(const AVStream& stream);

// The playing length of a stream found by reading all its packets (not decoding them): their
// lengths summed, less the samples the encoder marked for skipping, i.e. the priming and padding
// stated in an MP3's encoder tag. Nothing when a packet has no length, the file cannot be read
// to the end or the sum leaves the 64-bit range. Reading the packets also tells the stream's
// sample rate.
std::optional<double> countedSeconds(AVFormatContext& input, int streamIndex);

} // namespace brisomel
