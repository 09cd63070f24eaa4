#pragma once

#include "intake/FileListData.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace brisomel {

enum class ErrorType { normalEnd, fileNotFound, fileReadError, unknownError };

// The text the load action judges success by; empty for normalEnd.
QString message(ErrorType error);

struct ReadFolderResult {
    ErrorType error = ErrorType::unknownError;
    std::optional<FileList> list;   // present, non-empty and sorted only with normalEnd
    std::optional<Failure> failure; // the cause of a fileReadError, naming the file
};

// Lists the folder's audio files (MP3, WAV, M4A, AIFF, AIF in any letter case, hidden entries
// left out), pairs each with "<stem>.txt", creates the entries and sorts them by file name.
// A listing failure or a caption that cannot be decoded gives fileReadError, no list, and the
// failure naming the cause; writing it anywhere is the caller's choice.
ReadFolderResult readFolder(const QUrl& folderUrl);

} // namespace brisomel
