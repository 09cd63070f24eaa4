#include "timeline/AudioProbe.h"

#include "support/PcmWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <future>
#include <vector>

using namespace brisomel;
using namespace brisomel::testsupport;

namespace {

const QDir kAudioData(QStringLiteral(BRISOMEL_TEST_DATA "/audio"));

class AudioProbeTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes)) << path.toStdString();
        return path;
    }

    // Probes `path`, expecting the given length and rate; returns the length found.
    double expectLength(const QString& path, double seconds, double sampleRate) const {
        SCOPED_TRACE(path.toStdString());
        const AudioProbeResult result = probeAudioFile(path);
        EXPECT_TRUE(result.info.has_value()) << result.error.toStdString();
        const AudioInfo info = result.info.value_or(AudioInfo{-1, -1});
        EXPECT_DOUBLE_EQ(info.durationSeconds, seconds);
        EXPECT_EQ(info.sampleRate, sampleRate);
        return info.durationSeconds;
    }

    // Expects an error text that starts with "Error " and names the file.
    void expectError(const QString& path) const {
        const AudioProbeResult result = probeAudioFile(path);
        EXPECT_FALSE(result.info.has_value()) << path.toStdString();
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("Error ")) &&
                    result.error.contains(QFileInfo(path).fileName()))
            << path.toStdString() << ": " << result.error.toStdString();
    }

    QTemporaryDir temporary;
    QDir folder{temporary.path()};
};

TEST_F(AudioProbeTest, EveryKindGives75FramesAt30fpsForTwoAndAHalfSeconds) {
    const QStringList paths = {write(QStringLiteral("take.wav"), wavBytes(48000, 1, 120000)),
                               write(QStringLiteral("take.AIFF"), aiffBytes(48000, 1, 120000)),
                               write(QStringLiteral("TAKE.aif"), aiffBytes(48000, 1, 120000)),
                               kAudioData.filePath(QStringLiteral("tone-2500ms-48k.mp3")),
                               kAudioData.filePath(QStringLiteral("tone-2500ms-48k.m4a"))};
    for (const QString& path : paths) {
        EXPECT_EQ(std::llround(expectLength(path, 2.5, 48000) * 3000), 7500);
    }
}

TEST_F(AudioProbeTest, OtherRatesLengthsAndChannelCounts) {
    expectLength(write(QStringLiteral("mono.wav"), wavBytes(44100, 1, 55125)), 1.25, 44100);
    expectLength(write(QStringLiteral("stereo.wav"), wavBytes(44100, 2, 55125)), 1.25, 44100);
    expectLength(write(QStringLiteral("48k.wav"), wavBytes(48000, 1, 60000)), 1.25, 48000);
    expectLength(write(QStringLiteral("22k.aiff"), aiffBytes(22050, 2, 66150)), 3.0, 22050);
    expectLength(kAudioData.filePath(QStringLiteral("tone-1250ms-44k.mp3")), 1.25, 44100);
    expectLength(kAudioData.filePath(QStringLiteral("tone-1250ms-44k.m4a")), 1.25, 44100);
}

TEST_F(AudioProbeTest, Mp3WithoutEncoderTagCountsEveryFrame) {
    // Nothing states the encoder's delay and padding, so all 106 frames of 1152 samples count.
    const double frame = 1152 / 48000.0;
    const QString path = kAudioData.filePath(QStringLiteral("tone-2500ms-48k-noxing.mp3"));
    EXPECT_NEAR(expectLength(path, 106 * frame, 48000), 2.5, 2 * frame);
}

TEST_F(AudioProbeTest, WavHeaderOverstatingItsDataGivesTheLengthOfTheSamplesPresent) {
    const QByteArray twoSeconds = wavBytes(48000, 1, 96000);
    expectLength(write(QStringLiteral("cut.wav"), twoSeconds.left(44 + 96000)), 1.0, 48000);
    // Recorders that stream a WAV may leave the data size at 0 or all ones.
    const QByteArray oneSecond = wavBytes(48000, 1, 48000);
    for (const char fill : {'\0', '\xff'}) {
        const QByteArray open = QByteArray(oneSecond).replace(40, 4, QByteArray(4, fill));
        expectLength(write(QStringLiteral("open.wav"), open), 1.0, 48000);
    }
}

TEST_F(AudioProbeTest, WavChunkLayoutsAndCodecs) {
    // Chunks ahead of "fmt " are stepped over, an odd-sized one with its pad byte, however long.
    QByteArray listFirst = wavBytes(48000, 1, 48000);
    listFirst.insert(12, QByteArray("LIST\x05\x00\x00\x00INFOx\x00", 14));
    expectLength(write(QStringLiteral("list.wav"), listFirst), 1.0, 48000);
    QByteArray junkFirst = wavBytes(48000, 1, 48000);
    junkFirst.insert(12, QByteArray("JUNK\x10\x27\x00\x00", 8) + QByteArray(10000, '\0'));
    expectLength(write(QStringLiteral("junk.wav"), junkFirst), 1.0, 48000);
    // Extensible headers: 24-bit integer and 32-bit float samples.
    expectLength(kAudioData.filePath(QStringLiteral("tone-250ms-8k-s24.wav")), 0.25, 8000);
    expectLength(kAudioData.filePath(QStringLiteral("tone-250ms-8k-f32.wav")), 0.25, 8000);
    // Compressed samples: the count the "fact" chunk states, 5 whole ADPCM blocks of 2041.
    expectLength(kAudioData.filePath(QStringLiteral("tone-1250ms-8k-adpcm.wav")), 10205 / 8000.0,
                 8000);
}

TEST_F(AudioProbeTest, NamesAreTakenLiterallyNeverAsUrls) {
    // AIFF files go through FFmpeg, which would read "concat:" or "%25" in a URL.
    for (const QString& name :
         {QStringLiteral("001_Hanako（normal）_こんにちは.aiff"),
          QStringLiteral("a b & c #1 100%25 %s?.aiff"), QStringLiteral("concat:take.aiff")}) {
        expectLength(write(name, aiffBytes(48000, 1, 24000)), 0.5, 48000);
    }
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const AudioProbeResult relative = probeAudioFile(QStringLiteral("concat:take.aiff"));
    QDir::setCurrent(previous);
    EXPECT_TRUE(relative.info.has_value()) << relative.error.toStdString();
}

TEST_F(AudioProbeTest, DamagedOrForeignContentIsAnError) {
    const QByteArray text = QByteArrayLiteral("これは音声ではありません。\nnot audio\n");
    QFile m4a(kAudioData.filePath(QStringLiteral("tone-2500ms-48k.m4a")));
    ASSERT_TRUE(m4a.open(QIODevice::ReadOnly));
    const QByteArray m4aBytes = m4a.readAll();
    for (const QString& suffix : QStringList{"wav", "mp3", "m4a", "aiff", "aif"}) {
        expectError(write(QStringLiteral("empty.") + suffix, {}));
        expectError(write(QStringLiteral("text.") + suffix, text));
    }
    expectError(write(QStringLiteral("header.wav"), wavBytes(48000, 1, 48000).left(20)));
    expectError(write(QStringLiteral("header.aiff"), aiffBytes(48000, 1, 48000).left(20)));
    expectError(write(QStringLiteral("half.m4a"), m4aBytes.left(m4aBytes.size() / 2)));
    expectError(write(QStringLiteral("notes.ogg"), text));
    expectError(kAudioData.filePath(QStringLiteral("video-only.m4a")));
}

TEST_F(AudioProbeTest, AnythingButARegularFileIsAnErrorWithoutBeingOpened) {
    ASSERT_TRUE(folder.mkdir(QStringLiteral("take.wav")));
    expectError(folder.filePath(QStringLiteral("take.wav")));
    expectError(folder.filePath(QStringLiteral("missing.wav")));
    // Opening a FIFO would wait for a writer forever, also when reached through a link.
    const QString fifo = folder.filePath(QStringLiteral("x.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectError(fifo);
    ASSERT_TRUE(QFile::link(fifo, folder.filePath(QStringLiteral("fifo-link.wav"))));
    expectError(folder.filePath(QStringLiteral("fifo-link.wav")));
    const QString real = write(QStringLiteral("real.wav"), wavBytes(48000, 1, 48000));
    ASSERT_TRUE(QFile::link(real, folder.filePath(QStringLiteral("link.wav"))));
    expectLength(folder.filePath(QStringLiteral("link.wav")), 1.0, 48000);
}

TEST_F(AudioProbeTest, ConcurrentProbesAgreeWithSingleOnes) {
    const QStringList paths = {write(QStringLiteral("a.wav"), wavBytes(48000, 1, 4800)),
                               kAudioData.filePath(QStringLiteral("tone-2500ms-48k.mp3")),
                               kAudioData.filePath(QStringLiteral("tone-2500ms-48k.m4a")),
                               folder.filePath(QStringLiteral("missing.aiff"))};
    const auto probeAll = [&paths] {
        QStringList outcomes;
        for (const QString& path : paths) {
            const AudioProbeResult result = probeAudioFile(path);
            outcomes << (result.info ? QString::number(result.info->durationSeconds, 'g', 17) +
                                           QString::number(result.info->sampleRate)
                                     : result.error);
        }
        return outcomes;
    };
    const QStringList expected = probeAll();
    std::vector<std::future<QStringList>> workers;
    for (int i = 0; i < 4; ++i) {
        workers.push_back(std::async(std::launch::async, probeAll));
    }
    for (auto& worker : workers) {
        EXPECT_EQ(worker.get(), expected);
    }
}

} // namespace
