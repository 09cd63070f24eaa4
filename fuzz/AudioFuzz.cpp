// Arbitrary bytes as an audio file of each kind: a length and rate that can be placed on a
// timeline, or a report that names the file; decoded, whole frames of finite samples, or a report
// that names the file. Never a crash or a hang.

#include "audio/AudioDecoder.h"
#include "audio/AudioProbe.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const kExtensions[] = {"mp3", "wav", "m4a", "aiff", "aif"};

const QTemporaryDir& folder() {
    static const QTemporaryDir dir;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QString path =
        folder().filePath(QStringLiteral("input.%1").arg(QLatin1String(kExtensions[data[0] % 5])));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::abort();
    }
    file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    file.close();

    const auto result = brisomel::probeAudioFile(path);
    if (result) {
        const auto& info = *result;
        if (!std::isfinite(info.durationSeconds) || info.durationSeconds < 0 ||
            !std::isfinite(info.sampleRate) || info.sampleRate <= 0) {
            std::abort();
        }
    } else if (result.failure().reason.isEmpty() ||
               !result.failure().file.contains(QStringLiteral("input."))) {
        std::abort();
    }

    const auto decoded = brisomel::decodeAudioFile(
        path, [](const brisomel::DecodedFormat& format, std::span<const float> samples) {
            if (format.channels <= 0 || format.sampleRate <= 0 ||
                samples.size() % static_cast<std::size_t>(format.channels) != 0) {
                std::abort();
            }
            for (const float sample : samples) {
                if (!std::isfinite(sample)) {
                    std::abort();
                }
            }
        });
    if (!decoded && !decoded.failure().file.contains(QStringLiteral("input."))) {
        std::abort();
    }
    return 0;
}
