#include "fcpxml/ProjectWriter.h"
#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace Qt::StringLiterals;

namespace brisomel {
namespace {

using test::addSpeaker;
using test::addVoiceLine;

const QString kEvent = u"Kestrune"_s;

std::string golden(const char* fileName) {
    QFile file(QStringLiteral(BRISOMEL_FCPXML_GOLDEN_DIR "/") + QLatin1String(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName;
    return file.readAll().toStdString();
}

std::string split(const QString& name, const TrackMap& tracks, FrameType frame, FpsType fps) {
    return makeFCPXMLWithSplitClips(name, tracks, frame, fps, kEvent).toStdString();
}

std::string direct(const QString& name, const TrackMap& tracks, FrameType frame, FpsType fps) {
    return makeFCPXMLWithoutSplitClips(name, tracks, frame, fps, kEvent).toStdString();
}

TEST(ProjectWriter, OneVoiceLineWithoutSplitClips) {
    TrackMap tracks;
    addVoiceLine(
        addSpeaker(tracks, u"Hanako"_s), FpsType::fps30,
        {.fileName = u"001_Hanako（normal）_hello"_s,
         .caption = u"こんにちは"_s,
         .duration = 7500,
         .soundUrl = QUrl::fromLocalFile(u"/voices/Scene1/001_Hanako（normal）_hello.wav"_s)});
    EXPECT_EQ(direct(u"Scene1"_s, tracks, FrameType::frame1080p, FpsType::fps30),
              golden("scene1.fcpxml"));
}

// Taro's tracks are made first but Hanako's sort first; Hanako's line starts late, Taro's last
// line follows a pause. Names, titles, the URL and a caption need escaping.
TEST(ProjectWriter, TwoSpeakersInBothVariants) {
    constexpr FpsType fps = FpsType::fps29;
    TrackMap tracks;
    const auto taro = addSpeaker(tracks, u"Taro"_s);
    const auto hanako = addSpeaker(tracks, u"Hanako"_s);
    addVoiceLine(taro, fps,
                 {.fileName = u"001_Taro（happy）_おはよう"_s,
                  .caption = u"おはよう"_s,
                  .duration = 60000,
                  .align = AlignType::left,
                  .posY = -400,
                  .sampleRate = 44100});
    addVoiceLine(
        hanako, fps,
        {.fileName = u"002_Hanako（normal）_it's"_s,
         .caption = uR"(He said "hi" & <left>)"_s,
         .start = 60000,
         .duration = 45000,
         .align = AlignType::right,
         .posX = 12.5f,
         .posY = 0.1f,
         .sampleRate = 22050.7,
         .soundUrl = QUrl::fromLocalFile(u"/voices/Rock & Roll/002_Hanako（normal）_it's.wav"_s)});
    addVoiceLine(taro, fps,
                 {.fileName = u"003_Taro（sad）_またね"_s,
                  .caption = u"一行目\n二行目"_s,
                  .start = 120000,
                  .duration = 30000,
                  .posX = -350,
                  .posY = 1e-05f});
    EXPECT_EQ(split(u"R&D <2>"_s, tracks, FrameType::frame720p, fps),
              golden("two_speakers_split.fcpxml"));
    EXPECT_EQ(direct(u"R&D <2>"_s, tracks, FrameType::frame720p, fps),
              golden("two_speakers_direct.fcpxml"));
}

TEST(ProjectWriter, EmptyTimelineGivesTheSkeleton) {
    EXPECT_EQ(split(u"Empty"_s, {}, FrameType::frame4K, FpsType::fps24),
              golden("empty_split.fcpxml"));
    EXPECT_EQ(direct(u"Empty"_s, {}, FrameType::frame4K, FpsType::fps24),
              golden("empty_direct.fcpxml"));
}

TEST(ProjectWriter, ClipsSharingAStartGetOneReferenceClip) {
    TrackMap tracks;
    addVoiceLine(addSpeaker(tracks, u"A"_s), FpsType::fps25,
                 {.fileName = u"a"_s, .duration = 2500});
    addVoiceLine(addSpeaker(tracks, u"B"_s), FpsType::fps25,
                 {.fileName = u"b"_s, .duration = 5000});
    const QString doc =
        QString::fromStdString(split(u"n"_s, tracks, FrameType::frame1080p, FpsType::fps25));
    EXPECT_EQ(doc.count(u"<asset-clip "_s), 2);
    EXPECT_EQ(doc.count(uR"(<ref-clip ref="r3" offset=)"_s), 1);
    EXPECT_TRUE(
        doc.contains(uR"(offset="0/2500s" start="0/2500s" name="a" duration="2500/2500s")"_s));
    EXPECT_TRUE(doc.contains(uR"(<ref-clip ref="r3" name="" duration="5000/2500s")"_s));
}

TEST(ProjectWriter, CharactersXmlCannotCarryAreLeftOut) {
    constexpr FpsType fps = FpsType::fps30;
    TrackMap tracks;
    addVoiceLine(addSpeaker(tracks, u"A"_s + QChar(0x07)), fps,
                 {.fileName = u"li"_s + QChar(0x08) + u"ne"_s,
                  .caption = u"cap"_s + QChar(0x1B) + u"tion\tand\nmore"_s + QChar(0xFFFF),
                  .duration = 3000});
    const QString name = u"na"_s + QChar(0x0C) + u"me"_s + QChar(0xD800);
    const QString event = u"Kest"_s + QChar(0x00) + u"rune"_s;
    for (const QString& doc :
         {makeFCPXMLWithSplitClips(name, tracks, FrameType::frame1080p, fps, event),
          makeFCPXMLWithoutSplitClips(name, tracks, FrameType::frame1080p, fps, event)}) {
        const auto forbidden = std::find_if(doc.begin(), doc.end(), [](QChar c) {
            return (c < u' ' && c != u'\t' && c != u'\n') || c.isNonCharacter() || c.isSurrogate();
        });
        EXPECT_EQ(forbidden, doc.end()) << int(forbidden->unicode());
        EXPECT_TRUE(doc.contains(uR"(name="line")"_s));
        EXPECT_TRUE(doc.contains(uR"(<project name="name">)"_s));
        EXPECT_TRUE(doc.contains(uR"(<event name="Kestrune">)"_s));
        EXPECT_TRUE(doc.contains(u">caption\tand\nmore</text-style>"_s));
    }
}

} // namespace
} // namespace brisomel
