#include "intake/ReadFolder.h"

#include "intake/FileLists.h"
#include "intake/TextOrder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool isAudioName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) {
        return false;
    }
    // toUpper is full Unicode upper-casing, independent of the locale.
    const QString extension = name.sliced(dot + 1).toUpper();
    return std::find(kAudioExtensions.begin(), kAudioExtensions.end(), extension) !=
           kAudioExtensions.end();
}

// QDir reports no error of its own; these checks name the reason a listing cannot be made.
std::optional<QString> listingProblem(const QString& path) {
    if (path.isEmpty()) {
        return QStringLiteral("ローカルのフォルダを指す URL ではありません");
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return QStringLiteral("存在しません");
    }
    if (!info.isDir()) {
        return QStringLiteral("フォルダではありません");
    }
    if (!info.isReadable()) {
        return QStringLiteral("読み取りの権限がありません");
    }
    return std::nullopt;
}

// The listing silently leaves out names that are not valid in the file-name encoding (UTF-8), so
// such a voice line would vanish from the timeline. Answers the first audio-named one.
std::optional<QString> undecodableAudioName(const QString& folderPath) {
    std::optional<QString> found;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folderPath).constData());
    if (dir == nullptr) {
        return found;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        if (!raw.startsWith('.') && QFile::encodeName(QFile::decodeName(raw)) != raw &&
            isAudioName(QString::fromUtf8(raw))) {
            found = QString::fromUtf8(raw); // invalid bytes shown as U+FFFD
            break;
        }
    }
    ::closedir(dir);
#else
    Q_UNUSED(folderPath);
#endif
    return found;
}

ReadFolderResult failure(Failure cause) {
    return ReadFolderResult{ErrorType::fileReadError, std::nullopt, std::move(cause)};
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

ReadFolderResult readFolder(const QUrl& folderUrl) {
    const QString localPath = folderUrl.toLocalFile();
    if (const auto problem = listingProblem(localPath)) {
        return failure({QStringLiteral("フォルダ %1 の内容を一覧できません"),
                        localPath.isEmpty() ? folderUrl.toString() : localPath, *problem});
    }
    const QDir folder(localPath);
    const QString folderPath = folder.absolutePath(); // clean: no trailing or doubled separators
    const QString prefix = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';
    if (const auto name = undecodableAudioName(folderPath)) {
        return failure({QStringLiteral("Error 音声ファイル %1 の名前を UTF-8 として解読できません"),
                        prefix + *name, QStringLiteral("名前を変えてください")});
    }

    // Immediate entries of every kind (directories and broken links too: only the name is
    // looked at); without QDir::Hidden, names starting with a dot are left out. The listing is
    // put in code-point order so that equal base names keep a deterministic order.
    QStringList names = folder.entryList(
        QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(names.begin(), names.end(), nfcCodePointLess);

    FileList list;
    for (const QString& name : names) {
        if (!isAudioName(name)) {
            continue;
        }
        const QString fileName = name.first(name.lastIndexOf(u'.'));
        const QString captionPath = prefix + fileName + QStringLiteral(".txt");
        std::optional<QUrl> captionUrl;
        if (QFileInfo::exists(captionPath)) {
            captionUrl = QUrl::fromLocalFile(captionPath);
        }
        auto created =
            FileListData::create(fileName, captionUrl, QUrl::fromLocalFile(prefix + name));
        if (!created) {
            return failure(created.failure());
        }
        list.push_back(std::move(*created));
    }
    if (list.empty()) {
        return ReadFolderResult{ErrorType::fileNotFound, std::nullopt, std::nullopt};
    }
    sortByFileName(list);
    return ReadFolderResult{ErrorType::normalEnd, std::move(list), std::nullopt};
}

} // namespace brisomel
