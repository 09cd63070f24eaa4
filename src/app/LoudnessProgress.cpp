#include "app/LoudnessProgress.h"

#include "loudness/SpeakerGains.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <limits>

namespace brisomel {

namespace {

int clampedCount(qsizetype count) {
    return static_cast<int>(std::clamp<qsizetype>(count, 0, std::numeric_limits<int>::max()));
}

// The ticked lines, chosen here on the window's thread: the worker never reads a tick.
FileList tickedLines(const FileList& entries) {
    FileList ticked;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(ticked),
                 [](const FileListPtr& entry) { return entry->targetFlg(); });
    return ticked;
}

bool allMeasured(const FileList& lines, const LoudnessCache& cache) {
    return std::all_of(lines.begin(), lines.end(), [&cache](const FileListPtr& line) {
        return !line->hasSoundFile() || cache.find(line->soundFilePath());
    });
}

} // namespace

Status measureLoudnessWithProgress(QWidget* parent, const FileList& entries, LoudnessCache& cache) {
    const FileList ticked = tickedLines(entries);
    if (allMeasured(ticked, cache)) {
        return Done{};
    }
    QProgressDialog dialog(QStringLiteral("音量を測っています…"), QStringLiteral("キャンセル"), 0,
                           0, parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    std::atomic_bool cancelled = false;
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&cancelled] { cancelled = true; });
    const auto progress = [&dialog](qsizetype done, qsizetype total) {
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, done, total] {
                dialog.setLabelText(
                    QStringLiteral("音量を測っています（%1 / %2）").arg(done).arg(total));
                dialog.setMaximum(clampedCount(total));
                dialog.setValue(clampedCount(done));
            },
            Qt::QueuedConnection);
    };
    // The target does not change what is measured, only the gains made from it.
    QFutureWatcher<Result<std::vector<SpeakerGain>>> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(
        [&] { return measureSpeakerGains(ticked, 0, cache, progress, &cancelled); }));
    dialog.show(); // at once: the window takes no clicks while the worker runs
    loop.exec();
    const Result<std::vector<SpeakerGain>> measured = watcher.result();
    if (cancelled) {
        Failure stopped = measured ? Failure{} : measured.failure();
        stopped.code = FailureCode::cancelled;
        return stopped;
    }
    if (!measured) {
        return measured.failure();
    }
    return Done{};
}

} // namespace brisomel
