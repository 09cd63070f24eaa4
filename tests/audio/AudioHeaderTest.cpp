#include "audio/AiffHeader.h"
#include "audio/PcmWavHeader.h"

#include "support/PcmWriter.h"

#include <gtest/gtest.h>

using namespace brisomel;
using namespace brisomel::testsupport;

// Odd-sized chunks before and after "COMM" and around "fmt ", read directly: through the probe,
// FFmpeg would rescue the file, with the AIFF rate rounded.
TEST(AudioHeaders, ChunksOfOddSizeAreSkippedWithTheirPadByte) {
    const QByteArray name("NAME\0\0\0\5Voice\0", 14);
    const QByteArray author("AUTH\0\0\0\3Ann\0", 12);
    const QByteArray comment("ANNO\0\0\0\1x\0", 10);
    const QByteArray aiff = aiffBytes(22050.5, 2, 22050);
    const QByteArray aifc = aiffBytes(22050.5, 2, 22050, "sowt");
    constexpr qsizetype kAiffSoundAt = 12 + 8 + 18;
    for (const QByteArray& file : {QByteArray(aiff).insert(12, name + author + comment),
                                   QByteArray(aiff).insert(kAiffSoundAt, comment + name),
                                   QByteArray(aifc).insert(12, author),
                                   QByteArray(aifc).insert(kAiffSoundAt + 6, comment)}) {
        const auto info = aiffInfo(file);
        ASSERT_TRUE(info) << file.first(48).toHex().toStdString();
        EXPECT_EQ(info->sampleRate, 22050.5);
        EXPECT_EQ(info->durationSeconds, 22050 / 22050.5);
    }
    const QByteArray list("LIST\3\0\0\0xyz\0", 12);
    const QByteArray wav = wavBytes(8000, 2, 8000);
    for (const QByteArray& file :
         {QByteArray(wav).insert(12, list), QByteArray(wav).insert(36, list)}) {
        const auto info = pcmWavInfo(file, file.size());
        ASSERT_TRUE(info) << file.first(48).toHex().toStdString();
        EXPECT_EQ(info->sampleRate, 8000.0);
        EXPECT_EQ(info->durationSeconds, 1.0);
    }
}

// Frames over the whole 80-bit rate for AIFF and the AIFC types of plain samples (one with a
// version chunk ahead of "COMM"); compressed frames are left to FFmpeg.
TEST(AudioHeaders, AiffLengthsAreTheFramesOverTheWholeRate) {
    const QByteArray version("FVER\0\0\0\4\xA2\x80\x51\x40", 12);
    const std::tuple<QByteArray, double, double> cases[] = {
        {aiffBytes(11025.5, 1, 5513, "sowt"), 5513 / 11025.5, 11025.5},
        {aiffBytes(48000, 1, 24000, "NONE"), 0.5, 48000},
        {aiffBytes(32000.5, 1, 16000, "fl32").insert(12, version), 16000 / 32000.5, 32000.5}};
    for (const auto& [file, seconds, rate] : cases) {
        const auto info = aiffInfo(file);
        ASSERT_TRUE(info) << rate;
        EXPECT_EQ(std::pair(info->durationSeconds, info->sampleRate), std::pair(seconds, rate));
    }
    EXPECT_FALSE(aiffInfo(aiffBytes(22050.5, 1, 64, "ima4")));
}
