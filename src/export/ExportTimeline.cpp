#include "export/ExportTimeline.h"

#include "export/OutputFiles.h"
#include "fcpxml/ProjectWriter.h"
#include "subtitles/SubtitleFiles.h"

namespace brisomel {

QString renderDocument(const BuiltTimeline& timeline, bool splitClips) {
    const auto writer = splitClips ? makeFCPXMLWithSplitClips : makeFCPXMLWithoutSplitClips;
    return writer(timeline.timelineName, timeline.tracks, timeline.frameType, timeline.fpsType,
                  kEventName);
}

ExportOutcome exportTimeline(const FileList& entries, const ConversionOptions& options,
                             ExportUi& ui, const BuildProgress& progress) {
    const auto location = ui.chooseSaveLocation(options.timelineName + kDocumentExtension);
    if (!location || location->isEmpty()) {
        return ExportOutcome::cancelled;
    }

    const Result<BuiltTimeline> built = buildTimeline(entries, options, progress);
    if (!built) {
        // The builder's failure names the audio file; nothing is written.
        ui.showAlert(built.failure().message(), QString());
        return ExportOutcome::buildFailed;
    }

    std::vector<OutputFile> files{{*location, renderDocument(*built, options.splitClips)}};
    if (options.subtitles.enabled) {
        for (SubtitleFile& subtitles :
             subtitleFiles(*built, subtitlePathBeside(*location), options.subtitles)) {
            files.push_back({subtitles.path, std::move(subtitles.text)});
        }
    }
    const Status written = writeOutputFiles(files);
    if (!written) {
        const Failure& failure = written.failure();
        ui.showAlert(kWriteErrorMessage, kWriteErrorInformative + QStringLiteral("\n") +
                                             quotedPath(failure.file) + QStringLiteral(": ") +
                                             failure.reason);
        return ExportOutcome::writeFailed;
    }
    return ExportOutcome::written;
}

} // namespace brisomel
