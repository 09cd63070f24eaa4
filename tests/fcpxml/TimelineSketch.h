#pragma once

#include "timeline/Timeline.h"

#include <QString>
#include <QUrl>

namespace brisomel::test {

// A time in the rate's timescale; zero is the zero time, as the builder places it.
inline CMTime units(FpsType fps, std::int64_t value) {
    return value == 0 ? kCMTimeZero : CMTimeMake(value, timescale(fps));
}

// A speaker's caption track and voice track, titled as the builder titles them.
struct Speaker {
    std::shared_ptr<Track> text;
    std::shared_ptr<Track> sound;
};

inline Speaker addSpeaker(TrackMap& tracks, const QString& name) {
    Speaker speaker{
        std::make_shared<Track>(name + QStringLiteral(u"01テキストトラック"), TrackType::video),
        std::make_shared<Track>(name + QStringLiteral(u"02サウンドトラック"), TrackType::sound)};
    tracks.insert(speaker.text);
    tracks.insert(speaker.sound);
    return speaker;
}

// One voice line: a caption clip and a voice clip sharing start and length (timescale units).
struct VoiceLine {
    QString fileName{};
    QString caption{};
    std::int64_t start = 0;
    std::int64_t duration = 0;
    AlignType align = AlignType::canter;
    float posX = 0;
    float posY = 0;
    double sampleRate = 48000;
    QUrl soundUrl{}; // defaults to /voices/<fileName>.wav
};

inline void addVoiceLine(const Speaker& speaker, FpsType fps, const VoiceLine& line) {
    const CMTime start = units(fps, line.start);
    const CMTime duration = units(fps, line.duration);
    const QUrl url = line.soundUrl.isEmpty()
                         ? QUrl::fromLocalFile(QStringLiteral("/voices/%1.wav").arg(line.fileName))
                         : line.soundUrl;
    speaker.text->addClip(std::make_shared<TextClip>(line.fileName, start, duration, line.posX,
                                                     line.posY, line.caption, line.align));
    speaker.sound->addClip(
        std::make_shared<SoundClip>(line.fileName, start, duration, line.sampleRate, url));
}

} // namespace brisomel::test
