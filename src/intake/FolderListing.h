#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace brisomel {

// Whether a file name has an audio extension: MP3, WAV, M4A, AIFF or AIF in any letter case.
bool isAudioName(const QString& name);

// The immediate entries of a folder (platform/FolderEntries.h), of every kind (directories and
// broken links too: only the name is looked at) except names starting with a dot.
struct FolderListing {
    QStringList names;
    // Names known to be regular files from the listing alone; others may still be (a link to
    // one, or a file system that does not tell the kind while listing).
    QSet<QString> regularFiles;
    // The first audio-named entry whose name is not valid in the file-name encoding (UTF-8):
    // such a voice line would otherwise vanish from the timeline. Shown with U+FFFD.
    std::optional<QString> undecodableAudioName;
};

// The listing of the folder at `folderPath`; empty when it cannot be read.
FolderListing listFolder(const QString& folderPath);

} // namespace brisomel
