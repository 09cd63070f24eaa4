#include "audio/AudioProbe.h"

#include "audio/AudioLength.h"
#include "audio/FfmpegInput.h"
#include "audio/PcmWavHeader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavformat/avformat.h>
}

#include <cmath>

namespace brisomel {

namespace {

// How to read one kind of audio file.
struct AudioKind {
    const char* demuxer; // chosen from the extension, which spares FFmpeg's content probing
    // The header states the length in a form FFmpeg exposes. An MP3's encoder tag states its
    // frame count and padding, but FFmpeg applies the end padding only to the packets it reads.
    bool headerStatesLength;
    bool isWav;
};

std::optional<AudioKind> audioKindForSuffix(const QString& suffix) {
    const QString upper = suffix.toUpper();
    if (upper == u"MP3") {
        return AudioKind{"mp3", false, false};
    }
    if (upper == u"WAV") {
        return AudioKind{"wav", true, true};
    }
    if (upper == u"M4A") {
        return AudioKind{"mov", true, false};
    }
    if (upper == u"AIFF" || upper == u"AIF") {
        return AudioKind{"aiff", true, false};
    }
    return std::nullopt;
}

// The user reads these in the window and in the converter's output: Japanese, the file named.
const QString kUnreadable = QStringLiteral("音声ファイルを読み込めません: %1");
const QString kUnsupported = QStringLiteral("対応していない形式です: %1");

Failure failure(const QFileInfo& file, const QString& reason, const QString& what = kUnreadable) {
    return {what, QDir::toNativeSeparators(file.absoluteFilePath()), reason};
}

// Why `file` cannot be handed to FFmpeg, if it cannot: opening anything but a regular file
// could block (a FIFO waits for a writer) or make no sense (a directory).
std::optional<QString> unreadableReason(const QFileInfo& file) {
    if (!file.exists()) {
        return QStringLiteral("ファイルがありません");
    }
    if (!file.isFile()) {
        return QStringLiteral("通常のファイルではありません");
    }
    if (!file.isReadable()) {
        return QStringLiteral("読み取りが許可されていません");
    }
    return std::nullopt;
}

// Plain PCM WAV files, the usual voice recordings, are read without FFmpeg: its WAV reader always
// reads and scans the first 64 KiB for wrapped S/PDIF data, several times the cost of the header.
std::optional<AudioInfo> plainPcmWavInfo(const QFileInfo& file) {
    QFile wav(file.absoluteFilePath());
    if (!wav.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return std::nullopt;
    }
    return pcmWavInfo(wav.read(kPcmWavHeadBytes), wav.size());
}

// The index of the file's first audio stream, or -1. (av_find_best_stream passes over an MP3's
// stream until packets have been read, because its header does not state the rate.)
int firstAudioStream(const AVFormatContext& input) {
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        if (input.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The length the header states where it states one, else the length of the packets present.
std::optional<double> playingSeconds(AVFormatContext& input, int streamIndex, AudioKind kind) {
    if (kind.headerStatesLength) {
        if (const auto stated = statedSeconds(*input.streams[streamIndex])) {
            return stated;
        }
    }
    return countedSeconds(input, streamIndex);
}

} // namespace

Result<AudioInfo> probeAudioFile(const QString& path) {
    const QFileInfo file(path);
    if (const auto reason = unreadableReason(file)) {
        return failure(file, *reason);
    }
    const auto kind = audioKindForSuffix(file.suffix());
    if (!kind) {
        return failure(file, QStringLiteral("MP3・WAV・M4A・AIFF・AIF のいずれでもありません"),
                       kUnsupported);
    }
    if (kind->isWav) {
        if (const auto info = plainPcmWavInfo(file)) {
            return *info;
        }
    }
    const OpenedInput opened = openInput(file.absoluteFilePath(), kind->demuxer);
    if (!opened.context) {
        // FFmpeg's own reason is English; a readable file it cannot open holds something else.
        return failure(file, QStringLiteral("中身が拡張子の形式と一致しません"), kUnsupported);
    }
    AVFormatContext& input = *opened.context;
    const int streamIndex = firstAudioStream(input);
    if (streamIndex < 0) {
        return failure(file, QStringLiteral("音声が含まれていません"), kUnsupported);
    }
    const auto seconds = playingSeconds(input, streamIndex, *kind);
    // Read after the length: for an MP3, only reading its packets tells the rate.
    const int sampleRate = input.streams[streamIndex]->codecpar->sample_rate;
    if (!seconds || !std::isfinite(*seconds) || *seconds < 0 || sampleRate <= 0) {
        return failure(file, QStringLiteral("音声データを読み取れません"));
    }
    return AudioInfo{*seconds, static_cast<double>(sampleRate)};
}

} // namespace brisomel
