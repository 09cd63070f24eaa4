#pragma once

#include "intake/FileListData.h"

#include <QObject>
#include <QStringList>

#include <optional>

namespace brisomel {

// The single holder of the current list of entries; the window observes it.
class FileLists : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const std::optional<FileList>& fileLists() const { return fileLists_; }
    void setFileLists(std::optional<FileList> list);

    // Each speaker name once, in the order of first appearance by file name; names that are
    // canonically equivalent count as one. Absent when no list is loaded.
    std::optional<QStringList> charactorNames() const;

signals:
    void fileListsChanged();

private:
    std::optional<FileList> fileLists_;
};

} // namespace brisomel

namespace brisomel {

// Each speaker name once, in the order of first appearance by file name; names that are
// canonically equivalent count as one (the spelling that comes first is kept).
QStringList speakerNames(const FileList& list);

// Whether some entry takes part in the timeline.
bool anyTicked(const FileList& list);

// Gives each entry of `to` the tick of the entry of `from` with the same file name; entries whose
// name `from` does not have keep theirs.
void copyTicksByFileName(const FileList& from, FileList& to);

// The lines by speaker: how many speakers the naming rule found, and the audio file names of the
// lines it found none for, in file-name order.
struct SpeakerTally {
    qsizetype speakerCount = 0;
    QStringList unnamedFiles;
};
SpeakerTally tallySpeakers(const FileList& list);
// "話者なし M 行（first, second, third ほか）" naming the first three audio files, as the window
// and the converter say it; empty when every line has its speaker.
QString unnamedLinesText(const QStringList& unnamedFiles);

// Stable sort by fileName in code-point order of the NFC forms (keys computed once per entry).
void sortByFileName(FileList& list);

} // namespace brisomel
