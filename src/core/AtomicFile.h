#pragma once

#include "core/Failure.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringView>

namespace brisomel {

// UTF-16 code units that writeUtf8 encodes at a time.
inline constexpr qsizetype kUtf8PieceUnits = 16 * 1024;

// Writes the text to the device as UTF-8, exactly as QString::toUtf8() encodes it, a piece at a
// time so that no encoded copy of a whole document is held. False when the device takes less.
bool writeUtf8(QIODevice& device, QStringView text);

// Writes the text to the file as UTF-8 without a byte-order mark, atomically: the file appears
// whole or not at all, and whatever stood at the path survives a failed write unchanged. Only a
// regular file is replaced. The failure says `what` (with %1 where the path belongs), the path
// and the reason.
Status writeFileAtomically(const QString& path, QStringView text, const QString& what);

// The same for bytes already encoded, written as they are.
Status writeBytesAtomically(const QString& path, QByteArrayView bytes, const QString& what);

} // namespace brisomel
