#include "timeline/Timeline.h"

#include <QRandomGenerator>

#include <array>
#include <cstring>

namespace brisomel {

QString newUuidText() {
    // Sixteen random bytes with the version (4) and variant (RFC 4122) bits set, written as the
    // usual 8-4-4-4-12 groups; the global generator spares a system call per identifier.
    std::array<quint32, 4> words;
    QRandomGenerator::global()->fillRange(words.data(), words.size());
    std::array<uchar, 16> bytes;
    std::memcpy(bytes.data(), words.data(), bytes.size());
    bytes[6] = (bytes[6] & 0x0F) | 0x40;
    bytes[8] = (bytes[8] & 0x3F) | 0x80;

    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(36, Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            *out++ = u'-';
        }
        *out++ = kDigits[bytes[i] >> 4];
        *out++ = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

Clip::Clip(QString title, CMTime start, CMTime duration)
    : id(newUuidText()), title(std::move(title)), start(start), duration(duration) {}

TextClip::TextClip(QString title, CMTime start, CMTime duration, float posX, float posY,
                   QString text, AlignType align)
    : Clip(std::move(title), start, duration), text(std::move(text)), align(align), posX(posX),
      posY(posY) {}

SoundClip::SoundClip(QString title, CMTime start, CMTime duration, double sampleRate, QUrl soundUrl)
    : Clip(std::move(title), start, duration), sampleRate(sampleRate),
      soundUrl_(std::move(soundUrl)) {}

std::shared_ptr<SoundClip> SoundClip::ofLocalFile(QString title, CMTime start, CMTime duration,
                                                  double sampleRate, QString path) {
    auto clip = std::make_shared<SoundClip>(std::move(title), start, duration, sampleRate, QUrl());
    clip->localPath_ = std::move(path);
    return clip;
}

QUrl SoundClip::soundUrl() const {
    return localPath_.isEmpty() ? soundUrl_ : QUrl::fromLocalFile(localPath_);
}

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
