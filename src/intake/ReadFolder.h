#pragma once

#include "intake/FileListData.h"

#include <QString>
#include <QUrl>

namespace brisomel {

enum class ErrorType { normalEnd, fileNotFound, fileReadError, unknownError };

// The text the user reads for each outcome; empty for normalEnd.
QString message(ErrorType error);

// Why a folder was not read; a failure of readFolder carries it as its code.
enum class FolderReadCode {
    notLocal = 1,  // the URL names no local path
    notFolder = 2, // nothing, or something other than a folder, is there
    empty = 3,     // the folder holds no audio file (ErrorType::fileNotFound)
    unreadable = 4 // the listing or a caption could not be read (ErrorType::fileReadError)
};

FolderReadCode folderReadCode(const Failure& failure);

// Lists the folder's audio files (MP3, WAV, M4A, AIFF, AIF in any letter case, hidden entries
// left out), pairs each with "<stem>.txt", creates the entries and sorts them by file name: a
// non-empty, sorted list. Each entry's speaker is found by the naming rule. A failure names the
// folder or file and the cause, with its code; writing it anywhere is the caller's choice.
Result<FileList> readFolder(const QUrl& folderUrl, const NamingRule& naming = {});

} // namespace brisomel
