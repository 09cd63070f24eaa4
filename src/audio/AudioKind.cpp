#include "audio/AudioKind.h"

#include "audio/AiffHeader.h"
#include "audio/PcmWavHeader.h"
#include "core/PathText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace brisomel {

namespace {

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

// What follows the last dot of the file's name, as QFileInfo::suffix gives it.
QString suffixOf(const QString& path) {
    const QStringView name = QStringView(path).sliced(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.sliced(dot + 1).toString();
}

} // namespace

std::optional<AudioKind> audioKindOf(const QString& path) {
    return audioKindForSuffix(suffixOf(path));
}

QString absoluteAudioPath(const QString& path) {
    return isCleanAbsolutePath(path) ? path : QFileInfo(path).absoluteFilePath();
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

// The user reads these in the window and in the converter's output: Japanese, the file named.
Failure audioFailure(const QString& absolutePath, const QString& reason, bool unsupported) {
    return {unsupported ? QStringLiteral("対応していない形式です: %1")
                        : QStringLiteral("音声ファイルを読み込めません: %1"),
            QDir::toNativeSeparators(absolutePath), reason};
}

Failure unsupportedKindFailure(const QString& absolutePath) {
    return audioFailure(absolutePath,
                        QStringLiteral("MP3・WAV・M4A・AIFF・AIF のいずれでもありません"), true);
}

} // namespace brisomel
