#pragma once

#include "core/Failure.h"
#include "intake/FileListData.h"

#include <QByteArray>
#include <QString>

namespace brisomel {

// A caption file's new bytes, ready to be written.
struct CaptionFileBytes {
    QString path;
    QByteArray bytes;
};

// The line's caption as it is now (with the speaker's prefix the file held), encoded as its file
// is: UTF-8, Shift-JIS (CP932) or the Unicode form its byte-order mark announces, with the same
// mark and the same line ends. A line without a caption file gets "<name>.txt" beside its audio,
// in UTF-8 with LF. Refused, naming the file, when the file changed since it was read, or
// naming the first character the file's encoding cannot hold.
Result<CaptionFileBytes> encodedCaptionFile(const FileListData& entry);

} // namespace brisomel
