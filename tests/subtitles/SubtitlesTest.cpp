#include "export/Conversion.h"
#include "export/OutputFiles.h"
#include "subtitles/SubtitleFiles.h"

#include "fcpxml/TimelineSketch.h"
#include "support/PcmWriter.h"
#include "support/SrtReader.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

using namespace brisomel;
using namespace brisomel::test;
using testsupport::ReadCue;
using testsupport::readSrt;

namespace {

// The document's titles as cues: start and end from offset and duration, in milliseconds rounded to
// the nearest, ordered by start (stably, so equal starts keep the document's order).
std::vector<ReadCue> titlesOf(const QString& document) {
    std::vector<ReadCue> titles;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        xml.readNext();
        const auto attribute = [&](const char* name) { // "n/TSs" as its two numbers
            const auto parts = xml.attributes().value(QLatin1String(name)).chopped(1).split(u'/');
            return std::pair(parts[0].toDouble(), parts[1].toDouble());
        };
        if (xml.isStartElement() && xml.name() == u"title") {
            const auto [offset, timescale] = attribute("offset");
            const double end = offset + attribute("duration").first;
            titles.push_back({std::llround(offset * 1000 / timescale),
                              std::llround(end * 1000 / timescale),
                              {},
                              0});
        } else if (xml.isStartElement() && xml.name() == u"text-style" &&
                   xml.attributes().hasAttribute(QLatin1String("ref"))) {
            titles.back().text = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    std::stable_sort(titles.begin(), titles.end(),
                     [](const auto& a, const auto& b) { return a.startMs < b.startMs; });
    return titles;
}

// The cues read back from a file are the titles, at their times, with their text, in order.
void expectCuesAreTitles(const std::optional<std::vector<ReadCue>>& cues,
                         const std::vector<ReadCue>& titles, const std::string& where) {
    ASSERT_TRUE(cues) << where;
    ASSERT_EQ(cues->size(), titles.size()) << where;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const ReadCue& cue = (*cues)[i];
        EXPECT_EQ(std::tuple(cue.startMs, cue.endMs, cue.text),
                  std::tuple(titles[i].startMs, titles[i].endMs, titles[i].text))
            << where << " #" << i;
        EXPECT_TRUE(i == 0 || cue.position > (*cues)[i - 1].position) << "in timeline order";
    }
}

QString writeSubtitles(const QTemporaryDir& dir, const BuiltTimeline& timeline,
                       const SubtitleOptions& options = {}) {
    const QString path = dir.filePath(u"out.srt"_s);
    EXPECT_TRUE(writeOutputFiles({subtitleFile(timeline, path, options)}));
    return path;
}

} // namespace

// Two speakers' cues interleave; lengths of one frame and of 12 (500.5 ms at 23.98); past the first
// hour both start together and the document's lane order (Taro's first) decides.
TEST(Subtitles, EveryRateReadsBackAtTheDocumentsTitleTimes) {
    for (const FpsTypeInfo& rate : fpsTypes()) {
        const std::int64_t frame = rate.frameUnit;
        BuiltTimeline timeline{u"T"_s, {}, FrameType::frame1080p, rate.type};
        const Speaker a = addSpeaker(timeline.tracks, u"春日部つむぎ"_s);
        const Speaker b = addSpeaker(timeline.tracks, u"Taro"_s);
        const std::int64_t hour = 3600LL * rate.timescale / frame * frame;
        const std::tuple<const Speaker*, std::int64_t, std::int64_t> lines[] = {
            {&b, 0, 12 * frame},         {&a, 12 * frame, frame}, {&b, 13 * frame, 75 * frame},
            {&a, 88 * frame, 7 * frame}, {&a, hour, 31 * frame},  {&b, hour, 2 * frame}};
        int n = 0;
        for (const auto& [speaker, start, length] : lines) {
            const QString number = QString::number(++n);
            addVoiceLine(*speaker, rate.type, number, u"台詞 "_s + number, start, length);
        }
        QTemporaryDir dir;
        const auto titles = titlesOf(makeFCPXMLWithoutSplitClips(
            u"T"_s, timeline.tracks, timeline.frameType, rate.type, u"E"_s));
        ASSERT_EQ(titles.size(), std::size(lines));
        expectCuesAreTitles(readSrt(writeSubtitles(dir, timeline)), titles,
                            rate.rawValue.toString().toStdString());
    }
}

// Each caption is one voice line, one after another; nullopt where no cue may appear. The file must
// also hold exactly one block per cue between blank lines, which FFmpeg does not check.
TEST(Subtitles, CaptionTextKeepsItsLinesWithoutBlankOnesWithOrWithoutTheSpeaker) {
    const struct {
        QString caption;
        std::optional<QString> read;
        std::int64_t length = 30;
    } cases[] = {
        {u"こんにちは、世界"_s, u"こんにちは、世界"_s},
        {u"一行目\n二行目 "_s, u"一行目\n二行目 "_s},
        {u"a\r\nb\rc"_s, u"a\nb\nc"_s},
        {u"上\n\n\n下"_s, u"上\n下"_s},
        {u"上\n\u3000 \n下"_s, u"上\n下"_s},
        {u"制御\u0001文字\uFFFE"_s, u"制御文字"_s},
        {QString(), std::nullopt},
        {u" \n\u3000"_s, std::nullopt},
        {u"長さなし"_s, std::nullopt, 0},
    };
    for (const auto& [withSpeaker, crlf] : {std::pair{false, false}, {true, false}, {true, true}}) {
        BuiltTimeline timeline{u"T"_s, {}, FrameType::frame1080p, FpsType::fps30};
        const Speaker speaker = addSpeaker(timeline.tracks, u"ずんだもん"_s);
        std::int64_t start = 0;
        std::vector<QString> expected;
        for (const auto& c : cases) {
            addVoiceLine(speaker, FpsType::fps30, u"line"_s, c.caption, start, c.length * 100);
            start += c.length * 100;
            if (c.read) {
                expected.push_back((withSpeaker ? u"ずんだもん: "_s : QString()) + *c.read);
            }
        }
        QTemporaryDir dir;
        SubtitleOptions options;
        options.speakerPrefix = withSpeaker;
        options.crlf = crlf;
        const QString path = writeSubtitles(dir, timeline, options);
        std::vector<QString> read;
        for (const ReadCue& cue : readSrt(path).value_or(std::vector<ReadCue>{})) {
            read.push_back(cue.text);
        }
        EXPECT_EQ(read, expected);
        // Every line end alike, the ones inside a multi-line caption included.
        const QString text = QString::fromUtf8(testsupport::readBytes(path));
        EXPECT_EQ(text.count(u"\r\n"_s), crlf ? text.count(u'\n') : 0);
        const QString lineEnd = crlf ? u"\r\n"_s : u"\n"_s;
        const QStringList blocks = text.split(lineEnd + lineEnd, Qt::SkipEmptyParts);
        ASSERT_EQ(blocks.size(), qsizetype(expected.size()));
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            EXPECT_TRUE(blocks[i].startsWith(QString::number(i + 1) + lineEnd)) << i;
        }
    }
}

// Per-speaker files take names any system accepts, never two that a case-insensitive system would
// merge; a speaker without cues gets no file. (The converter's test reads them back.)
TEST(Subtitles, SplitFilesAreNamedSafelyPerSpeakerWithCues) {
    BuiltTimeline timeline{u"T"_s, {}, FrameType::frame1080p, FpsType::fps24};
    for (const QString& speaker :
         {u"春日部つむぎ"_s, u"A/B:C?*. "_s, u"Zed"_s, u"zed"_s, QString()}) {
        addVoiceLine(addSpeaker(timeline.tracks, speaker), FpsType::fps24, u"a"_s, u"a"_s, 0, 200);
    }
    addVoiceLine(addSpeaker(timeline.tracks, u"Quiet"_s), FpsType::fps24, u"q"_s, u" "_s, 0, 200);
    QStringList paths;
    for (const auto& file : subtitleFilesBySpeaker(timeline, u"/d/out.srt"_s, {})) {
        paths << file.path.sliced(7);
    }
    paths.sort();
    EXPECT_EQ(paths, (QStringList{u"A_B_C__.srt"_s, u"Zed.srt"_s, u"noname.srt"_s, u"zed_2.srt"_s,
                                  u"春日部つむぎ.srt"_s}));
}

TEST(Subtitles, TheWindowsFileLiesBesideTheDocumentAndIsNeverTheDocument) {
    EXPECT_EQ(subtitlePathBeside(u"/a/take.2.fcpxml"_s), u"/a/take.2.srt"_s);
    EXPECT_EQ(subtitlePathBeside(u"doc"_s), u"doc.srt"_s);
    EXPECT_EQ(subtitlePathBeside(u"/a/doc.SRT"_s), u"/a/doc.SRT.srt"_s);
}

// A caption broken into lines and split over its clip becomes titles that follow one another; each
// is a cue of its own, at its title's times with its title's lines, in both documents.
TEST(Subtitles, SplitCaptionsGiveOneCuePerTitle) {
    testsupport::VoiceFolder folder;
    folder.addLine(u"1_A（x）_a"_s, 3.1,
                   u"今日はとてもいい天気ですね。散歩に行きましょう！「ちょっと待って」と"
                   u"彼女は言った。"_s);
    folder.addLine(u"2_B（x）_b"_s, 1.0, u"はい、わかりました。"_s);
    for (const bool splitClips : {false, true}) {
        ConversionOptions options;
        options.timelineName = u"T"_s;
        options.fpsType = FpsType::fps29;
        options.splitClips = splitClips;
        options.subtitles.enabled = true;
        options.wrap = {16, 2};
        QTemporaryDir out;
        const OutputTargets targets{out.filePath(u"T.fcpxml"_s), out.filePath(u"T.srt"_s)};
        ASSERT_TRUE(runConversion(folder.load(), options, targets));

        const auto titles = titlesOf(QString::fromUtf8(testsupport::readBytes(targets.document)));
        ASSERT_EQ(titles.size(), 5u) << "seven lines in four parts, then the short caption";
        expectCuesAreTitles(readSrt(targets.subtitles), titles, splitClips ? "split" : "direct");
        EXPECT_EQ(titles.back().endMs, 4104)
            << "the second clip ends at 123 frames of 1001/30000 s";
    }
}
