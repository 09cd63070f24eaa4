#pragma once

#include "core/OutputFile.h"
#include "timeline/BuiltTimeline.h"
#include "timeline/ConversionOptions.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace brisomel {

// Where the user asked the outputs to go.
struct OutputTargets {
    QString document;  // a path, or "-" for standard output
    QString subtitles; // the subtitle file; per-speaker files are named after it
};

// One kind of output a conversion can write: when the options ask for it, and its files rendered
// from the built timeline. A new format is a new row and the option that asks for it.
struct OutputKind {
    QStringView name;
    bool (*applies)(const ConversionOptions& options);
    std::vector<OutputFile> (*render)(const BuiltTimeline& timeline,
                                      const ConversionOptions& options,
                                      const OutputTargets& targets);
};

// The files the options ask for, rendered from the timeline, in writing order.
std::vector<OutputFile> renderOutputs(const BuiltTimeline& timeline,
                                      const ConversionOptions& options,
                                      const OutputTargets& targets);

} // namespace brisomel
