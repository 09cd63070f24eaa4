#include "export/ExportTimeline.h"

#include "subtitles/SubtitleFiles.h"

namespace brisomel {

ExportOutcome exportTimeline(const FileList& entries, const ConversionOptions& options,
                             ExportUi& ui, const BuildProgress& progress) {
    const auto location = ui.chooseSaveLocation(options.timelineName + kDocumentExtension);
    if (!location || location->isEmpty()) {
        return ExportOutcome::cancelled;
    }

    const OutputTargets targets{*location, subtitlePathBeside(*location)};
    const Result<ConversionReport> converted =
        runConversion(entries, options, targets, nullptr, progress);
    if (converted) {
        return ExportOutcome::written;
    }
    const Failure& failure = converted.failure();
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
