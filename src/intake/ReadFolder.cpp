#include "intake/ReadFolder.h"

#include "intake/FileLists.h"
#include "intake/TextOrder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <vector>

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

Failure folderFailure(const QString& path, const QString& reason, FolderReadCode code) {
    return {QStringLiteral("フォルダ %1 の内容を一覧できません"), path, reason,
            static_cast<int>(code)};
}

// QDir reports no error of its own; these checks name the reason a listing cannot be made.
std::optional<Failure> listingProblem(const QUrl& folderUrl, const QString& path) {
    if (path.isEmpty()) {
        return folderFailure(folderUrl.toString(),
                             QStringLiteral("ローカルのフォルダを指す URL ではありません"),
                             FolderReadCode::notLocal);
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return folderFailure(path, QStringLiteral("存在しません"), FolderReadCode::notFolder);
    }
    if (!info.isDir()) {
        return folderFailure(path, QStringLiteral("フォルダではありません"),
                             FolderReadCode::notFolder);
    }
    if (!info.isReadable()) {
        return folderFailure(path, QStringLiteral("読み取りの権限がありません"),
                             FolderReadCode::unreadable);
    }
    return std::nullopt;
}

// The immediate entries of a folder, of every kind (directories and broken links too: only the
// name is looked at) except names starting with a dot, in one pass over the folder.
struct FolderListing {
    QStringList names;
    // Names known to be regular files from the listing alone; others may still be (a link to
    // one, or a file system that does not tell the kind while listing).
    QSet<QString> regularFiles;
    // The first audio-named entry whose name is not valid in the file-name encoding (UTF-8):
    // such a voice line would otherwise vanish from the timeline. Shown with U+FFFD.
    std::optional<QString> undecodableAudioName;
};

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

// The entry of one audio file, with the same-named caption file when the folder holds one.
Result<FileListPtr> makeEntry(const QString& name, const QString& prefix,
                              const QSet<QString>& regularFiles, const NamingRule& naming) {
    const QString fileName = name.first(name.lastIndexOf(u'.'));
    const QString captionName = fileName + QStringLiteral(".txt");
    const QString captionPath = prefix + captionName;
    std::optional<FileListData::LocalFile> caption;
    if (regularFiles.contains(captionName) || QFileInfo::exists(captionPath)) {
        caption = FileListData::LocalFile{captionPath, std::nullopt};
    }
    return FileListData::create(fileName, std::move(caption),
                                FileListData::LocalFile{prefix + name, std::nullopt}, naming);
}

Failure unreadable(Failure cause) {
    cause.code = static_cast<int>(FolderReadCode::unreadable);
    return cause;
}

} // namespace

QString message(ErrorType error) {
    switch (error) {
    case ErrorType::normalEnd:
        return QString();
    case ErrorType::fileNotFound:
        return QStringLiteral("ディレクトリが空またはファイルが見つかりません。");
    case ErrorType::fileReadError:
        return QStringLiteral("ファイルの読み込み中に予期しないエラーが発生しました。");
    case ErrorType::unknownError:
        break;
    }
    return QStringLiteral("予期しないエラーが発生しました。");
}

FolderReadCode folderReadCode(const Failure& failure) {
    return static_cast<FolderReadCode>(failure.code);
}

Result<FileList> readFolder(const QUrl& folderUrl, const NamingRule& naming) {
    const QString localPath = folderUrl.toLocalFile();
    if (auto problem = listingProblem(folderUrl, localPath)) {
        return std::move(*problem);
    }
    const QDir folder(localPath);
    const QString folderPath = folder.absolutePath(); // clean: no trailing or doubled separators
    const QString prefix = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';
    FolderListing listing = listFolder(folderPath);
    if (const auto& name = listing.undecodableAudioName) {
        return unreadable(
            {QStringLiteral("Error 音声ファイル %1 の名前を UTF-8 として解読できません"),
             prefix + *name, QStringLiteral("名前を変えてください")});
    }
    // The audio names in code-point order, so that equal base names keep a deterministic order.
    QStringList audioNames;
    std::copy_if(listing.names.cbegin(), listing.names.cend(), std::back_inserter(audioNames),
                 isAudioName);
    std::sort(audioNames.begin(), audioNames.end(), nfcCodePointLess);

    // Reading and decoding the captions is most of the scan, so the entries are made on several
    // threads. They keep the names' order, and the first failure in that order is the one
    // reported, as when they are made one after another.
    std::vector<std::optional<Result<FileListPtr>>> made(
        static_cast<std::size_t>(audioNames.size()));
    std::vector<std::size_t> indices(made.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    // A pool of its own: the window scans on a thread of the global pool, and waiting there for
    // work queued on that same pool never ends when the pool has no other thread free.
    QThreadPool pool;
    QtConcurrent::blockingMap(&pool, indices, [&](std::size_t index) {
        made[index] = makeEntry(audioNames.at(static_cast<qsizetype>(index)), prefix,
                                listing.regularFiles, naming);
    });
    FileList list;
    list.reserve(made.size());
    for (auto& entry : made) {
        if (!*entry) {
            return unreadable(entry->failure());
        }
        list.push_back(std::move(**entry));
    }
    if (list.empty()) {
        return Failure{QStringLiteral("フォルダ %1"), folderPath, message(ErrorType::fileNotFound),
                       static_cast<int>(FolderReadCode::empty)};
    }
    sortByFileName(list);
    return list;
}

} // namespace brisomel
