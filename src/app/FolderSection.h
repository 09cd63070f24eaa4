#pragma once

#include <QWidget>

namespace brisomel {

class DropZone;
class FileLists;
class UserSettings;
class WindowState;

// "音声フォルダ": the drop zone, the summary of the loaded folder (name, caption and audio file
// counts, speakers), how speakers are found, and under it why the last load failed, which audio
// files cannot be read and which lines have no speaker.
class FolderSection : public QWidget {
    Q_OBJECT
public:
    FolderSection(const WindowState& state, UserSettings& settings, const FileLists& fileLists,
                  QWidget* parent = nullptr);

    DropZone* dropZone() const { return dropZone_; }

private:
    QWidget* makeSummary(const WindowState& state);

    DropZone* dropZone_;
};

} // namespace brisomel
