#include "audio/AudioFactsCheck.h"

#include "audio/AudioProbe.h"

namespace brisomel {

QStringList audioFilesOf(const FileList& lines) {
    QStringList paths;
    for (const FileListPtr& entry : lines) {
        if (entry->hasSoundFile()) {
            paths << entry->soundFilePath();
        }
    }
    return paths;
}

std::optional<AudioFacts> readAudioFacts(const QStringList& paths,
                                         const std::function<bool()>& cancelled) {
    AudioFacts facts;
    facts.lengths.reserve(paths.size());
    for (const QString& path : paths) {
        if (cancelled && cancelled()) {
            return std::nullopt;
        }
        const Result<AudioInfo> probed = probeAudioFile(path);
        if (probed) {
            facts.lengths.insert(path, {probed->durationSeconds, probed->sampleRate});
        } else {
            facts.failures << probed.failure();
        }
    }
    return facts;
}

QList<Failure> stillUnreadable(const QList<Failure>& found) {
    QList<Failure> still;
    for (const Failure& failure : found) {
        const Result<AudioInfo> probed = probeAudioFile(failure.file);
        if (!probed) {
            still << probed.failure();
        }
    }
    return still;
}

} // namespace brisomel
