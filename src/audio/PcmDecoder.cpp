#include "audio/PcmDecoder.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <vector>

namespace brisomel {

namespace {

constexpr qint64 kFramesPerBlock = 4096;

using SampleConverter = void (*)(const uchar* in, float* out, qsizetype count);

// Integers of 1 to 4 bytes, placed at the top of 32 bits, so that every width has full scale at
// 2^31; unsigned ones (offset binary) have their top bit flipped into two's complement.
template <int Bytes, bool BigEndian, bool Unsigned>
void convertIntegers(const uchar* in, float* out, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i, in += Bytes) {
        quint32 value = 0;
        for (int b = 0; b < Bytes; ++b) {
            const int shift = BigEndian ? 8 * (3 - b) : 8 * (4 - Bytes + b);
            value |= quint32{in[b]} << shift;
        }
        if constexpr (Unsigned) {
            value ^= 0x80000000u;
        }
        out[i] = static_cast<float>(static_cast<qint32>(value) * (1.0 / 2147483648.0));
    }
}

template <typename Floating, bool BigEndian>
void convertFloats(const uchar* in, float* out, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i, in += sizeof(Floating)) {
        const Floating value =
            BigEndian ? qFromBigEndian<Floating>(in) : qFromLittleEndian<Floating>(in);
        out[i] = std::isfinite(value) ? static_cast<float>(value) : 0.0f;
    }
}

template <bool BigEndian> SampleConverter integerConverter(int bytes, bool isUnsigned) {
    switch (bytes) {
    case 1:
        return isUnsigned ? convertIntegers<1, BigEndian, true>
                          : convertIntegers<1, BigEndian, false>;
    case 2:
        return isUnsigned ? convertIntegers<2, BigEndian, true>
                          : convertIntegers<2, BigEndian, false>;
    case 3:
        return isUnsigned ? convertIntegers<3, BigEndian, true>
                          : convertIntegers<3, BigEndian, false>;
    case 4:
        return isUnsigned ? convertIntegers<4, BigEndian, true>
                          : convertIntegers<4, BigEndian, false>;
    }
    return nullptr;
}

template <bool BigEndian> SampleConverter floatConverter(int bytes) {
    switch (bytes) {
    case 4:
        return convertFloats<float, BigEndian>;
    case 8:
        return convertFloats<double, BigEndian>;
    }
    return nullptr;
}

SampleConverter converterFor(const PcmLayout& layout) {
    if (layout.encoding == PcmLayout::Encoding::floating) {
        return layout.bigEndian ? floatConverter<true>(layout.bytesPerSample)
                                : floatConverter<false>(layout.bytesPerSample);
    }
    const bool isUnsigned = layout.encoding == PcmLayout::Encoding::unsignedInt;
    return layout.bigEndian ? integerConverter<true>(layout.bytesPerSample, isUnsigned)
                            : integerConverter<false>(layout.bytesPerSample, isUnsigned);
}

} // namespace

std::optional<DecodeStop> decodePcmFile(const QString& absolutePath, const PcmLayout& layout,
                                        const AudioBlockSink& onBlock,
                                        const std::atomic_bool* cancelled) {
    const SampleConverter convert = converterFor(layout);
    if (convert == nullptr || layout.channels <= 0) {
        return DecodeStop{QStringLiteral("対応していないサンプル形式です")};
    }
    QFile file(absolutePath);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(layout.dataOffset)) {
        return DecodeStop{QStringLiteral("読み取れません (%1)").arg(file.errorString())};
    }
    const DecodedFormat format{static_cast<int>(std::lround(layout.sampleRate)), layout.channels};
    const qint64 frameBytes = qint64{layout.channels} * layout.bytesPerSample;
    QByteArray bytes;
    std::vector<float> samples;
    for (qint64 framesLeft = layout.frames; framesLeft > 0;) {
        if (cancelled != nullptr && cancelled->load()) {
            return DecodeStop{{}, true};
        }
        const qint64 wanted = std::min(framesLeft, kFramesPerBlock) * frameBytes;
        bytes.resize(wanted);
        const qint64 got = file.read(bytes.data(), wanted);
        if (got < 0) {
            return DecodeStop{QStringLiteral("読み取れません (%1)").arg(file.errorString())};
        }
        const qint64 frames = got / frameBytes;
        if (frames == 0) {
            break; // the file ends sooner than its header says
        }
        samples.resize(frames * layout.channels);
        convert(reinterpret_cast<const uchar*>(bytes.constData()), samples.data(),
                static_cast<qsizetype>(samples.size()));
        onBlock(format, samples);
        framesLeft -= frames;
    }
    return std::nullopt;
}

} // namespace brisomel
