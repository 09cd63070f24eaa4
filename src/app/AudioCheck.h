#pragma once

#include "core/Failure.h"
#include "intake/FileLists.h"

#include <QHash>
#include <QList>
#include <QPromise>
#include <QStringList>

#include <optional>

namespace brisomel {

// What a check of a folder's audio files found: each file that cannot be read, and the playing
// length in seconds of each one that can, by local path.
struct AudioCheckResult {
    QList<Failure> failures;
    QHash<QString, double> seconds;
};

// The audio files of every entry, ticked or not (the line list shows them all), in list order.
QStringList audioFilesToCheck(const FileList& entries);

// Reads the length and rate of each file as a build would. Runs on a worker thread; stops early,
// reporting nothing, once the check is cancelled.
void checkAudioFiles(QPromise<AudioCheckResult>& promise, const QStringList& paths);

// The failures among `checked` that concern the audio of a ticked entry: only those stop a build.
QList<Failure> failuresOfTicked(const QList<Failure>& checked, const FileList& entries);

// The first of the files a check found unreadable that still cannot be read, read again now.
std::optional<Failure> firstStillUnreadable(const QList<Failure>& checked);

} // namespace brisomel
