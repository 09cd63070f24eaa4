#include "app/AudioCheck.h"

#include "audio/AudioProbe.h"

namespace brisomel {

QStringList audioFilesToCheck(const FileList& entries) {
    QStringList paths;
    for (const FileListPtr& entry : entries) {
        if (entry->targetFlg() && entry->soundFileUrl()) {
            paths << entry->soundFileUrl()->toLocalFile();
        }
    }
    return paths;
}

void checkAudioFiles(QPromise<QList<Failure>>& promise, const QStringList& paths) {
    QList<Failure> failures;
    for (const QString& path : paths) {
        if (promise.isCanceled()) {
            return;
        }
        const Result<AudioInfo> probed = probeAudioFile(path);
        if (!probed) {
            failures << probed.failure();
        }
    }
    promise.addResult(failures);
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
