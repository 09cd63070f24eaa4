#include "audio/AiffHeader.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>

namespace brisomel {

namespace {

constexpr qsizetype kChunkHeaderBytes = 8;
constexpr qsizetype kCommonBytes = 18;   // channels, frames, sample size, rate
constexpr qsizetype kCompressionAt = 18; // AIFC only: the compression type after the rate
constexpr int kExtendedExponentBias = 16383;

// AIFC compression types whose frame count is the count of sample frames.
constexpr QByteArrayView kUncompressedTypes[] = {"NONE", "twos", "sowt", "raw ", "in24", "42ni",
                                                 "in32", "23ni", "fl32", "FL32", "fl64", "FL64",
                                                 "ulaw", "ULAW", "alaw", "ALAW"};

template <typename T> T bigAt(QByteArrayView bytes, qsizetype offset) {
    return qFromBigEndian<T>(bytes.data() + offset);
}

// An 80-bit IEEE extended number: sign and 15-bit biased exponent, then a 64-bit mantissa with
// an explicit leading one.
double extendedAt(QByteArrayView bytes, qsizetype offset) {
    const quint16 signAndExponent = bigAt<quint16>(bytes, offset);
    const quint64 mantissa = bigAt<quint64>(bytes, offset + 2);
    const int exponent = (signAndExponent & 0x7FFF) - kExtendedExponentBias - 63;
    const double magnitude = std::ldexp(static_cast<double>(mantissa), exponent);
    return (signAndExponent & 0x8000) != 0 ? -magnitude : magnitude;
}

bool isUncompressed(QByteArrayView compressionType) {
    return std::find(std::begin(kUncompressedTypes), std::end(kUncompressedTypes),
                     compressionType) != std::end(kUncompressedTypes);
}

std::optional<AudioInfo> commonChunkInfo(QByteArrayView comm, bool isAifc) {
    if (comm.size() < (isAifc ? kCompressionAt + 4 : kCommonBytes)) {
        return std::nullopt;
    }
    if (isAifc && !isUncompressed(comm.sliced(kCompressionAt, 4))) {
        return std::nullopt;
    }
    const quint16 channels = bigAt<quint16>(comm, 0);
    const quint32 frames = bigAt<quint32>(comm, 2);
    const quint16 sampleBits = bigAt<quint16>(comm, 6);
    const double rate = extendedAt(comm, 8);
    if (channels == 0 || frames == 0 || sampleBits == 0 || sampleBits > 64 || !(rate >= 1) ||
        rate > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return AudioInfo{frames / rate, rate};
}

struct AiffChunks {
    QByteArrayView comm;
    qsizetype soundData = 0; // where the "SSND" body starts
    bool isAifc = false;
};

// The "COMM" chunk and the start of "SSND"; both must be present, as FFmpeg's reader requires
// of the files it accepts.
std::optional<AiffChunks> aiffChunks(QByteArrayView head) {
    if (head.size() < 12 || head.first(4) != "FORM") {
        return std::nullopt;
    }
    const QByteArrayView form = head.sliced(8, 4);
    if (form != "AIFF" && form != "AIFC") {
        return std::nullopt;
    }
    std::optional<QByteArrayView> comm;
    std::optional<qsizetype> soundData;
    for (qsizetype at = 12; at + kChunkHeaderBytes <= head.size();) {
        const QByteArrayView id = head.sliced(at, 4);
        const quint32 size = bigAt<quint32>(head, at + 4);
        const qsizetype body = at + kChunkHeaderBytes;
        if (id == "COMM") {
            comm = head.sliced(body, std::min<qsizetype>(size, head.size() - body));
        }
        if (id == "SSND") {
            soundData = body;
        }
        if (comm && soundData) {
            return AiffChunks{*comm, *soundData, form == "AIFC"};
        }
        // Chunk bodies are padded to an even length.
        at = body + static_cast<qsizetype>(size) + (size & 1);
    }
    return std::nullopt;
}

// How the samples of an uncompressed type are stored; nothing for u-law and A-law, which
// FFmpeg decodes.
std::optional<PcmLayout> sampleStorage(QByteArrayView type, int bits) {
    using Encoding = PcmLayout::Encoding;
    const int bytes = (bits + 7) / 8;
    PcmLayout layout;
    if (type == "NONE" || type == "twos" || type == "sowt") {
        layout = {0, 0, bytes, Encoding::signedInt, type != "sowt"};
    } else if (type == "raw ") {
        layout = {0, 0, bytes, Encoding::unsignedInt, true};
    } else if (type == "in24" || type == "42ni") {
        layout = {0, 0, 3, Encoding::signedInt, type == "in24"};
    } else if (type == "in32" || type == "23ni") {
        layout = {0, 0, 4, Encoding::signedInt, type == "in32"};
    } else if (type == "fl32" || type == "FL32") {
        layout = {0, 0, 4, Encoding::floating, true};
    } else if (type == "fl64" || type == "FL64") {
        layout = {0, 0, 8, Encoding::floating, true};
    } else {
        return std::nullopt;
    }
    if (layout.bytesPerSample < 1 || layout.bytesPerSample > 8 ||
        (layout.encoding != Encoding::floating && layout.bytesPerSample > 4)) {
        return std::nullopt;
    }
    return layout;
}

} // namespace

std::optional<AudioInfo> aiffInfo(QByteArrayView head) {
    const auto chunks = aiffChunks(head);
    return chunks ? commonChunkInfo(chunks->comm, chunks->isAifc) : std::nullopt;
}

std::optional<PcmLayout> aiffLayout(QByteArrayView head, qint64 fileSize) {
    const auto chunks = aiffChunks(head);
    if (!chunks || !commonChunkInfo(chunks->comm, chunks->isAifc) ||
        head.size() < chunks->soundData + 8) {
        return std::nullopt;
    }
    const QByteArrayView comm = chunks->comm;
    const int bits = bigAt<quint16>(comm, 6);
    auto layout = sampleStorage(chunks->isAifc ? comm.sliced(kCompressionAt, 4) : "NONE", bits);
    if (!layout) {
        return std::nullopt;
    }
    layout->channels = bigAt<quint16>(comm, 0);
    layout->sampleRate = extendedAt(comm, 8);
    // The sound data chunk starts with the offset of the first frame and a block size.
    layout->dataOffset = chunks->soundData + 8 + bigAt<quint32>(head, chunks->soundData);
    const qint64 blockAlign = qint64{layout->channels} * layout->bytesPerSample;
    const qint64 present = std::max<qint64>(fileSize - layout->dataOffset, 0) / blockAlign;
    layout->frames = std::min<qint64>(bigAt<quint32>(comm, 2), present);
    return layout;
}

} // namespace brisomel
