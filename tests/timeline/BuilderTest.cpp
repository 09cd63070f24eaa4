#include "intake/ReadFolder.h"
#include "timeline/FilelistToTimeline.h"

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

    // Loads the folder into a holder, as the window does.
    void load(FileLists& lists) const {
        ReadFolderResult read = readFolder(QUrl::fromLocalFile(dir_.path()));
        ASSERT_EQ(read.error, ErrorType::normalEnd) << read.report.toStdString();
        lists.setFileLists(std::move(read.list));
    }

private:
    QTemporaryDir dir_;
};

BuiltTimeline build(const FileLists& lists, FpsType fps = FpsType::fps30, double pause = 0) {
    BuildResult result = buildTimeline(lists, QStringLiteral("T"), FrameType::frame1080p, fps,
                                       AlignType::right, 12.5f, -400.f, pause);
    EXPECT_TRUE(result.timeline) << result.error.toStdString();
    return result.timeline ? std::move(*result.timeline) : BuiltTimeline{};
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
    FileLists lists;
    folder.load(lists);
    // The holder's order must not matter.
    auto reversed = *lists.fileLists();
    std::reverse(reversed.begin(), reversed.end());
    lists.setFileLists(reversed);

    const BuiltTimeline timeline = build(lists);
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

TEST(Builder, TrailingBlanksAreRemovedOnceAndTheSecondOneInsertsThePause) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1"), 1.0, QStringLiteral("two blanks  "));
    folder.addLine(QStringLiteral("2"), 1.0, QStringLiteral("one ideographic\u3000"));
    folder.addLine(QStringLiteral("3"), 1.0, QStringLiteral("space then break \n"));
    folder.addLine(QStringLiteral("4"), 1.0);
    FileLists lists;
    folder.load(lists);

    const BuiltTimeline timeline = build(lists, FpsType::fps25, 0.5);
    const auto voice = trackTitled(timeline, QStringLiteral("noname02サウンドトラック"));
    ASSERT_TRUE(voice);
    // 1 s = 2500 units at 25 fps; the pause is 1250 units and follows entry 1 only.
    EXPECT_EQ(clipNamed(voice, QStringLiteral("1"))->start, kCMTimeZero);
    EXPECT_EQ(clipNamed(voice, QStringLiteral("2"))->start, CMTimeMake(2500 + 1250, 2500));
    EXPECT_EQ(clipNamed(voice, QStringLiteral("3"))->start, CMTimeMake(6250, 2500));
    EXPECT_EQ(clipNamed(voice, QStringLiteral("4"))->start, CMTimeMake(8750, 2500));

    const auto& entries = *lists.fileLists();
    EXPECT_EQ(entries[0]->textRow(), QStringLiteral("two blanks "));
    EXPECT_EQ(entries[1]->textRow(), QStringLiteral("one ideographic"));
    EXPECT_EQ(entries[2]->textRow(), QStringLiteral("space then break \n"));
    EXPECT_EQ(entries[3]->textRow(), QString());

    // A second build removes the blank that is left, and then nothing pauses.
    const BuiltTimeline again = build(lists, FpsType::fps25, 0.5);
    EXPECT_EQ(entries[0]->textRow(), QStringLiteral("two blanks"));
    EXPECT_EQ(timelineEnd(again.tracks), CMTimeMake(10000, 2500));
}

TEST(Builder, UntickedEntriesAreSkippedButKeepTheirTracks) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_A（x）_a"), 1.0, QStringLiteral("pause after me  "));
    folder.addLine(QStringLiteral("2_B（x）_b"), 1.0, QStringLiteral("skipped"));
    folder.addLine(QStringLiteral("3_A（x）_c"), 1.0, QStringLiteral("third"));
    FileLists lists;
    folder.load(lists);
    (*lists.fileLists())[1]->setTargetFlg(false);

    const BuiltTimeline timeline = build(lists, FpsType::fps30, 1.0);
    EXPECT_EQ(timeline.tracks.size(), 4);
    const auto bText = trackTitled(timeline, QStringLiteral("B01テキストトラック"));
    ASSERT_TRUE(bText);
    EXPECT_TRUE(bText->clips().isEmpty());
    EXPECT_EQ((*lists.fileLists())[1]->textRow(), QStringLiteral("skipped"));
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
    FileLists lists;
    folder.load(lists);

    const BuiltTimeline timeline = build(lists);
    const auto aVoice = trackTitled(timeline, QStringLiteral("A02サウンドトラック"));
    const auto bVoice = trackTitled(timeline, QStringLiteral("B02サウンドトラック"));
    const auto tiny = clipNamed(aVoice, QStringLiteral("2_A（x）_tiny"));
    EXPECT_EQ(tiny->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(tiny->duration.value, 0);
    EXPECT_EQ(clipNamed(bVoice, QStringLiteral("3_B（x）_b"))->start, CMTimeMake(3000, 3000));
    EXPECT_EQ(clipNamed(aVoice, QStringLiteral("4_A（x）_c"))->start, CMTimeMake(6000, 3000));
}

TEST(Builder, EmptyOrMissingListsGiveTracksWithoutClips) {
    FileLists none;
    EXPECT_TRUE(build(none).tracks.isEmpty());

    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_A（x）_a"), 1.0);
    FileLists lists;
    folder.load(lists);
    (*lists.fileLists())[0]->setTargetFlg(false);
    const BuiltTimeline timeline = build(lists);
    EXPECT_EQ(timeline.tracks.size(), 2);
    EXPECT_EQ(timelineEnd(timeline.tracks), kCMTimeZero);
}

TEST(Builder, CanonicallyEquivalentSpeakerNamesShareTheirTracks) {
    VoiceFolder folder;
    folder.addLine(QStringLiteral("1_Andr\u00E9（x）_a"), 1.0, QStringLiteral("a"));
    folder.addLine(QStringLiteral("2_Andre\u0301（x）_b"), 1.0, QStringLiteral("b"));
    FileLists lists;
    folder.load(lists);

    const BuiltTimeline timeline = build(lists);
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
    FileLists lists;
    folder.load(lists);
    qsizetype lastDone = 0;
    qsizetype lastTotal = 0;
    const BuildResult withProgress =
        buildTimeline(lists, QStringLiteral("T"), FrameType::frame1080p, FpsType::fps30,
                      AlignType::canter, 0, 0, 0, [&](qsizetype done, qsizetype total) {
                          EXPECT_GE(done, lastDone);
                          lastDone = done;
                          lastTotal = total;
                      });
    EXPECT_EQ(lastDone, 300);
    EXPECT_EQ(lastTotal, 300);
    const BuiltTimeline plain = build(lists);
    EXPECT_EQ(timelineEnd(withProgress.timeline->tracks), timelineEnd(plain.tracks));
}
