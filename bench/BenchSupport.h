#pragma once

// What the benchmarks share: the generated voice folder and the median of several runs.

#include "support/PcmWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace brisomel {

// COUNT short WAV lines of three speakers, each with a UTF-8 caption (every fifth ending with a
// blank).
inline void makeVoiceFolder(const QString& folder, int count) {
    const QStringList speakers = {QStringLiteral("Hanako"), QStringLiteral("Taro"),
                                  QStringLiteral("Jiro")};
    for (int i = 0; i < count; ++i) {
        const QString stem = QStringLiteral("%1_%2（normal）_line")
                                 .arg(i, 5, 10, QLatin1Char('0'))
                                 .arg(speakers[i % speakers.size()]);
        const int samples = 2000 + (i * 7919) % 6000; // 0.25 s to 1 s at 8 kHz
        testsupport::writeWav(QDir(folder).filePath(stem + QStringLiteral(".wav")), 8000, 1,
                              samples);
        QFile caption(QDir(folder).filePath(stem + QStringLiteral(".txt")));
        caption.open(QIODevice::WriteOnly);
        caption.write(
            QStringLiteral("セリフ %1 です。%2").arg(i).arg(i % 5 == 0 ? " " : "").toUtf8());
    }
}

// Median of several runs of `work`, in milliseconds.
template <typename Work> inline double medianMs(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace brisomel
