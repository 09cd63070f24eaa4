#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"
#include "timeline/BuiltTimeline.h"
#include "timeline/ConversionOptions.h"

#include <functional>

namespace brisomel {

// Called with the number of audio files read so far and the number to read.
using BuildProgress = std::function<void(qsizetype done, qsizetype total)>;

// Places one caption clip and one voice clip per ticked entry, one after another in the list's
// order (the document's, as FileLists keeps it), on frame-aligned times taken from the audio
// files. The entries are only read: one
// trailing blank is removed from the caption clip's text, not from the entry, so the same
// entries and options always give the same timeline.
Result<BuiltTimeline> buildTimeline(const FileList& entries, const ConversionOptions& options,
                                    const BuildProgress& progress = {});

} // namespace brisomel
