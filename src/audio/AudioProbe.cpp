#include "audio/AudioProbe.h"

#include "audio/AiffHeader.h"
#include "audio/FfmpegProbeModule.h"
#include "audio/PcmWavHeader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace brisomel {

namespace {

// Which header reader knows a kind of audio file; FFmpeg reads the rest and what they decline.
enum class HeaderReader { none, wav, aiff };

// How to read one kind of audio file.
struct AudioKind {
    FfmpegProbeRequest ffmpeg;
    HeaderReader header;
};

std::optional<AudioKind> audioKindForSuffix(const QString& suffix) {
    const QString upper = suffix.toUpper();
    if (upper == u"MP3") {
        return AudioKind{{"mp3", false}, HeaderReader::none};
    }
    if (upper == u"WAV") {
        return AudioKind{{"wav", true}, HeaderReader::wav};
    }
    if (upper == u"M4A") {
        return AudioKind{{"mov", true}, HeaderReader::none};
    }
    if (upper == u"AIFF" || upper == u"AIF") {
        return AudioKind{{"aiff", true}, HeaderReader::aiff};
    }
    return std::nullopt;
}

Failure failure(const QFileInfo& file, const QString& reason) {
    return {QStringLiteral("Error reading %1"), QDir::toNativeSeparators(file.absoluteFilePath()),
            reason};
}

// Why `file` cannot be handed to FFmpeg, if it cannot: opening anything but a regular file
// could block (a FIFO waits for a writer) or make no sense (a directory).
std::optional<QString> unreadableReason(const QFileInfo& file) {
    if (!file.exists()) {
        return QStringLiteral("no such file");
    }
    if (!file.isFile()) {
        return QStringLiteral("not a regular file");
    }
    return std::nullopt;
}

// Plain PCM WAV and AIFF files, the usual voice recordings, are read without FFmpeg: its WAV
// reader always reads and scans the first 64 KiB for wrapped S/PDIF data, several times the cost
// of the header, and its AIFF reader rounds a fractional rate to a whole number.
std::optional<AudioInfo> headerInfo(const QFileInfo& file, HeaderReader reader) {
    QFile audio(file.absoluteFilePath());
    if (reader == HeaderReader::none || !audio.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    if (reader == HeaderReader::wav) {
        return pcmWavInfo(audio.read(kPcmWavHeadBytes), audio.size());
    }
    return aiffInfo(audio.read(kAiffHeadBytes));
}

} // namespace

Result<AudioInfo> probeAudioFile(const QString& path) {
    const QFileInfo file(path);
    if (const auto reason = unreadableReason(file)) {
        return failure(file, *reason);
    }
    const auto kind = audioKindForSuffix(file.suffix());
    if (!kind) {
        return failure(file, QStringLiteral("not an MP3, WAV, M4A, AIFF or AIF file"));
    }
    if (const auto info = headerInfo(file, kind->header)) {
        return *info;
    }
    const LoadedFfmpegProbe& ffmpeg = ffmpegProbeModule();
    if (ffmpeg.probe == nullptr) {
        return failure(file, ffmpeg.problem);
    }
    FfmpegProbeOutcome outcome;
    ffmpeg.probe(file.absoluteFilePath(), kind->ffmpeg, outcome);
    if (!outcome.ok) {
        return failure(file, outcome.reason);
    }
    return outcome.info;
}

} // namespace brisomel
