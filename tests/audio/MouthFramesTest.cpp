#include "audio/MouthFrames.h"
#include "timeline/OptionTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

FrameLength lengthOf(FpsType fps) {
    return {writtenFrameLength(fps), timescale(fps)};
}

// The frames as marks, 'x' open and '.' closed.
std::string marks(const std::vector<bool>& open) {
    std::string text;
    for (const bool frame : open) {
        text += frame ? 'x' : '.';
    }
    return text;
}

} // namespace

TEST(PhonemeLabels, ReadsVoiceToolLayoutsAndNamesABadLine) {
    // As voice tools write them: LF or CR LF, blanks or tabs between fields, blank lines.
    const Result<std::vector<PhonemeLabel>> labels = parsePhonemeLabels(
        "0 1000000 pau\r\n1000000\t1500000  k\n\n  1500000 3000000 a  \r\n3000000 3500000 cl\n",
        u"x.lab"_s);
    ASSERT_TRUE(labels) << labels.failure().message().toStdString();
    ASSERT_EQ(labels->size(), 4u);
    EXPECT_EQ((*labels)[1].start, 1000000);
    EXPECT_EQ((*labels)[1].end, 1500000);
    EXPECT_EQ((*labels)[2].phoneme, u"a"_s);
    EXPECT_EQ((*labels)[3].phoneme, u"cl"_s);

    for (const QByteArray& bad : {QByteArray("0 10 a\n20 10 i\n"), QByteArray("0 10 a\n5 x i\n"),
                                  QByteArray("0 10 a\n10 20\n"), QByteArray("0 10 a\n-5 10 a\n")}) {
        const Result<std::vector<PhonemeLabel>> read = parsePhonemeLabels(bad, u"x.lab"_s);
        ASSERT_FALSE(read) << bad.toStdString();
        EXPECT_TRUE(read.failure().message().contains(u"\"x.lab\""_s));
        EXPECT_TRUE(read.failure().reason.startsWith(u"2 行目"_s)) << bad.toStdString();
    }

    for (const QString& open : {u"a"_s, u"o"_s, u"E"_s, u"N"_s}) {
        EXPECT_TRUE(isOpenPhoneme(open)) << open.toStdString();
    }
    for (const QString& closed : {u"pau"_s, u"cl"_s, u"n"_s, u"aa"_s, QString()}) {
        EXPECT_FALSE(isOpenPhoneme(closed)) << closed.toStdString();
    }
}

TEST(MouthFrames, LabelsOpenTheFramesWhoseMiddleAVowelCovers) {
    // At 30 fps a frame lasts 333,333.3 label units; 25 fps 400,000.
    const std::vector<PhonemeLabel> labels = {{0, 700000, u"pau"_s},
                                              {700000, 1000000, u"k"_s},
                                              {1000000, 2000000, u"a"_s},
                                              {2000000, 2200000, u"zz"_s},
                                              {2200000, 3000000, u"N"_s}};
    EXPECT_EQ(marks(openFramesFromLabels(labels, 12, lengthOf(FpsType::fps30))), "...xxx.xx...");
    EXPECT_EQ(marks(openFramesFromLabels(labels, 10, lengthOf(FpsType::fps25))), "..xxxxx...");
    // Frames past the last label stay closed; a written 29.97 frame lasts 1001/30000 s.
    EXPECT_EQ(marks(openFramesFromLabels({{0, 10000000, u"a"_s}}, 32, lengthOf(FpsType::fps29))),
              std::string(30, 'x') + "..");
}

// Tone bursts on known frames of a line at every rate, fed in uneven blocks of stereo samples:
// the open frames are exactly the bursts', a one-frame burst held open for two frames and a
// one-frame closing between two bursts filled.
TEST(MouthFrames, ToneBurstsOpenExactlyTheirFramesAtEveryRateWithTheHold) {
    constexpr int kRate = 44100;
    for (const FpsTypeInfo& info : fpsTypes()) {
        const FrameLength length = lengthOf(info.type);
        const double secondsPerFrame =
            static_cast<double>(length.units) / static_cast<double>(length.perSecond);
        const auto sampleAt = [&](std::int64_t frame) {
            return static_cast<std::int64_t>(std::floor(frame * secondsPerFrame * kRate + 1e-6));
        };
        const std::vector<std::pair<std::int64_t, std::int64_t>> bursts = {
            {3, 9}, {10, 14}, {20, 21}, {30, 34}};
        constexpr std::int64_t kFrames = 40;
        std::vector<float> samples(static_cast<std::size_t>(2 * sampleAt(kFrames)), 0.001f);
        for (const auto& [first, end] : bursts) {
            for (std::int64_t s = sampleAt(first); s < sampleAt(end); ++s) {
                const float tone =
                    0.5f *
                    static_cast<float>(std::sin(2 * std::numbers::pi * 440.0 * double(s) / kRate));
                samples[static_cast<std::size_t>(2 * s)] = tone;
                samples[static_cast<std::size_t>(2 * s + 1)] = tone;
            }
        }
        FrameLevels meter(kRate, length, kFrames);
        for (std::size_t at = 0; at < samples.size();) {
            const std::size_t block = std::min<std::size_t>(2 * 317, samples.size() - at);
            meter.add(std::span<const float>(samples).subspan(at, block), 2);
            at += block;
        }
        std::vector<bool> open = openFramesFromLevels(meter.levels(), 30);
        const std::string rate = info.rawValue.toString().toStdString();
        EXPECT_EQ(marks(open), "...xxxxxx.xxxx......x.........xxxx......") << rate;
        holdRuns(open, 2);
        EXPECT_EQ(marks(open), "...xxxxxxxxxxx......xx........xxxx......") << rate;
    }
}

TEST(MouthFrames, ASilentLineStaysClosedAndAnOpeningAtTheEndIsCutThere) {
    EXPECT_EQ(marks(openFramesFromLevels(std::vector<double>(8, 0.0), 30)), "........");
    std::vector<bool> open = {false, false, false, true};
    holdRuns(open, 3);
    EXPECT_EQ(marks(open), "...x");
    std::vector<bool> edges = {false, true, true, false};
    holdRuns(edges, 2);
    EXPECT_EQ(marks(edges), ".xx.");
}
