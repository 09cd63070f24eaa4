#include "audio/PcmWavHeader.h"

#include "support/PcmWriter.h"

#include <gtest/gtest.h>

using namespace brisomel;

// An odd-sized chunk before the data is followed by its pad byte; reading it as the next chunk's
// start would miss the data chunk or take the wrong length. Read directly: FFmpeg, which reads
// what this reader refuses, would hide the fault.
TEST(PcmWavHeader, SkipsThePadByteOfOddSizedChunks) {
    const QByteArray file =
        testsupport::wavBytes(8000, 1, 8000).insert(12, "LIST\3\0\0\0xyz\0", 12);
    const auto info = pcmWavInfo(file, file.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->sampleRate, 8000.0);
    EXPECT_DOUBLE_EQ(info->durationSeconds, 1.0);
}
