#include "app/AudioCheck.h"

#include "audio/AudioProbe.h"

#include <QSet>

namespace brisomel {

QStringList audioFilesToCheck(const FileList& entries) {
    QStringList paths;
    for (const FileListPtr& entry : entries) {
        if (entry->hasSoundFile()) {
            paths << entry->soundFilePath();
        }
    }
    return paths;
}

void checkAudioFiles(QPromise<AudioCheckResult>& promise, const QStringList& paths) {
    AudioCheckResult result;
    result.seconds.reserve(paths.size());
    for (const QString& path : paths) {
        if (promise.isCanceled()) {
            return;
        }
        const Result<AudioInfo> probed = probeAudioFile(path);
        if (probed) {
            result.seconds.insert(path, probed->durationSeconds);
        } else {
            result.failures << probed.failure();
        }
    }
    promise.addResult(std::move(result));
}

QList<Failure> failuresOfTicked(const QList<Failure>& checked, const FileList& entries) {
    QSet<QString> ticked;
    for (const FileListPtr& entry : entries) {
        if (entry->targetFlg() && entry->hasSoundFile()) {
            ticked.insert(entry->soundFilePath());
        }
    }
    QList<Failure> kept;
    for (const Failure& failure : checked) {
        if (ticked.contains(failure.file)) {
            kept << failure;
        }
    }
    return kept;
}

std::optional<Failure> firstStillUnreadable(const QList<Failure>& checked) {
    for (const Failure& failure : checked) {
        const Result<AudioInfo> probed = probeAudioFile(failure.file);
        if (!probed) {
            return probed.failure();
        }
    }
    return std::nullopt;
}

} // namespace brisomel
