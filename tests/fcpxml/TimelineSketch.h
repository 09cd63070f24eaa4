#pragma once

#include "fcpxml/FcpxmlFormat.h"
#include "fcpxml/ProjectWriter.h"

namespace brisomel::test {

using namespace Qt::StringLiterals;

// A speaker's caption track and voice track, titled as the builder titles them.
struct Speaker {
    std::shared_ptr<Track> text;
    std::shared_ptr<Track> sound;
};

inline Speaker addSpeaker(TrackMap& tracks, const QString& name) {
    Speaker speaker{std::make_shared<Track>(name + u"01テキストトラック"_s, TrackType::video),
                    std::make_shared<Track>(name + u"02サウンドトラック"_s, TrackType::sound)};
    speaker.text->speakerName = name;
    speaker.sound->speakerName = name;
    tracks.insert(speaker.text);
    tracks.insert(speaker.sound);
    return speaker;
}

// One voice line: a caption clip and a voice clip sharing start and length (timescale units);
// the sound is /voices/<fileName>.wav unless a path is given.
inline void addVoiceLine(const Speaker& speaker, FpsType fps, const QString& fileName,
                         const QString& caption, std::int64_t start, std::int64_t duration,
                         AlignType align = AlignType::canter, float posX = 0, float posY = 0,
                         double sampleRate = 48000, const QString& soundPath = {}) {
    const CMTime at = CMTimeMake(start, timescale(fps));
    const CMTime length = CMTimeMake(duration, timescale(fps));
    speaker.text->addClip(
        std::make_shared<TextClip>(fileName, at, length, posX, posY, caption, align));
    speaker.sound->addClip(std::make_shared<SoundClip>(
        fileName, at, length, sampleRate,
        soundPath.isEmpty() ? u"/voices/"_s + fileName + u".wav"_s : soundPath));
}

// The document with split clips, then the one without.
inline QStringList bothVariants(const QString& name, const TrackMap& tracks, FrameType frame,
                                FpsType fps, const QString& event = u"Kestrune"_s) {
    return {makeFCPXMLWithSplitClips(name, tracks, frame, fps, event),
            makeFCPXMLWithoutSplitClips(name, tracks, frame, fps, event)};
}

// A caption style with every attribute set, and a font name that needs escaping.
inline CaptionStyle fullStyle() {
    CaptionStyle style;
    style.font = uR"(<"Hiragino" & 'Co'>)"_s;
    style.face = u"W6"_s;
    style.size = 80.25;
    style.color = {255, 215, 0, 255};
    style.outline = Outline{{0, 0, 0, 128}, 4};
    style.shadow = DropShadow{{1, 2, 3, 4}, 2, -0.00001, 3.5};
    return style;
}

// Gives every caption of the speaker the style.
inline void setCaptionStyle(const Speaker& speaker, const CaptionStyle& style) {
    for (const auto& clip : speaker.text->clips()) {
        static_cast<TextClip&>(*clip).style = style;
    }
}

// Both documents at 59.94 fps: shared starts, a zero-length line, every character to escape, and
// `dirt` in every name, a title and a caption; styled, every attribute and an unblurred shadow.
inline QStringList edgeDocuments(const QString& dirt = {}, bool styled = false) {
    constexpr FpsType fps = FpsType::fps59;
    TrackMap tracks;
    const Speaker quoted = addSpeaker(tracks, uR"(<"A&B">'s)"_s + dirt);
    addVoiceLine(quoted, fps, u"001_"_s + dirt,
                 uR"(a & b < c > d "e" 'f' ]]>)"_s + dirt + u"\tand\nmore"_s, 0, 1000,
                 AlignType::right, 2e+07f, 0, 48000, uR"(/v/a&b/'q' "x" <y>.wav)"_s);
    addVoiceLine(quoted, fps, u"002_zero"_s, {}, 1000, 0);
    addVoiceLine(quoted, fps, u"003_after_zero"_s, {}, 1000, 2000);
    const Speaker taro = addSpeaker(tracks, u"太郎"_s);
    addVoiceLine(taro, fps, u"004_太郎"_s, {}, 0, 3000);
    if (styled) {
        CaptionStyle unblurred;
        unblurred.shadow = DropShadow{};
        unblurred.shadow->blur = 0;
        setCaptionStyle(quoted, fullStyle());
        setCaptionStyle(taro, unblurred);
        // Gains on the voice clips, as evening out the loudness gives them.
        for (const auto& track : tracks) {
            for (const auto& clip : track->clips()) {
                if (auto* sound = dynamic_cast<SoundClip*>(clip.get())) {
                    sound->volumeDb = track->speakerName == u"太郎"_s ? 3.8 : -3.2;
                }
            }
        }
    }
    return bothVariants(uR"(Scene & <"1">'s)"_s + dirt, tracks, FrameType::frame4K, fps,
                        u"Kestrune"_s + dirt);
}

} // namespace brisomel::test
