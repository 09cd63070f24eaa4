// Times level-driven mouths against decoding the same audio alone, and label-driven mouths
// against no portraits at all, on N generated lines of 3 s (24 kHz mono, a voice-like tone that
// opens and closes four times a second) of three speakers with portraits.
//
//   brisomel-mouth-bench [N]    default: 1000

#include "audio/AudioDecoder.h"
#include "builder/FilelistToTimeline.h"
#include "intake/ReadFolder.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>
#include <QtConcurrent/QtConcurrentMap>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

using namespace brisomel;

namespace {

constexpr int kRate = 24000;
const QStringList kSpeakers = {QStringLiteral("Hanako"), QStringLiteral("Taro"),
                               QStringLiteral("Jiro")};

// One line's samples: a 200 Hz tone whose loudness rises and falls four times a second.
std::vector<double> voiceLikeLine() {
    std::vector<double> samples(3 * kRate);
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const double t = double(s) / kRate;
        const double envelope = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 4 * t);
        samples[s] = 0.4 * envelope * std::sin(2 * std::numbers::pi * 200 * t);
    }
    return samples;
}

// N lines, all hard links to one file (the decoder's work is the same, the disk spared); each
// with a caption and, when asked, a label file.
QStringList makeLines(const QString& folder, int count, bool labels) {
    const QString first = QDir(folder).filePath(QStringLiteral("line.wav.src"));
    testsupport::writeBytes(first, testsupport::wavBytes(kRate, 1, voiceLikeLine()));
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString stem = QStringLiteral("%1_%2（normal）_line")
                                 .arg(i, 5, 10, QLatin1Char('0'))
                                 .arg(kSpeakers[i % kSpeakers.size()]);
        const QString wav = QDir(folder).filePath(stem + QStringLiteral(".wav"));
        std::filesystem::create_hard_link(first.toStdString(), wav.toStdString());
        testsupport::writeBytes(QDir(folder).filePath(stem + QStringLiteral(".txt")), "セリフ");
        if (labels) {
            QByteArray lab;
            for (int part = 0; part < 12; ++part) {
                lab += QByteArray::number(part * 2500000) + ' ' +
                       QByteArray::number(part * 2500000 + 1250000) + " k\n" +
                       QByteArray::number(part * 2500000 + 1250000) + ' ' +
                       QByteArray::number((part + 1) * 2500000) + " a\n";
            }
            testsupport::writeBytes(QDir(folder).filePath(stem + QStringLiteral(".lab")), lab);
        }
        paths << wav;
    }
    QFile::remove(first);
    return paths;
}

void makePortraits(const QString& folder) {
    QImage image(400, 600, QImage::Format_ARGB32);
    image.fill(Qt::gray);
    for (const QString& speaker : kSpeakers) {
        image.save(QDir(folder).filePath(speaker + QStringLiteral(".png")));
        image.save(QDir(folder).filePath(speaker + QStringLiteral("_口開.png")));
    }
}

double buildMs(const FileList& lines, const QString& portraits) {
    ConversionOptions options;
    options.portraitFolder = portraits;
    return medianMs(3, [&] {
        if (!buildTimeline(lines, options)) {
            std::fprintf(stderr, "build failed\n");
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir work;
    const QString levels = QDir(work.path()).filePath(QStringLiteral("levels"));
    const QString labelled = QDir(work.path()).filePath(QStringLiteral("labels"));
    const QString portraits = QDir(work.path()).filePath(QStringLiteral("portraits"));
    for (const QString& folder : {levels, labelled, portraits}) {
        QDir().mkpath(folder);
    }
    const QStringList wavs = makeLines(levels, count, false);
    makeLines(labelled, count, true);
    makePortraits(portraits);

    // Decoding alone, on as many threads as the build uses.
    const double decodeMs = medianMs(3, [&] {
        QtConcurrent::blockingMap(wavs, [](const QString& path) {
            double sum = 0;
            decodeAudioFile(path, [&sum](const DecodedFormat&, std::span<const float> samples) {
                for (float sample : samples) {
                    sum += sample;
                }
            });
        });
    });
    const FileList levelLines = *readFolder(QUrl::fromLocalFile(levels));
    const FileList labelLines = *readFolder(QUrl::fromLocalFile(labelled));
    const double plainMs = buildMs(levelLines, {});
    const double levelMs = buildMs(levelLines, portraits);
    const double labelMs = buildMs(labelLines, portraits);
    std::printf("%d lines of 3 s, medians of 3 runs\n", count);
    std::printf("decoding alone                 %8.1f ms\n", decodeMs);
    std::printf("build without portraits        %8.1f ms\n", plainMs);
    std::printf("build, mouths from the level   %8.1f ms  (%.2f x decoding alone)\n", levelMs,
                levelMs / decodeMs);
    std::printf("build, mouths from .lab files  %8.1f ms  (%.2f x without portraits)\n", labelMs,
                labelMs / plainMs);
    return 0;
}
