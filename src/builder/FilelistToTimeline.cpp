#include "builder/FilelistToTimeline.h"

#include "audio/AudioProbe.h"
#include "builder/CaptionParts.h"
#include "builder/MouthClips.h"
#include "builder/SpeakerPortraits.h"
#include "builder/TrailingBlank.h"
#include "intake/FileLists.h"
#include "settings/OptionTable.h"
#include "timeline/FrameAlignment.h"
#include "wrap/CaptionWrapper.h"

#include <QHash>
#include <QtConcurrent/QtConcurrentMap>

#include <cmath>

namespace brisomel {

namespace {

// A speaker's caption track and voice track, and the style of the speaker's captions; the
// portrait's track and the portrait when the speaker has one.
struct SpeakerTracks {
    std::shared_ptr<Track> caption;
    std::shared_ptr<Track> voice;
    CaptionStyle style;
    std::shared_ptr<Track> portraitTrack;
    std::optional<SpeakerPortrait> portrait;
};

// Tracks by speaker, keyed by the NFC form so that two spellings of one name share tracks.
class SpeakerTrackTable {
public:
    SpeakerTrackTable(TrackMap& tracks, const SpeakerStyles& styles,
                      const QHash<QString, SpeakerPortrait>& portraits)
        : tracks_(tracks), styles_(styles), portraits_(portraits) {}

    // The speakers with a portrait, in the order their tracks were made.
    const std::vector<SpeakerTracks>& portrayed() const { return portrayed_; }

    const SpeakerTracks& tracksFor(const QString& name) {
        // Most entries repeat a spelling seen before, whose tracks are found without normalizing.
        if (const auto seen = bySpelling_.constFind(name); seen != bySpelling_.cend()) {
            return *seen;
        }
        const SpeakerTracks& tracks = tracksForNewSpelling(name);
        return *bySpelling_.insert(name, tracks);
    }

private:
    const SpeakerTracks& tracksForNewSpelling(const QString& name) {
        const QString key = name.normalized(QString::NormalizationForm_C);
        auto found = bySpeaker_.find(key);
        if (found == bySpeaker_.end()) {
            SpeakerTracks made{
                std::make_shared<Track>(name + kCaptionTrackSuffix, TrackType::video),
                std::make_shared<Track>(name + kVoiceTrackSuffix, TrackType::sound),
                styles_.styleFor(key), nullptr, std::nullopt};
            made.caption->speakerName = name;
            made.voice->speakerName = name;
            tracks_.insert(made.caption);
            tracks_.insert(made.voice);
            if (const auto portrait = portraits_.constFind(key); portrait != portraits_.cend()) {
                made.portrait = *portrait;
                made.portraitTrack =
                    std::make_shared<Track>(name + kPortraitTrackSuffix, TrackType::video);
                made.portraitTrack->speakerName = name;
                tracks_.insert(made.portraitTrack);
                portrayed_.push_back(made);
            }
            found = bySpeaker_.insert(key, made);
        }
        return *found;
    }

    TrackMap& tracks_;
    const SpeakerStyles& styles_;
    const QHash<QString, SpeakerPortrait>& portraits_;
    std::vector<SpeakerTracks> portrayed_;
    QHash<QString, SpeakerTracks> bySpeaker_;
    QHash<QString, SpeakerTracks> bySpelling_;
};

struct ProbedEntry {
    FileListPtr entry;
    std::optional<Result<AudioInfo>> audio; // empty when the entry has no audio file
};

// Probes on several threads in chunks, so progress can be reported between chunks; the results
// keep the entries' order, so the outcome equals a sequential run.
Status probeAll(std::vector<ProbedEntry>& probed, const BuildProgress& progress) {
    std::vector<std::size_t> withAudio;
    for (std::size_t i = 0; i < probed.size(); ++i) {
        if (probed[i].entry->hasSoundFile()) {
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
            probed[index].audio = probeAudioFile(probed[index].entry->soundFilePath());
        });
        for (std::size_t index : chunk) {
            if (!*probed[index].audio) {
                return probed[index].audio->failure();
            }
        }
        if (progress) {
            progress(static_cast<qsizetype>(begin + chunk.size()), total);
        }
    }
    return Done{};
}

bool isFinite(CMTime time) {
    return time.isValid() && !time.isPositiveInfinity() && time.timescale > 0;
}

// Moves `end` to the end of a clip placed at `start`; false when the times are out of range.
bool keepEnd(CMTime& end, CMTime start, CMTime duration) {
    const CMTime clipEnd = start + duration;
    if (!isFinite(start) || !isFinite(duration) || !isFinite(clipEnd) || duration < kCMTimeZero) {
        return false;
    }
    if (clipEnd > end) {
        end = clipEnd;
    }
    return true;
}

// Captions broken to a width and split into parts of a few lines.
struct Wrapping {
    CaptionWrapper wrapper;
    int maxLines;
};

// One title of a caption: its text and where it stands.
struct TitlePart {
    QString text;
    CMTime start;
    CMTime duration;
};

// The caption's titles over its clip: the caption as it is, or broken into lines and split into
// parts over the clip's frames. A caption of no lines but blanks stays as it is.
std::vector<TitlePart> titleParts(const QString& caption, CMTime start, CMTime duration,
                                  std::optional<Wrapping>& wrapping, FpsType fps) {
    if (!wrapping) {
        return {{caption, start, duration}};
    }
    const QStringList lines = wrapping->wrapper.wrap(caption);
    if (lines.isEmpty()) {
        return {{caption, start, duration}};
    }
    const auto frames = [fps](std::int64_t count) {
        return CMTimeMake(count * frameUnit(fps), timescale(fps));
    };
    // A title shown for less than half a second cannot be read.
    const std::int64_t halfSecond =
        (timescale(fps) + 2 * frameUnit(fps) - 1) / (2 * frameUnit(fps));
    const std::vector<CaptionPart> parts =
        captionParts(lines, wrapping->maxLines, duration.value / frameUnit(fps), halfSecond);
    std::vector<TitlePart> titles;
    for (const CaptionPart& part : parts) {
        titles.push_back(
            {part.lines.join(u'\n'), start + frames(part.firstFrame), frames(part.frameCount)});
    }
    return titles;
}

Result<std::optional<Wrapping>> wrappingFor(const CaptionWrap& wrap) {
    // Callers check the options first; this guards the model for any other caller.
    for (const auto& [key, count] : {std::pair{OptionKey::wrapWidth, wrap.width},
                                     std::pair{OptionKey::maxLines, wrap.maxLines}}) {
        if (const Result<double> checked = checkedNumber(key, count); !checked) {
            return checked.failure();
        }
    }
    if (wrap.width == 0) {
        return std::optional<Wrapping>();
    }
    Result<CaptionWrapper> wrapper = CaptionWrapper::create(wrap.width);
    if (!wrapper) {
        return wrapper.failure();
    }
    return std::optional<Wrapping>(Wrapping{std::move(*wrapper), wrap.maxLines});
}

// Each line's open frames when its speaker has a portrait, worked out on several threads (a line
// without labels decodes its audio); the results keep the lines' order.
std::vector<std::optional<Result<std::vector<bool>>>>
openMouths(const std::vector<ProbedEntry>& ticked, const QHash<QString, SpeakerPortrait>& portraits,
           FpsType fps) {
    std::vector<std::optional<Result<std::vector<bool>>>> mouths(ticked.size());
    if (portraits.isEmpty()) {
        return mouths;
    }
    std::vector<std::size_t> portrayed;
    for (std::size_t line = 0; line < ticked.size(); ++line) {
        const QString speaker =
            ticked[line].entry->charactorName().normalized(QString::NormalizationForm_C);
        if (ticked[line].audio && portraits.contains(speaker)) {
            portrayed.push_back(line);
        }
    }
    QtConcurrent::blockingMap(portrayed, [&](std::size_t line) {
        const ProbedEntry& probed = ticked[line];
        const SpeakerPortrait& portrait = *portraits.constFind(
            probed.entry->charactorName().normalized(QString::NormalizationForm_C));
        mouths[line] =
            lineOpenFrames(probed.entry->soundFilePath(),
                           wholeFrames((*probed.audio)->durationSeconds, fps), fps, portrait);
    });
    return mouths;
}

void fillAlwaysShownPortraits(const std::vector<SpeakerTracks>& portrayed, CMTime end,
                              FpsType fps) {
    for (const SpeakerTracks& tracks : portrayed) {
        if (tracks.portrait->style.shown == PortraitShown::always) {
            fillPortraitGaps(*tracks.portraitTrack, *tracks.portrait, end, fps);
        }
    }
}

} // namespace

Result<BuiltTimeline> buildTimeline(const FileList& entries, const ConversionOptions& options,
                                    const BuildProgress& progress) {
    // Callers check the pause text first; this guards the model for any other caller.
    if (const Result<double> pause = checkedNumber(OptionKey::silenceDulation, options.pauseLength);
        !pause) {
        return pause.failure();
    }
    Result<std::optional<Wrapping>> wrapping = wrappingFor(options.wrap);
    if (!wrapping) {
        return wrapping.failure();
    }
    const FpsType fps = options.fpsType;
    std::vector<ProbedEntry> ticked;
    QStringList tickedSpeakers;
    for (const auto& entry : entries) {
        if (entry->targetFlg()) {
            ticked.push_back({entry, {}});
            tickedSpeakers << entry->charactorName();
        }
    }
    // Images are read before any audio, so a missing one stops the build at once.
    const Result<QHash<QString, SpeakerPortrait>> portraits =
        speakerPortraits(tickedSpeakers, options.captionStyles, options.portraitFolder);
    if (!portraits) {
        return portraits.failure();
    }
    BuiltTimeline built{options.timelineName, {}, options.frameType, fps};
    SpeakerTrackTable speakers(built.tracks, options.captionStyles, *portraits);
    for (const QString& name : speakerNames(entries)) {
        speakers.tracksFor(name);
    }

    if (const Status probed = probeAll(ticked, progress); !probed) {
        return probed.failure();
    }

    const CMTime pause = CMTimeMakeWithSeconds(options.pauseLength, timescale(fps));
    bool pauseBeforeNext = false;
    // Every clip starts at the end of the timeline so far and lasts no less than nothing, so it
    // becomes its track's latest clip and the end moves to the clip's end when that is later: the
    // end is kept here instead of visiting every track per entry. Times out of range (invalid or
    // infinite) break that reasoning; from then on the tracks are visited.
    CMTime end = kCMTimeZero;
    bool endKept = true;
    const std::vector<std::optional<Result<std::vector<bool>>>> mouths =
        openMouths(ticked, *portraits, fps);
    for (std::size_t line = 0; line < ticked.size(); ++line) {
        const auto& [entry, audio] = ticked[line];
        CMTime start = endKept ? end : timelineEnd(built.tracks);
        if (pauseBeforeNext) {
            start = start + pause;
        }
        // A caption that ends with a blank asks for the pause; the title loses that one blank.
        const bool endsWithPause = endsWithBlank(entry->textRow());
        pauseBeforeNext = entry->hasTextFile() && endsWithPause;
        const QString caption =
            endsWithPause ? withoutTrailingBlank(entry->textRow()) : entry->textRow();

        const CMTime duration =
            audio ? frameAlignedDuration((*audio)->durationSeconds, fps) : kCMTimeZero;
        const SpeakerTracks& tracks = speakers.tracksFor(entry->charactorName());
        if (entry->hasTextFile()) {
            for (TitlePart& part : titleParts(caption, start, duration, *wrapping, fps)) {
                auto title = std::make_shared<TextClip>(entry->fileName(), part.start,
                                                        part.duration, options.posX, options.posY,
                                                        std::move(part.text), options.align);
                title->style = tracks.style;
                tracks.caption->addClip(std::move(title));
            }
        }
        if (entry->hasSoundFile()) {
            tracks.voice->addClip(std::make_shared<SoundClip>(
                entry->fileName(), start, duration, (*audio)->sampleRate, entry->soundFilePath()));
            if (tracks.portrait) {
                const Result<std::vector<bool>>& open = *mouths[line];
                if (!open) {
                    return open.failure();
                }
                addMouthClips(*tracks.portraitTrack, *tracks.portrait, entry->fileName(), start,
                              *open, fps);
            }
        }
        if (endKept && (entry->hasTextFile() || entry->hasSoundFile())) {
            endKept = keepEnd(end, start, duration);
        }
    }
    fillAlwaysShownPortraits(speakers.portrayed(), timelineEnd(built.tracks), fps);
    return built;
}

} // namespace brisomel
