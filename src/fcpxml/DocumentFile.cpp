#include "fcpxml/DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace brisomel {

bool writeDocumentFile(const QString& path, const QString& document, QString* reason) {
    // Only a regular file is replaced. The save file would put a new file in place of a device,
    // a FIFO or a socket (and create its temporary file beside it, in /dev for instance).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        if (reason) {
            *reason = QStringLiteral("%1: not a regular file").arg(QDir::toNativeSeparators(path));
        }
        return false;
    }
    const QByteArray bytes = document.toUtf8();
    QSaveFile file(path);
    // flush() before commit(): commit() alone reports success when the final flush of the
    // write buffer fails part-way (a full disk), and would put a truncated document in place.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit()) {
        return true;
    }
    // An uncommitted save file is discarded, so whatever stood at the path stays as it was.
    if (reason) {
        *reason = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return false;
}

} // namespace brisomel
