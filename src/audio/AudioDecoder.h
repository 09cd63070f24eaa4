#pragma once

#include "audio/DecodedAudio.h"
#include "core/Failure.h"

#include <QString>

#include <atomic>

namespace brisomel {

// Decodes the whole file block by block, calling onBlock with interleaved float samples in
// [-1, 1] (frames * channels values). Returns the format, or a Failure naming the file;
// stops early with a Failure when *cancelled becomes true. WAV and AIFF of integer (8 to 32-bit)
// or floating-point (32 or 64-bit) samples are read by our own code, the rest by the FFmpeg
// module. Safe to call from several threads.
Result<DecodedFormat> decodeAudioFile(const QString& path, const AudioBlockSink& onBlock,
                                      const std::atomic_bool* cancelled = nullptr);

} // namespace brisomel
