#pragma once

#include "core/Failure.h"

#include <QString>

#include <atomic>
#include <limits>
#include <vector>

namespace brisomel {

inline constexpr double kNoLoudness = -std::numeric_limits<double>::infinity();

// What measuring one voice file found.
struct LineLoudness {
    // Integrated loudness in LUFS, gated as for a whole programme; kNoLoudness for a line shorter
    // than one 400-ms block or silent.
    double integrated = kNoLoudness;
    // The highest true peak of any channel, in dBTP; kNoLoudness for digital silence.
    double truePeak = kNoLoudness;
    // The mean-square energies of the line's 400-ms blocks (75 % overlap) that pass the absolute
    // gate: the lines of a speaker are gated together from these, so that a speaker's loudness is
    // found again for any choice of lines without decoding them again.
    std::vector<float> blockEnergies;
};

// Decodes the file and measures it. A failure names the file (also when cancelled).
Result<LineLoudness> measureLine(const QString& path, const std::atomic_bool* cancelled = nullptr);

// The integrated loudness of several lines taken as one programme: the blocks of all of them,
// gated absolutely (already) and relatively (10 LU below their mean). kNoLoudness when no block
// passes.
double gatedLoudness(const std::vector<const LineLoudness*>& lines);

} // namespace brisomel
