#include "core/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <functional>

namespace brisomel {

bool writeUtf8(QIODevice& device, QStringView text) {
    // Piece by piece, each encoded as it would be within the whole text: a piece never ends on
    // the first half of a surrogate pair, so a pair stays together and a lone half stays lone.
    // The pieces are large enough for few writes and small enough for the encoded piece to stay
    // in the cache.
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = std::min(kUtf8PieceUnits, text.size() - from);
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

namespace {

Status writeAtomically(const QString& path, const QString& what,
                       const std::function<bool(QIODevice&)>& writeContent) {
    const auto failure = [&](const QString& reason) {
        return Failure{what, QDir::toNativeSeparators(path), reason};
    };
    // The save file would put a new file in place of a device, a FIFO or a socket (and create
    // its temporary file beside it, in /dev for instance); a folder is no file to write either.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return failure(QStringLiteral("通常のファイルではありません"));
    }
    QSaveFile file(path);
    // flush() before commit(): commit() alone reports success when the final flush of the
    // write buffer fails part-way (a full disk), and would put a truncated file in place.
    if (file.open(QIODevice::WriteOnly) && writeContent(file) && file.flush() && file.commit()) {
        return Done{};
    }
    // An uncommitted save file is discarded, so whatever stood at the path stays as it was.
    return failure(file.errorString());
}

} // namespace

Status writeFileAtomically(const QString& path, QStringView text, const QString& what) {
    return writeAtomically(path, what, [text](QIODevice& file) { return writeUtf8(file, text); });
}

Status writeBytesAtomically(const QString& path, QByteArrayView bytes, const QString& what) {
    return writeAtomically(path, what, [bytes](QIODevice& file) {
        return file.write(bytes.data(), bytes.size()) == bytes.size();
    });
}

} // namespace brisomel
