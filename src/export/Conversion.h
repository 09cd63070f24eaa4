#pragma once

#include "builder/FilelistToTimeline.h"
#include "core/Failure.h"
#include "export/OutputKinds.h"
#include "intake/FileListData.h"
#include "loudness/SpeakerGains.h"
#include "timeline/ConversionOptions.h"

#include <QIODevice>
#include <QStringList>

#include <functional>
#include <vector>

namespace brisomel {

// What a conversion wrote.
struct ConversionReport {
    qsizetype entryCount = 0;   // the lines written: the ticked entries
    qsizetype speakerCount = 0; // speakers the naming rule found among them
    QStringList unnamedFiles;   // audio files of those it found none for, in file-name order
    double writtenSeconds = 0;  // the timeline's length as the document states it
    QStringList written;        // the outputs as messages name them, in writing order
    bool declined = false;      // the files were rendered, but their approval said no
    std::vector<SpeakerGain> speakerGains; // when the options even out the loudness
};

// How loudness is measured when the options ask for it: the session's measurements (without
// them a conversion keeps its own), progress and a cancel flag.
struct LoudnessRun {
    LoudnessCache* cache = nullptr;
    MeasureProgress progress;
    const std::atomic_bool* cancelled = nullptr;
};

// Told every file a conversion is about to write, before the first is written; false stops it
// with nothing written.
using ApproveOutputs = std::function<bool(const std::vector<OutputFile>& files)>;

// The one way from entries and options to written files, for the window and the converter
// alike: builds the timeline, renders every output the options ask for and writes them in order
// (files atomically, the document to `standardOutput` when its target is "-"). Nothing is
// written when the build fails or `approve` declines (the report says `declined`); a write
// failure says which outputs were written. A failure's code tells the stage: conversionBuild or
// conversionWrite, or cancelled when measuring the loudness was cancelled. With a loudness target
// the voice clips carry their speaker's gain.
Result<ConversionReport> runConversion(const FileList& entries, const ConversionOptions& options,
                                       const OutputTargets& targets,
                                       QIODevice* standardOutput = nullptr,
                                       const BuildProgress& progress = {},
                                       const ApproveOutputs& approve = {},
                                       const LoudnessRun& loudness = {});

} // namespace brisomel
