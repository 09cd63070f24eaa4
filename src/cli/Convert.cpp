#include "cli/Convert.h"

#include "export/DocumentFile.h"
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

QString summary(const FileList& entries, const BuiltTimeline& timeline,
                const std::vector<OutputFile>& files) {
    QStringList outputs;
    for (const OutputFile& file : files) {
        outputs << (file.path == QLatin1String("-") ? QStringLiteral("standard output")
                                                    : file.path);
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
    auto* file = qobject_cast<QFileDevice*>(&out);
    if (!writeUtf8(out, document) || (file && !file->flush())) {
        return Failure{kWriteErrorMessage, {}, out.errorString()};
    }
    return Done{};
}

// The document, then the subtitle files when they are asked for.
std::vector<OutputFile> outputFiles(const BuiltTimeline& timeline, const CliOptions& options) {
    const ConversionOptions& conversion = options.conversion;
    std::vector<OutputFile> files{
        {options.output, renderDocument(timeline, conversion.splitClips)}};
    if (conversion.subtitles.enabled) {
        for (SubtitleFile& subtitles :
             subtitleFiles(timeline, options.srtPath, conversion.subtitles)) {
            files.push_back({subtitles.path, std::move(subtitles.text)});
        }
    }
    return files;
}

// Writes the files in order, the document to standard output when its path is "-"; a failure
// says which of them were written.
Status writeOutputs(std::vector<OutputFile> files, QIODevice& documentOut) {
    if (files.front().path != QLatin1String("-")) {
        return writeOutputFiles(files);
    }
    const Status streamed = writeToStream(documentOut, files.front().text);
    files.erase(files.begin());
    if (!streamed && !files.empty()) {
        Failure failure = streamed.failure();
        failure.reason = withWrittenNote(failure.reason, {}, quotedPaths(files));
        return failure;
    }
    return streamed ? writeOutputFiles(files, {QStringLiteral("標準出力")}) : streamed;
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
    const std::vector<OutputFile> files = outputFiles(*built, options);
    if (const Status written = writeOutputs(files, documentOut); !written) {
        return fail(written.failure());
    }
    messages << summary(*entries, *built, files) << Qt::endl;
    return kExitSuccess;
}

} // namespace brisomel
