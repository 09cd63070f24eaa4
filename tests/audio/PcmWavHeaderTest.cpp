#include "audio/PcmWavHeader.h"

#include <gtest/gtest.h>

#include <QtEndian>

using namespace brisomel;

namespace {

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray bytes(id, 4);
    char size[4];
    qToLittleEndian<quint32>(static_cast<quint32>(body.size()), size);
    bytes.append(size, 4).append(body);
    if (body.size() % 2 == 1) {
        bytes.append('\0'); // bodies are padded to an even length
    }
    return bytes;
}

// 16-bit mono PCM at the rate.
QByteArray fmtBody(quint32 rate) {
    QByteArray body(16, '\0');
    qToLittleEndian<quint16>(1, body.data());            // integer PCM
    qToLittleEndian<quint16>(1, body.data() + 2);        // channels
    qToLittleEndian<quint32>(rate, body.data() + 4);     // sample rate
    qToLittleEndian<quint32>(rate * 2, body.data() + 8); // bytes per second
    qToLittleEndian<quint16>(2, body.data() + 12);       // block align
    qToLittleEndian<quint16>(16, body.data() + 14);      // bits per sample
    return body;
}

QByteArray wav(const QByteArray& chunks) {
    return "RIFF" + QByteArray(4, '\0') + "WAVE" + chunks;
}

} // namespace

// An odd-sized chunk before the data is followed by its pad byte; reading it as the next chunk's
// start would miss the data chunk or take the wrong length.
TEST(PcmWavHeader, SkipsThePadByteOfOddSizedChunks) {
    const QByteArray data(16000, '\0');
    const QByteArray file =
        wav(chunk("fmt ", fmtBody(8000)) + chunk("LIST", QByteArray(3, 'x')) + chunk("data", data));
    const auto info = pcmWavInfo(file, file.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->sampleRate, 8000.0);
    EXPECT_DOUBLE_EQ(info->durationSeconds, 1.0);
}
