#include "builder/FilelistToTimeline.h"
#include "intake/ReadFolder.h"

#include "support/PcmWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace brisomel;

namespace {

// A voice folder made on disk for one test.
class VoiceFolder {
public:
    // Writes `seconds` of 48 kHz mono audio, and the caption when one is given.
    void addLine(const QString& stem, double seconds, const std::optional<QString>& caption = {},
                 int sampleRate = 48000) {
        testsupport::writeWav(path(stem + QStringLiteral(".wav")), sampleRate, 1,
                              static_cast<int>(seconds * sampleRate));
        if (caption) {
            QFile file(path(stem + QStringLiteral(".txt")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(caption->toUtf8());
        }
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // The folder's entries, as the window loads them.
    FileList load() const {
        ReadFolderResult read = readFolder(QUrl::fromLocalFile(dir_.path()));
        EXPECT_EQ(read.error, ErrorType::normalEnd);
        return read.list.value_or(FileList{});
    }

private:
    QTemporaryDir dir_;
};

ConversionOptions optionsFor(FpsType fps, double pause) {
    ConversionOptions options;
    options.timelineName = QStringLiteral("T");
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
    folder.addLine(QStringLiteral("2_B（x）_second"), 1.25, QStringLiteral("two"));
    folder.addLine(QStringLiteral("1_A（x）_first"), 2.5, QStringLiteral("one"));
    // The list's order must not matter.
    FileList reversed = folder.load();
    std::reverse(reversed.begin(), reversed.end());

    const BuiltTimeline timeline = build(reversed);
    ASSERT_EQ(timeline.tracks.size(), 4);
    const auto aText = trackTitled(timeline, QStringLiteral("A01テキストトラック"));
    const auto aVoice = trackTitled(timeline, QStringLiteral("A02サウンドトラック"));
    const auto bVoice = trackTitled(timeline, QStringLiteral("B02サウンドトラック"));
    ASSERT_TRUE(aText && aVoice && bVoice);
    EXPECT_EQ(aText->trackType, TrackType::video);
    EXPECT_EQ(aVoice->trackType, TrackType::sound);

    const auto first = clipNamed(aVoice, QStringLiteral("1_A（x）_first"));
    const auto second = clipNamed(bVoice, QStringLiteral("2_B（x）_second"));
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(sameRepresentation(first->start, kCMTimeZero));
    EXPECT_TRUE(sameRepresentation(first->duration, CMTimeMake(7500, 3000)));
    EXPECT_TRUE(sameRepresentation(second->start, CMTimeMake(7500, 3000)));
    EXPECT_TRUE(sameRepresentation(second->duration, CMTimeMake(3700, 3000))) << "37.5 frames";
    EXPECT_EQ(timelineEnd(timeline.tracks), CMTimeMake(11200, 3000));

    const auto caption = std::dynamic_pointer_cast<TextClip>(clipNamed(aText, first->title));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, QStringLiteral("one"));
    EXPECT_EQ(caption->align, AlignType::right);
    EXPECT_EQ(caption->posX, 12.5f);
    EXPECT_EQ(caption->posY, -400.f);
    EXPECT_TRUE(sameRepresentation(caption->start, first->start));
    EXPECT_TRUE(sameRepresentation(caption->duration, first->duration));
    const auto voice = std::dynamic_pointer_cast<SoundClip>(first);
    EXPECT_EQ(voice->sampleRate, 48000.0);
    EXPECT_EQ(voice->soundUrl,
              QUrl::fromLocalFile(folder.path(QStringLiteral("1_A（x）_first.wav"))));
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
        {QStringLiteral("none"), true, true, QStringLiteral("none"), false},
        {QStringLiteral("one "), true, true, QStringLiteral("one"), true},
        {QStringLiteral("one "), true, false, QStringLiteral("one"), true},
        {QStringLiteral("one "), false, true, QStringLiteral("one"), false},
        {QStringLiteral("two  "), true, true, QStringLiteral("two "), true},
        {QStringLiteral("two  "), false, false, QStringLiteral("two "), false},
        {QStringLiteral("ideographic\u3000"), true, true, QStringLiteral("ideographic"), true},
        {QStringLiteral("blank then break \n"), true, true, QStringLiteral("blank then break \n"),
         false},
        {std::nullopt, true, true, QString(), false},
    };
    for (const BlankCase& c : cases) {
        SCOPED_TRACE(c.firstCaption.value_or(QStringLiteral("(no caption)")).toStdString());
        VoiceFolder folder;
        folder.addLine(QStringLiteral("1"), 1.0, c.firstCaption);
        folder.addLine(QStringLiteral("2"), 1.0,
                       c.secondCaptioned ? std::optional(QStringLiteral("next ")) : std::nullopt);
        const FileList entries = folder.load();
        const BuiltTimeline timeline = build(entries, FpsType::fps25, c.pauseOn ? 0.5 : 0);

        // 1 s is 2500 units at 25 fps; the pause 1250 units, not rounded to frames.
        const auto voice = trackTitled(timeline, QStringLiteral("noname02サウンドトラック"));
        EXPECT_EQ(clipNamed(voice, QStringLiteral("2"))->start,
                  CMTimeMake(c.paused ? 3750 : 2500, 2500));
        const auto text = trackTitled(timeline, QStringLiteral("noname01テキストトラック"));
        if (c.firstCaption) {
            EXPECT_EQ(
                std::dynamic_pointer_cast<TextClip>(clipNamed(text, QStringLiteral("1")))->text,
                c.firstTitle);
        }
    }
}

TEST(Builder, BuildingLeavesTheEntriesAsTheyWereSoExportsRepeat) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1"), 1.0, QStringLiteral("two blanks  "));
    folder.addLine(QStringLiteral("2"), 1.0, QStringLiteral("b"));
    const FileList entries = folder.load();

    const BuiltTimeline first = build(entries, FpsType::fps25, 0.5);
    EXPECT_EQ(entries[0]->textRow(), QStringLiteral("two blanks  "));
    const BuiltTimeline second = build(entries, FpsType::fps25, 0.5);
    EXPECT_EQ(timelineEnd(second.tracks), timelineEnd(first.tracks));
    EXPECT_EQ(timelineEnd(second.tracks), CMTimeMake(6250, 2500));
}

TEST(Builder, UntickedEntriesAreSkippedButKeepTheirTracks) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_A（x）_a"), 1.0, QStringLiteral("pause after me  "));
    folder.addLine(QStringLiteral("2_B（x）_b"), 1.0, QStringLiteral("skipped"));
    folder.addLine(QStringLiteral("3_A（x）_c"), 1.0, QStringLiteral("third"));
    const FileList entries = folder.load();
    entries[1]->setTargetFlg(false);

    const BuiltTimeline timeline = build(entries, FpsType::fps30, 1.0);
    EXPECT_EQ(timeline.tracks.size(), 4);
    const auto bText = trackTitled(timeline, QStringLiteral("B01テキストトラック"));
    ASSERT_TRUE(bText);
    EXPECT_TRUE(bText->clips().isEmpty());
    const auto aVoice = trackTitled(timeline, QStringLiteral("A02サウンドトラック"));
    EXPECT_EQ(clipNamed(aVoice, QStringLiteral("3_A（x）_c"))->start, CMTimeMake(6000, 3000))
        << "the pause decision looks past the unticked entry";
}

TEST(Builder, AnAudioFileShorterThanAFrameGivesZeroLengthClipsWithoutOverlap) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_A（x）_a"), 1.0, QStringLiteral("a"));
    folder.addLine(QStringLiteral("2_A（x）_tiny"), 0.02, QStringLiteral("tiny"));
    folder.addLine(QStringLiteral("3_B（x）_b"), 1.0, QStringLiteral("b"));
    folder.addLine(QStringLiteral("4_A（x）_c"), 1.0, QStringLiteral("c"));
    const BuiltTimeline timeline = build(folder.load());
    const auto aVoice = trackTitled(timeline, QStringLiteral("A02サウンドトラック"));
    const auto bVoice = trackTitled(timeline, QStringLiteral("B02サウンドトラック"));
    const auto tiny = clipNamed(aVoice, QStringLiteral("2_A（x）_tiny"));
    EXPECT_EQ(tiny->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(tiny->duration.value, 0);
    EXPECT_EQ(clipNamed(bVoice, QStringLiteral("3_B（x）_b"))->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(clipNamed(aVoice, QStringLiteral("4_A（x）_c"))->start, CMTimeMake(6000, 3000));
}

TEST(Builder, EmptyOrMissingListsGiveTracksWithoutClips) {
    EXPECT_TRUE(build(FileList{}).tracks.isEmpty());

    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_A（x）_a"), 1.0);
    const FileList entries = folder.load();
    entries[0]->setTargetFlg(false);
    const BuiltTimeline timeline = build(entries);
    EXPECT_EQ(timeline.tracks.size(), 2);
    EXPECT_EQ(timelineEnd(timeline.tracks), kCMTimeZero);
}

TEST(Builder, CanonicallyEquivalentSpeakerNamesShareTheirTracks) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_Andr\u00E9（x）_a"), 1.0, QStringLiteral("a"));
    folder.addLine(QStringLiteral("2_Andre\u0301（x）_b"), 1.0, QStringLiteral("b"));
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
        folder.addLine(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), 0.1 + (i % 7) * 0.01);
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
    folder.addLine(QStringLiteral("1_Andre\u0301（x）_a"), 1.0, QStringLiteral("a"));
    folder.addLine(QStringLiteral("2_Taro（x）_b"), 1.0, QStringLiteral("b"));
    folder.addLine(QStringLiteral("3_Andre\u0301（x）_c"), 1.0, QStringLiteral("c"));
    CaptionStyle andre;
    andre.font = QStringLiteral("Hiragino Sans");
    andre.strokeWidth = 4;
    CaptionStyle others;
    others.size = 64;
    SpeakerStyles named;
    named.set(QStringLiteral("Andr\u00E9"), andre);
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
        EXPECT_EQ(styles.value(QStringLiteral("Andre\u0301") + kCaptionTrackSuffix),
                  (QList<CaptionStyle>{andre, andre}));
        EXPECT_EQ(styles.value(QStringLiteral("Taro") + kCaptionTrackSuffix),
                  QList<CaptionStyle>{c.taro});
    }
}
