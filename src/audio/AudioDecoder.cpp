#include "audio/AudioDecoder.h"

#include "audio/AiffHeader.h"
#include "audio/AudioKind.h"
#include "audio/FfmpegProbeModule.h"
#include "audio/PcmDecoder.h"
#include "audio/PcmWavHeader.h"

#include <cmath>
#include <optional>

namespace brisomel {

namespace {

std::optional<PcmLayout> headerLayout(const FileHead& head, HeaderReader reader) {
    switch (reader) {
    case HeaderReader::none:
        return std::nullopt;
    case HeaderReader::wav:
        return pcmWavLayout(head.bytes, head.size);
    case HeaderReader::aiff:
        return aiffLayout(head.bytes, head.size);
    }
    return std::nullopt;
}

Failure cancelledFailure(const QString& file) {
    return audioFailure(file, QStringLiteral("キャンセルされました"));
}

Result<DecodedFormat> decodeOwn(const QString& file, const PcmLayout& layout,
                                const AudioBlockSink& onBlock, const std::atomic_bool* cancelled) {
    if (const auto stop = decodePcmFile(file, layout, onBlock, cancelled)) {
        return stop->cancelled ? cancelledFailure(file) : audioFailure(file, stop->reason);
    }
    return DecodedFormat{static_cast<int>(std::lround(layout.sampleRate)), layout.channels};
}

Result<DecodedFormat> decodeWithFfmpeg(const QString& file, const AudioKind& kind,
                                       const AudioBlockSink& onBlock,
                                       const std::atomic_bool* cancelled) {
    const LoadedFfmpegProbe& ffmpeg = ffmpegProbeModule();
    if (ffmpeg.decode == nullptr) {
        return audioFailure(file, ffmpeg.problem);
    }
    FfmpegDecodeOutcome outcome;
    ffmpeg.decode(file, kind.ffmpeg.demuxer, onBlock, cancelled, outcome);
    if (outcome.cancelled) {
        return cancelledFailure(file);
    }
    if (!outcome.ok) {
        return audioFailure(file, outcome.reason, outcome.unsupported);
    }
    return outcome.format;
}

} // namespace

Result<DecodedFormat> decodeAudioFile(const QString& path, const AudioBlockSink& onBlock,
                                      const std::atomic_bool* cancelled) {
    const QString file = absoluteAudioPath(path);
    const auto kind = audioKindOf(path);
    const FileHead head = readFileHead(file, kind ? headBytesFor(kind->header) : 0);
    if (const auto reason = unreadableReason(head)) {
        return audioFailure(file, *reason);
    }
    if (!kind) {
        return unsupportedKindFailure(file);
    }
    if (const auto layout = headerLayout(head, kind->header)) {
        return decodeOwn(file, *layout, onBlock, cancelled);
    }
    return decodeWithFfmpeg(file, *kind, onBlock, cancelled);
}

} // namespace brisomel
