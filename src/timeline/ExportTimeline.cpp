#include "timeline/ExportTimeline.h"

#include "fcpxml/DocumentFile.h"
#include "fcpxml/ProjectWriter.h"

namespace brisomel {

QString renderDocument(const BuiltTimeline& timeline, const QString& eventName,
                       std::int64_t splitClipIndex) {
    if (splitClipIndex == 0) {
        return makeFCPXMLWithSplitClips(timeline.timelineName, timeline.tracks, timeline.frameType,
                                        timeline.fpsType, eventName);
    }
    return makeFCPXMLWithoutSplitClips(timeline.timelineName, timeline.tracks, timeline.frameType,
                                       timeline.fpsType, eventName);
}

ExportOutcome exportTimeline(const FileLists& fileLists, const ExportOptions& options, ExportUi& ui,
                             const BuildProgress& progress) {
    const auto location = ui.chooseSaveLocation(options.timelineName + kDocumentExtension);
    if (!location || location->isEmpty()) {
        return ExportOutcome::cancelled;
    }

    const BuildResult built =
        buildTimeline(fileLists, options.timelineName, options.frameType, options.fpsType,
                      options.align, options.posX, options.posY, options.pauseLength, progress);
    if (!built.timeline) {
        // The builder's report names the audio file; nothing is written.
        ui.showAlert(built.error, QString());
        return ExportOutcome::buildFailed;
    }

    const QString document =
        renderDocument(*built.timeline, options.eventName, options.splitClipIndex);
    QString reason;
    if (!writeDocumentFile(*location, document, &reason)) {
        ui.showAlert(kWriteErrorMessage, kWriteErrorInformative);
        return ExportOutcome::writeFailed;
    }
    return ExportOutcome::written;
}

} // namespace brisomel
