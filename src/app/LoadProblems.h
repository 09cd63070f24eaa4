#pragma once

#include "core/Failure.h"

#include <QWidget>

class QPushButton;

namespace brisomel {

class ElidedLabel;
class FileLists;
class WindowState;

// One audio file that cannot be read, as the window names it: by its file name, with what is
// wrong.
QString audioFailureLine(const Failure& failure);
// "問題のある行 N 件（読み込めない音声 A 行、話者なし B 行）".
QString problemSummaryText(int problems, int unreadable, int unnamed);

// Under the folder summary, indented: why the last load failed, or one line that counts the
// loaded folder's lines with a problem (audio that cannot be read, no speaker found) and a button
// that lists them in the line list. Takes no room when all is well, and never more than a line,
// whatever the number of problems.
class LoadProblems : public QWidget {
    Q_OBJECT
public:
    LoadProblems(const WindowState& state, const FileLists& lines, QWidget* parent = nullptr);

signals:
    // "一覧で見る…" was pressed.
    void problemsRequested();

private:
    void showLoadFailure(const QString& failure);
    void countProblems();
    void updateVisibility();

    const FileLists& lines_;
    ElidedLabel* loadFailure_;
    ElidedLabel* problems_;
    QPushButton* showProblems_;
};

} // namespace brisomel
