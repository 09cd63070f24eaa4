#pragma once

#include "audio/DecodedAudio.h"
#include "audio/PcmLayout.h"

#include <QString>

#include <atomic>
#include <optional>

namespace brisomel {

// Why a file could not be decoded, or that decoding was cancelled.
struct DecodeStop {
    QString reason;
    bool cancelled = false;
};

// Reads the samples of an uncompressed file at `absolutePath` as `layout` places them and hands
// them on in blocks. Not-a-number and infinite samples of a damaged float file become 0. A file
// shorter than its header says ends where it ends. Nothing when every sample was handed on.
std::optional<DecodeStop> decodePcmFile(const QString& absolutePath, const PcmLayout& layout,
                                        const AudioBlockSink& onBlock,
                                        const std::atomic_bool* cancelled);

} // namespace brisomel
