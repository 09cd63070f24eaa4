#pragma once

#include <QWidget>

namespace brisomel {

class DropZone;
class FileLists;
class UserSettings;
class WindowState;

// "音声フォルダ": the drop zone, the summary of the loaded folder (name, caption and audio file
// counts, speakers, and how many lines are ticked once some are not) with the button that opens
// the line list, how speakers are found, and under it why the last load failed or how many lines
// have a problem.
class FolderSection : public QWidget {
    Q_OBJECT
public:
    FolderSection(const WindowState& state, UserSettings& settings, const FileLists& fileLists,
                  QWidget* parent = nullptr);

    DropZone* dropZone() const { return dropZone_; }

signals:
    // "行の一覧…" was pressed.
    void lineListRequested();
    // The problem line's "一覧で見る…" was pressed.
    void problemsRequested();

private:
    QWidget* makeSummary(const WindowState& state, const FileLists& lines);

    DropZone* dropZone_;
};

} // namespace brisomel
