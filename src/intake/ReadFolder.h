#pragma once

#include "intake/FileListData.h"

#include <QString>
#include <QUrl>

namespace brisomel {

// The reason given when a folder holds no audio file.
inline const QString kFolderEmptyReason =
    QStringLiteral("ディレクトリが空またはファイルが見つかりません。");

// Lists the folder's audio files (MP3, WAV, M4A, AIFF, AIF in any letter case, hidden entries
// left out), pairs each with "<stem>.txt", creates the entries and sorts them by file name: a
// non-empty, sorted list. Each entry's speaker is found by the naming rule. A failure names the
// folder or file and the cause, with its code (one of the folder codes); writing it anywhere is
// the caller's choice.
Result<FileList> readFolder(const QUrl& folderUrl, const NamingRule& naming = {});

} // namespace brisomel
