#include "support/PcmWriter.h"

#include <QFile>
#include <QtEndian>

#include <bit>

namespace brisomel::testsupport {

namespace {

constexpr int kBytesPerSample = 2;

template <typename T> void appendLittle(QByteArray& out, T value) {
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

template <typename T> void appendBig(QByteArray& out, T value) {
    const T big = qToBigEndian(value);
    out.append(reinterpret_cast<const char*>(&big), sizeof big);
}

// An integer rate as the 80-bit IEEE extended number that AIFF's COMM chunk holds: sign and
// 15-bit biased exponent, then a 64-bit mantissa with an explicit leading one.
void appendExtendedRate(QByteArray& out, int sampleRate) {
    const auto rate = static_cast<std::uint64_t>(sampleRate);
    const int highestBit = std::bit_width(rate) - 1;
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(16383 + highestBit));
    appendBig<std::uint64_t>(out, rate << (63 - highestBit));
}

std::uint32_t dataSize(int channels, std::int64_t frames) {
    return static_cast<std::uint32_t>(frames * channels * kBytesPerSample);
}

} // namespace

QByteArray wavBytes(int sampleRate, int channels, std::int64_t frames) {
    const std::uint32_t samplesSize = dataSize(channels, frames);
    const auto blockAlign = static_cast<std::uint16_t>(channels * kBytesPerSample);
    QByteArray out;
    out.append("RIFF");
    appendLittle<std::uint32_t>(out, 36 + samplesSize);
    out.append("WAVEfmt ");
    appendLittle<std::uint32_t>(out, 16);
    appendLittle<std::uint16_t>(out, 1); // integer PCM
    appendLittle<std::uint16_t>(out, static_cast<std::uint16_t>(channels));
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(sampleRate));
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    appendLittle<std::uint16_t>(out, blockAlign);
    appendLittle<std::uint16_t>(out, 8 * kBytesPerSample);
    out.append("data");
    appendLittle<std::uint32_t>(out, samplesSize);
    out.append(QByteArray(samplesSize, '\0'));
    return out;
}

QByteArray aiffBytes(int sampleRate, int channels, std::int64_t frames) {
    const std::uint32_t samplesSize = dataSize(channels, frames);
    QByteArray out;
    out.append("FORM");
    appendBig<std::uint32_t>(out, 4 + 26 + 16 + samplesSize);
    out.append("AIFFCOMM");
    appendBig<std::uint32_t>(out, 18);
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(channels));
    appendBig<std::uint32_t>(out, static_cast<std::uint32_t>(frames));
    appendBig<std::uint16_t>(out, 8 * kBytesPerSample);
    appendExtendedRate(out, sampleRate);
    out.append("SSND");
    appendBig<std::uint32_t>(out, 8 + samplesSize);
    appendBig<std::uint32_t>(out, 0); // offset
    appendBig<std::uint32_t>(out, 0); // block size
    out.append(QByteArray(samplesSize, '\0'));
    return out;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool writeWav(const QString& path, int sampleRate, int channels, std::int64_t frames) {
    return writeBytes(path, wavBytes(sampleRate, channels, frames));
}

bool writeAiff(const QString& path, int sampleRate, int channels, std::int64_t frames) {
    return writeBytes(path, aiffBytes(sampleRate, channels, frames));
}

} // namespace brisomel::testsupport
