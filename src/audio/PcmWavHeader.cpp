#include "audio/PcmWavHeader.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace brisomel {

namespace {

constexpr quint16 kIntegerPcm = 1;
constexpr quint16 kFloatPcm = 3;
constexpr quint16 kExtensible = 0xFFFE;
// An extensible format's sub-format GUID: the format tag, then these fixed bytes.
constexpr QByteArrayView
    kSubFormatGuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
constexpr qsizetype kChunkHeaderBytes = 8;

struct PcmFormat {
    int sampleRate = 0;
    int blockAlign = 0; // bytes per sample frame, all channels
    int channels = 0;
    bool floating = false;
};

// The "fmt " chunk and where the "data" chunk's body lies.
struct WavChunks {
    PcmFormat format;
    qint64 dataOffset = 0;
    quint32 statedBytes = 0;
};

template <typename T> T littleAt(QByteArrayView bytes, qsizetype offset) {
    return qFromLittleEndian<T>(bytes.data() + offset);
}

// The PCM kind of a "fmt " chunk's body, or nothing for compressed or malformed formats.
std::optional<PcmFormat> pcmFormat(QByteArrayView fmt) {
    if (fmt.size() < 16) {
        return std::nullopt;
    }
    quint16 tag = littleAt<quint16>(fmt, 0);
    if (tag == kExtensible) {
        if (fmt.size() < 40 || fmt.sliced(26, 14) != kSubFormatGuidTail) {
            return std::nullopt;
        }
        tag = littleAt<quint16>(fmt, 24);
    }
    const quint32 sampleRate = littleAt<quint32>(fmt, 4);
    const quint16 blockAlign = littleAt<quint16>(fmt, 12);
    if ((tag != kIntegerPcm && tag != kFloatPcm) || littleAt<quint16>(fmt, 2) == 0 ||
        sampleRate == 0 || sampleRate > std::numeric_limits<int>::max() || blockAlign == 0) {
        return std::nullopt;
    }
    return PcmFormat{static_cast<int>(sampleRate), blockAlign, littleAt<quint16>(fmt, 2),
                     tag == kFloatPcm};
}

qint64 framesOfData(const WavChunks& chunks, qint64 fileSize) {
    const qint64 bytesToEnd = fileSize - chunks.dataOffset;
    const bool openEnded = chunks.statedBytes == 0 || chunks.statedBytes == 0xFFFFFFFF;
    const qint64 bytes = openEnded ? bytesToEnd : std::min<qint64>(chunks.statedBytes, bytesToEnd);
    return std::max<qint64>(bytes, 0) / chunks.format.blockAlign;
}

std::optional<WavChunks> wavChunks(QByteArrayView head) {
    if (head.size() < 12 || head.first(4) != "RIFF" || head.sliced(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::optional<PcmFormat> format;
    for (qsizetype at = 12; at + kChunkHeaderBytes <= head.size();) {
        const QByteArrayView id = head.sliced(at, 4);
        const quint32 size = littleAt<quint32>(head, at + 4);
        const qsizetype body = at + kChunkHeaderBytes;
        if (id == "data") {
            return format ? std::optional(WavChunks{*format, body, size}) : std::nullopt;
        }
        if (id == "fmt ") {
            format = pcmFormat(head.sliced(body, std::min<qsizetype>(size, head.size() - body)));
            if (!format) {
                return std::nullopt;
            }
        }
        // Chunk bodies are padded to an even length.
        at = body + static_cast<qsizetype>(size) + (size & 1);
    }
    return std::nullopt;
}

} // namespace

std::optional<AudioInfo> pcmWavInfo(QByteArrayView head, qint64 fileSize) {
    const auto chunks = wavChunks(head);
    if (!chunks) {
        return std::nullopt;
    }
    const double rate = chunks->format.sampleRate;
    return AudioInfo{static_cast<double>(framesOfData(*chunks, fileSize)) / rate, rate};
}

std::optional<PcmLayout> pcmWavLayout(QByteArrayView head, qint64 fileSize) {
    const auto chunks = wavChunks(head);
    if (!chunks || chunks->format.blockAlign % chunks->format.channels != 0) {
        return std::nullopt;
    }
    const PcmFormat& format = chunks->format;
    const int bytes = format.blockAlign / format.channels;
    const bool fits = format.floating ? (bytes == 4 || bytes == 8) : (bytes >= 1 && bytes <= 4);
    if (!fits) {
        return std::nullopt;
    }
    // 8-bit WAV samples are unsigned, wider ones signed.
    const auto encoding = format.floating ? PcmLayout::Encoding::floating
                          : bytes == 1    ? PcmLayout::Encoding::unsignedInt
                                          : PcmLayout::Encoding::signedInt;
    return PcmLayout{static_cast<double>(format.sampleRate),
                     format.channels,
                     bytes,
                     encoding,
                     false,
                     chunks->dataOffset,
                     framesOfData(*chunks, fileSize)};
}

} // namespace brisomel
