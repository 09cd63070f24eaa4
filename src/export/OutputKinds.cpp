#include "export/OutputKinds.h"

#include "fcpxml/ProjectWriter.h"
#include "subtitles/SubtitleFiles.h"

namespace brisomel {

namespace {

std::vector<OutputFile> documentWithSplitClips(const BuiltTimeline& timeline,
                                               const ConversionOptions&,
                                               const OutputTargets& targets) {
    return {{targets.document,
             makeFCPXMLWithSplitClips(timeline.timelineName, timeline.tracks, timeline.frameType,
                                      timeline.fpsType, kEventName)}};
}

std::vector<OutputFile> documentWithoutSplitClips(const BuiltTimeline& timeline,
                                                  const ConversionOptions&,
                                                  const OutputTargets& targets) {
    return {{targets.document,
             makeFCPXMLWithoutSplitClips(timeline.timelineName, timeline.tracks, timeline.frameType,
                                         timeline.fpsType, kEventName)}};
}

std::vector<OutputFile> oneSubtitleFile(const BuiltTimeline& timeline,
                                        const ConversionOptions& options,
                                        const OutputTargets& targets) {
    return {subtitleFile(timeline, targets.subtitles, options.subtitles)};
}

std::vector<OutputFile> subtitlesBySpeaker(const BuiltTimeline& timeline,
                                           const ConversionOptions& options,
                                           const OutputTargets& targets) {
    return subtitleFilesBySpeaker(timeline, targets.subtitles, options.subtitles);
}

constexpr OutputKind kOutputKinds[] = {
    {u"fcpxml-split-clips", [](const ConversionOptions& o) { return o.splitClips; },
     documentWithSplitClips},
    {u"fcpxml", [](const ConversionOptions& o) { return !o.splitClips; },
     documentWithoutSplitClips},
    {u"srt",
     [](const ConversionOptions& o) { return o.subtitles.enabled && !o.subtitles.splitBySpeaker; },
     oneSubtitleFile},
    {u"srt-per-speaker",
     [](const ConversionOptions& o) { return o.subtitles.enabled && o.subtitles.splitBySpeaker; },
     subtitlesBySpeaker},
};

} // namespace

std::vector<OutputFile> renderOutputs(const BuiltTimeline& timeline,
                                      const ConversionOptions& options,
                                      const OutputTargets& targets) {
    std::vector<OutputFile> files;
    for (const OutputKind& kind : kOutputKinds) {
        if (kind.applies(options)) {
            for (OutputFile& file : kind.render(timeline, options, targets)) {
                files.push_back(std::move(file));
            }
        }
    }
    return files;
}

} // namespace brisomel
