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
    publish(std::move(list), folderUrl);
    state_.setTimelineName(lastPathComponent(folderUrl));
}

void FolderLoadAction::publish(std::optional<FileList> list, const QUrl& folderUrl) {
    fileLists_.setFileLists(std::move(list));
    state_.setFolderUrl(folderUrl);
    state_.setFolderName(lastPathComponent(folderUrl));
    const auto& published = fileLists_.fileLists();
    state_.setTextCount(countText(
        published, [](const FileListPtr& entry) { return entry->textFileUrl().has_value(); }));
    state_.setSoundCount(countText(
        published, [](const FileListPtr& entry) { return entry->soundFileUrl().has_value(); }));
    const SpeakerTally speakers = published ? tallySpeakers(*published) : SpeakerTally{};
    state_.setSpeakerCount(QString::number(speakers.speakerCount));
    state_.setUnnamedFiles(speakers.unnamedFiles);
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
            FileList reread = *result.list;
            if (fileLists_.fileLists()) {
                copyTicksByFileName(*fileLists_.fileLists(), reread);
            }
            publish(reread, result.folderUrl);
        }
        state_.setLoadFailure(QString());
        checkAudio(*result.list);
    } else {
        state_.setLoadFailure(result.failure);
    }
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
