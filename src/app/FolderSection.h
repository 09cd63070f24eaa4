#pragma once

#include <QWidget>

namespace brisomel {

class DropZone;
class WindowState;

// "音声フォルダ": the drop zone, the summary of the loaded folder (name, caption and audio file
// counts) and, under it, why the last load failed or which audio files cannot be read.
class FolderSection : public QWidget {
    Q_OBJECT
public:
    FolderSection(const WindowState& state, QWidget* parent = nullptr);

    DropZone* dropZone() const { return dropZone_; }

private:
    QWidget* makeSummary(const WindowState& state);

    DropZone* dropZone_;
};

} // namespace brisomel
