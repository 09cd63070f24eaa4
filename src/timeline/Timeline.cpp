#include "timeline/Timeline.h"

#include <QUuid>

namespace brisomel {

QString newUuidText() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

Clip::Clip(QString title, CMTime start, CMTime duration)
    : id(newUuidText()), title(std::move(title)), start(start), duration(duration) {}

TextClip::TextClip(QString title, CMTime start, CMTime duration, float posX, float posY,
                   QString text, AlignType align)
    : Clip(std::move(title), start, duration), text(std::move(text)), align(align), posX(posX),
      posY(posY) {}

SoundClip::SoundClip(QString title, CMTime start, CMTime duration, double sampleRate, QUrl soundUrl)
    : Clip(std::move(title), start, duration), soundUrl(std::move(soundUrl)),
      sampleRate(sampleRate) {}

Track::Track(QString title, TrackType trackType)
    : trackId(newUuidText()), title(std::move(title)), trackType(trackType) {}

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
