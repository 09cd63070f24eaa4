#include "audio/AudioProbe.h"

#include "audio/AiffHeader.h"
#include "audio/FfmpegProbeModule.h"
#include "audio/PcmWavHeader.h"
#include "core/PathText.h"
#include "platform/FileHead.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
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

// Full Unicode upper-casing, as the folder scan compares extensions ("aiﬀ" is an AIFF name),
// done by hand for the usual ASCII suffixes.
QString upperSuffix(const QString& suffix) {
    if (!std::all_of(suffix.begin(), suffix.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        return suffix.toUpper();
    }
    QString upper = suffix;
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return upper;
}

std::optional<AudioKind> audioKindForSuffix(const QString& suffix) {
    const QString upper = upperSuffix(suffix);
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

// The user reads these in the window and in the converter's output: Japanese, the file named.
const QString kUnreadable = QStringLiteral("音声ファイルを読み込めません: %1");
const QString kUnsupported = QStringLiteral("対応していない形式です: %1");

Failure failure(const QString& absolutePath, const QString& reason,
                const QString& what = kUnreadable) {
    return {what, QDir::toNativeSeparators(absolutePath), reason};
}

// The path as QFileInfo::absoluteFilePath gives it, without building a QFileInfo for the paths
// the folder scan makes (absolute and clean already).
QString absoluteFilePath(const QString& path) {
    return isCleanAbsolutePath(path) ? path : QFileInfo(path).absoluteFilePath();
}

// What follows the last dot of the file's name, as QFileInfo::suffix gives it.
QString suffixOf(const QString& path) {
    const QStringView name = QStringView(path).sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.sliced(dot + 1).toString();
}

// Why `head` shows a file that cannot be read: opening anything but a regular file could block
// (a FIFO waits for a writer) or make no sense (a directory).
std::optional<QString> unreadableReason(const FileHead& head) {
    switch (head.problem) {
    case FileHead::Problem::none:
        return std::nullopt;
    case FileHead::Problem::cannotOpen:
        if (head.openFailure == FileHead::OpenFailure::missing) {
            return QStringLiteral("ファイルがありません");
        }
        if (head.openFailure == FileHead::OpenFailure::denied) {
            return QStringLiteral("読み取りが許可されていません");
        }
        return QStringLiteral("開けません (%1)").arg(head.error);
    case FileHead::Problem::isFolder:
    case FileHead::Problem::notRegular:
        return QStringLiteral("通常のファイルではありません");
    case FileHead::Problem::cannotRead:
        break;
    }
    return QStringLiteral("読み取れません (%1)").arg(head.error);
}

// Plain PCM WAV and AIFF files, the usual voice recordings, are read without FFmpeg: its WAV
// reader always reads and scans the first 64 KiB for wrapped S/PDIF data, several times the cost
// of the header, and its AIFF reader rounds a fractional rate to a whole number.
std::optional<AudioInfo> headerInfo(const FileHead& head, HeaderReader reader) {
    switch (reader) {
    case HeaderReader::none:
        return std::nullopt;
    case HeaderReader::wav:
        return pcmWavInfo(head.bytes, head.size);
    case HeaderReader::aiff:
        return aiffInfo(head.bytes);
    }
    return std::nullopt;
}

qint64 headBytesFor(HeaderReader reader) {
    switch (reader) {
    case HeaderReader::none:
        return 0; // only whether it is a regular file
    case HeaderReader::wav:
        return kPcmWavHeadBytes;
    case HeaderReader::aiff:
        return kAiffHeadBytes;
    }
    return 0;
}

} // namespace

Result<AudioInfo> probeAudioFile(const QString& path) {
    const QString file = absoluteFilePath(path);
    const auto kind = audioKindForSuffix(suffixOf(path));
    const FileHead head = readFileHead(file, kind ? headBytesFor(kind->header) : 0);
    if (const auto reason = unreadableReason(head)) {
        return failure(file, *reason);
    }
    if (!kind) {
        return failure(file, QStringLiteral("MP3・WAV・M4A・AIFF・AIF のいずれでもありません"),
                       kUnsupported);
    }
    if (const auto info = headerInfo(head, kind->header)) {
        return *info;
    }
    const LoadedFfmpegProbe& ffmpeg = ffmpegProbeModule();
    if (ffmpeg.probe == nullptr) {
        return failure(file, ffmpeg.problem);
    }
    FfmpegProbeOutcome outcome;
    ffmpeg.probe(file, kind->ffmpeg, outcome);
    if (!outcome.ok) {
        return failure(file, outcome.reason, outcome.unsupported ? kUnsupported : kUnreadable);
    }
    return outcome.info;
}

} // namespace brisomel
