#include "export/ExportTimeline.h"

#include "subtitles/SubtitleFiles.h"

#include <QFileInfo>

#include <algorithm>

namespace brisomel {

namespace {

constexpr qsizetype kNamedReplacedFiles = 3;

// The outputs other than the document (which the save dialog has asked about) that exist.
QStringList existingOtherOutputs(const std::vector<OutputFile>& files, const QString& document) {
    QStringList names;
    for (const OutputFile& file : files) {
        const QFileInfo info(file.path);
        if (file.path != document && info.isFile()) {
            names << info.fileName();
        }
    }
    return names;
}

} // namespace

QString replacedFilesText(const QStringList& fileNames) {
    QString text = fileNames.first(std::min(kNamedReplacedFiles, fileNames.size())).join(u'\n');
    if (fileNames.size() > kNamedReplacedFiles) {
        text += QStringLiteral("\nほか %1 件").arg(fileNames.size() - kNamedReplacedFiles);
    }
    return text;
}

ExportOutcome exportTimeline(const FileList& entries, const ConversionOptions& options,
                             ExportUi& ui, const BuildProgress& progress, QStringList* written,
                             const LoudnessRun& loudness) {
    const auto location = ui.chooseSaveLocation(options.timelineName + kDocumentExtension);
    if (!location || location->isEmpty()) {
        return ExportOutcome::cancelled;
    }

    const OutputTargets targets{*location, subtitlePathBeside(*location)};
    QStringList paths;
    const auto approve = [&](const std::vector<OutputFile>& files) {
        for (const OutputFile& file : files) {
            paths << file.path;
        }
        const QStringList existing = existingOtherOutputs(files, *location);
        return existing.isEmpty() || ui.confirmReplacing(existing);
    };
    const Result<ConversionReport> converted =
        runConversion(entries, options, targets, nullptr, progress, approve, loudness);
    if (converted) {
        if (converted->declined) {
            return ExportOutcome::cancelled;
        }
        if (written) {
            *written = paths;
        }
        return ExportOutcome::written;
    }
    const Failure& failure = converted.failure();
    if (failure.code == FailureCode::cancelled) {
        return ExportOutcome::cancelled;
    }
    if (failure.code == FailureCode::conversionBuild) {
        // The builder's failure names the audio file; nothing is written.
        ui.showAlert(failure.message(), QString());
        return ExportOutcome::buildFailed;
    }
    ui.showAlert(kWriteErrorMessage, kWriteErrorInformative + QStringLiteral("\n") +
                                         quotedPath(failure.file) + QStringLiteral(": ") +
                                         failure.reason);
    return ExportOutcome::writeFailed;
}

} // namespace brisomel
