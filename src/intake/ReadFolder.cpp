#include "intake/ReadFolder.h"

#include "intake/FileLists.h"
#include "intake/FolderListing.h"
#include "intake/TextOrder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <vector>

namespace brisomel {

namespace {

Failure folderFailure(const QString& path, const QString& reason, FailureCode code) {
    return {QStringLiteral("フォルダ %1 の内容を一覧できません"), path, reason, code};
}

// QDir reports no error of its own; these checks name the reason a listing cannot be made.
std::optional<Failure> listingProblem(const QUrl& folderUrl, const QString& path) {
    if (path.isEmpty()) {
        return folderFailure(folderUrl.toString(),
                             QStringLiteral("ローカルのフォルダを指す URL ではありません"),
                             FailureCode::folderNotLocal);
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return folderFailure(path, QStringLiteral("存在しません"), FailureCode::folderNotFolder);
    }
    if (!info.isDir()) {
        return folderFailure(path, QStringLiteral("フォルダではありません"),
                             FailureCode::folderNotFolder);
    }
    if (!info.isReadable()) {
        return folderFailure(path, QStringLiteral("読み取りの権限がありません"),
                             FailureCode::folderUnreadable);
    }
    return std::nullopt;
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
    cause.code = FailureCode::folderUnreadable;
    return cause;
}

} // namespace

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
        return Failure{QStringLiteral("フォルダ %1"), folderPath, kFolderEmptyReason,
                       FailureCode::folderEmpty};
    }
    sortByFileName(list);
    return list;
}

} // namespace brisomel
