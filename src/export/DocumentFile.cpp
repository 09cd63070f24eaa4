#include "export/DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace brisomel {

namespace {

// UTF-16 units encoded at a time: enough for few writes, few enough that the encoded piece stays
// in the cache and its buffer is reused rather than mapped afresh.
constexpr qsizetype kUnitsPerPiece = 16 * 1024;

Failure writeFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("ファイル書き込みエラー: %1"), QDir::toNativeSeparators(path), reason};
}

} // namespace

bool writeUtf8(QIODevice& device, QStringView text) {
    // Piece by piece, each encoded as it would be within the whole text: a piece never ends on
    // the first half of a surrogate pair, so a pair stays together and a lone half stays lone.
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = std::min(kUnitsPerPiece, text.size() - from);
        while (from + count < text.size() && text[from + count - 1].isHighSurrogate()) {
            ++count;
        }
        const QByteArray piece = text.sliced(from, count).toUtf8();
        if (device.write(piece) != piece.size()) {
            return false;
        }
        from += count;
    }
    return true;
}

Status writeDocumentFile(const QString& path, const QString& document) {
    // Only a regular file is replaced. The save file would put a new file in place of a device,
    // a FIFO or a socket (and create its temporary file beside it, in /dev for instance).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return writeFailure(path, QStringLiteral("通常のファイルではありません"));
    }
    QSaveFile file(path);
    // flush() before commit(): commit() alone reports success when the final flush of the
    // write buffer fails part-way (a full disk), and would put a truncated document in place.
    if (file.open(QIODevice::WriteOnly) && writeUtf8(file, document) && file.flush() &&
        file.commit()) {
        return Done{};
    }
    // An uncommitted save file is discarded, so whatever stood at the path stays as it was.
    return writeFailure(path, file.errorString());
}

} // namespace brisomel
