#include "builder/MouthClips.h"

#include "audio/AudioDecoder.h"
#include "audio/MouthFrames.h"
#include "timeline/WritingOrder.h"

#include <QDir>
#include <QFileInfo>

namespace brisomel {

namespace {

CMTime frames(std::int64_t count, FpsType fps) {
    return CMTimeMake(count * frameUnit(fps), timescale(fps));
}

std::shared_ptr<StillClip> stillClip(const SpeakerPortrait& portrait, const PortraitImage& image,
                                     const QString& title, CMTime start, CMTime duration) {
    auto clip = std::make_shared<StillClip>(title, start, duration, image.path);
    clip->pixelWidth = image.width;
    clip->pixelHeight = image.height;
    clip->x = portrait.style.x;
    clip->y = portrait.style.y;
    clip->scale = portrait.style.scale;
    return clip;
}

} // namespace

QString labelPathFor(const QString& soundPath) {
    const QFileInfo sound(soundPath);
    return sound.dir().filePath(sound.completeBaseName() + QStringLiteral(".lab"));
}

Result<std::vector<bool>> lineOpenFrames(const QString& soundPath, std::int64_t frameCount,
                                         FpsType fps, const SpeakerPortrait& portrait) {
    if (!portrait.open) {
        return std::vector<bool>(static_cast<std::size_t>(frameCount));
    }
    const FrameLength length{writtenFrameLength(fps), timescale(fps)};
    if (const QString labelPath = labelPathFor(soundPath); QFileInfo(labelPath).isFile()) {
        Result<std::vector<PhonemeLabel>> labels = readPhonemeLabels(labelPath);
        if (!labels) {
            return labels.failure();
        }
        return openFramesFromLabels(*labels, frameCount, length);
    }
    std::optional<FrameLevels> levels;
    const Result<DecodedFormat> decoded = decodeAudioFile(
        soundPath, [&](const DecodedFormat& format, std::span<const float> samples) {
            if (!levels) {
                levels.emplace(format.sampleRate, length, frameCount);
            }
            levels->add(samples, format.channels);
        });
    if (!decoded) {
        return decoded.failure();
    }
    std::vector<bool> open = levels
                                 ? openFramesFromLevels(levels->levels(), portrait.style.threshold)
                                 : std::vector<bool>(static_cast<std::size_t>(frameCount));
    holdRuns(open, static_cast<int>(portrait.style.hold));
    return open;
}

void addMouthClips(Track& track, const SpeakerPortrait& portrait, const QString& title,
                   CMTime start, const std::vector<bool>& open, FpsType fps) {
    for (const MouthRun& run : mouthRuns(open)) {
        const PortraitImage& image = run.open && portrait.open ? *portrait.open : portrait.closed;
        track.addClip(stillClip(portrait, image, title, start + frames(run.firstFrame, fps),
                                frames(run.frameCount, fps)));
    }
}

void fillPortraitGaps(Track& track, const SpeakerPortrait& portrait, CMTime end, FpsType fps) {
    const QString title = QFileInfo(portrait.closed.path).completeBaseName();
    // Every time of the timeline is a whole number of the rate's units (or of a divisor).
    const auto units = [fps](CMTime time) {
        return time.value * (timescale(fps) / time.timescale);
    };
    std::vector<std::shared_ptr<Clip>> gaps;
    const auto closeGap = [&](CMTime from, CMTime to) {
        if (to > from) {
            gaps.push_back(stillClip(portrait, portrait.closed, title, from,
                                     CMTimeMake(units(to) - units(from), timescale(fps))));
        }
    };
    std::optional<CMTime> shownUntil;
    for (const auto& clip : clipWalk(track)) {
        if (shownUntil) {
            closeGap(*shownUntil, clip->start);
        }
        shownUntil = clip->start + clip->duration;
    }
    if (shownUntil) {
        closeGap(*shownUntil, end);
    }
    for (auto& gap : gaps) {
        track.addClip(std::move(gap));
    }
}

} // namespace brisomel
