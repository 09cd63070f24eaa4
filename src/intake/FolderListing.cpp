#include "intake/FolderListing.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace brisomel {

namespace {

const std::array<QString, 5> kAudioExtensions = {QStringLiteral("MP3"), QStringLiteral("WAV"),
                                                 QStringLiteral("M4A"), QStringLiteral("AIFF"),
                                                 QStringLiteral("AIF")};

// Whether ASCII text, upper-cased, equals an upper-case ASCII word.
bool equalsAsciiUpper(QStringView text, QStringView upper) {
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(), [](QChar c, QChar u) {
               const char16_t unit = c.unicode();
               return (unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit) == u.unicode();
           });
}

} // namespace

bool isAudioName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) {
        return false;
    }
    const QStringView extension = QStringView(name).sliced(dot + 1);
    const bool ascii =
        std::all_of(extension.begin(), extension.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) { // the usual case, and a quick one
        return std::any_of(
            kAudioExtensions.begin(), kAudioExtensions.end(),
            [&](const QString& audio) { return equalsAsciiUpper(extension, audio); });
    }
    // toUpper is full Unicode upper-casing, independent of the locale: "aıf" and "aiﬀ" are
    // audio names too.
    return std::find(kAudioExtensions.begin(), kAudioExtensions.end(),
                     extension.toString().toUpper()) != kAudioExtensions.end();
}

FolderListing listFolder(const QString& folderPath) {
    FolderListing listing;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folderPath).constData());
    if (dir == nullptr) {
        return listing;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView raw(entry->d_name);
        if (raw.startsWith('.')) {
            continue;
        }
        if (!QUtf8StringView(raw.data(), raw.size()).isValidUtf8()) {
            QString name = QFile::decodeName(raw.toByteArray()); // invalid bytes become U+FFFD
            if (isAudioName(name)) {
                listing.undecodableAudioName = std::move(name);
                break;
            }
            continue;
        }
        // The file-name encoding is UTF-8, so this equals QFile::decodeName, without its
        // converter's set-up per name.
        QString name = QString::fromUtf8(raw);
        if (entry->d_type == DT_REG) {
            listing.regularFiles.insert(name);
        }
        listing.names.append(std::move(name));
    }
    ::closedir(dir);
#else
    listing.names = QDir(folderPath)
                        .entryList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Unsorted);
#endif
    return listing;
}

} // namespace brisomel
