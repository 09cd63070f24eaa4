#pragma once

#include "core/Failure.h"

#include <QList>
#include <QWidget>

namespace brisomel {

class ElidedLabel;
class FileLists;
class WindowState;

// The line that counts the loaded folder's audio files that cannot be read.
QString audioFailureCountText(qsizetype count);
// One such file as the window names it: by its file name, with what is wrong.
QString audioFailureLine(const Failure& failure);

// Under the folder summary, indented: why the last load failed, or how many of the loaded
// folder's audio files cannot be read and which are the first few, and how many of its lines have
// no speaker. Takes no room when all is well.
class LoadProblems : public QWidget {
    Q_OBJECT
public:
    static constexpr int shownFiles = 3;

    LoadProblems(const WindowState& state, const FileLists& lines, QWidget* parent = nullptr);

private:
    void showLoadFailure(const QString& failure);
    void showAudioFailures(const QList<Failure>& failures);
    void showUnnamedFiles(const QStringList& files);
    void updateVisibility();

    ElidedLabel* loadFailure_;
    ElidedLabel* audioCount_;
    QList<ElidedLabel*> audioFiles_;
    ElidedLabel* unnamedFiles_; // one line: the window is only as high as it is
};

} // namespace brisomel
