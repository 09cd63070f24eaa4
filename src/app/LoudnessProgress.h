#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"
#include "loudness/LoudnessCache.h"

class QWidget;

namespace brisomel {

// Measures the loudness of every ticked line into `cache` on a worker thread, while a modal
// progress dialog over the application counts the files and offers キャンセル. The failure
// that stopped it names the file; its code is cancelled when the user cancelled.
Status measureLoudnessWithProgress(QWidget* parent, const FileList& entries, LoudnessCache& cache);

} // namespace brisomel
