#include "fcpxml/TimelineSketch.h"

#include <gtest/gtest.h>

using namespace brisomel;
using namespace brisomel::test;

namespace {

// The titles in writing order of clips given as (title, start, length), added in that order.
QStringList walked(const std::vector<std::tuple<QString, int, int>>& clips) {
    Track track(u"t"_s, TrackType::video);
    for (const auto& [title, start, length] : clips) {
        track.addClip(std::make_shared<TextClip>(title, CMTimeMake(start, 3000),
                                                 CMTimeMake(length, 3000), 0.0f, 0.0f, QString(),
                                                 AlignType::canter));
    }
    QStringList titles;
    for (const auto& clip : clipWalk(track)) {
        titles << clip->title;
    }
    return titles;
}

} // namespace

// Code-point order itself is tested with the intake; here, that it is the order, and stable.
TEST(TrackOrder, CodePointOrderTextTrackFirstEqualTitlesAsMade) {
    TrackMap tracks;
    const auto first = addSpeaker(tracks, u"alice"_s);
    const auto bob = addSpeaker(tracks, u"Bob"_s);
    const auto second = addSpeaker(tracks, u"alice"_s);
    EXPECT_EQ(sortedTracks(tracks), (std::vector{bob.text, bob.sound, first.text, second.text,
                                                 first.sound, second.sound}));
}

TEST(ClipWalk, SkipsOverlapsAndWritesZeroLengthClipsOnce) {
    EXPECT_EQ(walked({{u"c"_s, 6000, 3000}, {u"a"_s, 0, 6000}, {u"b"_s, 3000, 3000}}),
              (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(walked({{u"a"_s, 0, 100}, {u"zero"_s, 100, 0}, {u"b"_s, 100, 100}}),
              (QStringList{u"a"_s, u"zero"_s, u"b"_s}));
    // The first clip is the last added at the earliest start (the track's first clip); later ties
    // go to the first added.
    EXPECT_EQ(walked({{u"z1"_s, 0, 0}, {u"z2"_s, 0, 0}, {u"z3"_s, 0, 0}}),
              (QStringList{u"z3"_s, u"z1"_s, u"z2"_s}));
    EXPECT_TRUE(walked({}).isEmpty());
}
