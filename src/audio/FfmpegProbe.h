#pragma once

#include "audio/AudioProbe.h"
#include "audio/DecodedAudio.h"

#include <QString>

#include <atomic>

// The meeting point of the probing code and the FFmpeg probe module, a library of ours loaded
// only when a file needs FFmpeg, so that starting and reading WAV or AIFF files never pays for
// resolving FFmpeg's many libraries. Both sides are built from this tree with the same Qt.
namespace brisomel {

// What FFmpeg found in one file: a length and rate, or why it could not read them.
struct FfmpegProbeOutcome {
    bool ok = false;
    AudioInfo info;
    QString reason;
    bool unsupported = false; // the file holds no audio of the kind its name says
};

// How to read one kind of audio file with FFmpeg.
struct FfmpegProbeRequest {
    const char* demuxer; // chosen from the extension, which spares FFmpeg's content probing
    // The header states the length in a form FFmpeg exposes. An MP3's encoder tag states its
    // frame count and padding, but FFmpeg applies the end padding only to the packets it reads.
    bool headerStatesLength;
};

// The module's entry point, found by the name kFfmpegProbeSymbol. `absolutePath` names an
// existing regular file.
using FfmpegProbeFunction = void (*)(const QString& absolutePath, FfmpegProbeRequest request,
                                     FfmpegProbeOutcome& outcome);
inline constexpr char kFfmpegProbeSymbol[] = "brisomel_ffmpeg_probe_v1";

// How decoding a whole file with FFmpeg ended.
struct FfmpegDecodeOutcome {
    bool ok = false;
    DecodedFormat format;
    QString reason;
    bool unsupported = false; // the file holds no audio of the kind its name says
    bool cancelled = false;
};

// The module's decoder, found by the name kFfmpegDecodeSymbol: decodes the first audio stream
// of the file to the end, handing on each decoded frame; stops between packets once
// `*cancelled` (when given) becomes true.
using FfmpegDecodeFunction = void (*)(const QString& absolutePath, const char* demuxer,
                                      const AudioBlockSink& onBlock,
                                      const std::atomic_bool* cancelled,
                                      FfmpegDecodeOutcome& outcome);
inline constexpr char kFfmpegDecodeSymbol[] = "brisomel_ffmpeg_decode_v1";

} // namespace brisomel
