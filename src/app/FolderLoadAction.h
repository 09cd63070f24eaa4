#pragma once

#include "app/WindowState.h"
#include "intake/AudioFacts.h"
#include "intake/FileLists.h"
#include "intake/NamingRule.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QUrl>

#include <optional>

namespace brisomel {

inline const QString kUrlErrorLine = QStringLiteral("url取得エラー");
inline const QString kNotFolderLine = QStringLiteral("folderでない");
inline const QString kFolderReadErrorLine = QStringLiteral("フォルダ読み込みエラー");

// What loading one folder came to.
struct FolderLoadResult {
    QUrl folderUrl;
    std::optional<FileList> list; // present when the folder was read
    QString failure;              // for the window when it was not
    NamingRule naming;            // the rule its speakers were found by
};

// Scans the folder the URL names, finding speakers by the naming rule, and writes the console
// lines of a failure. Runs on a worker thread and touches nothing shared.
FolderLoadResult loadFolder(const QUrl& url, const NamingRule& naming = {});

// Loads dropped or chosen folders off the GUI thread and publishes each folder that was read
// into the holder and the window state. Loads are independent: each one that succeeds replaces
// what an earlier one published, in the order in which they finish. Each published folder's
// audio files are then checked off the GUI thread; publishing another folder cancels the check.
// Speakers are found by the naming rule given last: a new rule reads the loaded folder again.
class FolderLoadAction : public QObject {
    Q_OBJECT
public:
    FolderLoadAction(FileLists& fileLists, WindowState& state, QObject* parent = nullptr);
    ~FolderLoadAction() override;

    // Starts loading the first URL and ignores the rest; false when there is none. Every entry
    // of a folder loaded so is ticked.
    bool dropFolder(const QList<QUrl>& urls);

    // Reads the loaded folder again, so captions and takes changed since are picked up. False
    // when no folder has loaded.
    bool reload();

    // Publishes a folder that was read: the list, the folder, its name, the counts and, in
    // place of whatever the user typed, the folder's name as the timeline name.
    void setFolder(std::optional<FileList> list, const QUrl& folderUrl);

    const NamingRule& naming() const { return naming_; }
    // Reads the loaded folder again when the rule differs.
    void setNaming(const NamingRule& naming);

signals:
    // A load has been handled, whether or not it succeeded.
    void loadFinished();
    // The published folder's audio files have been checked and what was learnt published.
    void audioCheckFinished();

private:
    // A folder the user gave, or the loaded one read again (reloaded, or for a new naming rule):
    // that keeps the timeline name, and its entries keep their ticks by file name.
    enum class LoadKind { given, reread };
    void startLoad(const QUrl& url, LoadKind kind);
    void finishLoad(const FolderLoadResult& result, LoadKind kind);
    // setFolder but the timeline name, once the list has been replaced.
    void publishFolder(const QUrl& folderUrl);
    void checkAudio(const FileList& entries);
    void cancelAudioCheck();

    FileLists& fileLists_;
    WindowState& state_;
    NamingRule naming_;
    QFutureWatcher<AudioFacts>* audioCheck_ = nullptr;
};

} // namespace brisomel
