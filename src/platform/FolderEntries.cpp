#include "platform/FolderEntries.h"

#include <QFile>

#include <filesystem>
#include <string>

namespace brisomel {

namespace {

namespace fs = std::filesystem;

// The system's form of a path, and a name in it decoded: UTF-16 on Windows; on POSIX systems
// bytes that should be UTF-8, with U+FFFD for invalid ones.
#ifdef Q_OS_WIN
fs::path nativePath(const QString& path) {
    return fs::path(path.toStdWString());
}
QString decodedName(const fs::path& name, bool& valid) {
    valid = true;
    return QString::fromStdWString(name.native());
}
#else
fs::path nativePath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}
QString decodedName(const fs::path& name, bool& valid) {
    const std::string& bytes = name.native();
    const QByteArrayView raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    valid = QUtf8StringView(raw.data(), raw.size()).isValidUtf8();
    return valid ? QString::fromUtf8(raw) : QFile::decodeName(raw.toByteArray());
}
#endif

} // namespace

FolderEntries listFolderEntries(const QString& folderPath) {
#if defined(Q_OS_UNIX) && !defined(BRISOMEL_PORTABLE_IO)
    return listFolderEntriesPosix(folderPath);
#else
    return listFolderEntriesPortable(folderPath);
#endif
}

FolderEntries listFolderEntriesPortable(const QString& folderPath) {
    FolderEntries entries;
    std::error_code error;
    fs::directory_iterator it(nativePath(folderPath), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        bool valid = true;
        QString name = decodedName(it->path().filename(), valid);
        if (name.startsWith(u'.')) {
            continue;
        }
        if (!valid) {
            entries.undecodableNames.append(std::move(name));
            continue;
        }
        // The kind the listing tells, without following a link; unknown is no regular file.
        std::error_code kindError;
        if (it->symlink_status(kindError).type() == fs::file_type::regular) {
            entries.regularFiles.insert(name);
        }
        entries.names.append(std::move(name));
    }
    return entries;
}

} // namespace brisomel
