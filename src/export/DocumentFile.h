#pragma once

#include "core/Failure.h"

#include <QString>

namespace brisomel {

// Writes the text as UTF-8 without a byte-order mark, atomically: the file appears whole or not
// at all, and an existing file survives a failed write unchanged. The failure names the path and
// the reason.
Status writeDocumentFile(const QString& path, const QString& document);

} // namespace brisomel
