#pragma once

#include <QtGlobal>

namespace brisomel {

// Where an uncompressed file keeps its samples and how each one is stored, as a header reader
// found it: enough to decode the file without FFmpeg.
struct PcmLayout {
    enum class Encoding {
        unsignedInt, // offset binary: 8-bit WAV, AIFC "raw "
        signedInt,   // two's complement, left-justified in its bytes
        floating,    // IEEE 754, 4 or 8 bytes
    };
    double sampleRate = 0;
    int channels = 0;
    int bytesPerSample = 0; // 1 to 4 for integers, 4 or 8 for floating point
    Encoding encoding = Encoding::signedInt;
    bool bigEndian = false;
    qint64 dataOffset = 0; // where the first sample frame starts in the file
    qint64 frames = 0;     // whole sample frames present
};

} // namespace brisomel
