#include "builder/TrailingBlank.h"
#include "timeline/CMTime.h"
#include "timeline/OptionTypes.h"
#include "timeline/Timeline.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

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

TEST(CMTime, FromSecondsRoundsToNearestUnit) {
    EXPECT_TRUE(sameRepresentation(CMTimeMakeWithSeconds(0.5, 24000), CMTimeMake(12000, 24000)));
    EXPECT_TRUE(sameRepresentation(CMTimeMakeWithSeconds(2.5, 30000), CMTimeMake(75000, 30000)));
    EXPECT_EQ(CMTimeMakeWithSeconds(1.0 / 3.0, 3000).value, 1000);
    EXPECT_EQ(CMTimeMakeWithSeconds(0.99983, 3000).value, 2999);
    EXPECT_EQ(CMTimeMakeWithSeconds(1.25, 3000).value, 3750);
    // Where rounding and cutting down differ.
    EXPECT_EQ(CMTimeMakeWithSeconds(0.9999, 3000).value, 3000);
    EXPECT_EQ(CMTimeMakeWithSeconds(-0.0005, 3000).value, -2);
}

TEST(CMTime, SumsOverTheLeastCommonMultiple) {
    EXPECT_TRUE(
        sameRepresentation(kCMTimeZero + CMTimeMake(72000, 24000), CMTimeMake(72000, 24000)));
    EXPECT_TRUE(sameRepresentation(CMTimeMake(1, 2) + CMTimeMake(1, 3), CMTimeMake(5, 6)));
    EXPECT_TRUE(sameRepresentation(CMTimeMake(7500, 3000) + CMTimeMake(3700, 3000),
                                   CMTimeMake(11200, 3000)));
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
    EXPECT_EQ(kCMTimeZero, CMTimeMake(0, 24000));
}

TEST(OptionTypes, OnlyExactLabelsAndRawValuesMakeAValue) {
    EXPECT_EQ(rawValue(FrameType::frame2K), u"2560\u00D71440 : 2.5K"_s);
    for (const FpsTypeInfo& info : fpsTypes()) {
        EXPECT_EQ(fpsTypeFromRawValue(rawValue(info.type)), info.type);
        EXPECT_EQ(&describe(info.type), &info);
    }
    EXPECT_FALSE(fpsTypeFromRawValue(u"29.970"_s));
    EXPECT_FALSE(fpsTypeFromRawValue(u"30 "_s));
}

TEST(Timeline, IdentifiersAreFreshUpperCaseUuids) {
    const QRegularExpression uuid(
        u"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"_s);
    Track track(u"A01"_s, TrackType::video);
    const auto clip = textClip(0, 1);
    EXPECT_TRUE(uuid.match(track.trackId).hasMatch()) << track.trackId.toStdString();
    EXPECT_TRUE(uuid.match(clip->id).hasMatch());
    EXPECT_NE(clip->id, textClip(0, 1)->id);
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

TEST(TrailingBlank, OnlyAWholeFinalSpaceOrIdeographicSpaceCounts) {
    EXPECT_TRUE(endsWithBlank(u"こんにちは "_s));
    EXPECT_TRUE(endsWithBlank(u"こんにちは\u3000"_s));
    EXPECT_FALSE(endsWithBlank(QString()));
    EXPECT_FALSE(endsWithBlank(u"a \n"_s));
    EXPECT_FALSE(endsWithBlank(u"a\t"_s));
    // A space carrying a combining mark is one character that is not a blank.
    EXPECT_FALSE(endsWithBlank(u"a \u0301"_s));
    EXPECT_EQ(withoutTrailingBlank(u"ab  "_s), u"ab "_s);
    EXPECT_EQ(withoutTrailingBlank(u"\u3000"_s), QString());
}
