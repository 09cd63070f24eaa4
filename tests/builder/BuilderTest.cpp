#include "builder/FilelistToTimeline.h"

#include "support/RandomVoiceFolder.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QTemporaryDir>

#include <ranges>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

// Each rate's timeline units per second and per frame: the 1001-based rates count frames at
// their nominal whole rate.
const struct {
    FpsType fps;
    std::int64_t timescale, frameUnit;
} kRates[] = {{FpsType::fps23, 24000, 1000}, {FpsType::fps24, 2400, 100},
              {FpsType::fps25, 2500, 100},   {FpsType::fps29, 30000, 1000},
              {FpsType::fps30, 3000, 100},   {FpsType::fps50, 5000, 100},
              {FpsType::fps59, 60000, 1000}, {FpsType::fps60, 6000, 100}};

ConversionOptions optionsFor(FpsType fps, int pauseMs = 0) {
    ConversionOptions options;
    options.fpsType = fps;
    options.align = AlignType::right;
    options.posX = 12.5f;
    options.posY = -400.f;
    options.pauseLength = pauseMs / 1000.0;
    return options;
}

// The lengths a clip of `samples` may have: the audio rounded to the nearest unit, then cut down
// to whole frames. An exact half unit may round either way.
std::pair<std::int64_t, std::int64_t> allowedLengths(std::int64_t samples, int sampleRate,
                                                     std::int64_t timescale, std::int64_t unit) {
    const std::int64_t whole = samples * timescale / sampleRate;
    const std::int64_t twiceRest = 2 * (samples * timescale % sampleRate);
    const std::int64_t rounded = twiceRest < sampleRate ? whole : whole + 1;
    const std::int64_t other = twiceRest == sampleRate ? whole : rounded;
    return {rounded / unit * unit, other / unit * unit};
}

// Every clip of a timeline by track title and clip title.
QHash<QString, std::shared_ptr<Clip>> clipsOf(const BuiltTimeline& built) {
    QHash<QString, std::shared_ptr<Clip>> clips;
    for (const auto& track : built.tracks) {
        for (const auto& clip : track->clips()) {
            EXPECT_FALSE(clips.contains(track->title + u'|' + clip->title)) << "placed twice";
            clips.insert(track->title + u'|' + clip->title, clip);
        }
    }
    return clips;
}

QString nfc(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

// The ticked lines one after another in file-name order, each pause where the line before asked
// for it, lengths from the audio, titles with their clips, two tracks per speaker.
void expectTimelineOfLines(const BuiltTimeline& built, const std::vector<RandomLine>& lines,
                           const ConversionOptions& options, int pauseMs) {
    const auto& rate = kRates[static_cast<int>(options.fpsType)];
    QStringList trackTitles;
    QHash<QString, QString> trackNames; // speaker in NFC to the spelling that names the tracks
    for (const RandomLine& line : lines) {
        if (!trackNames.contains(nfc(line.speaker))) {
            trackNames.insert(nfc(line.speaker), line.speaker);
            trackTitles << line.speaker + kCaptionTrackSuffix << line.speaker + kVoiceTrackSuffix;
        }
    }
    QStringList builtTitles;
    for (const auto& track : built.tracks) {
        builtTitles << track->title;
        EXPECT_EQ(track->trackType == TrackType::video, track->title.endsWith(kCaptionTrackSuffix));
    }
    ASSERT_EQ(builtTitles, trackTitles);

    QHash<QString, std::shared_ptr<Clip>> clips = clipsOf(built);
    std::int64_t end = 0;
    bool pauseDue = false;
    for (const RandomLine& line : std::views::filter(lines, &RandomLine::ticked)) {
        SCOPED_TRACE(line.stem.toStdString());
        const QString tracks = trackNames[nfc(line.speaker)];
        const auto voice = std::dynamic_pointer_cast<SoundClip>(
            clips.take(tracks + kVoiceTrackSuffix + u'|' + line.stem));
        ASSERT_TRUE(voice);
        const std::int64_t start = end + (pauseDue ? pauseMs * rate.timescale / 1000 : 0);
        ASSERT_EQ(voice->start, CMTimeMake(start, rate.timescale));
        const auto [length, other] =
            allowedLengths(line.samples, line.sampleRate, rate.timescale, rate.frameUnit);
        EXPECT_EQ(voice->duration.timescale, rate.timescale);
        EXPECT_TRUE(voice->duration.value == length || voice->duration.value == other)
            << voice->duration.value << " for " << line.samples << " samples at " << line.sampleRate
            << " Hz, not " << length;
        end = std::max(end, start + voice->duration.value);
        pauseDue = line.asksPause;
        EXPECT_EQ(voice->sampleRate, line.sampleRate);
        EXPECT_EQ(QFileInfo(voice->path).fileName(), line.stem + u".wav"_s);

        const auto title = std::dynamic_pointer_cast<TextClip>(
            clips.take(tracks + kCaptionTrackSuffix + u'|' + line.stem));
        ASSERT_EQ(title != nullptr, line.caption.has_value());
        if (title) {
            EXPECT_TRUE(sameRepresentation(title->start, voice->start));
            EXPECT_TRUE(sameRepresentation(title->duration, voice->duration));
            EXPECT_EQ(title->text, line.title);
            EXPECT_EQ(std::tuple(title->align, title->posX, title->posY),
                      std::tuple(options.align, options.posX, options.posY));
            EXPECT_EQ(title->style, options.captionStyles.styleFor(nfc(line.speaker)));
        }
    }
    EXPECT_EQ(clips.keys(), QStringList()) << "clips of unticked lines";
}

} // namespace

// Random folders at every rate, with the pause off, zero, or not a whole number of frames.
TEST(BuilderProperties, RandomFoldersGiveTheirLinesOneAfterAnotherAtEveryRate) {
    const int pausesMs[] = {0, 0, 250, 500, 1000, 1330};
    CaptionStyle andre;
    andre.font = u"Hiragino Sans"_s;
    andre.outline = Outline{{0, 0, 0, 255}, 4};
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        QTemporaryDir folder;
        const std::vector<RandomLine> lines = writeRandomVoiceLines(folder.path(), seed);
        const auto list = entriesOfLines(folder.path(), lines);
        const FileList& entries = list->lines();
        for (const auto& rate : kRates) {
            const int pauseMs = pausesMs[(seed + static_cast<unsigned>(rate.fps)) % 6];
            SCOPED_TRACE(rawValue(rate.fps).toStdString() + " fps, pause ms " +
                         std::to_string(pauseMs));
            ConversionOptions options = optionsFor(rate.fps, pauseMs);
            options.captionStyles.set(u"Andr\u00E9"_s, andre);
            if (seed % 2 == 0) {
                options.captionStyles.set(kOtherSpeakers, CaptionStyle{});
            }
            const Result<BuiltTimeline> built = buildTimeline(entries, options);
            ASSERT_TRUE(built) << built.failure().message().toStdString();
            expectTimelineOfLines(*built, lines, options, pauseMs);
        }
    }
}

// Units rounded to the nearest before whole frames are cut down; 300 files, beyond the probe's
// chunk of 256, with the progress counted, and an empty list.
TEST(Builder, ClipLengthsInWholeFramesOfTheAudioRoundedToUnits) {
    // Audio of a rate and length, and the frames of its clip at the given rate.
    const std::tuple<int, std::int64_t, FpsType, std::int64_t> cases[] = {
        {48000, 24024, FpsType::fps29, 15},
        {44100, 1760, FpsType::fps50, 2},
        {48000, 1597, FpsType::fps60, 2},
        {48000, 960, FpsType::fps30, 0},
    };
    EXPECT_TRUE(buildTimeline({}, optionsFor(FpsType::fps30))->tracks.isEmpty());
    QTemporaryDir dir;
    for (const auto& [sampleRate, samples, fps, frames] : cases) {
        const QString path = dir.filePath(u"%1.wav"_s.arg(samples));
        ASSERT_TRUE(writeWav(path, sampleRate, 1, samples));
        FileList entries(300, *FileListData::create(u"a"_s, {}, FileListData::LocalFile{path, {}}));
        qsizetype done = 0;
        const auto progress = [&](qsizetype count, qsizetype total) {
            EXPECT_EQ(total, 300);
            EXPECT_GT(count, done);
            done = count;
        };
        const Result<BuiltTimeline> built = buildTimeline(entries, optionsFor(fps), progress);
        ASSERT_TRUE(built);
        EXPECT_EQ(done, 300);
        const auto& rate = kRates[static_cast<int>(fps)];
        EXPECT_EQ(timelineEnd(built->tracks),
                  CMTimeMake(300 * frames * rate.frameUnit, rate.timescale))
            << samples << " samples at " << sampleRate << " Hz";
    }
}
