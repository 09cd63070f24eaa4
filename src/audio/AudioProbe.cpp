#include "audio/AudioProbe.h"

#include "audio/AiffHeader.h"
#include "audio/AudioKind.h"
#include "audio/FfmpegProbeModule.h"
#include "audio/PcmWavHeader.h"
#include "platform/FileHead.h"

#include <optional>

namespace brisomel {

namespace {

// Plain PCM WAV and AIFF files, the usual voice recordings, are read without FFmpeg: its WAV
// reader always reads and scans the first 64 KiB for wrapped S/PDIF data, several times the cost
// of the header, and its AIFF reader rounds a fractional rate to a whole number.
std::optional<AudioInfo> headerInfo(const FileHead& head, HeaderReader reader) {
    switch (reader) {
    case HeaderReader::none:
        return std::nullopt;
    case HeaderReader::wav:
        return pcmWavInfo(head.bytes, head.size);
    case HeaderReader::aiff:
        return aiffInfo(head.bytes);
    }
    return std::nullopt;
}

} // namespace

Result<AudioInfo> probeAudioFile(const QString& path) {
    const QString file = absoluteAudioPath(path);
    const auto kind = audioKindOf(path);
    const FileHead head = readFileHead(file, kind ? headBytesFor(kind->header) : 0);
    if (const auto reason = unreadableReason(head)) {
        return audioFailure(file, *reason);
    }
    if (!kind) {
        return unsupportedKindFailure(file);
    }
    if (const auto info = headerInfo(head, kind->header)) {
        return *info;
    }
    const LoadedFfmpegProbe& ffmpeg = ffmpegProbeModule();
    if (ffmpeg.probe == nullptr) {
        return audioFailure(file, ffmpeg.problem);
    }
    FfmpegProbeOutcome outcome;
    ffmpeg.probe(file, kind->ffmpeg, outcome);
    if (!outcome.ok) {
        return audioFailure(file, outcome.reason, outcome.unsupported);
    }
    return outcome.info;
}

} // namespace brisomel
