// The FFmpeg probe module: the only code of ours that links FFmpeg.

#include "audio/FfmpegProbe.h"

#include "audio/AudioLength.h"
#include "audio/FfmpegInput.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cmath>
#include <type_traits>

namespace brisomel {

namespace {

// The length the header states where it states one, else the length of the packets present.
std::optional<double> playingSeconds(AVFormatContext& input, int streamIndex,
                                     bool headerStatesLength) {
    if (headerStatesLength) {
        if (const auto stated = statedSeconds(*input.streams[streamIndex])) {
            return stated;
        }
    }
    return countedSeconds(input, streamIndex);
}

FfmpegProbeOutcome probe(const QString& absolutePath, FfmpegProbeRequest request) {
    const OpenedInput opened = openInput(absolutePath, request.demuxer);
    if (!opened.context) {
        // FFmpeg's own reason is English; a readable file it cannot open holds something else.
        return {false, {}, QStringLiteral("中身が拡張子の形式と一致しません"), true};
    }
    AVFormatContext& input = *opened.context;
    const int streamIndex = firstAudioStream(input);
    if (streamIndex < 0) {
        return {false, {}, QStringLiteral("音声が含まれていません"), true};
    }
    const auto seconds = playingSeconds(input, streamIndex, request.headerStatesLength);
    // Read after the length: for an MP3, only reading its packets tells the rate.
    const int sampleRate = input.streams[streamIndex]->codecpar->sample_rate;
    if (!seconds || !std::isfinite(*seconds) || *seconds < 0 || sampleRate <= 0) {
        return {false, {}, QStringLiteral("音声データを読み取れません")};
    }
    return {true, AudioInfo{*seconds, static_cast<double>(sampleRate)}, {}};
}

} // namespace

} // namespace brisomel

extern "C" Q_DECL_EXPORT void brisomel_ffmpeg_probe_v1(const QString& absolutePath,
                                                       brisomel::FfmpegProbeRequest request,
                                                       brisomel::FfmpegProbeOutcome& outcome) {
    static_assert(
        std::is_same_v<decltype(&brisomel_ffmpeg_probe_v1), brisomel::FfmpegProbeFunction>);
    outcome = brisomel::probe(absolutePath, request);
}
