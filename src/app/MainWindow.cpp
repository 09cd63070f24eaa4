#include "app/MainWindow.h"

#include "app/ContentView.h"
#include "app/MenuBarRules.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <functional>

namespace brisomel {

namespace {

// An edit command that acts on the text field that has the focus.
template <typename Command>
void addEditAction(QMenu* menu, const QString& text, QKeySequence::StandardKey key,
                   Command command) {
    QAction* action = menu->addAction(text, [command] {
        if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            std::invoke(command, field);
        }
    });
    action->setShortcut(key);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), contentView_(new ContentView(this)) {
    setUp();
}

MainWindow::MainWindow(QSettings* store, QWidget* parent)
    : QMainWindow(parent), contentView_(new ContentView(store, this)) {
    setUp();
}

void MainWindow::setUp() {
    // The content never gets less than it needs: on a screen too low for it, it scrolls.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(contentView_);
    setCentralWidget(scroll);
    createFileMenu();
    createEditMenu();
    createWindowMenu();
    createHelpMenu();
    hideTopLevelMenu(*menuBar());
    const int scrollBar = scroll->verticalScrollBar()->sizeHint().width();
    const int contentWidth =
        std::max(contentView_->minimumWidth(), contentView_->minimumSizeHint().width());
    setMinimumWidth(contentWidth + scrollBar);
    QSize first = contentView_->sizeHint() + QSize(0, menuBar()->sizeHint().height());
    if (screen()) {
        first = first.boundedTo(screen()->availableGeometry().size());
    }
    resize(first.expandedTo(minimumSize()));
}

void MainWindow::createFileMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ファイル"));
    QAction* open = menu->addAction(QStringLiteral("フォルダを開く…"), contentView_,
                                    &ContentView::chooseFolder);
    open->setShortcut(QKeySequence::Open);
    QAction* reload =
        menu->addAction(QStringLiteral("再読み込み"), contentView_, &ContentView::reload);
    reload->setObjectName(QStringLiteral("reloadAction"));
    reload->setShortcut(Qt::Key_F5);
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("終了"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
}

void MainWindow::createEditMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("編集"));
    addEditAction(menu, QStringLiteral("取り消す"), QKeySequence::Undo, &QLineEdit::undo);
    addEditAction(menu, QStringLiteral("やり直す"), QKeySequence::Redo, &QLineEdit::redo);
    menu->addSeparator();
    addEditAction(menu, QStringLiteral("カット"), QKeySequence::Cut, &QLineEdit::cut);
    addEditAction(menu, QStringLiteral("コピー"), QKeySequence::Copy, &QLineEdit::copy);
    addEditAction(menu, QStringLiteral("ペースト"), QKeySequence::Paste, &QLineEdit::paste);
    menu->addSeparator();
    addEditAction(menu, QStringLiteral("すべてを選択"), QKeySequence::SelectAll,
                  &QLineEdit::selectAll);
}

void MainWindow::createWindowMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ウインドウ"));
    QAction* lineList =
        menu->addAction(QStringLiteral("行の一覧…"), contentView_, &ContentView::showLineList);
    lineList->setObjectName(QStringLiteral("lineListAction"));
    lineList->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* styles = menu->addAction(QStringLiteral("話者ごとのスタイル…"), contentView_,
                                      &ContentView::showSpeakerStyles);
    styles->setObjectName(QStringLiteral("speakerStylesAction"));
    styles->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    menu->addSeparator();
    QAction* minimize = menu->addAction(QStringLiteral("最小化"), this, &QWidget::showMinimized);
    minimize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
}

void MainWindow::createHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    QAction* about =
        menu->addAction(QStringLiteral("Brisomel について"), this, &MainWindow::showAbout);
    about->setMenuRole(QAction::AboutRole);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, QStringLiteral("Brisomel について"),
                       QStringLiteral("Brisomel %1\n\n音声フォルダからタイムラインを作成します。")
                           .arg(QApplication::applicationVersion()));
}

} // namespace brisomel
