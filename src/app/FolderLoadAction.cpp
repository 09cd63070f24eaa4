#include "app/FolderLoadAction.h"

#include "audio/AudioFactsCheck.h"
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
    switch (failure.code) {
    case FailureCode::folderNotLocal:
        writeConsoleLine(kUrlErrorLine);
        return;
    case FailureCode::folderNotFolder:
        writeConsoleLine(kNotFolderLine);
        return;
    case FailureCode::folderUnreadable:
        writeConsoleLine(failure.message());
        break;
    default:
        break;
    }
    writeConsoleLine(kFolderReadErrorLine);
}

// The folder's own name; the path itself for a folder that has none (the root).
QString lastPathComponent(const QUrl& folderUrl) {
    const QString name = folderUrl.adjusted(QUrl::StripTrailingSlash).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folderUrl.toLocalFile()) : name;
}

template <typename Present> QString countText(const FileList& lines, Present present) {
    return QString::number(std::count_if(lines.begin(), lines.end(), present));
}

// Checks the files on a worker thread; a cancelled check reports nothing.
void checkAudioFiles(QPromise<AudioFacts>& promise, const QStringList& paths) {
    if (auto facts = readAudioFacts(paths, [&promise] { return promise.isCanceled(); })) {
        promise.addResult(std::move(*facts));
    }
}

} // namespace

FolderLoadResult loadFolder(const QUrl& url, const NamingRule& naming) {
    Result<FileList> scan = readFolder(url, naming);
    if (!scan) {
        writeFailureLines(scan.failure());
        return FolderLoadResult{url, std::nullopt, scan.failure().message(), naming};
    }
    return FolderLoadResult{url, std::move(*scan), QString(), naming};
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
    startLoad(urls.first(), LoadKind::given);
    return true;
}

bool FolderLoadAction::reload() {
    if (!state_.folderUrl()) {
        return false;
    }
    startLoad(*state_.folderUrl(), LoadKind::reread);
    return true;
}

void FolderLoadAction::setNaming(const NamingRule& naming) {
    if (naming == naming_) {
        return;
    }
    naming_ = naming;
    if (const std::optional<QUrl>& loaded = state_.folderUrl()) {
        startLoad(*loaded, LoadKind::reread);
    }
}

void FolderLoadAction::startLoad(const QUrl& url, LoadKind kind) {
    // Each load has its own watcher, so a load that finishes late cannot be mistaken for
    // another one; the scan itself shares nothing with this object.
    auto* watcher = new QFutureWatcher<FolderLoadResult>(this);
    connect(watcher, &QFutureWatcher<FolderLoadResult>::finished, this, [this, watcher, kind] {
        finishLoad(watcher->result(), kind);
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run(loadFolder, url, naming_));
}

void FolderLoadAction::setFolder(std::optional<FileList> list, const QUrl& folderUrl) {
    fileLists_.setFileLists(std::move(list));
    publishFolder(folderUrl);
    state_.setTimelineName(lastPathComponent(folderUrl));
}

void FolderLoadAction::publishFolder(const QUrl& folderUrl) {
    state_.setFolderUrl(folderUrl);
    state_.setFolderName(lastPathComponent(folderUrl));
    const FileList& published = fileLists_.lines();
    state_.setTextCount(
        countText(published, [](const FileListPtr& entry) { return entry->hasTextFile(); }));
    state_.setSoundCount(
        countText(published, [](const FileListPtr& entry) { return entry->hasSoundFile(); }));
    const SpeakerTally speakers = tallySpeakers(published);
    state_.setSpeakerCount(QString::number(speakers.speakerCount));
}

void FolderLoadAction::finishLoad(const FolderLoadResult& result, LoadKind kind) {
    // The rule changed while the folder was read: a given folder is read again by the new rule
    // (the loaded one already is).
    if (result.naming != naming_) {
        if (kind == LoadKind::given) {
            startLoad(result.folderUrl, kind);
        }
        return;
    }
    if (kind == LoadKind::reread && state_.folderUrl() != result.folderUrl) {
        emit loadFinished(); // another folder has been loaded since
        return;
    }
    if (result.list) {
        if (kind == LoadKind::given) {
            setFolder(result.list, result.folderUrl);
        } else {
            fileLists_.setFileListsKeepingTicks(*result.list);
            publishFolder(result.folderUrl);
        }
        state_.setLoadFailure(QString());
        checkAudio(fileLists_.lines());
    } else {
        state_.setLoadFailure(result.failure);
    }
    emit loadFinished();
}

void FolderLoadAction::checkAudio(const FileList& entries) {
    cancelAudioCheck();
    auto* watcher = new QFutureWatcher<AudioFacts>(this);
    connect(watcher, &QFutureWatcher<AudioFacts>::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (watcher != audioCheck_) {
            return; // a check of a folder no longer shown
        }
        audioCheck_ = nullptr;
        if (watcher->future().resultCount() > 0) {
            fileLists_.setAudioFacts(watcher->result());
        }
        emit audioCheckFinished();
    });
    audioCheck_ = watcher;
    watcher->setFuture(QtConcurrent::run(checkAudioFiles, audioFilesOf(entries)));
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
