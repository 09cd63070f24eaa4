#include "builder/FilelistToTimeline.h"
#include "intake/ReadFolder.h"

#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::VoiceFolder;

namespace {

ConversionOptions optionsFor(FpsType fps, double pause) {
    ConversionOptions options;
    options.timelineName = u"T"_s;
    options.fpsType = fps;
    options.align = AlignType::right;
    options.posX = 12.5f;
    options.posY = -400.f;
    options.pauseLength = pause;
    return options;
}

BuiltTimeline build(const FileList& entries, FpsType fps = FpsType::fps30, double pause = 0) {
    Result<BuiltTimeline> result = buildTimeline(entries, optionsFor(fps, pause));
    EXPECT_TRUE(result) << (result ? "" : result.failure().message().toStdString());
    return result ? std::move(*result) : BuiltTimeline{};
}

std::shared_ptr<Track> trackTitled(const BuiltTimeline& timeline, const QString& title) {
    for (const auto& track : timeline.tracks) {
        if (track->title == title) {
            return track;
        }
    }
    return nullptr;
}

// The clip of a track whose title is `fileName`.
std::shared_ptr<Clip> clipNamed(const std::shared_ptr<Track>& track, const QString& fileName) {
    for (const auto& clip : track->clips()) {
        if (clip->title == fileName) {
            return clip;
        }
    }
    return nullptr;
}

} // namespace

TEST(Builder, PlacesFrameAlignedClipsOneAfterAnotherInFileNameOrder) {
    VoiceFolder folder;
    folder.addLine(u"2_B（x）_second"_s, 1.25, u"two"_s);
    folder.addLine(u"1_A（x）_first"_s, 2.5, u"one"_s);
    // The list's order must not matter.
    FileList reversed = folder.load();
    std::reverse(reversed.begin(), reversed.end());

    const BuiltTimeline timeline = build(reversed);
    ASSERT_EQ(timeline.tracks.size(), 4);
    const auto aText = trackTitled(timeline, u"A01テキストトラック"_s);
    const auto aVoice = trackTitled(timeline, u"A02サウンドトラック"_s);
    const auto bVoice = trackTitled(timeline, u"B02サウンドトラック"_s);
    ASSERT_TRUE(aText && aVoice && bVoice);
    EXPECT_EQ(aText->trackType, TrackType::video);
    EXPECT_EQ(aVoice->trackType, TrackType::sound);

    const auto first = clipNamed(aVoice, u"1_A（x）_first"_s);
    const auto second = clipNamed(bVoice, u"2_B（x）_second"_s);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(sameRepresentation(first->start, kCMTimeZero));
    EXPECT_TRUE(sameRepresentation(first->duration, CMTimeMake(7500, 3000)));
    EXPECT_TRUE(sameRepresentation(second->start, CMTimeMake(7500, 3000)));
    EXPECT_TRUE(sameRepresentation(second->duration, CMTimeMake(3700, 3000))) << "37.5 frames";
    EXPECT_EQ(timelineEnd(timeline.tracks), CMTimeMake(11200, 3000));

    const auto caption = std::dynamic_pointer_cast<TextClip>(clipNamed(aText, first->title));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, u"one"_s);
    EXPECT_EQ(caption->align, AlignType::right);
    EXPECT_EQ(caption->posX, 12.5f);
    EXPECT_EQ(caption->posY, -400.f);
    EXPECT_TRUE(sameRepresentation(caption->start, first->start));
    EXPECT_TRUE(sameRepresentation(caption->duration, first->duration));
    const auto voice = std::dynamic_pointer_cast<SoundClip>(first);
    EXPECT_EQ(voice->sampleRate, 48000.0);
    EXPECT_EQ(voice->soundUrl(), QUrl::fromLocalFile(folder.filePath(u"1_A（x）_first.wav"_s)));
}

// The caption ending of the first of two lines, and whether the second line starts after the
// pause; the first line's title loses one trailing blank either way.
struct BlankCase {
    std::optional<QString> firstCaption; // nothing: the first line has no caption file
    bool pauseOn;
    bool secondCaptioned;
    QString firstTitle;
    bool paused;
};

TEST(Builder, ACaptionEndingWithABlankIsFollowedByThePauseAndLosesOneBlank) {
    const BlankCase cases[] = {
        {u"none"_s, true, true, u"none"_s, false},
        {u"one "_s, true, true, u"one"_s, true},
        {u"one "_s, true, false, u"one"_s, true},
        {u"one "_s, false, true, u"one"_s, false},
        {u"two  "_s, true, true, u"two "_s, true},
        {u"two  "_s, false, false, u"two "_s, false},
        {u"ideographic\u3000"_s, true, true, u"ideographic"_s, true},
        {u"blank then break \n"_s, true, true, u"blank then break \n"_s, false},
        {std::nullopt, true, true, QString(), false},
    };
    for (const BlankCase& c : cases) {
        SCOPED_TRACE(c.firstCaption.value_or(u"(no caption)"_s).toStdString());
        VoiceFolder folder;
        folder.addLine(u"1"_s, 1.0, c.firstCaption);
        folder.addLine(u"2"_s, 1.0, c.secondCaptioned ? std::optional(u"next "_s) : std::nullopt);
        const FileList entries = folder.load();
        const BuiltTimeline timeline = build(entries, FpsType::fps25, c.pauseOn ? 0.5 : 0);

        // 1 s is 2500 units at 25 fps; the pause 1250 units, not rounded to frames.
        const auto voice = trackTitled(timeline, u"noname02サウンドトラック"_s);
        EXPECT_EQ(clipNamed(voice, u"2"_s)->start, CMTimeMake(c.paused ? 3750 : 2500, 2500));
        const auto text = trackTitled(timeline, u"noname01テキストトラック"_s);
        if (c.firstCaption) {
            EXPECT_EQ(std::dynamic_pointer_cast<TextClip>(clipNamed(text, u"1"_s))->text,
                      c.firstTitle);
        }
    }
}

TEST(Builder, BuildingLeavesTheEntriesAsTheyWereSoExportsRepeat) {
    VoiceFolder folder;
    folder.addLine(u"1"_s, 1.0, u"two blanks  "_s);
    folder.addLine(u"2"_s, 1.0, u"b"_s);
    const FileList entries = folder.load();

    const BuiltTimeline first = build(entries, FpsType::fps25, 0.5);
    EXPECT_EQ(entries[0]->textRow(), u"two blanks  "_s);
    const BuiltTimeline second = build(entries, FpsType::fps25, 0.5);
    EXPECT_EQ(timelineEnd(second.tracks), timelineEnd(first.tracks));
    EXPECT_EQ(timelineEnd(second.tracks), CMTimeMake(6250, 2500));
}

TEST(Builder, UntickedEntriesAreSkippedButKeepTheirTracks) {
    EXPECT_TRUE(build(FileList{}).tracks.isEmpty());
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, 1.0, u"pause after me  "_s);
    folder.addLine(u"2_B（x）_b"_s, 1.0, u"skipped"_s);
    folder.addLine(u"3_A（x）_c"_s, 1.0, u"third"_s);
    const FileList entries = folder.load();
    entries[1]->setTargetFlg(false);

    const BuiltTimeline timeline = build(entries, FpsType::fps30, 1.0);
    EXPECT_EQ(timeline.tracks.size(), 4);
    const auto bText = trackTitled(timeline, u"B01テキストトラック"_s);
    ASSERT_TRUE(bText);
    EXPECT_TRUE(bText->clips().isEmpty());
    const auto aVoice = trackTitled(timeline, u"A02サウンドトラック"_s);
    EXPECT_EQ(clipNamed(aVoice, u"3_A（x）_c"_s)->start, CMTimeMake(6000, 3000))
        << "the pause decision looks past the unticked entry";
}

TEST(Builder, AnAudioFileShorterThanAFrameGivesZeroLengthClipsWithoutOverlap) {
    VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, 1.0, u"a"_s);
    folder.addLine(u"2_A（x）_tiny"_s, 0.02, u"tiny"_s);
    folder.addLine(u"3_B（x）_b"_s, 1.0, u"b"_s);
    folder.addLine(u"4_A（x）_c"_s, 1.0, u"c"_s);
    const BuiltTimeline timeline = build(folder.load());
    const auto aVoice = trackTitled(timeline, u"A02サウンドトラック"_s);
    const auto bVoice = trackTitled(timeline, u"B02サウンドトラック"_s);
    const auto tiny = clipNamed(aVoice, u"2_A（x）_tiny"_s);
    EXPECT_EQ(tiny->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(tiny->duration.value, 0);
    EXPECT_EQ(clipNamed(bVoice, u"3_B（x）_b"_s)->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(clipNamed(aVoice, u"4_A（x）_c"_s)->start, CMTimeMake(6000, 3000));
}

TEST(Builder, CanonicallyEquivalentSpeakerNamesShareTheirTracks) {
    VoiceFolder folder;
    folder.addLine(u"1_Andr\u00E9（x）_a"_s, 1.0, u"a"_s);
    folder.addLine(u"2_Andre\u0301（x）_b"_s, 1.0, u"b"_s);
    const BuiltTimeline timeline = build(folder.load());
    ASSERT_EQ(timeline.tracks.size(), 2);
    qsizetype clips = 0;
    for (const auto& track : timeline.tracks) {
        clips += track->clips().size();
    }
    EXPECT_EQ(clips, 4) << "no speaker's clips may be lost";
}

TEST(Builder, ProgressCountsEveryAudioFileAndDoesNotChangeTheResult) {
    VoiceFolder folder;
    for (int i = 0; i < 300; ++i) {
        folder.addLine(u"%1"_s.arg(i, 3, 10, QLatin1Char('0')), 0.1 + (i % 7) * 0.01);
    }
    const FileList entries = folder.load();
    qsizetype lastDone = 0;
    qsizetype lastTotal = 0;
    const Result<BuiltTimeline> withProgress =
        buildTimeline(entries, optionsFor(FpsType::fps30, 0), [&](qsizetype done, qsizetype total) {
            EXPECT_GE(done, lastDone);
            lastDone = done;
            lastTotal = total;
        });
    EXPECT_EQ(lastDone, 300);
    EXPECT_EQ(lastTotal, 300);
    const BuiltTimeline plain = build(entries);
    EXPECT_EQ(timelineEnd(withProgress->tracks), timelineEnd(plain.tracks));
}

// Titles take their speaker's style, found by the NFC form of the name; speakers without one
// take the style for other speakers, or the default when there is none.
TEST(Builder, EachSpeakersTitlesTakeTheirSpeakersStyle) {
    VoiceFolder folder;
    folder.addLine(u"1_Andre\u0301（x）_a"_s, 1.0, u"a"_s);
    folder.addLine(u"2_Taro（x）_b"_s, 1.0, u"b"_s);
    folder.addLine(u"3_Andre\u0301（x）_c"_s, 1.0, u"c"_s);
    CaptionStyle andre;
    andre.font = u"Hiragino Sans"_s;
    andre.outline = Outline{{0, 0, 0, 255}, 4};
    CaptionStyle others;
    others.size = 64;
    SpeakerStyles named;
    named.set(u"Andr\u00E9"_s, andre);
    SpeakerStyles namedAndOthers = named;
    namedAndOthers.set(kOtherSpeakers, others);

    const struct {
        SpeakerStyles styles;
        CaptionStyle taro;
    } cases[] = {{named, CaptionStyle{}}, {namedAndOthers, others}};
    for (const auto& c : cases) {
        ConversionOptions options = optionsFor(FpsType::fps30, 0);
        options.captionStyles = c.styles;
        const Result<BuiltTimeline> timeline = buildTimeline(folder.load(), options);
        ASSERT_TRUE(timeline);
        QMap<QString, QList<CaptionStyle>> styles;
        for (const auto& track : timeline->tracks) {
            for (const auto& clip : track->clips()) {
                if (const auto* title = dynamic_cast<const TextClip*>(clip.get())) {
                    styles[track->title] << title->style;
                }
            }
        }
        EXPECT_EQ(styles.value(u"Andre\u0301"_s + kCaptionTrackSuffix),
                  (QList<CaptionStyle>{andre, andre}));
        EXPECT_EQ(styles.value(u"Taro"_s + kCaptionTrackSuffix), QList<CaptionStyle>{c.taro});
    }
}
