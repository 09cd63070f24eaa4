#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"
#include "loudness/LoudnessCache.h"

class QWidget;

namespace brisomel {

// Measures the loudness of the ticked lines not in `cache` yet on a worker thread, while a modal
// progress dialog over the application (shown at once, so the window takes no clicks meanwhile)
// counts the files and offers キャンセル. The failure
// that stopped it names the file; its code is cancelled when the user cancelled.
Status measureLoudnessWithProgress(QWidget* parent, const FileList& entries, LoudnessCache& cache);

} // namespace brisomel
