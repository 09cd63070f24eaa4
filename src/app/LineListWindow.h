#pragma once

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace brisomel {

class FolderLoadAction;
class LineFilter;
class LineListModel;
class LinePlayer;
class UserSettings;
class WindowState;

// "行の一覧 — FOLDER": every line of the loaded folder with its tick, filtered by speaker and
// searched by file name and caption or narrowed to the lines with a problem, to listen to lines,
// correct their captions and speakers, and choose those the export writes. Another folder clears
// the filters; a reload keeps them. Not modal; it first opens beside the main window, then where
// the user left it, with the column widths the user gave.
class LineListWindow : public QWidget {
    Q_OBJECT
public:
    LineListWindow(LineListModel& lines, const WindowState& state, FolderLoadAction& folderLoad,
                   UserSettings& settings, QWidget* parent = nullptr);

    LineFilter& filter() const { return *filter_; }
    QTableView* table() const { return table_; }
    LinePlayer& player() const { return *player_; }

    // Plays the current row's audio, or stops the audio that plays.
    void togglePlaying();
    // Shows only the lines with a problem, of every speaker.
    void showProblemsOnly();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeFilterRow();
    QWidget* makeActionRow();
    void setUpTable();
    void addShortcuts();
    void restoreLayout();
    void placeBesideParent();
    void clearFilters();
    void saveLayout();
    void showTitle();
    void showSpeakers();
    void showSummary();
    void showPlaying(const QString& path);
    void playRow(int sourceRow);
    void saveEditedCaptions();

    LineListModel& lines_;
    const WindowState& state_;
    FolderLoadAction& folderLoad_;
    UserSettings& settings_;
    LineFilter* filter_;
    LinePlayer* player_;
    QComboBox* speakerPicker_ = nullptr;
    QComboBox* statePicker_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* summary_ = nullptr;
};

} // namespace brisomel
