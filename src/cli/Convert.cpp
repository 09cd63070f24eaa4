#include "cli/Convert.h"

#include "fcpxml/DocumentFile.h"
#include "intake/ReadFolder.h"
#include "settings/OptionValidation.h"
#include "timeline/ExportTimeline.h"

#include <QFileDevice>
#include <QFileInfo>

namespace brisomel {

namespace {

// The length of the timeline as the document states it (the 1001-based rates run 1.001 times
// longer than their nominal frame count).
double writtenSeconds(const BuiltTimeline& timeline) {
    const CMTime end = timelineEnd(timeline.tracks);
    const std::int64_t unit = frameUnit(timeline.fpsType);
    const std::int64_t written = unit == 1000 ? 1001 : unit;
    const auto frames = static_cast<std::int64_t>(static_cast<double>(end.value) / unit);
    return static_cast<double>(frames * written) / timescale(timeline.fpsType);
}

QString summary(const FileLists& lists, const BuiltTimeline& timeline, const QString& output) {
    const auto entries = lists.fileLists() ? lists.fileLists()->size() : 0;
    const auto speakers = lists.charactorNames().value_or(QStringList{}).size();
    return QStringLiteral("%1 entries, %2 speakers, %3 s -> %4")
        .arg(entries)
        .arg(speakers)
        .arg(writtenSeconds(timeline), 0, 'f', 3)
        .arg(output == QLatin1String("-") ? QStringLiteral("standard output") : output);
}

std::optional<QString> readEntries(const QString& folder, FileLists& lists) {
    if (!QFileInfo(folder).isDir()) {
        return QStringLiteral("%1: not a folder").arg(folder);
    }
    ReadFolderResult read = readFolder(QUrl::fromLocalFile(folder));
    if (read.error != ErrorType::normalEnd) {
        return read.report.isEmpty() ? QStringLiteral("%1: %2").arg(folder, message(read.error))
                                     : read.report;
    }
    lists.setFileLists(std::move(read.list));
    return std::nullopt;
}

} // namespace

int convertFolder(const CliOptions& options, QTextStream& messages, QIODevice& documentOut) {
    const auto fail = [&](const QString& text) {
        messages << "brisomel-cli: " << text << Qt::endl;
        return kExitConversionFailed;
    };

    const auto checked = validateOptionTexts({options.timelineName, options.posX, options.posY,
                                              options.silenceDulation, options.isSilence});
    if (const auto* problem = std::get_if<QString>(&checked)) {
        return fail(*problem);
    }
    const auto& numbers = std::get<OptionNumbers>(checked);

    FileLists lists;
    if (const auto problem = readEntries(options.folder, lists)) {
        return fail(*problem);
    }

    const BuildResult built =
        buildTimeline(lists, options.timelineName, options.frameType, options.fpsType,
                      options.align, numbers.posX, numbers.posY, numbers.pauseLength);
    if (!built.timeline) {
        return fail(built.error);
    }
    const QString document = renderDocument(*built.timeline, kEventName, options.splitClipIndex);

    if (options.output == QLatin1String("-")) {
        const QByteArray bytes = document.toUtf8();
        // Standard output holds back what does not fill its buffers; only the flush tells
        // whether the document reached its destination (a full disk, for one).
        auto* file = qobject_cast<QFileDevice*>(&documentOut);
        if (documentOut.write(bytes) != bytes.size() || (file && !file->flush())) {
            return fail(kWriteErrorMessage + QStringLiteral(": ") + documentOut.errorString());
        }
    } else {
        QString reason;
        if (!writeDocumentFile(options.output, document, &reason)) {
            return fail(kWriteErrorMessage + QStringLiteral(": ") + reason);
        }
    }
    messages << summary(lists, *built.timeline, options.output) << Qt::endl;
    return kExitSuccess;
}

} // namespace brisomel
