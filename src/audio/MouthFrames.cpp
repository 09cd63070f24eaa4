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

namespace {

// The sum of squares of the channels' mean over `count` sample frames. A mono line, the usual
// case, is summed in eight single-precision lanes that the compiler runs side by side; a frame
// holds at most a few thousand samples, well within their precision.
double sumOfSquaredMeans(const float* samples, std::size_t count, std::size_t channels) {
    std::size_t frame = 0;
    double sum = 0;
    if (channels == 1) {
        float lanes[8] = {};
        for (; frame + 8 <= count; frame += 8) {
            for (std::size_t lane = 0; lane < 8; ++lane) {
                lanes[lane] += samples[frame + lane] * samples[frame + lane];
            }
        }
        for (const float lane : lanes) {
            sum += lane;
        }
    }
    for (; frame < count; ++frame) {
        const float* first = samples + frame * channels;
        double mean = 0;
        for (std::size_t channel = 0; channel < channels; ++channel) {
            mean += first[channel];
        }
        mean /= static_cast<double>(channels);
        sum += mean * mean;
    }
    return sum;
}

} // namespace

void FrameLevels::add(std::span<const float> interleaved, int channels) {
    if (channels <= 0) {
        return;
    }
    const auto step = static_cast<std::size_t>(channels);
    const std::size_t total = interleaved.size() / step;
    const auto frames = static_cast<std::int64_t>(sumOfSquares_.size());
    // Whole stretches of one frame at a time.
    for (std::size_t done = 0; done < total && frame_ < frames;) {
        if (sample_ >= nextFrameAt_) {
            ++frame_;
            nextFrameAt_ = firstSampleOfFrame(frame_ + 1, sampleRate_, length_);
            continue;
        }
        const std::size_t count =
            std::min(total - done, static_cast<std::size_t>(nextFrameAt_ - sample_));
        const auto at = static_cast<std::size_t>(frame_);
        sumOfSquares_[at] += sumOfSquaredMeans(interleaved.data() + done * step, count, step);
        counts_[at] += static_cast<std::int64_t>(count);
        sample_ += static_cast<std::int64_t>(count);
        done += count;
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
