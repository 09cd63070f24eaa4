#include "audio/AudioDecoder.h"

#include "support/PcmWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <span>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

const QString kData = QStringLiteral(BRISOMEL_TEST_DATA "/audio/");

struct Decoded {
    DecodedFormat format;
    std::vector<float> samples;
    int blocks = 0;
};

Result<Decoded> decodeAll(const QString& path, const std::atomic_bool* cancelled = nullptr) {
    Decoded decoded;
    const Result<DecodedFormat> format = decodeAudioFile(
        path,
        [&](const DecodedFormat& blockFormat, std::span<const float> interleaved) {
            EXPECT_EQ(blockFormat.channels,
                      decoded.format.channels ? decoded.format.channels : blockFormat.channels);
            decoded.format = blockFormat;
            decoded.samples.insert(decoded.samples.end(), interleaved.begin(), interleaved.end());
            ++decoded.blocks;
        },
        cancelled);
    if (!format) {
        return format.failure();
    }
    EXPECT_EQ(format->sampleRate, decoded.format.sampleRate) << path.toStdString();
    decoded.format = *format;
    return decoded;
}

// Two channels that differ: a sine on the left, its negated double-speed twin on the right,
// both near full scale, over more frames than one block holds.
std::vector<double> stereoTone(int frames) {
    std::vector<double> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(0.9 * std::sin(2 * std::numbers::pi * i / 50.0));
        samples.push_back(-0.9 * std::sin(4 * std::numbers::pi * i / 50.0));
    }
    return samples;
}

class AudioDecoderTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    QTemporaryDir folder;
};

// Every sample storage our own readers take, in both containers and byte orders, gives back the
// samples written, each channel in its place, within the storage's quantisation.
TEST_F(AudioDecoderTest, OwnReadersGiveBackTheSamplesWritten) {
    const std::vector<double> tone = stereoTone(10000);
    const std::tuple<QString, QByteArray, double> cases[] = {
        {u"u8.wav"_s, wavBytes(44100, 2, tone, {1}), 1.0 / 128},
        {u"s16.wav"_s, wavBytes(44100, 2, tone, {2}), 1.0 / 32768},
        {u"s24.wav"_s, wavBytes(44100, 2, tone, {3}), 1e-6},
        {u"s32.wav"_s, wavBytes(44100, 2, tone, {4}), 1e-6},
        {u"f32.wav"_s, wavBytes(44100, 2, tone, {4, true}), 1e-7},
        {u"f64.wav"_s, wavBytes(44100, 2, tone, {8, true}), 1e-7},
        {u"s16.aiff"_s, aiffBytes(44100, 2, tone), 1.0 / 32768},
        {u"s8.aif"_s, aiffBytes(44100, 2, tone, {1, false, true}), 1.0 / 128},
        {u"sowt.aif"_s, aiffBytes(44100, 2, tone, {2}, "sowt"), 1.0 / 32768},
        {u"in24.aiff"_s, aiffBytes(44100, 2, tone, {3, false, true}, "in24"), 1e-6},
        {u"23ni.aiff"_s, aiffBytes(44100, 2, tone, {4}, "23ni"), 1e-6},
        {u"fl32.aiff"_s, aiffBytes(44100, 2, tone, {4, true, true}, "fl32"), 1e-7},
        {u"fl64.aiff"_s, aiffBytes(44100, 2, tone, {8, true, true}, "fl64"), 1e-7},
    };
    for (const auto& [name, bytes, tolerance] : cases) {
        const Result<Decoded> decoded = decodeAll(write(name, bytes));
        ASSERT_TRUE(decoded) << name.toStdString() << decoded.failure().message().toStdString();
        EXPECT_EQ(decoded->format.sampleRate, 44100);
        EXPECT_EQ(decoded->format.channels, 2);
        EXPECT_GT(decoded->blocks, 1) << name.toStdString();
        ASSERT_EQ(decoded->samples.size(), tone.size()) << name.toStdString();
        for (std::size_t i = 0; i < tone.size(); ++i) {
            ASSERT_NEAR(decoded->samples[i], tone[i], tolerance)
                << name.toStdString() << " sample " << i;
        }
    }
}

// MP3 and M4A, and a compressed WAV our reader declines, go through the FFmpeg module: the
// 440 Hz tone comes out whole and at its level.
TEST_F(AudioDecoderTest, FfmpegDecodesTheCompressedFiles) {
    for (const auto& [name, rate, frames] :
         {std::tuple{u"tone-2500ms-48k.mp3"_s, 48000, 120000},
          std::tuple{u"tone-2500ms-48k.m4a"_s, 48000, 120000},
          std::tuple{u"tone-1250ms-8k-adpcm.wav"_s, 8000, 10205}}) {
        const Result<Decoded> decoded = decodeAll(kData + name);
        ASSERT_TRUE(decoded) << decoded.failure().message().toStdString();
        EXPECT_EQ(decoded->format.sampleRate, rate);
        EXPECT_EQ(decoded->format.channels, 1);
        EXPECT_NEAR(static_cast<double>(decoded->samples.size()), frames, 1152)
            << name.toStdString();
        // The tone's amplitude is 1/8.
        double energy = 0;
        for (const float sample : decoded->samples) {
            energy += double{sample} * sample;
        }
        EXPECT_NEAR(std::sqrt(energy / decoded->samples.size()), 0.125 / std::sqrt(2), 0.005)
            << name.toStdString();
    }
}

// A file cut short ends where it ends; damaged, missing and cancelled files fail naming the file,
// and a damaged float file yields no samples that are not numbers.
TEST_F(AudioDecoderTest, ShortDamagedAndCancelled) {
    const QByteArray whole = wavBytes(8000, 1, std::vector<double>(8000, 0.5), {2});
    const Result<Decoded> cut = decodeAll(write(u"cut.wav"_s, whole.left(44 + 2 * 3000 + 1)));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.size(), 3000u);

    const Result<Decoded> nan = decodeAll(
        write(u"nan.wav"_s, wavBytes(8000, 1, {0.25, std::nan(""), INFINITY, -0.25}, {4, true})));
    ASSERT_TRUE(nan);
    EXPECT_EQ(nan->samples, (std::vector<float>{0.25f, 0, 0, -0.25f}));

    const std::atomic_bool cancelled = true;
    for (const QString& path :
         {write(u"text.mp3"_s, "これは音声ではありません"), folder.filePath(u"missing.wav"_s),
          write(u"cancel.wav"_s, whole), kData + u"tone-2500ms-48k.m4a"_s}) {
        const Result<Decoded> decoded = decodeAll(path, &cancelled);
        ASSERT_FALSE(decoded) << path.toStdString();
        EXPECT_TRUE(decoded.failure().message().contains(QFileInfo(path).fileName()));
    }
}

} // namespace
