#include "support/PcmWriter.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

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

// A positive rate as the 80-bit IEEE extended number that AIFF's COMM chunk holds: sign and
// 15-bit biased exponent, then a 64-bit mantissa with an explicit leading one.
void appendExtendedRate(QByteArray& out, double sampleRate) {
    int exponent = 0;
    const double fraction = std::frexp(sampleRate, &exponent); // in [0.5, 1)
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(16383 + exponent - 1));
    appendBig<std::uint64_t>(out, static_cast<std::uint64_t>(std::ldexp(fraction, 64)));
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

QByteArray aiffBytes(double sampleRate, int channels, std::int64_t frames,
                     const char* aifcCompression) {
    const std::uint32_t samplesSize = dataSize(channels, frames);
    // AIFC adds the compression type and an empty even-padded name to "COMM".
    const std::uint32_t commonSize = aifcCompression ? 18 + 4 + 2 : 18;
    QByteArray out;
    out.append("FORM");
    appendBig<std::uint32_t>(out, 4 + 8 + commonSize + 16 + samplesSize);
    out.append(aifcCompression ? "AIFCCOMM" : "AIFFCOMM");
    appendBig<std::uint32_t>(out, commonSize);
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(channels));
    appendBig<std::uint32_t>(out, static_cast<std::uint32_t>(frames));
    appendBig<std::uint16_t>(out, 8 * kBytesPerSample);
    appendExtendedRate(out, sampleRate);
    if (aifcCompression) {
        out.append(aifcCompression, 4);
        out.append(QByteArray(2, '\0'));
    }
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

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeWav(const QString& path, int sampleRate, int channels, std::int64_t frames) {
    return writeBytes(path, wavBytes(sampleRate, channels, frames));
}

bool writeAiff(const QString& path, double sampleRate, int channels, std::int64_t frames) {
    return writeBytes(path, aiffBytes(sampleRate, channels, frames));
}

} // namespace brisomel::testsupport
