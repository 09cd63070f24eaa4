#pragma once

#include "core/Failure.h"

#include <QString>

namespace brisomel {

// What the builder needs of an audio file: its playing length and its sample rate.
struct AudioInfo {
    double durationSeconds = 0;
    double sampleRate = 0;
};

// Reads the length and rate of an MP3, WAV, M4A, AIFF or AIF file from its header where the file
// states them, decoding only where it does not. Never plays, converts or writes anything.
Result<AudioInfo> probeAudioFile(const QString& path);

} // namespace brisomel
