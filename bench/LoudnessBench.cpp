// Times evening out the loudness on a folder of generated voice lines (run by hand, release
// build; bench/loudness-bench.sh runs it side by side):
//
//   brisomel-loudness-bench make FOLDER N [voice]
//                                           writes N lines of 3 s (48 kHz mono, 16-bit WAV) of
//                                           two speakers at several levels: steady noise and
//                                           tones (the true peak must be looked for everywhere),
//                                           or with "voice", syllables of a buzzing voice whose
//                                           loudness varies as speech does
//   brisomel-loudness-bench decode FOLDER   decodes every line, one after another
//   brisomel-loudness-bench measure FOLDER  decodes and measures every line, one after another
//   brisomel-loudness-bench gains FOLDER    what an export does: every ticked line measured on
//                                           all cores, and one gain per speaker
#include "audio/AudioDecoder.h"
#include "intake/ReadFolder.h"
#include "loudness/SpeakerGains.h"
#include "loudness/VoiceGains.h"
#include "support/PcmWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

using namespace brisomel;

namespace {

constexpr int kRate = 48000;
constexpr int kSeconds = 3;

// One take of steady sound: noise for one speaker, a tone for the other.
std::vector<double> steadyTake(int take, std::mt19937& random) {
    const double level = 0.05 * (1 + take % 4);
    std::normal_distribution<double> noise(0, level / 3);
    std::vector<double> samples(kRate * kSeconds);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = take < 4 ? std::clamp(noise(random), -1.0, 1.0)
                              : level * std::sin(2 * std::numbers::pi * 220.0 * i / kRate);
    }
    return samples;
}

// One take of something like speech: syllables of 250 ms, each at its own level (within 12 dB),
// of a buzz of eight harmonics under a drifting pitch (lower for the second speaker), with
// silence before and after and a faint breath throughout.
std::vector<double> voiceTake(int take, std::mt19937& random) {
    const double level = 0.1 * (1 + take % 4);
    const double pitch = take < 4 ? 220.0 : 120.0;
    std::uniform_real_distribution<double> syllableLevel(0.25, 1.0);
    std::normal_distribution<double> breath(0, 0.002);
    std::vector<double> samples(kRate * kSeconds);
    double phase = 0;
    double syllable = syllableLevel(random);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double within = std::fmod(t, 0.25) / 0.25;
        if (i > 0 && within < std::fmod(t - 1.0 / kRate, 0.25) / 0.25) {
            syllable = syllableLevel(random);
        }
        const bool spoken = t > 0.3 && t < kSeconds - 0.3;
        const double envelope =
            spoken ? syllable * std::pow(std::sin(std::numbers::pi * within), 2) : 0;
        phase += 2 * std::numbers::pi * pitch *
                 (1 + 0.2 * std::sin(2 * std::numbers::pi * 0.7 * t)) / kRate;
        double buzz = 0;
        for (int harmonic = 1; harmonic <= 8; ++harmonic) {
            buzz += std::sin(harmonic * phase) / harmonic;
        }
        samples[i] = std::clamp(level * envelope * buzz + breath(random), -1.0, 1.0);
    }
    return samples;
}

// A few distinct takes, written in turn: four levels for each of two speakers.
void makeFolder(const QString& folder, int count, bool voice) {
    QDir().mkpath(folder);
    std::mt19937 random(1);
    std::vector<QByteArray> takes;
    for (int take = 0; take < 8; ++take) {
        takes.push_back(testsupport::wavBytes(
            kRate, 1, voice ? voiceTake(take, random) : steadyTake(take, random)));
    }
    for (int i = 0; i < count; ++i) {
        const QString stem =
            QStringLiteral("%1_%2（normal）_line")
                .arg(i, 5, 10, QLatin1Char('0'))
                .arg(i % 2 == 0 ? QStringLiteral("Hanako") : QStringLiteral("Taro"));
        testsupport::writeBytes(QDir(folder).filePath(stem + QStringLiteral(".wav")),
                                takes[(i % 2) * 4 + (i / 2) % 4]);
    }
}

QStringList linesOf(const QString& folder) {
    QStringList paths;
    const QStringList audio = {QStringLiteral("*.wav"), QStringLiteral("*.mp3")};
    for (const QString& name : QDir(folder).entryList(audio, QDir::Files)) {
        paths << QDir(folder).filePath(name);
    }
    return paths;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(
            stderr,
            "usage: brisomel-loudness-bench make|decode|measure|gains FOLDER [N [voice]]\n");
        return 2;
    }
    const QString mode = args[1];
    const QString folder = args[2];
    QElapsedTimer timer;
    timer.start();
    if (mode == u"make") {
        makeFolder(folder, args.size() > 3 ? args[3].toInt() : 1000,
                   args.size() > 4 && args[4] == u"voice");
    } else if (mode == u"decode") {
        double sum = 0; // keeps the samples from being optimised away
        for (const QString& path : linesOf(folder)) {
            decodeAudioFile(path, [&sum](const DecodedFormat&, std::span<const float> samples) {
                sum += samples.empty() ? 0 : samples.back();
            });
        }
        std::printf("checksum %g\n", sum);
    } else if (mode == u"measure") {
        for (const QString& path : linesOf(folder)) {
            if (!measureLine(path)) {
                return 1;
            }
        }
    } else if (mode == u"gains") {
        LoudnessCache cache;
        const Result<std::vector<SpeakerGain>> gains =
            measureSpeakerGains(*readFolder(QUrl::fromLocalFile(folder)), -16, cache);
        if (!gains) {
            return 1;
        }
        for (const SpeakerGain& gain : *gains) {
            std::printf("%s\n", qPrintable(gainSummary(gain)));
        }
    } else {
        return 2;
    }
    std::fprintf(stderr, "%s: %lld ms\n", qPrintable(mode), timer.elapsed());
    return 0;
}
