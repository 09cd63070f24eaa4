#pragma once

#include "intake/AudioFacts.h"
#include "intake/FileListData.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace brisomel {

// The audio files of every line, ticked or not (listings show them all), in list order.
QStringList audioFilesOf(const FileList& lines);

// Reads the length and rate of each file as a build would. Answers nothing once `cancelled`
// says so: it is asked between files.
std::optional<AudioFacts> readAudioFacts(const QStringList& paths,
                                         const std::function<bool()>& cancelled = {});

// The files found unreadable that still cannot be read, read again now, each with the reason it
// fails for now (a file broken at the load may since have been deleted).
QList<Failure> stillUnreadable(const QList<Failure>& found);

} // namespace brisomel
