#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"
#include "loudness/LoudnessCache.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace brisomel {

// The highest true peak a gain may bring a speaker's lines to.
inline constexpr double kTruePeakCeiling = -1.0; // dBTP

// One speaker's lines measured together and the gain that brings them to the target.
struct SpeakerGain {
    QString speaker;               // as the builder names the speaker's tracks
    bool named = true;             // false for the lines without a speaker
    double loudness = kNoLoudness; // LUFS over the speaker's ticked lines
    double truePeak = kNoLoudness; // the highest of those lines, dBTP
    // dB with one decimal; nothing when every line is silent or too short to measure.
    std::optional<double> gain;
    bool peakLimited = false; // the gain was lowered to keep the true peak at the ceiling
};

// Called with the number of files measured so far and the number to measure.
using MeasureProgress = std::function<void(qsizetype done, qsizetype total)>;

// Measures the audio of every ticked line (on several threads, files already in `cache` and
// unchanged skipped) and gives each speaker, in the order speakers first appear, the gain that
// brings its lines, measured as one programme, to `targetLufs`: one decimal, lowered where needed
// so the highest true peak stays at kTruePeakCeiling. Lines without a speaker are one group.
// A file that cannot be measured, or cancelling, stops it with the failure naming the file.
Result<std::vector<SpeakerGain>> measureSpeakerGains(const FileList& entries, double targetLufs,
                                                     LoudnessCache& cache,
                                                     const MeasureProgress& progress = {},
                                                     const std::atomic_bool* cancelled = nullptr);

// The gain for a speaker of that loudness and true peak (see above).
std::optional<double> gainFor(double loudness, double truePeak, double targetLufs,
                              bool* peakLimited = nullptr);

} // namespace brisomel
