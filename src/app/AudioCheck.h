#pragma once

#include "core/Failure.h"
#include "intake/FileLists.h"

#include <QList>
#include <QPromise>
#include <QStringList>

#include <optional>

namespace brisomel {

// The audio files of the entries that a build would read, in list order.
QStringList audioFilesToCheck(const FileList& entries);

// Reads the length and rate of each file as a build would, and reports every file that cannot
// be read. Runs on a worker thread; stops early, reporting nothing, once the check is cancelled.
void checkAudioFiles(QPromise<QList<Failure>>& promise, const QStringList& paths);

// The first of the files a check found unreadable that still cannot be read, read again now.
std::optional<Failure> firstStillUnreadable(const QList<Failure>& checked);

} // namespace brisomel
