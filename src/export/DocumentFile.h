#pragma once

#include "core/Failure.h"

#include <QIODevice>
#include <QString>
#include <QStringView>

namespace brisomel {

// Writes the text to the device as UTF-8, exactly as QString::toUtf8() encodes it, a piece at a
// time so that no encoded copy of a whole document is held. False when the device takes less.
bool writeUtf8(QIODevice& device, QStringView text);

// Writes the text as UTF-8 without a byte-order mark, atomically: the file appears whole or not
// at all, and an existing file survives a failed write unchanged. The failure names the path and
// the reason.
Status writeDocumentFile(const QString& path, const QString& document);

} // namespace brisomel
