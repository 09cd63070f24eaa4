#pragma once

#include <QString>

namespace brisomel {

// Writes the document as UTF-8 without a byte-order mark, atomically: the file appears whole or
// not at all, and an existing file survives a failed write unchanged. On failure returns false
// and sets `reason` to a description naming the path.
bool writeDocumentFile(const QString& path, const QString& document, QString* reason);

} // namespace brisomel
