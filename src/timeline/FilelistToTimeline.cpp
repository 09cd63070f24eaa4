#include "timeline/FilelistToTimeline.h"

#include "timeline/AudioProbe.h"
#include "timeline/TrailingBlank.h"

#include <QHash>
#include <QtConcurrent/QtConcurrentMap>

#include <cmath>

namespace brisomel {

namespace {

// A speaker's caption track and voice track.
struct SpeakerTracks {
    std::shared_ptr<Track> caption;
    std::shared_ptr<Track> voice;
};

// Tracks by speaker, keyed by the NFC form so that two spellings of one name share tracks.
class SpeakerTrackTable {
public:
    explicit SpeakerTrackTable(TrackMap& tracks) : tracks_(tracks) {}

    const SpeakerTracks& tracksFor(const QString& name) {
        const QString key = name.normalized(QString::NormalizationForm_C);
        auto found = bySpeaker_.find(key);
        if (found == bySpeaker_.end()) {
            SpeakerTracks made{
                std::make_shared<Track>(name + kCaptionTrackSuffix, TrackType::video),
                std::make_shared<Track>(name + kVoiceTrackSuffix, TrackType::sound)};
            tracks_.insert(made.caption);
            tracks_.insert(made.voice);
            found = bySpeaker_.insert(key, made);
        }
        return *found;
    }

private:
    TrackMap& tracks_;
    QHash<QString, SpeakerTracks> bySpeaker_;
};

struct ProbedEntry {
    FileListPtr entry;
    AudioProbeResult audio; // empty when the entry has no audio file
};

// Probes on several threads in chunks, so progress can be reported between chunks; the results
// keep the entries' order, so the outcome equals a sequential run.
std::optional<QString> probeAll(std::vector<ProbedEntry>& probed, const BuildProgress& progress) {
    std::vector<std::size_t> withAudio;
    for (std::size_t i = 0; i < probed.size(); ++i) {
        if (probed[i].entry->soundFileUrl()) {
            withAudio.push_back(i);
        }
    }
    const auto total = static_cast<qsizetype>(withAudio.size());
    constexpr std::size_t kChunk = 256;
    for (std::size_t begin = 0; begin < withAudio.size(); begin += kChunk) {
        const std::vector<std::size_t> chunk(
            withAudio.begin() + static_cast<std::ptrdiff_t>(begin),
            withAudio.begin() +
                static_cast<std::ptrdiff_t>(std::min(begin + kChunk, withAudio.size())));
        QtConcurrent::blockingMap(chunk, [&probed](std::size_t index) {
            probed[index].audio =
                probeAudioFile(probed[index].entry->soundFileUrl()->toLocalFile());
        });
        for (std::size_t index : chunk) {
            if (!probed[index].audio.info) {
                return probed[index].audio.error;
            }
        }
        if (progress) {
            progress(static_cast<qsizetype>(begin + chunk.size()), total);
        }
    }
    return std::nullopt;
}

// Whole frames of the rate, cut down from the audio length.
CMTime frameAlignedDuration(double seconds, FpsType fps) {
    const std::int64_t units = CMTimeMakeWithSeconds(seconds, timescale(fps)).value;
    const auto frames =
        static_cast<std::int64_t>(static_cast<double>(units) / static_cast<double>(frameUnit(fps)));
    return CMTimeMake(frames * frameUnit(fps), timescale(fps));
}

} // namespace

BuildResult buildTimeline(const FileLists& fileLists, const QString& timelineName,
                          FrameType frameType, FpsType fpsType, AlignType align, float posX,
                          float posY, double pauseLength, const BuildProgress& progress) {
    if (!std::isfinite(pauseLength) || pauseLength < 0) {
        return {std::nullopt, QStringLiteral("Error the pause length must be a finite number of "
                                             "seconds, not less than 0")};
    }

    BuiltTimeline built{timelineName, {}, frameType, fpsType};
    SpeakerTrackTable speakers(built.tracks);
    for (const QString& name : fileLists.charactorNames().value_or(QStringList{})) {
        speakers.tracksFor(name);
    }

    FileList sorted = fileLists.fileLists().value_or(FileList{});
    sortByFileName(sorted);
    std::vector<ProbedEntry> ticked;
    for (const auto& entry : sorted) {
        if (entry->targetFlg()) {
            ticked.push_back({entry, {}});
        }
    }
    if (const auto failure = probeAll(ticked, progress)) {
        return {std::nullopt, *failure};
    }

    const CMTime pause = CMTimeMakeWithSeconds(pauseLength, timescale(fpsType));
    FileListPtr previous;
    for (const auto& [entry, audio] : ticked) {
        CMTime start = timelineEnd(built.tracks);
        if (previous && previous->textFileUrl() && endsWithBlank(previous->textRow())) {
            start = start + pause;
        }
        if (endsWithBlank(entry->textRow())) {
            entry->setTextRow(withoutTrailingBlank(entry->textRow()));
        }

        const CMTime duration =
            audio.info ? frameAlignedDuration(audio.info->durationSeconds, fpsType) : kCMTimeZero;
        const SpeakerTracks& tracks = speakers.tracksFor(entry->charactorName());
        if (entry->textFileUrl()) {
            tracks.caption->addClip(std::make_shared<TextClip>(
                entry->fileName(), start, duration, posX, posY, entry->textRow(), align));
        }
        if (entry->soundFileUrl()) {
            tracks.voice->addClip(std::make_shared<SoundClip>(entry->fileName(), start, duration,
                                                              audio.info->sampleRate,
                                                              *entry->soundFileUrl()));
        }
        previous = entry;
    }
    return {std::move(built), QString()};
}

} // namespace brisomel
