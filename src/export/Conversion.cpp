#include "export/Conversion.h"

#include "export/OutputFiles.h"
#include "intake/FileLists.h"
#include "loudness/VoiceGains.h"
#include "timeline/WritingOrder.h"

#include <algorithm>
#include <iterator>

namespace brisomel {

namespace {

// The length of the timeline as the document states it (the 1001-based rates run 1.001 times
// longer than their nominal frame count).
double writtenSeconds(const BuiltTimeline& timeline) {
    const WrittenTime end = writtenTime(timeline.fpsType, timelineEnd(timeline.tracks));
    return static_cast<double>(end.value) / static_cast<double>(end.timescale);
}

Failure atStage(Failure failure, FailureCode stage) {
    failure.code = stage;
    return failure;
}

// Measures the ticked lines and gives each speaker's voice clips its gain.
Result<std::vector<SpeakerGain>> evenLoudness(BuiltTimeline& timeline, const FileList& entries,
                                              double target, const LoudnessRun& run) {
    LoudnessCache ownCache;
    Result<std::vector<SpeakerGain>> gains = measureSpeakerGains(
        entries, target, run.cache ? *run.cache : ownCache, run.progress, run.cancelled);
    if (!gains) {
        const bool cancelled = run.cancelled != nullptr && run.cancelled->load();
        return atStage(gains.failure(),
                       cancelled ? FailureCode::cancelled : FailureCode::conversionBuild);
    }
    applyVoiceGains(timeline, *gains);
    return gains;
}

} // namespace

Result<ConversionReport> runConversion(const FileList& entries, const ConversionOptions& options,
                                       const OutputTargets& targets, QIODevice* standardOutput,
                                       const BuildProgress& progress, const ApproveOutputs& approve,
                                       const LoudnessRun& loudness) {
    Result<BuiltTimeline> built = buildTimeline(entries, options, progress);
    if (!built) {
        return atStage(built.failure(), FailureCode::conversionBuild);
    }
    std::vector<SpeakerGain> gains;
    if (options.loudnessTarget) {
        Result<std::vector<SpeakerGain>> measured =
            evenLoudness(*built, entries, *options.loudnessTarget, loudness);
        if (!measured) {
            return measured.failure();
        }
        gains = std::move(*measured);
    }
    const std::vector<OutputFile> files = renderOutputs(*built, options, targets);
    if (approve && !approve(files)) {
        ConversionReport declined;
        declined.declined = true;
        return declined;
    }
    if (const Status written = writeOutputFiles(files, standardOutput); !written) {
        return atStage(written.failure(), FailureCode::conversionWrite);
    }

    ConversionReport report;
    FileList written;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(written),
                 [](const FileListPtr& entry) { return entry->targetFlg(); });
    report.entryCount = static_cast<qsizetype>(written.size());
    SpeakerTally speakers = tallySpeakers(written);
    report.speakerCount = speakers.speakerCount;
    report.unnamedFiles = std::move(speakers.unnamedFiles);
    report.writtenSeconds = writtenSeconds(*built);
    report.speakerGains = std::move(gains);
    for (const OutputFile& file : files) {
        report.written << outputName(file.path);
    }
    return report;
}

} // namespace brisomel
