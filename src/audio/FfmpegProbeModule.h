#pragma once

#include "audio/FfmpegProbe.h"

namespace brisomel {

// The FFmpeg probe module, loaded on the first call (from any thread; later calls wait for the
// first) and kept for the life of the process.
struct LoadedFfmpegProbe {
    FfmpegProbeFunction probe = nullptr;
    FfmpegDecodeFunction decode = nullptr;
    QString problem; // why the module could not be loaded, naming it, when either is null
};
const LoadedFfmpegProbe& ffmpegProbeModule();

// Where the module is looked for: BRISOMEL_PROBE_MODULE when set; else beside the installed
// binaries (the library folder's brisomel/ subfolder); else, for a program run from the build
// tree, where the build put it.
QString ffmpegProbeModulePath();

} // namespace brisomel
