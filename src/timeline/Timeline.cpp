#include "timeline/Timeline.h"

namespace brisomel {

Clip::Clip(QString title, CMTime start, CMTime duration)
    : title(std::move(title)), start(start), duration(duration) {}

TextClip::TextClip(QString title, CMTime start, CMTime duration, float posX, float posY,
                   QString text, AlignType align)
    : Clip(std::move(title), start, duration), text(std::move(text)), align(align), posX(posX),
      posY(posY) {}

SoundClip::SoundClip(QString title, CMTime start, CMTime duration, double sampleRate, QString path)
    : Clip(std::move(title), start, duration), sampleRate(sampleRate), path(std::move(path)) {}

StillClip::StillClip(QString title, CMTime start, CMTime duration, QString path)
    : Clip(std::move(title), start, duration), path(std::move(path)) {}

Track::Track(QString title, TrackType trackType) : title(std::move(title)), trackType(trackType) {}

void Track::addClip(std::shared_ptr<Clip> clip) {
    // Zero is the floor of the latest start, as when every clip is visited from scratch.
    const CMTime latestStart = latest_ ? latest_->start : kCMTimeZero;
    if (clip->start >= latestStart) {
        latest_ = clip;
    }
    clips_.insert(std::move(clip));
}

std::shared_ptr<Clip> Track::firstClip() const {
    CMTime bestStart = kCMTimePositiveInfinity;
    std::shared_ptr<Clip> best;
    for (const auto& clip : clips_) {
        if (clip->start <= bestStart) {
            best = clip;
            bestStart = clip->start;
        }
    }
    return best;
}

CMTime timelineEnd(const TrackMap& tracks) {
    CMTime result = kCMTimeZero;
    for (const auto& track : tracks) {
        const auto latest = track->latestClip();
        const CMTime trackEnd = latest ? latest->start + latest->duration : kCMTimeZero;
        if (trackEnd > result) {
            result = trackEnd;
        }
    }
    return result;
}

} // namespace brisomel
