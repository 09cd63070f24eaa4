#include "loudness/LineLoudness.h"

#include "audio/AudioDecoder.h"

#include <ebur128.h>

#include <QDir>

#include <cmath>
#include <memory>

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

struct StateFreer {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

// Feeds the decoded samples to libebur128 and, at the end of each 400-ms block (every 100 ms
// from 400 ms on), takes that block's loudness: the momentary loudness is the loudness of the
// last 400 ms, which is the block just completed. The line's own loudness is gated from those
// blocks as a speaker's is, so libebur128 need not keep a block list of its own (its integrated
// mode would sum every block a second time).
class BlockMeter {
public:
    bool add(const DecodedFormat& format, std::span<const float> interleaved) {
        if (!state_ && !start(format)) {
            return false;
        }
        const auto channels = static_cast<std::size_t>(format.channels);
        const std::size_t frames = interleaved.size() / channels;
        for (std::size_t done = 0; done < frames;) {
            const std::size_t step = std::min(frames - done, blockEnd_ - fed_);
            if (ebur128_add_frames_float(state_.get(), interleaved.data() + done * channels,
                                         step) != EBUR128_SUCCESS) {
                return false;
            }
            done += step;
            fed_ += step;
            if (fed_ == blockEnd_) {
                takeBlock();
                blockEnd_ += hop_;
            }
        }
        return true;
    }

    LineLoudness result() {
        LineLoudness line;
        line.blockEnergies = std::move(blocks_);
        if (!state_) {
            return line; // no samples at all
        }
        line.integrated = gatedLoudness({&line});
        double peak = 0;
        for (unsigned channel = 0; channel < channels_; ++channel) {
            double channelPeak = 0;
            if (ebur128_true_peak(state_.get(), channel, &channelPeak) == EBUR128_SUCCESS) {
                peak = std::max(peak, channelPeak);
            }
        }
        line.truePeak = peak > 0 ? 20.0 * std::log10(peak) : kNoLoudness;
        return line;
    }

private:
    bool start(const DecodedFormat& format) {
        if (format.channels <= 0 || format.sampleRate <= 0) {
            return false;
        }
        channels_ = static_cast<unsigned>(format.channels);
        state_.reset(ebur128_init(channels_, static_cast<unsigned long>(format.sampleRate),
                                  EBUR128_MODE_M | EBUR128_MODE_TRUE_PEAK));
        // libebur128 steps its blocks by this many frames: a tenth of a second, rounded.
        hop_ = (static_cast<std::size_t>(format.sampleRate) + 5) / 10;
        blockEnd_ = 4 * hop_;
        return state_ != nullptr;
    }

    void takeBlock() {
        double momentary = kNoLoudness;
        if (ebur128_loudness_momentary(state_.get(), &momentary) != EBUR128_SUCCESS) {
            return;
        }
        const double energy = std::isfinite(momentary) ? energyOf(momentary) : 0.0;
        if (energy >= energyOf(kAbsoluteGate)) {
            blocks_.push_back(static_cast<float>(energy));
        }
    }

    std::unique_ptr<ebur128_state, StateFreer> state_;
    unsigned channels_ = 0;
    std::size_t hop_ = 0;
    std::size_t fed_ = 0;
    std::size_t blockEnd_ = 0;
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
