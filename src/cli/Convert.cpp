#include "cli/Convert.h"

#include "export/ExportTimeline.h"
#include "export/OutputFiles.h"
#include "intake/FileLists.h"
#include "intake/ReadFolder.h"
#include "settings/OptionValidation.h"
#include "subtitles/SubtitleFiles.h"

#include <QFileDevice>
#include <QFileInfo>

namespace brisomel {

namespace {

// The length of the timeline as the document states it (the 1001-based rates run 1.001 times
// longer than their nominal frame count).
double writtenSeconds(const BuiltTimeline& timeline) {
    const CMTime end = timelineEnd(timeline.tracks);
    const FpsTypeInfo& rate = describe(timeline.fpsType);
    const auto frames = static_cast<std::int64_t>(static_cast<double>(end.value) / rate.frameUnit);
    return static_cast<double>(frames * rate.writtenFrameLength) / rate.timescale;
}

QString summary(const FileList& entries, const BuiltTimeline& timeline, QStringList outputs) {
    if (outputs.front() == QLatin1String("-")) {
        outputs.front() = QStringLiteral("standard output");
    }
    return QStringLiteral("%1 entries, %2 speakers, %3 s -> %4")
        .arg(entries.size())
        .arg(speakerNames(entries).size())
        .arg(writtenSeconds(timeline), 0, 'f', 3)
        .arg(outputs.join(QStringLiteral(", ")));
}

Result<FileList> readEntries(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        return Failure{QStringLiteral("%1"), folder, QStringLiteral("not a folder")};
    }
    ReadFolderResult read = readFolder(QUrl::fromLocalFile(folder));
    if (read.error != ErrorType::normalEnd) {
        return read.failure.value_or(Failure{QStringLiteral("%1"), folder, message(read.error)});
    }
    return std::move(*read.list);
}

// Standard output holds back what does not fill its buffers; only the flush tells whether the
// document reached its destination (a full disk, for one).
Status writeToStream(QIODevice& out, const QString& document) {
    const QByteArray bytes = document.toUtf8();
    auto* file = qobject_cast<QFileDevice*>(&out);
    if (out.write(bytes) != bytes.size() || (file && !file->flush())) {
        return Failure{kWriteErrorMessage, {}, out.errorString()};
    }
    return Done{};
}

} // namespace

int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut) {
    const auto fail = [&](const Failure& failure) {
        messages << "brisomel-cli: " << failure.message() << Qt::endl;
        return kExitConversionFailed;
    };

    const Result<OptionNumbers> numbers =
        validateOptionTexts({options.conversion.timelineName, options.posX, options.posY,
                             options.silenceDulation, options.isSilence});
    if (!numbers) {
        return fail(numbers.failure());
    }
    ConversionOptions conversion = options.conversion;
    conversion.posX = numbers->posX;
    conversion.posY = numbers->posY;
    conversion.pauseLength = numbers->pauseLength;

    const Result<FileList> entries = readEntries(options.folder);
    if (!entries) {
        return fail(entries.failure());
    }
    const Result<BuiltTimeline> built = buildTimeline(*entries, conversion);
    if (!built) {
        return fail(built.failure());
    }
    // The document first, then the subtitles; a failure says which of them were written.
    std::vector<OutputFile> files{{options.output, renderDocument(*built, conversion.splitClips)}};
    if (conversion.subtitles.enabled) {
        for (SubtitleFile& subtitles :
             subtitleFiles(*built, options.srtPath, conversion.subtitles)) {
            files.push_back({subtitles.path, std::move(subtitles.text)});
        }
    }
    QStringList outputs;
    for (const OutputFile& file : files) {
        outputs << file.path;
    }
    QStringList alreadyWritten;
    if (options.output == QLatin1String("-")) {
        const Status streamed = writeToStream(documentOut, files.front().text);
        files.erase(files.begin());
        if (!streamed) {
            Failure failure = streamed.failure();
            if (!files.empty()) {
                failure.reason = withWrittenNote(failure.reason, {}, quotedPaths(files));
            }
            return fail(failure);
        }
        alreadyWritten << QStringLiteral("標準出力");
    }
    if (const Status written = writeOutputFiles(files, alreadyWritten); !written) {
        return fail(written.failure());
    }
    messages << summary(*entries, *built, outputs) << Qt::endl;
    return kExitSuccess;
}

} // namespace brisomel
