#pragma once

#include "audio/FfmpegProbe.h"
#include "core/Failure.h"
#include "platform/FileHead.h"

#include <QString>

#include <optional>

// What the probe and the decoder share: which reader knows a file, by its name, and the
// messages naming a file that cannot be read.
namespace brisomel {

// Which header reader knows a kind of audio file; FFmpeg reads the rest and what they decline.
enum class HeaderReader { none, wav, aiff };

// How to read one kind of audio file.
struct AudioKind {
    FfmpegProbeRequest ffmpeg;
    HeaderReader header;
};

// The kind of audio file the path's extension names, or nothing for other files.
std::optional<AudioKind> audioKindOf(const QString& path);

// How many leading bytes the kind's header reader needs.
qint64 headBytesFor(HeaderReader reader);

// The path as QFileInfo::absoluteFilePath gives it, without building a QFileInfo for the paths
// the folder scan makes (absolute and clean already).
QString absoluteAudioPath(const QString& path);

// Why `head` shows a file that cannot be read, or nothing.
std::optional<QString> unreadableReason(const FileHead& head);

// A file that cannot be read, or (`unsupported`) holds no audio of the kind its name says.
Failure audioFailure(const QString& absolutePath, const QString& reason, bool unsupported = false);
// A file whose extension is none of the audio kinds.
Failure unsupportedKindFailure(const QString& absolutePath);

} // namespace brisomel
