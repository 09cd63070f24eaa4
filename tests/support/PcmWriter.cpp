#include "support/PcmWriter.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace brisomel::testsupport {

namespace {

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

QByteArray wavHeader(int sampleRate, int channels, int bytesPerSample, bool floating,
                     std::uint32_t samplesSize) {
    const auto blockAlign = static_cast<std::uint16_t>(channels * bytesPerSample);
    QByteArray out;
    out.append("RIFF");
    appendLittle<std::uint32_t>(out, 36 + samplesSize);
    out.append("WAVEfmt ");
    appendLittle<std::uint32_t>(out, 16);
    appendLittle<std::uint16_t>(out, floating ? 3 : 1); // float or integer PCM
    appendLittle<std::uint16_t>(out, static_cast<std::uint16_t>(channels));
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(sampleRate));
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    appendLittle<std::uint16_t>(out, blockAlign);
    appendLittle<std::uint16_t>(out, static_cast<std::uint16_t>(8 * bytesPerSample));
    out.append("data");
    appendLittle<std::uint32_t>(out, samplesSize);
    return out;
}

QByteArray aiffHeader(double sampleRate, int channels, int bytesPerSample, std::int64_t frames,
                      const char* aifcCompression) {
    const auto samplesSize = static_cast<std::uint32_t>(frames * channels * bytesPerSample);
    // AIFC adds the compression type and an empty even-padded name to "COMM".
    const std::uint32_t commonSize = aifcCompression ? 18 + 4 + 2 : 18;
    QByteArray out;
    out.append("FORM");
    appendBig<std::uint32_t>(out, 4 + 8 + commonSize + 16 + samplesSize);
    out.append(aifcCompression ? "AIFCCOMM" : "AIFFCOMM");
    appendBig<std::uint32_t>(out, commonSize);
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(channels));
    appendBig<std::uint32_t>(out, static_cast<std::uint32_t>(frames));
    appendBig<std::uint16_t>(out, static_cast<std::uint16_t>(8 * bytesPerSample));
    appendExtendedRate(out, sampleRate);
    if (aifcCompression) {
        out.append(aifcCompression, 4);
        out.append(QByteArray(2, '\0'));
    }
    out.append("SSND");
    appendBig<std::uint32_t>(out, 8 + samplesSize);
    appendBig<std::uint32_t>(out, 0); // offset
    appendBig<std::uint32_t>(out, 0); // block size
    return out;
}

void appendSample(QByteArray& out, double value, SampleForm form) {
    QByteArray bytes;
    if (form.floating) {
        bytes.resize(form.bytes);
        if (form.bytes == 4) {
            qToLittleEndian(static_cast<float>(value), bytes.data());
        } else {
            qToLittleEndian(value, bytes.data());
        }
    } else {
        const double scale = std::ldexp(1.0, 8 * form.bytes - 1);
        auto integer =
            static_cast<std::int64_t>(std::clamp(std::round(value * scale), -scale, scale - 1));
        if (form.offsetBinary) {
            integer += static_cast<std::int64_t>(scale);
        }
        for (int b = 0; b < form.bytes; ++b) {
            bytes.append(static_cast<char>((integer >> (8 * b)) & 0xFF));
        }
    }
    if (form.bigEndian) {
        std::reverse(bytes.begin(), bytes.end());
    }
    out.append(bytes);
}

QByteArray samplesBytes(const std::vector<double>& interleaved, SampleForm form) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(interleaved.size()) * form.bytes);
    for (const double value : interleaved) {
        appendSample(out, value, form);
    }
    return out;
}

std::vector<double> silence(int channels, std::int64_t frames) {
    return std::vector<double>(static_cast<std::size_t>(frames * channels));
}

} // namespace

QByteArray wavBytes(int sampleRate, int channels, std::int64_t frames) {
    return wavBytes(sampleRate, channels, silence(channels, frames));
}

QByteArray wavBytes(int sampleRate, int channels, const std::vector<double>& interleaved,
                    SampleForm form) {
    form.offsetBinary = form.bytes == 1 && !form.floating; // 8-bit WAV samples are unsigned
    const QByteArray samples = samplesBytes(interleaved, form);
    return wavHeader(sampleRate, channels, form.bytes, form.floating,
                     static_cast<std::uint32_t>(samples.size())) +
           samples;
}

QByteArray aiffBytes(double sampleRate, int channels, std::int64_t frames,
                     const char* aifcCompression) {
    return aiffBytes(sampleRate, channels, silence(channels, frames), {}, aifcCompression);
}

QByteArray aiffBytes(double sampleRate, int channels, const std::vector<double>& interleaved,
                     SampleForm form, const char* aifcCompression) {
    const std::int64_t frames = static_cast<std::int64_t>(interleaved.size()) / channels;
    return aiffHeader(sampleRate, channels, form.bytes, frames, aifcCompression) +
           samplesBytes(interleaved, form);
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

} // namespace brisomel::testsupport
