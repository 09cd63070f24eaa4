#include "audio/MouthFrames.h"

#include <algorithm>
#include <cmath>

namespace brisomel {

std::int64_t firstSampleOfFrame(std::int64_t frame, int sampleRate, FrameLength length) {
    return frame * length.units * sampleRate / length.perSecond;
}

std::vector<bool> openFramesFromLabels(const std::vector<PhonemeLabel>& labels,
                                       std::int64_t frameCount, FrameLength length) {
    std::vector<bool> open(static_cast<std::size_t>(std::max<std::int64_t>(frameCount, 0)));
    for (std::int64_t frame = 0; frame < frameCount; ++frame) {
        // The frame's middle in label units, exactly: (2i + 1) / 2 frame lengths.
        const std::int64_t middle =
            (2 * frame + 1) * length.units * kLabelUnitsPerSecond / (2 * length.perSecond);
        const auto covering =
            std::find_if(labels.begin(), labels.end(), [middle](const PhonemeLabel& label) {
                return label.start <= middle && middle < label.end;
            });
        open[static_cast<std::size_t>(frame)] =
            covering != labels.end() && isOpenPhoneme(covering->phoneme);
    }
    return open;
}

FrameLevels::FrameLevels(int sampleRate, FrameLength length, std::int64_t frameCount)
    : sampleRate_(sampleRate), length_(length),
      sumOfSquares_(static_cast<std::size_t>(std::max<std::int64_t>(frameCount, 0))),
      counts_(sumOfSquares_.size()), nextFrameAt_(firstSampleOfFrame(1, sampleRate, length)) {}

void FrameLevels::add(std::span<const float> interleaved, int channels) {
    if (channels <= 0) {
        return;
    }
    const auto frames = static_cast<std::int64_t>(sumOfSquares_.size());
    const std::size_t step = static_cast<std::size_t>(channels);
    for (std::size_t at = 0; at + step <= interleaved.size(); at += step) {
        while (sample_ >= nextFrameAt_ && frame_ < frames) {
            ++frame_;
            nextFrameAt_ = firstSampleOfFrame(frame_ + 1, sampleRate_, length_);
        }
        if (frame_ >= frames) {
            return;
        }
        double mean = 0;
        for (std::size_t channel = 0; channel < step; ++channel) {
            mean += interleaved[at + channel];
        }
        mean /= channels;
        sumOfSquares_[static_cast<std::size_t>(frame_)] += mean * mean;
        ++counts_[static_cast<std::size_t>(frame_)];
        ++sample_;
    }
}

std::vector<double> FrameLevels::levels() const {
    std::vector<double> levels(sumOfSquares_.size());
    for (std::size_t frame = 0; frame < levels.size(); ++frame) {
        levels[frame] = counts_[frame] > 0
                            ? std::sqrt(sumOfSquares_[frame] / static_cast<double>(counts_[frame]))
                            : 0.0;
    }
    return levels;
}

std::vector<bool> openFramesFromLevels(const std::vector<double>& levels, double thresholdPercent) {
    const double loudest = levels.empty() ? 0.0 : *std::max_element(levels.begin(), levels.end());
    std::vector<bool> open(levels.size());
    if (loudest <= 0) {
        return open;
    }
    const double threshold = loudest * thresholdPercent / 100.0;
    for (std::size_t frame = 0; frame < levels.size(); ++frame) {
        open[frame] = levels[frame] >= threshold;
    }
    return open;
}

void holdRuns(std::vector<bool>& open, int hold) {
    const std::size_t length = static_cast<std::size_t>(std::max(hold, 1));
    // Open runs held open: each opening keeps the mouth open for at least `hold` frames.
    for (std::size_t frame = 0; frame < open.size();) {
        if (!open[frame]) {
            ++frame;
            continue;
        }
        const std::size_t runEnd = std::min(open.size(), frame + length);
        std::size_t end = frame;
        while (end < open.size() && (end < runEnd || open[end])) {
            open[end++] = true;
        }
        frame = end;
    }
    // Short closings between openings filled.
    for (const MouthRun& run : mouthRuns(open)) {
        const bool inside = run.firstFrame > 0 && run.firstFrame + run.frameCount <
                                                      static_cast<std::int64_t>(open.size());
        if (!run.open && inside && run.frameCount < static_cast<std::int64_t>(length)) {
            std::fill_n(open.begin() + run.firstFrame, run.frameCount, true);
        }
    }
}

std::vector<MouthRun> mouthRuns(const std::vector<bool>& open) {
    std::vector<MouthRun> runs;
    for (std::size_t frame = 0; frame < open.size(); ++frame) {
        if (runs.empty() || runs.back().open != open[frame]) {
            runs.push_back({static_cast<std::int64_t>(frame), 0, open[frame]});
        }
        ++runs.back().frameCount;
    }
    return runs;
}

} // namespace brisomel
