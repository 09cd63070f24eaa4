#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"
#include "timeline/BuiltTimeline.h"
#include "timeline/ConversionOptions.h"

#include <functional>

namespace brisomel {

// Called with the number of audio files read so far and the number to read.
using BuildProgress = std::function<void(qsizetype done, qsizetype total)>;

// The length a clip of audio lasting `seconds` gets: whole frames of the rate, cut down.
CMTime frameAlignedDuration(double seconds, FpsType fps);

// Places one caption clip and one voice clip per ticked entry, one after another in file-name
// order, on frame-aligned times taken from the audio files. The entries are only read: one
// trailing blank is removed from the caption clip's text, not from the entry, so the same
// entries and options always give the same timeline.
Result<BuiltTimeline> buildTimeline(const FileList& entries, const ConversionOptions& options,
                                    const BuildProgress& progress = {});

} // namespace brisomel
