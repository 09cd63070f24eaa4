// The FFmpeg probe module's decoder: whole files to float samples, for measuring them.

#include "audio/FfmpegInput.h"
#include "audio/FfmpegProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

namespace brisomel {

namespace {

struct CodecContextFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

// One sample of a packed sample format as a float with full scale at ±1.
template <typename Sample> float toFloat(Sample value) {
    if constexpr (std::is_same_v<Sample, std::uint8_t>) {
        return (static_cast<int>(value) - 128) / 128.0f;
    } else if constexpr (std::is_floating_point_v<Sample>) {
        return std::isfinite(value) ? static_cast<float>(value) : 0.0f;
    } else {
        return static_cast<float>(static_cast<double>(value) /
                                  -static_cast<double>(std::numeric_limits<Sample>::min()));
    }
}

// Appends a frame's samples, planar or packed, interleaved.
template <typename Sample>
void interleave(const AVFrame& frame, int channels, bool planar, std::vector<float>& out) {
    const auto frames = static_cast<std::size_t>(frame.nb_samples);
    out.resize(frames * channels);
    for (int c = 0; c < channels; ++c) {
        const auto* in = reinterpret_cast<const Sample*>(frame.extended_data[planar ? c : 0]);
        const std::size_t step = planar ? 1 : channels;
        const std::size_t first = planar ? 0 : c;
        for (std::size_t i = 0; i < frames; ++i) {
            out[i * channels + c] = toFloat(in[first + i * step]);
        }
    }
}

bool frameSamples(const AVFrame& frame, int channels, std::vector<float>& out) {
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        interleave<std::uint8_t>(frame, channels, planar, out);
        return true;
    case AV_SAMPLE_FMT_S16:
        interleave<std::int16_t>(frame, channels, planar, out);
        return true;
    case AV_SAMPLE_FMT_S32:
        interleave<std::int32_t>(frame, channels, planar, out);
        return true;
    case AV_SAMPLE_FMT_S64:
        interleave<std::int64_t>(frame, channels, planar, out);
        return true;
    case AV_SAMPLE_FMT_FLT:
        interleave<float>(frame, channels, planar, out);
        return true;
    case AV_SAMPLE_FMT_DBL:
        interleave<double>(frame, channels, planar, out);
        return true;
    default:
        return false;
    }
}

// Hands on the frames the decoder has ready; false when a frame cannot be handed on.
class FrameDrain {
public:
    FrameDrain(AVCodecContext& codec, const AudioBlockSink& onBlock, FfmpegDecodeOutcome& outcome)
        : codec_(codec), onBlock_(onBlock), outcome_(outcome), frame_(av_frame_alloc()) {}

    bool drain() {
        while (avcodec_receive_frame(&codec_, frame_.get()) == 0) {
            const bool handed = handOn(*frame_);
            av_frame_unref(frame_.get());
            if (!handed) {
                return false;
            }
        }
        return true;
    }

    bool decodedAny() const { return outcome_.format.sampleRate > 0; }

private:
    bool handOn(const AVFrame& frame) {
        const DecodedFormat format{frame.sample_rate, frame.ch_layout.nb_channels};
        if (format.sampleRate <= 0 || format.channels <= 0) {
            return fail(QStringLiteral("音声データを読み取れません"));
        }
        if (decodedAny() && (format.sampleRate != outcome_.format.sampleRate ||
                             format.channels != outcome_.format.channels)) {
            return fail(QStringLiteral("途中でサンプリング周波数かチャンネル数が変わります"));
        }
        if (!frameSamples(frame, format.channels, samples_)) {
            return fail(QStringLiteral("対応していないサンプル形式です"));
        }
        outcome_.format = format;
        onBlock_(format, samples_);
        return true;
    }

    bool fail(const QString& reason) {
        outcome_.reason = reason;
        return false;
    }

    AVCodecContext& codec_;
    const AudioBlockSink& onBlock_;
    FfmpegDecodeOutcome& outcome_;
    std::unique_ptr<AVFrame, FrameFreer> frame_;
    std::vector<float> samples_;
};

std::unique_ptr<AVCodecContext, CodecContextFreer> openDecoder(const AVStream& stream) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (codec == nullptr) {
        return nullptr;
    }
    std::unique_ptr<AVCodecContext, CodecContextFreer> context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream.codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0) {
        return nullptr;
    }
    return context;
}

void decode(const QString& absolutePath, const char* demuxer, const AudioBlockSink& onBlock,
            const std::atomic_bool* cancelled, FfmpegDecodeOutcome& outcome) {
    outcome = {};
    const OpenedInput opened = openInput(absolutePath, demuxer);
    if (!opened.context) {
        outcome.reason = QStringLiteral("中身が拡張子の形式と一致しません");
        outcome.unsupported = true;
        return;
    }
    AVFormatContext& input = *opened.context;
    const int streamIndex = firstAudioStream(input);
    if (streamIndex < 0) {
        outcome.reason = QStringLiteral("音声が含まれていません");
        outcome.unsupported = true;
        return;
    }
    const auto codec = openDecoder(*input.streams[streamIndex]);
    const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    if (!codec || !packet) {
        outcome.reason = QStringLiteral("この音声の符号化形式は読み取れません");
        return;
    }
    FrameDrain frames(*codec, onBlock, outcome);
    int status = 0;
    while ((status = av_read_frame(&input, packet.get())) >= 0) {
        if (cancelled != nullptr && cancelled->load()) {
            outcome.cancelled = true;
            return;
        }
        // A damaged packet is passed over, as players do; the frames around it still count.
        const bool ours = packet->stream_index == streamIndex;
        const bool sent = ours && avcodec_send_packet(codec.get(), packet.get()) == 0;
        av_packet_unref(packet.get());
        if (sent && !frames.drain()) {
            return;
        }
    }
    if (status != AVERROR_EOF) {
        outcome.reason =
            QStringLiteral("音声データを読み取れません (%1)").arg(ffmpegErrorText(status));
        return;
    }
    avcodec_send_packet(codec.get(), nullptr);
    if (!frames.drain()) {
        return;
    }
    if (!frames.decodedAny()) {
        outcome.reason = QStringLiteral("音声データを読み取れません");
        return;
    }
    outcome.ok = true;
}

} // namespace

} // namespace brisomel

extern "C" Q_DECL_EXPORT void brisomel_ffmpeg_decode_v1(const QString& absolutePath,
                                                        const char* demuxer,
                                                        const brisomel::AudioBlockSink& onBlock,
                                                        const std::atomic_bool* cancelled,
                                                        brisomel::FfmpegDecodeOutcome& outcome) {
    static_assert(
        std::is_same_v<decltype(&brisomel_ffmpeg_decode_v1), brisomel::FfmpegDecodeFunction>);
    brisomel::decode(absolutePath, demuxer, onBlock, cancelled, outcome);
}
