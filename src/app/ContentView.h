#pragma once

#include "app/DialogExportUi.h"
#include "app/FolderLoadAction.h"
#include "app/WindowState.h"
#include "intake/FileLists.h"
#include "loudness/LoudnessCache.h"
#include "settings/UserSettings.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QSettings;

namespace brisomel {

class LineListModel;
class LineListWindow;

// The alert that stops an export for ticked lines whose audio cannot be read: how many, the first
// few files by name with the reason each fails for now, and the way on.
inline constexpr qsizetype kNamedUnreadable = 5;
QString unreadableTickedMessage(qsizetype count);
QString unreadableTickedAdvice(const QList<Failure>& unreadable);

// "書き出しました: Scene1.fcpxml ほか 2 ファイル": what an export wrote, by file name.
QString exportNoteText(const QStringList& writtenPaths);

// The window's content: the voice folder with its summary, the timeline, caption and conversion
// options, and the generate button. It owns the options, the loaded entries and what it shows
// about them.
class ContentView : public QWidget {
    Q_OBJECT
public:
    // The size the window opens at when it has room; the content may need more, never less.
    static constexpr QSize contentSize{400, 660};

    // Options come from the user's preferences store.
    explicit ContentView(QWidget* parent = nullptr);
    // Options come from the given store, which must outlive the view.
    explicit ContentView(QSettings* store, QWidget* parent = nullptr);

    UserSettings& userSettings() { return *userSettings_; }
    FileLists& fileLists() { return *fileLists_; }
    WindowState& state() { return *state_; }
    FolderLoadAction& folderLoad() { return *folderLoad_; }
    LineListModel& lineList() { return *lineList_; }
    // The line list window once it has been opened; null before.
    LineListWindow* lineListWindow() const { return lineListWindow_; }

    QSize sizeHint() const override { return QWidget::sizeHint().expandedTo(contentSize); }

    // Dialogs to ask instead of the desktop's own (tests script them); null restores them.
    void setExportUi(ExportUi* ui) { exportUi_ = ui; }

public slots:
    // Asks for a folder and loads it as if it had been dropped.
    void chooseFolder();
    // Runs the generate action with the current options.
    void generate();
    // Opens the line list of the loaded folder, or brings it to the front.
    void showLineList();
    // Reads the loaded folder again, keeping the ticks.
    void reload();
    // Opens the styles of the loaded folder's speakers.
    void showSpeakerStyles();

private:
    void setUp();

    // Children of the view, made before the controls that show them.
    UserSettings* userSettings_;
    FileLists* fileLists_;
    WindowState* state_;
    FolderLoadAction* folderLoad_;
    LineListModel* lineList_;
    LineListWindow* lineListWindow_ = nullptr;
    DialogExportUi dialogs_;
    ExportUi* exportUi_ = nullptr;
    QPushButton* generateButton_ = nullptr;
    QLabel* exportNote_ = nullptr;
    QPushButton* openFolderButton_ = nullptr;
    QString exportFolder_;   // where the last export wrote
    LoudnessCache loudness_; // what this session has measured
};

} // namespace brisomel
