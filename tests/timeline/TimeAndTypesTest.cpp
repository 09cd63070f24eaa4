#include "timeline/CMTime.h"
#include "timeline/Timeline.h"

#include <gtest/gtest.h>

#include <limits>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<TextClip> textClip(std::int64_t start, std::int64_t duration,
                                   std::int32_t timescale = 24000) {
    return std::make_shared<TextClip>(u"t"_s, CMTimeMake(start, timescale),
                                      CMTimeMake(duration, timescale), 0.f, 0.f, QString(),
                                      AlignType::canter);
}

} // namespace

// Seconds become the nearest whole unit, where cutting down would lose one (0.9999 s, and 2.3 s
// whose product falls just below 6900 in floating point).
TEST(CMTime, FromSecondsRoundsToTheNearestUnitAndSumsOverTheLeastCommonMultiple) {
    const std::tuple<double, std::int32_t, std::int64_t> fromSeconds[] = {
        {0.5, 24000, 12000},  {2.5, 30000, 75000}, {1.0 / 3.0, 3000, 1000}, {0.99983, 3000, 2999},
        {0.9999, 3000, 3000}, {2.3, 3000, 6900},   {-0.0005, 3000, -2}};
    for (const auto& [seconds, timescale, value] : fromSeconds) {
        const CMTime time = CMTimeMakeWithSeconds(seconds, timescale);
        EXPECT_EQ(std::pair(time.value, time.timescale), std::pair(value, timescale)) << seconds;
    }
    EXPECT_TRUE(
        sameRepresentation(kCMTimeZero + CMTimeMake(72000, 24000), CMTimeMake(72000, 24000)));
    EXPECT_TRUE(sameRepresentation(CMTimeMake(1, 2) + CMTimeMake(1, 3), CMTimeMake(5, 6)));
}

TEST(CMTime, ComparesExactlyAcrossTimescalesWithoutOverflow) {
    EXPECT_EQ(CMTimeMake(1, 3), CMTimeMake(1000, 3000));
    EXPECT_LT(CMTimeMake(999, 3000), CMTimeMake(1, 3));
    const auto big = std::numeric_limits<std::int64_t>::max();
    EXPECT_LT(CMTimeMake(big - 1, 60000), CMTimeMake(big, 60000));
    EXPECT_GT(CMTimeMake(big, 1), CMTimeMake(big, 2));
    EXPECT_LT(CMTimeMake(-big, 1), CMTimeMake(big, 7));
    // 2^53 + 1 units: doubles would call these equal.
    const std::int64_t beyondDouble = (std::int64_t{1} << 53) + 1;
    EXPECT_GT(CMTimeMake(beyondDouble, 1000), CMTimeMake(beyondDouble - 1, 1000));
    EXPECT_GT(kCMTimePositiveInfinity, CMTimeMake(big, 1));
}

TEST(Timeline, EndIsTheEndOfEachTracksLatestStartingClip) {
    TrackMap tracks;
    EXPECT_TRUE(sameRepresentation(timelineEnd(tracks), kCMTimeZero));
    auto a = std::make_shared<Track>(u"A"_s, TrackType::video);
    auto b = std::make_shared<Track>(u"B"_s, TrackType::sound);
    tracks.insert(a);
    tracks.insert(b);
    EXPECT_TRUE(sameRepresentation(timelineEnd(tracks), kCMTimeZero));

    a->addClip(textClip(0, 48000));
    b->addClip(textClip(48000, 24000));
    EXPECT_EQ(timelineEnd(tracks), CMTimeMake(72000, 24000));

    // Clips sharing a start: the one added last decides the track's end.
    auto c = std::make_shared<Track>(u"C"_s, TrackType::video);
    tracks.insert(c);
    c->addClip(textClip(72000, 48000));
    c->addClip(textClip(72000, 0));
    EXPECT_EQ(timelineEnd(tracks), CMTimeMake(72000, 24000));
    c->addClip(textClip(72000, 48000));
    EXPECT_EQ(timelineEnd(tracks), CMTimeMake(120000, 24000));
}
