#include "audio/AudioLength.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/mathematics.h>
}

#include <algorithm>
#include <cstdint>
#include <memory>

namespace brisomel {

namespace {

struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

// Samples to drop from the start and the end of a packet, as its side data states them.
std::int64_t skippedSamples(const AVPacket& packet) {
    size_t size = 0;
    const std::uint8_t* skip = av_packet_get_side_data(&packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
    if (skip == nullptr || size < 8) {
        return 0;
    }
    return std::int64_t{AV_RL32(skip)} + std::int64_t{AV_RL32(skip + 4)};
}

} // namespace

std::optional<double> statedSeconds(const AVStream& stream) {
    if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(stream.duration) * stream.time_base.num / stream.time_base.den;
}

std::optional<double> countedSeconds(AVFormatContext& input, int streamIndex) {
    const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    if (!packet) {
        return std::nullopt;
    }
    std::int64_t totalDuration = 0; // in the stream's time base
    std::int64_t skipped = 0;       // in samples
    bool countable = true;          // every packet has a length and the sums stay in range
    int status = 0;
    while ((status = av_read_frame(&input, packet.get())) >= 0) {
        if (packet->stream_index == streamIndex) {
            countable = countable && packet->duration > 0 &&
                        !__builtin_add_overflow(totalDuration, packet->duration, &totalDuration) &&
                        !__builtin_add_overflow(skipped, skippedSamples(*packet), &skipped);
        }
        av_packet_unref(packet.get());
    }
    const AVStream& stream = *input.streams[streamIndex];
    const int sampleRate = stream.codecpar->sample_rate;
    if (status != AVERROR_EOF || !countable || sampleRate <= 0) {
        return std::nullopt;
    }
    const std::int64_t samples =
        av_rescale_q(totalDuration, stream.time_base, AVRational{1, sampleRate});
    if (samples < 0) { // the rescaled length left the 64-bit range
        return std::nullopt;
    }
    return static_cast<double>(std::max<std::int64_t>(samples - skipped, 0)) / sampleRate;
}

} // namespace brisomel
