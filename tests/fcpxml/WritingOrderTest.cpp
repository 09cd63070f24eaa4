#include "fcpxml/FcpxmlFormat.h"
#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <random>

using namespace Qt::StringLiterals;

namespace brisomel {
namespace {

constexpr FpsType kFps = FpsType::fps30;

template <typename Items> QStringList titles(const Items& items) {
    QStringList result;
    for (const auto& item : items) {
        result << item->title;
    }
    return result;
}

std::shared_ptr<Clip> clip(const QString& title, std::int64_t start, std::int64_t duration) {
    return std::make_shared<TextClip>(title, test::units(kFps, start), test::units(kFps, duration),
                                      0.0f, 0.0f, QString(), AlignType::canter);
}

Track trackOf(std::initializer_list<std::shared_ptr<Clip>> clips) {
    Track track(u"t"_s, TrackType::video);
    for (const auto& c : clips) {
        track.addClip(c);
    }
    return track;
}

TEST(TrackOrder, CodePointOrderTextTrackFirstEqualTitlesAsMade) {
    TrackMap tracks;
    test::addSpeaker(tracks, u"太郎"_s);
    const auto first = test::addSpeaker(tracks, u"alice"_s);
    test::addSpeaker(tracks, u"Bob"_s);
    const auto second = test::addSpeaker(tracks, u"alice"_s);
    const auto sorted = sortedTracks(tracks);
    EXPECT_EQ(titles(sorted),
              (QStringList{u"Bob01テキストトラック"_s, u"Bob02サウンドトラック"_s,
                           u"alice01テキストトラック"_s, u"alice01テキストトラック"_s,
                           u"alice02サウンドトラック"_s, u"alice02サウンドトラック"_s,
                           u"太郎01テキストトラック"_s, u"太郎02サウンドトラック"_s}));
    EXPECT_EQ(sorted[2], first.text);
    EXPECT_EQ(sorted[3], second.text);
}

TEST(ClipWalk, SkipsOverlapsAndWritesZeroLengthClipsOnce) {
    EXPECT_EQ(titles(clipWalk(trackOf(
                  {clip(u"c"_s, 6000, 3000), clip(u"a"_s, 0, 6000), clip(u"b"_s, 3000, 3000)}))),
              (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(titles(clipWalk(trackOf(
                  {clip(u"a"_s, 0, 100), clip(u"zero"_s, 100, 0), clip(u"b"_s, 100, 100)}))),
              (QStringList{u"a"_s, u"zero"_s, u"b"_s}));
    // The first clip is the last added at the earliest start; later ties go to the first added.
    EXPECT_EQ(
        titles(clipWalk(trackOf({clip(u"z1"_s, 0, 0), clip(u"z2"_s, 0, 0), clip(u"z3"_s, 0, 0)}))),
        (QStringList{u"z3"_s, u"z1"_s, u"z2"_s}));
    EXPECT_TRUE(clipWalk(Track(u"empty"_s, TrackType::sound)).empty());
}

// Each step scans every clip for the nearest start at or after the end of the clip just written,
// leaving out clips already written: quadratic, but plainly right.
std::vector<std::shared_ptr<Clip>> scanningWalk(const Track& track) {
    std::vector<std::shared_ptr<Clip>> walk;
    for (auto current = track.firstClip(); current;) {
        walk.push_back(current);
        const CMTime end = current->start + current->duration;
        current = nullptr;
        for (const auto& clip : track.clips()) {
            if (std::find(walk.begin(), walk.end(), clip) == walk.end() && clip->start >= end &&
                (!current || clip->start < current->start)) {
                current = clip;
            }
        }
    }
    return walk;
}

TEST(ClipWalk, AgreesWithAPlainScanOnRandomTracks) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        Track track(u"t"_s, TrackType::video);
        for (int i = 0, count = random() % 40; i < count; ++i) {
            track.addClip(clip(QString::number(i), random() % 30 * 100, random() % 5 * 100));
        }
        ASSERT_EQ(titles(clipWalk(track)), titles(scanningWalk(track))) << "round " << round;
    }
}

// A scan of every clip per step would take minutes here.
TEST(ClipWalk, LongTracksAreWalkedWithoutRescanning) {
    constexpr int kClips = 100000;
    Track track(u"long"_s, TrackType::video);
    for (int i = kClips - 1; i >= 0; --i) {
        track.addClip(clip(u"c"_s, i * 200, i % 10 == 0 ? 300 : 100));
    }
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(clipWalk(track).size(), kClips - kClips / 10); // every tenth overlaps the next
    EXPECT_LT(timer.elapsed(), 10000);
}

} // namespace
} // namespace brisomel
