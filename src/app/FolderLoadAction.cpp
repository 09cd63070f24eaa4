#include "app/FolderLoadAction.h"

#include "app/AudioCheck.h"
#include "intake/ConsoleLine.h"
#include "intake/ReadFolder.h"

#include <QDir>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace brisomel {

namespace {

// The console line of a failed load: the kind of failure, after the failure itself when a
// file or the folder could not be read.
void writeFailureLines(const Failure& failure) {
    switch (folderReadCode(failure)) {
    case FolderReadCode::notLocal:
        writeConsoleLine(kUrlErrorLine);
        return;
    case FolderReadCode::notFolder:
        writeConsoleLine(kNotFolderLine);
        return;
    case FolderReadCode::unreadable:
        writeConsoleLine(failure.message());
        break;
    case FolderReadCode::empty:
        break;
    }
    writeConsoleLine(kFolderReadErrorLine);
}

// The folder's own name; the path itself for a folder that has none (the root).
QString lastPathComponent(const QUrl& folderUrl) {
    const QString name = folderUrl.adjusted(QUrl::StripTrailingSlash).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folderUrl.toLocalFile()) : name;
}

template <typename Present>
QString countText(const std::optional<FileList>& list, Present present) {
    if (!list) {
        return QStringLiteral("0");
    }
    return QString::number(std::count_if(list->begin(), list->end(), present));
}

} // namespace

FolderLoadResult loadFolder(const QUrl& url) {
    Result<FileList> scan = readFolder(url);
    if (!scan) {
        writeFailureLines(scan.failure());
        return FolderLoadResult{url, std::nullopt, scan.failure().message()};
    }
    return FolderLoadResult{url, std::move(*scan), QString()};
}

FolderLoadAction::FolderLoadAction(FileLists& fileLists, WindowState& state, QObject* parent)
    : QObject(parent), fileLists_(fileLists), state_(state) {}

// A window that closes does not wait for the rest of a long check.
FolderLoadAction::~FolderLoadAction() {
    cancelAudioCheck();
}

bool FolderLoadAction::dropFolder(const QList<QUrl>& urls) {
    // A drop that offers nothing is refused; there is nothing to report.
    if (urls.isEmpty()) {
        return false;
    }
    startLoad(urls.first(), LoadKind::fresh);
    return true;
}

bool FolderLoadAction::reload() {
    if (!state_.folderUrl()) {
        return false;
    }
    startLoad(*state_.folderUrl(), LoadKind::reload);
    return true;
}

void FolderLoadAction::startLoad(const QUrl& url, LoadKind kind) {
    // Each load has its own watcher, so a load that finishes late cannot be mistaken for
    // another one; the scan itself shares nothing with this object.
    auto* watcher = new QFutureWatcher<FolderLoadResult>(this);
    connect(watcher, &QFutureWatcher<FolderLoadResult>::finished, this, [this, watcher, kind] {
        finishLoad(watcher->result(), kind);
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run(loadFolder, url));
}

void FolderLoadAction::setFolder(std::optional<FileList> list, const QUrl& folderUrl) {
    publish(std::move(list), folderUrl, LoadKind::fresh);
}

void FolderLoadAction::publish(std::optional<FileList> list, const QUrl& folderUrl, LoadKind kind) {
    fileLists_.setFileLists(std::move(list));
    state_.setFolderUrl(folderUrl);
    state_.setFolderName(lastPathComponent(folderUrl));
    const auto& published = fileLists_.fileLists();
    state_.setTextCount(countText(
        published, [](const FileListPtr& entry) { return entry->textFileUrl().has_value(); }));
    state_.setSoundCount(countText(
        published, [](const FileListPtr& entry) { return entry->soundFileUrl().has_value(); }));
    if (kind == LoadKind::fresh) {
        state_.setTimelineName(lastPathComponent(folderUrl));
    }
}

void FolderLoadAction::finishLoad(FolderLoadResult result, LoadKind kind) {
    if (!result.list) {
        state_.setLoadFailure(result.failure);
        emit loadFinished();
        return;
    }
    // A reload that another folder overtook counts as a load of its own folder.
    const bool sameFolder = state_.folderUrl() == result.folderUrl;
    const LoadKind published = kind == LoadKind::reload && sameFolder ? kind : LoadKind::fresh;
    if (published == LoadKind::reload && fileLists_.fileLists()) {
        copyTicksByFileName(*fileLists_.fileLists(), *result.list);
    }
    publish(result.list, result.folderUrl, published);
    state_.setLoadFailure(QString());
    checkAudio(*result.list);
    emit loadFinished();
}

void FolderLoadAction::checkAudio(const FileList& entries) {
    cancelAudioCheck();
    state_.setAudioFailures({});
    state_.setAudioSeconds({});
    auto* watcher = new QFutureWatcher<AudioCheckResult>(this);
    connect(watcher, &QFutureWatcher<AudioCheckResult>::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (watcher != audioCheck_) {
            return; // a check of a folder no longer shown
        }
        audioCheck_ = nullptr;
        if (watcher->future().resultCount() > 0) {
            const AudioCheckResult checked = watcher->result();
            state_.setAudioSeconds(checked.seconds);
            state_.setAudioFailures(checked.failures);
        }
        emit audioCheckFinished();
    });
    audioCheck_ = watcher;
    watcher->setFuture(QtConcurrent::run(checkAudioFiles, audioFilesToCheck(entries)));
}

// The cancelled check runs on until it next looks, but its result reaches no one.
void FolderLoadAction::cancelAudioCheck() {
    if (audioCheck_) {
        audioCheck_->disconnect(this);
        audioCheck_->cancel();
        audioCheck_->deleteLater();
        audioCheck_ = nullptr;
    }
}

} // namespace brisomel
