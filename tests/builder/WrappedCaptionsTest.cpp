#include "builder/FilelistToTimeline.h"

#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::VoiceFolder;

namespace {

const QString kLong =
    u"今日はとてもいい天気ですね。散歩に行きましょう！「ちょっと待って」と彼女は言った。"_s;

ConversionOptions wrapping(FpsType fps, int width, int maxLines) {
    ConversionOptions options;
    options.timelineName = u"T"_s;
    options.fpsType = fps;
    options.wrap = {width, maxLines};
    return options;
}

std::vector<std::shared_ptr<Clip>> clipsOf(const BuiltTimeline& timeline, const QString& title) {
    for (const auto& track : timeline.tracks) {
        if (track->title == title) {
            return {track->clips().begin(), track->clips().end()};
        }
    }
    return {};
}

const TextClip& title(const std::shared_ptr<Clip>& clip) {
    return dynamic_cast<const TextClip&>(*clip);
}

// The title texts of a folder of one line, broken at 30 fps to the width and line count.
QStringList titleTexts(const QString& caption, double seconds, int width, int maxLines) {
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, seconds, caption);
    const Result<BuiltTimeline> built =
        buildTimeline(folder.load(), wrapping(FpsType::fps30, width, maxLines));
    QStringList texts;
    for (const auto& clip : built ? clipsOf(*built, u"A"_s + kCaptionTrackSuffix)
                                  : std::vector<std::shared_ptr<Clip>>{}) {
        texts << title(clip).text;
    }
    return texts;
}

} // namespace

// At every rate the parts of a caption, of at most two lines each, follow one another over its
// voice clip exactly: the first starts with the clip, the last ends with it.
TEST(WrappedCaptions, PartsCoverTheVoiceClipAtEveryRate) {
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, 2.37, kLong);
    const FileList entries = folder.load();
    for (const FpsTypeInfo& rate : fpsTypes()) {
        SCOPED_TRACE(rate.rawValue.toString().toStdString());
        const Result<BuiltTimeline> built = buildTimeline(entries, wrapping(rate.type, 16, 2));
        ASSERT_TRUE(built);
        const auto titles = clipsOf(*built, u"A"_s + kCaptionTrackSuffix);
        const auto voices = clipsOf(*built, u"A"_s + kVoiceTrackSuffix);
        ASSERT_EQ(voices.size(), 1u);
        ASSERT_GT(titles.size(), 1u);
        CMTime end = voices[0]->start;
        QString text;
        for (std::size_t i = 0; i < titles.size(); ++i) {
            EXPECT_EQ(titles[i]->start, end);
            EXPECT_GT(titles[i]->duration, kCMTimeZero);
            EXPECT_EQ(titles[i]->title, u"1_A（x）_a"_s);
            EXPECT_LE(title(titles[i]).text.count(u'\n'), 1);
            end = titles[i]->start + titles[i]->duration;
            text += QString(title(titles[i]).text).remove(u'\n');
        }
        EXPECT_EQ(end, voices[0]->start + voices[0]->duration);
        EXPECT_EQ(text, kLong);
    }
}

// Every part is a title of its speaker's lane with its speaker's style; a caption that ends
// with a blank loses it and the pause comes after its last part.
TEST(WrappedCaptions, PartsKeepTheSpeakersStyleAndThePauseFollowsTheLastPart) {
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, 2.0, kLong + u" "_s);
    folder.addLine(u"2_B（x）_b"_s, 1.0, u"はい"_s);
    CaptionStyle styleA;
    styleA.font = u"Hiragino Sans"_s;
    ConversionOptions options = wrapping(FpsType::fps25, 40, 1);
    options.captionStyles.set(u"A"_s, styleA);
    options.pauseLength = 0.5;
    const Result<BuiltTimeline> built = buildTimeline(folder.load(), options);
    ASSERT_TRUE(built);

    const auto titles = clipsOf(*built, u"A"_s + kCaptionTrackSuffix);
    QStringList texts;
    for (const auto& clip : titles) {
        texts << title(clip).text;
        EXPECT_EQ(title(clip).style, styleA);
    }
    EXPECT_EQ(
        texts.join(u'|').toStdString(),
        "今日はとてもいい天気ですね。|散歩に行きましょう！|「ちょっと待って」と彼女は言った。");
    const auto next = clipsOf(*built, u"B"_s + kCaptionTrackSuffix);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0]->start, CMTimeMake(5000 + 1250, 2500)) << "2 s, then the pause";
}

// A caption of two titles is cut after its clause mark, not between the phrases after it, and
// where no title lasts less than half a second.
TEST(WrappedCaptions, TitlesAreCutAfterAClauseMarkAndLastHalfASecond) {
    const std::tuple<QString, double, QString> cases[] = {
        {u"今日は結月ゆかりさんと、東北ずん子さんに会いました。"_s, 2.0,
         u"今日は結月ゆかりさんと、"_s},
        {u"ああああああ\nいいいいいい\nう"_s, 3.0, u"ああああああ"_s}, // not [2, 1]: 0.23 s
    };
    for (const auto& [caption, seconds, first] : cases) {
        const QStringList titles = titleTexts(caption, seconds, 26, 2);
        ASSERT_EQ(titles.size(), 2) << caption.toStdString();
        EXPECT_EQ(titles[0].toStdString(), first.toStdString());
    }
}

// Without a width, a caption wider and longer than any limit stays one title, as it was.
TEST(WrappedCaptions, WithoutAWidthCaptionsStayWhole) {
    const QString caption = kLong + u"\n"_s + kLong + u"\n"_s + kLong;
    EXPECT_EQ(titleTexts(caption, 1.0, 0, 1), QStringList{caption});
}
