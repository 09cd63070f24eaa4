#pragma once

#include "audio/PhonemeLabels.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brisomel {

// How long one frame of the document lasts: `units` over `perSecond` seconds.
struct FrameLength {
    std::int64_t units;
    std::int64_t perSecond;
};

// The first audio sample of a frame; frame i starts at i frame lengths.
std::int64_t firstSampleOfFrame(std::int64_t frame, int sampleRate, FrameLength length);

// For each of `frameCount` frames, whether the mouth is open: open when the label under the
// frame's middle is an open phoneme. Frames no label covers are closed.
std::vector<bool> openFramesFromLabels(const std::vector<PhonemeLabel>& labels,
                                       std::int64_t frameCount, FrameLength length);

// The level (RMS of the channels' mean) of each frame of a line, fed block by block as the audio
// is decoded. Samples past the last frame are ignored; a frame without samples has level 0.
class FrameLevels {
public:
    FrameLevels(int sampleRate, FrameLength length, std::int64_t frameCount);

    void add(std::span<const float> interleaved, int channels);
    std::vector<double> levels() const;

private:
    int sampleRate_;
    FrameLength length_;
    std::vector<double> sumOfSquares_;
    std::vector<std::int64_t> counts_;
    std::int64_t sample_ = 0;      // the next sample's position in the line
    std::int64_t frame_ = 0;       // the frame that sample falls in
    std::int64_t nextFrameAt_ = 0; // the first sample of the frame after it
};

// Open where a frame's level reaches `thresholdPercent` of the loudest frame's; all closed when
// the line is silent.
std::vector<bool> openFramesFromLevels(const std::vector<double>& levels, double thresholdPercent);

// Keeps the mouth from flickering: an open run shorter than `hold` frames is held open until it
// lasts `hold` frames (or the line ends), then a closed run shorter than `hold` between two open
// runs is opened. Closed runs at the line's start and end stay as they are.
void holdRuns(std::vector<bool>& open, int hold);

// A run of frames with the mouth in one position.
struct MouthRun {
    std::int64_t firstFrame;
    std::int64_t frameCount;
    bool open;
};
std::vector<MouthRun> mouthRuns(const std::vector<bool>& open);

} // namespace brisomel
