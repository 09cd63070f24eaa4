#pragma once

#include <QWidget>

namespace brisomel {

class DropZone;
class LineListModel;
class WindowState;

// "音声フォルダ": the drop zone, the summary of the loaded folder (name, caption and audio file
// counts, and how many lines are ticked once some are not), the button that opens the line
// list and, under it, why the last load failed or which audio files cannot be read.
class FolderSection : public QWidget {
    Q_OBJECT
public:
    FolderSection(const WindowState& state, const LineListModel& lines, QWidget* parent = nullptr);

    DropZone* dropZone() const { return dropZone_; }

signals:
    // "行の一覧…" was pressed.
    void lineListRequested();

private:
    QWidget* makeSummary(const WindowState& state, const LineListModel& lines);

    DropZone* dropZone_;
};

} // namespace brisomel
