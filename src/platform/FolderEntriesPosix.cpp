#include "platform/FolderEntries.h"

#include <QFile>

#include <dirent.h>

namespace brisomel {

FolderEntries listFolderEntriesPosix(const QString& folderPath) {
    FolderEntries entries;
    DIR* dir = ::opendir(QFile::encodeName(folderPath).constData());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView raw(entry->d_name);
        if (raw.startsWith('.')) {
            continue;
        }
        if (!QUtf8StringView(raw.data(), raw.size()).isValidUtf8()) {
            // Invalid bytes become U+FFFD.
            entries.undecodableNames.append(QFile::decodeName(raw.toByteArray()));
            continue;
        }
        // The file-name encoding is UTF-8, so this equals QFile::decodeName, without its
        // converter's set-up per name.
        QString name = QString::fromUtf8(raw);
        if (entry->d_type == DT_REG) {
            entries.regularFiles.insert(name);
        }
        entries.names.append(std::move(name));
    }
    ::closedir(dir);
    return entries;
}

} // namespace brisomel
