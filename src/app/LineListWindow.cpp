#include "app/LineListWindow.h"

#include "app/FolderLoadAction.h"
#include "app/LineEditDelegate.h"
#include "app/LineFilter.h"
#include "app/LineListModel.h"
#include "app/LinePlayer.h"
#include "app/WindowState.h"
#include "settings/UserSettings.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace brisomel {

namespace {

const QString kAllSpeakers = QStringLiteral("すべての話者");
const QString kAllStates = QStringLiteral("すべての行");
const QString kProblemsOnly = QStringLiteral("問題のある行だけ");
const QString kGeometryKey = QStringLiteral("lineList/geometry");
const QString kColumnsKey = QStringLiteral("lineList/columns");
constexpr QSize kFirstSize{990, 520};

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

LineListWindow::LineListWindow(LineListModel& lines, const WindowState& state,
                               FolderLoadAction& folderLoad, UserSettings& settings,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), lines_(lines), state_(state), folderLoad_(folderLoad),
      settings_(settings), filter_(new LineFilter(lines, this)), player_(new LinePlayer(this)) {
    setObjectName(QStringLiteral("lineListWindow"));
    // The main window's closing ends the program even while the list is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* content = new QVBoxLayout(this);
    content->addWidget(makeFilterRow());
    setUpTable();
    content->addWidget(table_, 1);
    content->addWidget(makeActionRow());
    addShortcuts();
    restoreLayout();

    showTitle();
    showSpeakers();
    showSummary();
    connect(&state, &WindowState::folderNameChanged, this, &LineListWindow::showTitle);
    connect(&state, &WindowState::folderUrlChanged, this, &LineListWindow::clearFilters);
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(filter_, signal, this, &LineListWindow::showSummary);
    }
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &LineListWindow::showSummary);
    connect(filter_, &QAbstractItemModel::modelReset, this, &LineListWindow::showSummary);
    connect(&lines, &QAbstractItemModel::modelReset, this, [this] {
        player_->stop();
        showSpeakers();
    });
    connect(&lines.fileLists(), &FileLists::ticksChanged, this, &LineListWindow::showSummary);
    connect(&lines.fileLists(), &FileLists::fileListsChanged, this, &LineListWindow::showSummary);
    // A corrected speaker may be one the filter did not offer. Queued: the edit's editor is
    // still closing when the list signals, and the filter must not change beneath it.
    connect(
        &lines.fileLists(), &FileLists::captionsChanged, this,
        [this] {
            QStringList offered;
            for (int i = 1; i < speakerPicker_->count(); ++i) {
                offered << speakerPicker_->itemText(i);
            }
            if (offered != lines_.speakers()) {
                showSpeakers();
            }
        },
        Qt::QueuedConnection);
    connect(player_, &LinePlayer::playingChanged, this, &LineListWindow::showPlaying);
    connect(player_, &LinePlayer::failed, this,
            [this](const Failure& failure) { message_->setText(failure.message()); });
}

QWidget* LineListWindow::makeFilterRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    speakerPicker_ = new QComboBox(row);
    speakerPicker_->setObjectName(QStringLiteral("speakerFilter"));
    speakerPicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    statePicker_ = new QComboBox(row);
    statePicker_->setObjectName(QStringLiteral("stateFilter"));
    statePicker_->addItems({kAllStates, kProblemsOnly});
    statePicker_->setToolTip(QStringLiteral("問題のある行: 音声を読み込めない行と、話者のない行"));
    searchField_ = new QLineEdit(row);
    searchField_->setObjectName(QStringLiteral("searchField"));
    searchField_->setPlaceholderText(QStringLiteral("ファイル名・セリフを検索"));
    searchField_->setClearButtonEnabled(true);
    QPushButton* tickAll = makeButton(QStringLiteral("すべて選ぶ"), "tickShownButton", row);
    QPushButton* untickAll = makeButton(QStringLiteral("すべて外す"), "untickShownButton", row);
    layout->addWidget(speakerPicker_);
    layout->addWidget(statePicker_);
    layout->addWidget(searchField_, 1);
    layout->addWidget(tickAll);
    layout->addWidget(untickAll);

    connect(speakerPicker_, &QComboBox::currentIndexChanged, this, [this](int index) {
        filter_->setSpeaker(index > 0 ? std::optional(speakerPicker_->itemText(index))
                                      : std::nullopt);
    });
    connect(statePicker_, &QComboBox::currentIndexChanged, filter_,
            [this](int index) { filter_->setProblemsOnly(index == 1); });
    connect(searchField_, &QLineEdit::textChanged, filter_, &LineFilter::setSearchText);
    connect(tickAll, &QPushButton::clicked, this, [this] { filter_->setShownTicked(true); });
    connect(untickAll, &QPushButton::clicked, this, [this] { filter_->setShownTicked(false); });
    return row;
}

void LineListWindow::setUpTable() {
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("lineTable"));
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows of one height let the view place 10,000 of them without measuring each.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = table_->horizontalHeader();
    columns->setStretchLastSection(true);
    columns->resizeSection(LineListModel::tickColumn, 64);
    columns->resizeSection(LineListModel::numberColumn, 48);
    // What is left of the first width, less a scroll bar, goes to 状態.
    columns->resizeSection(LineListModel::fileColumn, 180);
    columns->resizeSection(LineListModel::speakerColumn, 90);
    columns->resizeSection(LineListModel::captionColumn, 170);
    columns->resizeSection(LineListModel::lengthColumn, 140);
    columns->resizeSection(LineListModel::loudnessColumn, 90);
    // The caption and the speaker are edited with F2 or a double click; a double click
    // elsewhere plays the line.
    table_->setItemDelegate(new LineEditDelegate(table_));
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(table_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!(index.flags() & Qt::ItemIsEditable) && index.column() != LineListModel::tickColumn) {
            playRow(filter_->mapToSource(index).row());
        }
    });
}

QWidget* LineListWindow::makeActionRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    playButton_ = makeButton(QStringLiteral("再生"), "playButton", row);
    QPushButton* reload = makeButton(QStringLiteral("再読み込み"), "reloadButton", row);
    QPushButton* revert = makeButton(QStringLiteral("元に戻す"), "revertEditButton", row);
    revert->setToolTip(QStringLiteral("選んだ行のセリフと話者をファイルのとおりに戻します"));
    QPushButton* save = makeButton(QStringLiteral("字幕ファイルに保存"), "saveCaptionsButton", row);
    save->setToolTip(QStringLiteral("直したセリフを字幕ファイルに書き込みます（文字コードと"
                                    "改行はファイルのまま）"));
    reload->setToolTip(
        QStringLiteral("フォルダを読み直します（チェックはファイル名で引き継ぎます）"));
    message_ = new QLabel(row);
    message_->setObjectName(QStringLiteral("playMessage"));
    summary_ = new QLabel(row);
    summary_->setObjectName(QStringLiteral("tickSummary"));
    layout->addWidget(playButton_);
    layout->addWidget(reload);
    layout->addWidget(revert);
    layout->addWidget(save);
    layout->addWidget(message_, 1);
    layout->addWidget(summary_);

    if (!LinePlayer::hasAudioOutput()) {
        playButton_->setEnabled(false);
        playButton_->setToolTip(kNoAudioOutputText);
    }
    connect(playButton_, &QPushButton::clicked, this, &LineListWindow::togglePlaying);
    connect(reload, &QPushButton::clicked, &folderLoad_, &FolderLoadAction::reload);
    connect(revert, &QPushButton::clicked, this, [this] {
        const QModelIndex current = table_->currentIndex();
        if (current.isValid()) {
            lines_.revertEdits(filter_->mapToSource(current).row());
        }
    });
    connect(save, &QPushButton::clicked, this, &LineListWindow::saveEditedCaptions);
    return row;
}

void LineListWindow::addShortcuts() {
    auto* play = new QAction(QStringLiteral("再生／停止"), this);
    play->setObjectName(QStringLiteral("playAction"));
    play->setShortcut(Qt::Key_Space);
    play->setEnabled(playButton_->isEnabled());
    play->setToolTip(playButton_->toolTip());
    connect(play, &QAction::triggered, this, &LineListWindow::togglePlaying);
    auto* stop = new QAction(QStringLiteral("停止"), this);
    stop->setShortcut(Qt::Key_Escape);
    connect(stop, &QAction::triggered, player_, &LinePlayer::stop);
    auto* reload = new QAction(QStringLiteral("再読み込み"), this);
    reload->setShortcut(Qt::Key_F5);
    connect(reload, &QAction::triggered, &folderLoad_, &FolderLoadAction::reload);
    addActions({play, stop, reload});
}

void LineListWindow::togglePlaying() {
    if (!player_->playingPath().isEmpty()) {
        player_->stop();
        return;
    }
    const QModelIndex current = table_->currentIndex();
    if (current.isValid()) {
        playRow(filter_->mapToSource(current).row());
    }
}

void LineListWindow::playRow(int sourceRow) {
    if (!playButton_->isEnabled()) {
        return; // no audio output: the button's tool tip says so
    }
    const Status started = player_->play(lines_.entryAt(sourceRow).soundFilePath());
    message_->setText(started ? QString() : started.failure().message());
}

void LineListWindow::saveEditedCaptions() {
    const Result<int> saved = lines_.saveEditedCaptions();
    message_->setText(saved ? QStringLiteral("字幕ファイル %1 件に保存しました").arg(*saved)
                            : saved.failure().message());
}

void LineListWindow::showPlaying(const QString& path) {
    lines_.setPlayingRow(path.isEmpty() ? -1 : lines_.rowOfSoundFile(path));
    playButton_->setText(path.isEmpty() ? QStringLiteral("再生") : QStringLiteral("停止"));
}

void LineListWindow::showTitle() {
    setWindowTitle(QStringLiteral("行の一覧 — %1").arg(state_.folderName()));
}

// The speakers of the folder now loaded; the chosen one stays chosen while the folder has it.
void LineListWindow::showSpeakers() {
    const QString chosen =
        speakerPicker_->currentIndex() > 0 ? speakerPicker_->currentText() : QString();
    const QSignalBlocker quiet(speakerPicker_);
    speakerPicker_->clear();
    speakerPicker_->addItem(kAllSpeakers);
    speakerPicker_->addItems(lines_.speakers());
    const int kept = chosen.isEmpty() ? 0 : std::max(0, speakerPicker_->findText(chosen));
    speakerPicker_->setCurrentIndex(kept);
    filter_->setSpeaker(kept > 0 ? std::optional(chosen) : std::nullopt);
}

// How many lines are ticked and, whenever a filter hides some, how many are shown.
void LineListWindow::showSummary() {
    const QString ticked = tickSummaryText(lines_.tickedCount(), lines_.rowCount());
    const int shown = filter_->rowCount();
    summary_->setText(shown < lines_.rowCount()
                          ? shownRowsText(shown, lines_.rowCount()) + QStringLiteral("　") + ticked
                          : ticked);
}

void LineListWindow::clearFilters() {
    speakerPicker_->setCurrentIndex(0);
    statePicker_->setCurrentIndex(0);
    searchField_->clear();
}

void LineListWindow::showProblemsOnly() {
    clearFilters();
    statePicker_->setCurrentIndex(1);
}

void LineListWindow::restoreLayout() {
    if (!restoreGeometry(settings_.windowLayout(kGeometryKey))) {
        resize(kFirstSize);
        placeBesideParent();
    }
    table_->horizontalHeader()->restoreState(settings_.windowLayout(kColumnsKey));
}

// To the right of the main window where the screen has room, else to its left, else as far right
// as the screen allows; never off the screen.
void LineListWindow::placeBesideParent() {
    if (!parentWidget()) {
        return;
    }
    const QWidget* main = parentWidget()->window();
    const QRect beside = main->frameGeometry();
    const QScreen* screen = main->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(beside.topLeft(), kFirstSize);
    constexpr int kGap = 8;
    int x = beside.right() + kGap;
    if (x + kFirstSize.width() > room.right() &&
        beside.left() - kGap - kFirstSize.width() >= room.left()) {
        x = beside.left() - kGap - kFirstSize.width();
    }
    x = std::max(room.left(), std::min(x, room.right() - kFirstSize.width()));
    const int y = std::max(room.top(), std::min(beside.top(), room.bottom() - kFirstSize.height()));
    move(x, y);
}

void LineListWindow::saveLayout() {
    settings_.setWindowLayout(kGeometryKey, saveGeometry());
    settings_.setWindowLayout(kColumnsKey, table_->horizontalHeader()->saveState());
}

// Closing the window hides it: the audio stops and the layout is kept for the next opening.
void LineListWindow::hideEvent(QHideEvent* event) {
    player_->stop();
    saveLayout();
    QWidget::hideEvent(event);
}

} // namespace brisomel
