#pragma once

#include "intake/FileLists.h"
#include "timeline/OptionTypes.h"

#include <QString>

namespace brisomel {

// The header of the converter's line listing.
inline const QString kLineListingHeader =
    QStringLiteral("番号\tファイル\t話者\tセリフ\t秒\tフレーム\t状態");

// One line per entry in the document's order, as tab-separated values under the header: the
// number, the file, the speaker (empty when the naming rule found none), the caption on one line
// (line breaks as \n, tabs as \t, backslashes doubled), the audio's length in seconds and in whole
// frames of the rate, and what is wrong (the audio cannot be read, or "字幕ファイルなし"). Reads
// every audio file into the list first.
QString lineListing(FileLists& lines, FpsType fps);

} // namespace brisomel
