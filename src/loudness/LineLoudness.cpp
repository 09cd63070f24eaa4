#include "loudness/LineLoudness.h"

#include "audio/AudioDecoder.h"
#include "loudness/KWeighting.h"
#include "loudness/TruePeak.h"

#include <QDir>

#include <array>
#include <cmath>
#include <optional>

namespace brisomel {

namespace {

// Loudness in LUFS is 10 log10 of the K-weighted mean square, less 0.691.
constexpr double kLoudnessOffset = -0.691;
constexpr double kAbsoluteGate = -70.0; // LUFS
constexpr double kRelativeGate = -10.0; // LU below the mean of the blocks above the absolute gate

double energyOf(double loudness) {
    return std::pow(10.0, (loudness - kLoudnessOffset) / 10.0);
}

double loudnessOf(double energy) {
    return energy > 0 ? 10.0 * std::log10(energy) + kLoudnessOffset : kNoLoudness;
}

// How much a channel counts towards loudness: the surround channels of a 5.1 layout count
// 1.41 times, the low-frequency channel and any channel past the sixth not at all.
double weightOf(std::size_t channel) {
    constexpr double kWeights[] = {1.0, 1.0, 1.0, 0.0, 1.41, 1.41};
    return channel < std::size(kWeights) ? kWeights[channel] : 0.0;
}

// Measures the decoded samples as they come: each channel is K-weighted and its energy summed
// per 100 ms; at the end of each 400-ms block (every 100 ms from 400 ms on) that block's
// mean-square energy is taken, and the line's loudness is gated from those blocks as a
// speaker's is.
class BlockMeter {
public:
    bool add(const DecodedFormat& format, std::span<const float> interleaved) {
        if (channels_ == 0 && !start(format)) {
            return false;
        }
        truePeak_->add(interleaved);
        const std::size_t frames = interleaved.size() / channels_;
        for (std::size_t done = 0; done < frames;) {
            const std::size_t step = std::min(frames - done, hopEnd_ - fed_);
            for (std::size_t channel = 0; channel < channels_; ++channel) {
                if (weights_[channel] > 0) {
                    hopEnergy_ +=
                        weights_[channel] *
                        filters_[channel].sumOfSquares(
                            interleaved.data() + done * channels_ + channel, step, channels_);
                }
            }
            done += step;
            fed_ += step;
            if (fed_ == hopEnd_) {
                endHop();
            }
        }
        return true;
    }

    LineLoudness result() {
        LineLoudness line;
        line.blockEnergies = std::move(blocks_);
        if (channels_ == 0) {
            return line; // no samples at all
        }
        line.integrated = gatedLoudness({&line});
        const double peak = truePeak_->peak();
        line.truePeak = peak > 0 ? 20.0 * std::log10(peak) : kNoLoudness;
        return line;
    }

private:
    bool start(const DecodedFormat& format) {
        constexpr int kLowestRate = 8000; // below it the weighting's shelf has no meaning
        if (format.channels <= 0 || format.sampleRate < kLowestRate) {
            return false;
        }
        channels_ = static_cast<std::size_t>(format.channels);
        for (std::size_t channel = 0; channel < channels_; ++channel) {
            filters_.emplace_back(format.sampleRate);
            weights_.push_back(weightOf(channel));
        }
        truePeak_.emplace(format.sampleRate, format.channels);
        // Blocks step by a tenth of a second, rounded to whole frames.
        hop_ = (static_cast<std::size_t>(format.sampleRate) + 5) / 10;
        hopEnd_ = hop_;
        return true;
    }

    void endHop() {
        hops_[hopCount_ % hops_.size()] = hopEnergy_;
        hopEnergy_ = 0;
        ++hopCount_;
        hopEnd_ += hop_;
        if (hopCount_ >= hops_.size()) {
            double sum = 0;
            for (const double hop : hops_) {
                sum += hop;
            }
            const double energy = sum / static_cast<double>(hops_.size() * hop_);
            if (energy >= energyOf(kAbsoluteGate)) {
                blocks_.push_back(static_cast<float>(energy));
            }
        }
    }

    std::size_t channels_ = 0;
    std::vector<KWeighting> filters_;
    std::vector<double> weights_;
    std::optional<TruePeak> truePeak_;
    std::size_t hop_ = 0;
    std::size_t fed_ = 0;
    std::size_t hopEnd_ = 0;
    double hopEnergy_ = 0;
    std::array<double, 4> hops_{}; // the last four hops' energies, a 400-ms block
    std::size_t hopCount_ = 0;
    std::vector<float> blocks_;
};

} // namespace

Result<LineLoudness> measureLine(const QString& path, const std::atomic_bool* cancelled) {
    BlockMeter meter;
    bool measurable = true;
    const Result<DecodedFormat> decoded = decodeAudioFile(
        path,
        [&](const DecodedFormat& format, std::span<const float> interleaved) {
            measurable = measurable && meter.add(format, interleaved);
        },
        cancelled);
    if (!decoded) {
        return decoded.failure();
    }
    if (!measurable) {
        return Failure{QStringLiteral("音量を測れません: %1"), QDir::toNativeSeparators(path),
                       QStringLiteral("%1 Hz・%2 チャンネルの音声には対応していません")
                           .arg(decoded->sampleRate)
                           .arg(decoded->channels)};
    }
    return meter.result();
}

double gatedLoudness(const std::vector<const LineLoudness*>& lines) {
    double sum = 0;
    std::size_t count = 0;
    for (const LineLoudness* line : lines) {
        for (const float energy : line->blockEnergies) {
            sum += energy;
        }
        count += line->blockEnergies.size();
    }
    if (count == 0) {
        return kNoLoudness;
    }
    const double threshold = sum / count * std::pow(10.0, kRelativeGate / 10.0);
    double gatedSum = 0;
    std::size_t gatedCount = 0;
    for (const LineLoudness* line : lines) {
        for (const float energy : line->blockEnergies) {
            if (energy >= threshold) {
                gatedSum += energy;
                ++gatedCount;
            }
        }
    }
    return gatedCount == 0 ? kNoLoudness : loudnessOf(gatedSum / gatedCount);
}

} // namespace brisomel
