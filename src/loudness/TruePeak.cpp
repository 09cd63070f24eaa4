#include "loudness/TruePeak.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace brisomel {

namespace {

constexpr int kTaps = 49;

int oversamplingOf(int sampleRate) {
    return sampleRate < 96000 ? 4 : sampleRate < 192000 ? 2 : 1;
}

// The taps of one phase of a Hann-windowed sinc interpolator of `factor`: phase p gives the
// value p/factor of a sample after sample n - span/2 from samples n, n - 1, ... (tap k reads
// sample n - k).
std::vector<float> phaseTaps(int factor, int phase) {
    std::vector<float> taps;
    for (int tap = phase; tap < kTaps; tap += factor) {
        const double offset = (tap - (kTaps - 1) / 2.0) * std::numbers::pi / factor;
        const double window = 0.5 * (1 - std::cos(2 * std::numbers::pi * tap / (kTaps - 1)));
        taps.push_back(static_cast<float>(std::sin(offset) / offset * window));
    }
    return taps;
}

float magnitudeSum(const std::vector<float>& taps) {
    float sum = 0;
    for (const float tap : taps) {
        sum += std::abs(tap);
    }
    return sum;
}

// The largest magnitude among the values. The decoders hand on finite values only, and the
// magnitudes of finite floats are ordered as their bit patterns without the sign are, which lets
// the compiler compare several at once.
float largestMagnitude(std::span<const float> values) {
    std::uint32_t largest = 0;
    for (const float value : values) {
        largest = std::max(largest, std::bit_cast<std::uint32_t>(value) & 0x7fffffffu);
    }
    return std::bit_cast<float>(largest);
}

} // namespace

TruePeak::TruePeak(int sampleRate, int channels)
    : channels_(static_cast<std::size_t>(channels)), history_(channels_) {
    const int factor = oversamplingOf(sampleRate);
    if (factor > 1) {
        const std::vector<float> halfway = phaseTaps(factor, factor / 2);
        span_ = halfway.size();
        gain_ = magnitudeSum(halfway);
        halfway_.assign(halfway.begin(), halfway.begin() + span_ / 2);
    }
    if (factor == 4) {
        const std::vector<float> quarter = phaseTaps(factor, 1); // phase 3 is its mirror image
        gain_ = std::max(gain_, magnitudeSum(quarter));
        for (std::size_t k = 0; k < span_ / 2; ++k) {
            mirroredSum_.push_back(quarter[k] + quarter[span_ - 1 - k]);
            mirroredDifference_.push_back(quarter[k] - quarter[span_ - 1 - k]);
        }
    }
    for (std::vector<float>& history : history_) {
        history.assign(span_ - 1, 0.0f);
    }
}

void TruePeak::add(std::span<const float> interleaved) {
    for (std::size_t channel = 0; channel < channels_; ++channel) {
        addChannel(interleaved, channel);
    }
}

void TruePeak::addChannel(std::span<const float> interleaved, std::size_t channel) {
    std::vector<float>& history = history_[channel];
    const std::size_t kept = history.size();
    line_.resize(kept + interleaved.size() / channels_);
    std::copy(history.begin(), history.end(), line_.begin());
    for (std::size_t i = channel, to = kept; i < interleaved.size(); i += channels_, ++to) {
        line_[to] = interleaved[i];
    }
    const std::span<const float> line(line_);
    peak_ = std::max(peak_, largestMagnitude(line.subspan(kept)));
    if (!halfway_.empty()) {
        for (std::size_t newest = kept; newest < line.size(); newest += kStretch) {
            const std::size_t count = std::min(kStretch, line.size() - newest);
            const float around = largestMagnitude(line.subspan(newest - kept, count + kept));
            if (around * gain_ > peak_) {
                interpolate(line_.data() + newest, count);
            }
        }
    }
    std::copy(line_.end() - static_cast<std::ptrdiff_t>(kept), line_.end(), history.begin());
}

// Interpolates the `count` windows whose newest samples start at `newest`, and keeps the
// largest value met.
void TruePeak::interpolate(const float* newest, std::size_t count) {
    std::fill_n(halfwayValues_.begin(), count, 0.0f);
    std::fill_n(sumValues_.begin(), count, 0.0f);
    std::fill_n(differenceValues_.begin(), count, 0.0f);
    const bool mirrored = !mirroredSum_.empty();
    for (std::size_t k = 0; k < halfway_.size(); ++k) {
        const float* late = newest - k;
        const float* early = newest - (span_ - 1 - k);
        const float halfwayTap = halfway_[k];
        const float sumTap = mirrored ? mirroredSum_[k] : 0.0f;
        const float differenceTap = mirrored ? mirroredDifference_[k] : 0.0f;
        for (std::size_t i = 0; i < count; ++i) {
            const float pairSum = late[i] + early[i];
            halfwayValues_[i] += halfwayTap * pairSum;
            sumValues_[i] += sumTap * pairSum;
            differenceValues_[i] += differenceTap * (late[i] - early[i]);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        // The larger of the two mirrored phases' magnitudes.
        const float mirroredPeak =
            0.5f * (std::abs(sumValues_[i]) + std::abs(differenceValues_[i]));
        halfwayValues_[i] = std::max(std::abs(halfwayValues_[i]), mirroredPeak);
    }
    peak_ = std::max(peak_, largestMagnitude(std::span(halfwayValues_).first(count)));
}

} // namespace brisomel
