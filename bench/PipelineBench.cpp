// Times the folder scan, the build, the rendering and the whole converter on a generated folder
// of N short WAV voice lines with UTF-8 captions, and reports the peak memory.
//
//   brisomel-bench N [FOLDER]    (FOLDER defaults to a temporary folder that is removed after)
//   brisomel-bench --make N FOLDER    only makes the folder, for run-bench.sh

#include "builder/FilelistToTimeline.h"
#include "cli/Convert.h"
#include "fcpxml/ProjectWriter.h"
#include "intake/ReadFolder.h"

#include "BenchSupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brisomel;

namespace {

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == u"--make") {
        QDir().mkpath(args[3]);
        makeVoiceFolder(args[3], args[2].toInt());
        return 0;
    }
    const int count = args.size() > 1 ? args[1].toInt() : 1000;
    QTemporaryDir temporary;
    const QString folder = args.size() > 2 ? args[2] : temporary.filePath(QStringLiteral("voices"));
    QDir().mkpath(folder);
    if (QDir(folder).isEmpty()) {
        makeVoiceFolder(folder, count);
    }
    constexpr int kRuns = 5;
    const QUrl url = QUrl::fromLocalFile(folder);

    readFolder(url); // warms the file cache
    const double scanMs = medianMs(kRuns, [&] { readFolder(url); });

    ConversionOptions conversion;
    conversion.timelineName = QStringLiteral("bench");
    conversion.pauseLength = 0.5;
    const FileList entries = *readFolder(url);
    const double buildMs = medianMs(kRuns, [&] { buildTimeline(entries, conversion); });

    const BuiltTimeline built = *buildTimeline(entries, conversion);
    const double splitMs = medianMs(kRuns, [&] {
        makeFCPXMLWithSplitClips(built.timelineName, built.tracks, built.frameType, built.fpsType,
                                 QStringLiteral("Kestrune"));
    });
    const double plainMs = medianMs(kRuns, [&] {
        makeFCPXMLWithoutSplitClips(built.timelineName, built.tracks, built.frameType,
                                    built.fpsType, QStringLiteral("Kestrune"));
    });

    CliOptions options;
    options.folder = folder;
    options.conversion.timelineName = QStringLiteral("bench");
    options.targets.document = temporary.filePath(QStringLiteral("bench.fcpxml"));
    QString messages;
    QTextStream messageStream(&messages);
    QBuffer unused;
    const double convertMs =
        medianMs(kRuns, [&] { convertFolder(options, messageStream, unused); });

    std::printf("entries %d\n", count);
    std::printf("scan            %9.1f ms\n", scanMs);
    std::printf("build           %9.1f ms (probing and placing, after the scan)\n", buildMs);
    std::printf("render split    %9.1f ms\n", splitMs);
    std::printf("render plain    %9.1f ms\n", plainMs);
    std::printf("converter       %9.1f ms (scan, validate, build, render, write)\n", convertMs);
    std::printf("document        %9lld bytes\n",
                static_cast<long long>(QFileInfo(options.targets.document).size()));
    std::printf("peak memory     %9ld MB\n", peakMegabytes());
    return 0;
}
