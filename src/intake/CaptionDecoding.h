#pragma once

#include "core/Failure.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace brisomel {

// First attempt: UTF-8, or the Unicode encoding announced by a byte-order mark (UTF-8, UTF-16
// LE/BE, UTF-32 LE/BE; the mark is not part of the text). Strict: nothing when any byte sequence
// is invalid in that encoding.
std::optional<QString> decodeUnicode(QByteArrayView bytes);

// Second attempt: Shift-JIS in its Windows form (CP932, with the NEC and IBM extensions). Strict:
// nothing when any byte sequence is invalid or the converter is unavailable.
std::optional<QString> decodeShiftJis(QByteArrayView bytes);

// Reads the whole file at the path and decodes it with the first attempt, then the second; the
// failure names the caption file and why it cannot be read.
Result<QString> readCaptionFile(const QString& path);

} // namespace brisomel
