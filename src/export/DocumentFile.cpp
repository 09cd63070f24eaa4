#include "export/DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace brisomel {

namespace {

Failure writeFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("ファイル書き込みエラー: %1"), QDir::toNativeSeparators(path), reason};
}

} // namespace

Status writeDocumentFile(const QString& path, const QString& document) {
    // Only a regular file is replaced. The save file would put a new file in place of a device,
    // a FIFO or a socket (and create its temporary file beside it, in /dev for instance).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return writeFailure(path, QStringLiteral("通常のファイルではありません"));
    }
    const QByteArray bytes = document.toUtf8();
    QSaveFile file(path);
    // flush() before commit(): commit() alone reports success when the final flush of the
    // write buffer fails part-way (a full disk), and would put a truncated document in place.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit()) {
        return Done{};
    }
    // An uncommitted save file is discarded, so whatever stood at the path stays as it was.
    return writeFailure(path, file.errorString());
}

} // namespace brisomel
