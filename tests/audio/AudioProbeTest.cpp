#include "audio/AudioProbe.h"

#include "support/PcmWriter.h"
#include "support/SpecialFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <tuple>

using namespace brisomel;
using namespace brisomel::testsupport;
using namespace Qt::StringLiterals;

namespace {

const QString kData = QStringLiteral(BRISOMEL_TEST_DATA "/audio/");

class AudioProbeTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes)) << path.toStdString();
        return path;
    }

    static void expectLengths(std::initializer_list<std::tuple<QString, double, double>> cases) {
        for (const auto& [path, seconds, sampleRate] : cases) {
            const Result<AudioInfo> result = probeAudioFile(path);
            ASSERT_TRUE(result) << path.toStdString() << ": "
                                << result.failure().message().toStdString();
            EXPECT_DOUBLE_EQ(result->durationSeconds, seconds) << path.toStdString();
            EXPECT_EQ(result->sampleRate, sampleRate) << path.toStdString();
        }
    }

    QTemporaryDir folder;
};

TEST_F(AudioProbeTest, LengthsAndRates) {
    const QByteArray wav = wavBytes(48000, 1, 48000);
    const QByteArray junk = QByteArray("JUNK\x10\x27\0\0", 8) + QByteArray(10000, '\0');
    // 64 IMA ADPCM blocks of 64 samples: compressed AIFF is read by FFmpeg, at its rounded rate.
    const QByteArray ima4 = aiffBytes(22050.5, 1, 64, "ima4");
    const double ima4Seconds = 4096 / 22051.0;
    expectLengths({
        // 2.5 s at 48 kHz is 7500 units at 30 fps, whatever the kind of file. AIFF rates keep
        // their fraction: rounded, 22050.25 Hz would make 22050 frames 60 frames at 59.94 fps.
        {write(u"take.wav"_s, wavBytes(48000, 1, 120000)), 2.5, 48000},
        {write(u"take.AIFF"_s, aiffBytes(22050.25, 1, 22050)), 22050 / 22050.25, 22050.25},
        {write(u"TAKE.aif"_s, aiffBytes(8000.7, 2, 8001)), 8001 / 8000.7, 8000.7},
        {kData + u"tone-2500ms-48k.mp3"_s, 2.5, 48000},
        {kData + u"tone-2500ms-48k.m4a"_s, 2.5, 48000},
        {write(u"stereo.wav"_s, wavBytes(44100, 2, 55125)), 1.25, 44100},
        // Nothing states the encoder's delay and padding: all 106 frames of 1152 samples count.
        {kData + u"tone-2500ms-48k-noxing.mp3"_s, 106 * 1152 / 48000.0, 48000},
        // WAV: data short of its stated size or stated as 0 (streamed), a long chunk ahead of
        // "fmt ", extensible 24-bit and float headers, ADPCM by its "fact" count.
        {write(u"cut.wav"_s, wavBytes(48000, 1, 96000).left(44 + 96000)), 1, 48000},
        {write(u"zero.wav"_s, QByteArray(wav).replace(40, 4, QByteArray(4, '\0'))), 1, 48000},
        {write(u"junk.wav"_s, QByteArray(wav).insert(12, junk)), 1, 48000},
        {kData + u"tone-250ms-8k-s24.wav"_s, 0.25, 8000},
        {kData + u"tone-250ms-8k-f32.wav"_s, 0.25, 8000},
        {kData + u"tone-1250ms-8k-adpcm.wav"_s, 10205 / 8000.0, 8000},
        // FFmpeg would read "concat:" or "%25" in a URL.
        {write(u"001_Hanako（normal）_こんにちは.aiff"_s, ima4), ima4Seconds, 22051},
        {write(u"a b & c #1 100%25 %s?.aiff"_s, ima4), ima4Seconds, 22051},
    });
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    write(u"concat:take.aiff"_s, ima4);
    expectLengths({{u"concat:take.aiff"_s, ima4Seconds, 22051}});
    QDir::setCurrent(previous);
}

// Empty and text files in every format, one of each other kind (the converter's bad-input corpus
// has damaged files in every format). Opening a FIFO, also through a link, would wait forever.
TEST_F(AudioProbeTest, BadInputsAreErrorsNamingTheFile) {
    ASSERT_TRUE(QDir().mkdir(folder.filePath(u"take.wav"_s)));
    QStringList paths = {folder.filePath(u"take.wav"_s), folder.filePath(u"missing.aiff"_s),
                         kData + u"video-only.m4a"_s,
                         write(u"header.wav"_s, wavBytes(48000, 1, 48000).left(20))};
    if (haveSpecialFiles()) {
        const QString fifo = folder.filePath(u"x.wav"_s);
        const QString link = folder.filePath(u"fifo.m4a"_s);
        ASSERT_TRUE(makeFifo(fifo) && makeSymlink(fifo, link));
        paths << fifo << link;
    }
    for (const QString& suffix : {u"wav"_s, u"mp3"_s, u"m4a"_s, u"aiff"_s, u"aif"_s}) {
        paths << write(u"empty."_s + suffix, {})
              << write(u"text."_s + suffix, "これは音声ではありません\n");
    }
    for (const QString& path : paths) {
        const Result<AudioInfo> result = probeAudioFile(path);
        ASSERT_FALSE(result) << path.toStdString();
        const QString message = result.failure().message();
        EXPECT_TRUE((message.startsWith(u"音声ファイルを読み込めません: "_s) ||
                     message.startsWith(u"対応していない形式です: "_s)) &&
                    message.contains(QFileInfo(path).fileName()))
            << path.toStdString() << ": " << message.toStdString();
    }
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
}

TEST_F(AudioProbeTest, ConcurrentProbesGiveTheSingleResults) {
    std::vector<std::future<void>> workers;
    for (int i = 0; i < 4; ++i) {
        workers.push_back(std::async(std::launch::async, [] {
            expectLengths({{kData + u"tone-2500ms-48k.mp3"_s, 2.5, 48000},
                           {kData + u"tone-2500ms-48k.m4a"_s, 2.5, 48000}});
        }));
    }
}

} // namespace
