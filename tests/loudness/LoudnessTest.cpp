#include "intake/FileLists.h"
#include "loudness/LineLoudness.h"
#include "loudness/SpeakerGains.h"
#include "loudness/VoiceGains.h"

#include "support/VoiceFolder.h"

#include <ebur128.h>

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRate = 48000;

// `seconds` of a 1 kHz tone of the given amplitude, or of white noise of that RMS.
std::vector<double> tone(double seconds, double amplitude) {
    std::vector<double> samples(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = amplitude * std::sin(2 * std::numbers::pi * 1000.0 * i / kRate);
    }
    return samples;
}

std::vector<double> noise(double seconds, double rms, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0, rms);
    std::vector<double> samples(static_cast<std::size_t>(seconds * kRate));
    for (double& sample : samples) {
        sample = std::clamp(normal(random), -1.0, 1.0);
    }
    return samples;
}

// The loudness libebur128 itself finds for the lines taken together, each scaled by `gainDb`:
// the level an editor plays them at.
double playedLoudness(const std::vector<std::vector<double>>& lines, double gainDb) {
    std::vector<ebur128_state*> states;
    for (const auto& line : lines) {
        ebur128_state* state = ebur128_init(1, kRate, EBUR128_MODE_I);
        std::vector<double> scaled(line);
        for (double& sample : scaled) {
            sample *= std::pow(10.0, gainDb / 20);
        }
        ebur128_add_frames_double(state, scaled.data(), scaled.size());
        states.push_back(state);
    }
    double loudness = 0;
    ebur128_loudness_global_multiple(states.data(), states.size(), &loudness);
    for (ebur128_state*& state : states) {
        ebur128_destroy(&state);
    }
    return loudness;
}

class LoudnessTest : public ::testing::Test {
protected:
    void addLine(const QString& stem, const std::vector<double>& samples) {
        ASSERT_TRUE(writeBytes(folder.filePath(stem + u".wav"_s), wavBytes(kRate, 1, samples)));
    }

    const SpeakerGain& gainOf(const std::vector<SpeakerGain>& gains, const QString& speaker) {
        const auto found = std::find_if(gains.begin(), gains.end(), [&](const SpeakerGain& gain) {
            return gain.speaker == speaker;
        });
        EXPECT_NE(found, gains.end()) << speaker.toStdString();
        return *found;
    }

    VoiceFolder folder;
    LoudnessCache cache;
};

// A quiet tone speaker and a loud noise speaker, each with lines of different levels, end within
// 0.1 LU of the target as libebur128 measures their lines together after the gain.
TEST_F(LoudnessTest, SpeakersReachTheTargetTogether) {
    const std::vector<std::vector<double>> quiet = {tone(3, 0.02), tone(2.5, 0.05), tone(1, 0.03),
                                                    tone(2, 0.004)};
    const std::vector<std::vector<double>> loud = {noise(3, 0.2, 1), noise(2, 0.1, 2)};
    for (std::size_t i = 0; i < quiet.size(); ++i) {
        addLine(u"%1_Hanako（normal）_a"_s.arg(i + 1), quiet[i]);
    }
    for (std::size_t i = 0; i < loud.size(); ++i) {
        addLine(u"%1_Taro（normal）_b"_s.arg(i + 4), loud[i]);
    }
    const Result<std::vector<SpeakerGain>> gains = measureSpeakerGains(folder.load(), -23, cache);
    ASSERT_TRUE(gains) << gains.failure().message().toStdString();
    ASSERT_EQ(gains->size(), 2u);
    for (const auto& [speaker, lines] :
         {std::pair{u"Hanako"_s, quiet}, std::pair{u"Taro"_s, loud}}) {
        const SpeakerGain& gain = gainOf(*gains, speaker);
        ASSERT_TRUE(gain.gain);
        EXPECT_FALSE(gain.peakLimited);
        EXPECT_NEAR(gain.loudness, playedLoudness(lines, 0), 0.01) << speaker.toStdString();
        EXPECT_NEAR(playedLoudness(lines, *gain.gain), -23, 0.1) << speaker.toStdString();
        EXPECT_EQ(std::round(*gain.gain * 10), *gain.gain * 10);
    }
    EXPECT_GT(*gainOf(*gains, u"Hanako"_s).gain, *gainOf(*gains, u"Taro"_s).gain + 10);
}

// The meter finds what libebur128 finds at the rates and layouts voice files come in: the same
// gated loudness and true peak, also for a crest between samples (half-way or three quarters on)
// after a long quiet stretch (the kind of stretch the meter skips when looking for the peak) and
// where one decoded block ends and the next begins.
TEST_F(LoudnessTest, MeterAgreesWithLibebur128) {
    struct Case {
        int rate, channels;
        double crestAt; // the burst's phase at its first sample, in half turns
    };
    for (const auto& [rate, channels, crestAt] : {Case{22050, 1, 0.25},
                                                  {44100, 2, 0.125},
                                                  {48000, 1, 0.25},
                                                  {48000, 6, 0.125},
                                                  {96000, 2, 0.25},
                                                  {192000, 1, 0.25}}) {
        const auto frames = static_cast<std::size_t>(2.5 * rate);
        std::mt19937 random(static_cast<unsigned>(rate));
        std::normal_distribution<double> normal(0, 0.05);
        std::vector<double> samples(frames * channels);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = normal(random) * (1 + std::sin(7.0 * (i / channels) / rate));
        }
        // A burst at a quarter of the rate whose samples all miss its crest of 0.9, astride the
        // edge of two of the decoder's blocks of 4,096 frames.
        const std::size_t burst = 2 * rate / 4096 * 4096 - 4;
        for (std::size_t frame = burst; frame < burst + 8; ++frame) {
            samples[frame * channels] = 0.9 * std::sin(std::numbers::pi * (frame / 2.0 + crestAt));
        }
        const QString path = folder.filePath(u"line.wav"_s);
        ASSERT_TRUE(writeBytes(path, wavBytes(rate, channels, samples, {4, true})));
        const Result<LineLoudness> measured = measureLine(path);
        ASSERT_TRUE(measured);

        ebur128_state* state =
            ebur128_init(channels, rate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK);
        const std::vector<float> floats(samples.begin(), samples.end());
        ebur128_add_frames_float(state, floats.data(), frames);
        double loudness = 0;
        double peak = 0;
        ebur128_loudness_global(state, &loudness);
        for (int channel = 0; channel < channels; ++channel) {
            double channelPeak = 0;
            ebur128_true_peak(state, channel, &channelPeak);
            peak = std::max(peak, channelPeak);
        }
        ebur128_destroy(&state);
        EXPECT_NEAR(measured->integrated, loudness, 0.001) << rate << " Hz, " << channels;
        EXPECT_NEAR(measured->truePeak, 20 * std::log10(peak), 0.01) << rate << " Hz, " << channels;
    }
}

// A quiet tone with one loud click: the gain that reaches a loud target would push the click
// past -1 dBTP, so it stops just below, and the summary says so.
TEST_F(LoudnessTest, TruePeakCapsTheGain) {
    std::vector<double> clicked = tone(3, 0.01);
    clicked[kRate] = 0.5;
    addLine(u"1_Hanako（normal）_a"_s, clicked);
    const Result<std::vector<SpeakerGain>> gains = measureSpeakerGains(folder.load(), -14, cache);
    ASSERT_TRUE(gains);
    const SpeakerGain& gain = gains->front();
    ASSERT_TRUE(gain.gain && gain.peakLimited);
    EXPECT_GT(gain.truePeak, -7.0);
    EXPECT_LE(gain.truePeak + *gain.gain, kTruePeakCeiling);
    EXPECT_GT(gain.truePeak + *gain.gain, kTruePeakCeiling - 0.1);
    EXPECT_TRUE(gainSummary(gain).contains(u"dBTP"_s));
}

// A speaker whose lines are all shorter than one block, or all silent, gets no gain and is
// named; a short line of a measured speaker takes the speaker's gain in the timeline.
TEST_F(LoudnessTest, ShortAndSilentSpeakersKeepTheirLevel) {
    addLine(u"1_Hanako（normal）_a"_s, tone(3, 0.05));
    addLine(u"2_Hanako（normal）_b"_s, tone(0.3, 0.05));
    addLine(u"3_Taro（normal）_c"_s, tone(0.3, 0.05));
    addLine(u"4_Jiro（normal）_d"_s, std::vector<double>(3 * kRate, 0.0));
    const Result<std::vector<SpeakerGain>> gains = measureSpeakerGains(folder.load(), -16, cache);
    ASSERT_TRUE(gains);
    EXPECT_TRUE(gainOf(*gains, u"Hanako"_s).gain);
    for (const QString& speaker : {u"Taro"_s, u"Jiro"_s}) {
        const SpeakerGain& gain = gainOf(*gains, speaker);
        EXPECT_FALSE(gain.gain) << speaker.toStdString();
        EXPECT_TRUE(gainSummary(gain).startsWith(speaker + u" 無音か短すぎて測れません"_s));
    }
    EXPECT_EQ(gainSummary({u"noname"_s, false, -19.84, -6, 3.8, false}),
              u"（話者なし） −19.8 LUFS → +3.8 dB"_s);
}

// Unticked lines are neither decoded (a broken one stops nothing) nor counted in the loudness.
TEST_F(LoudnessTest, UntickedLinesAreNotMeasured) {
    addLine(u"1_Hanako（normal）_a"_s, tone(3, 0.05));
    addLine(u"2_Hanako（normal）_b"_s, tone(3, 0.5));
    ASSERT_TRUE(writeBytes(folder.filePath(u"3_Hanako（normal）_c.wav"_s),
                           wavBytes(kRate, 1, 3 * kRate).left(44) + "not samples"));
    FileLists lines;
    lines.setFileLists(folder.load());
    lines.setTicked(QList<int>{2, 3}, false);
    const Result<std::vector<SpeakerGain>> gains = measureSpeakerGains(lines.lines(), -20, cache);
    ASSERT_TRUE(gains) << gains.failure().message().toStdString();
    EXPECT_NEAR(gains->front().loudness, playedLoudness({tone(3, 0.05)}, 0), 0.01);
}

// A second measurement takes unchanged files from the cache (a file changed behind the same
// size and time is not read again) and measures a file whose time changed.
TEST_F(LoudnessTest, CacheSkipsUnchangedFilesAndRemeasuresChangedOnes) {
    addLine(u"1_Hanako（normal）_a"_s, tone(3, 0.05));
    const FileList lines = folder.load();
    const Result<std::vector<SpeakerGain>> first = measureSpeakerGains(lines, -20, cache);
    ASSERT_TRUE(first);

    const QString path = folder.filePath(u"1_Hanako（normal）_a.wav"_s);
    const QDateTime modified = QFileInfo(path).lastModified();
    addLine(u"1_Hanako（normal）_a"_s, tone(3, 0.1)); // same size, 6 dB louder
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    const Result<std::vector<SpeakerGain>> cached = measureSpeakerGains(lines, -20, cache);
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->front().loudness, first->front().loudness);

    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    const Result<std::vector<SpeakerGain>> again = measureSpeakerGains(lines, -20, cache);
    ASSERT_TRUE(again);
    EXPECT_NEAR(again->front().loudness - first->front().loudness, 6.02, 0.05);
}

} // namespace
