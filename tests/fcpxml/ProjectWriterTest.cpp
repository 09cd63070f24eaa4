#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace brisomel;
using namespace brisomel::test;

namespace {

void expectGolden(const QString& document, const char* fileName) {
    QFile file(QStringLiteral(BRISOMEL_FCPXML_GOLDEN_DIR "/") + QLatin1String(fileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << fileName;
    EXPECT_EQ(document.toStdString(), file.readAll().toStdString()) << fileName;
}

} // namespace

TEST(ProjectWriter, OneVoiceLineAndAnEmptyTimeline) {
    TrackMap tracks;
    addVoiceLine(addSpeaker(tracks, u"Hanako"_s), FpsType::fps30, u"001_Hanako（normal）_hello"_s,
                 u"こんにちは"_s, 0, 7500, AlignType::canter, 0, 0, 48000,
                 u"/voices/Scene1/001_Hanako（normal）_hello.wav"_s);
    expectGolden(bothVariants(u"Scene1"_s, tracks, FrameType::frame1080p, FpsType::fps30)[1],
                 "scene1.fcpxml");
    const QStringList empty = bothVariants(u"Empty"_s, {}, FrameType::frame4K, FpsType::fps24);
    expectGolden(empty[0], "empty_split.fcpxml");
    expectGolden(empty[1], "empty_direct.fcpxml");
}

// Taro's tracks are made first but Hanako's sort first; Hanako's line starts late, Taro's last
// line follows a pause. Names, titles, the URL and a caption need escaping; a rate truncates.
TEST(ProjectWriter, TwoSpeakersInBothVariants) {
    constexpr FpsType fps = FpsType::fps29;
    TrackMap tracks;
    const auto taro = addSpeaker(tracks, u"Taro"_s);
    const auto hanako = addSpeaker(tracks, u"Hanako"_s);
    addVoiceLine(taro, fps, u"001_Taro（happy）_おはよう"_s, u"おはよう"_s, 0, 60000,
                 AlignType::left, 0, -400, 44100);
    addVoiceLine(hanako, fps, u"002_Hanako（normal）_it's"_s, uR"(He said "hi" & <left>)"_s, 60000,
                 45000, AlignType::right, 12.5f, 0.1f, 22050.7,
                 u"/voices/Rock & Roll/002_Hanako（normal）_it's.wav"_s);
    addVoiceLine(taro, fps, u"003_Taro（sad）_またね"_s, u"一行目\n二行目"_s, 120000, 30000,
                 AlignType::canter, -350, 1e-05f);
    const QStringList documents = bothVariants(u"R&D <2>"_s, tracks, FrameType::frame720p, fps);
    expectGolden(documents[0], "two_speakers_split.fcpxml");
    expectGolden(documents[1], "two_speakers_direct.fcpxml");
}

TEST(ProjectWriter, EdgeCases) {
    const QStringList clean = edgeDocuments();
    // Characters XML cannot carry are left out, not replaced, wherever they stand.
    EXPECT_EQ(edgeDocuments(u"\x00\x07\x1B\uFFFF"_s + QChar(0xD800)), clean);
    EXPECT_TRUE(clean[1].contains(u"]]&gt;\tand\nmore</text-style>"_s));
    // Every voice clip is written; clips sharing a start get one reference clip, the first written.
    EXPECT_EQ(clean[0].count(u"<asset-clip "_s), 4);
    EXPECT_EQ(clean[0].count(uR"(<ref-clip ref="r3" offset=)"_s), 2);
    EXPECT_TRUE(clean[0].contains(uR"(start="0/60000s" name="001_" duration="1001/60000s")"));
    EXPECT_TRUE(clean[0].contains(uR"(start="1001/60000s" name="002_zero" duration="0/60000s")"));
}
