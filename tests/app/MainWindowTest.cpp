#include "AppTestSupport.h"
#include "ModalAnswer.h"

#include "app/ContentView.h"
#include "app/DropZone.h"
#include "app/MainWindow.h"
#include "app/MenuBarRules.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QTest>

using namespace brisomel;
using namespace brisomel::apptest;

namespace {

QStringList visibleMenus(const QMenuBar& bar) {
    QStringList titles;
    for (const QAction* menu : bar.actions()) {
        if (menu->isVisible()) {
            titles.append(menu->text());
        }
    }
    return titles;
}

void loadAndWait(ContentView* view, const QUrl& folder) {
    QSignalSpy finished(&view->folderLoad(), &FolderLoadAction::loadFinished);
    view->folderLoad().dropFolder({folder});
    ASSERT_TRUE(waitForSignals(finished));
}

} // namespace

TEST(MenuBarRules, OnlyTheMenuAtPosition5IsHiddenAndOnlyWhenThereIsOne) {
    for (int menus : {4, 5, 6, 7}) {
        QMenuBar bar;
        QStringList expected;
        for (int i = 0; i < menus; ++i) {
            bar.addMenu(QString::number(i));
            if (i != 5) {
                expected.append(QString::number(i));
            }
        }
        EXPECT_EQ(hideTopLevelMenu(bar), menus > 5) << menus;
        EXPECT_EQ(visibleMenus(bar), expected) << menus;
    }
}

// Also leaves a picture of the window with a folder loaded in the build folder (window.png).
TEST(MainWindow, HasItsMenusAndAFixedSizeAndRendersWithAFolderLoaded) {
    TempStore store;
    VoiceFolder folder(QStringLiteral("Scene1"));
    folder.addVoice(QStringLiteral("001_Hanako（normal）_hello"), QStringLiteral("こんにちは"));
    folder.addVoice(QStringLiteral("002_Taro（happy）_おはよう"), QStringLiteral("おはよう"));
    folder.addVoice(QStringLiteral("003_Hanako（normal）_bye"));
    MainWindow window(store.settings());
    window.show();
    loadAndWait(window.contentView(), folder.url());

    EXPECT_EQ(visibleMenus(*window.menuBar()),
              (QStringList{"ファイル", "編集", "ウインドウ", "ヘルプ"}));
    EXPECT_EQ(window.contentView()->size(), QSize(400, 640));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const QImage picture = window.grab().toImage();
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), window.size());
    EXPECT_TRUE(picture.save(
        QDir(QStringLiteral(APP_TEST_OUTPUT_DIR)).filePath(QStringLiteral("window.png"))));
}

// The folder chooser feeds the same load as a drop: from the File menu and from a click.
TEST(MainWindow, OpeningAFolderFromTheMenuOrTheDropZoneLoadsIt) {
    TempStore store;
    VoiceFolder folder(QStringLiteral("Chosen"));
    folder.addVoice(QStringLiteral("a"), QStringLiteral("caption"));
    MainWindow window(store.settings());
    window.show();
    ContentView* view = window.contentView();
    QSignalSpy finished(&view->folderLoad(), &FolderLoadAction::loadFinished);

    answerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(view->findChild<DropZone*>(), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 0);

    QAction* open = nullptr;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("フォルダを開く…")) {
            open = action;
        }
    }
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->shortcut(), QKeySequence(QKeySequence::Open));
    answerModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(folder.path());
        static_cast<QDialog*>(dialog)->accept(); // through QDialog: the override is protected
    });
    open->trigger();

    ASSERT_TRUE(waitForSignals(finished));
    EXPECT_EQ(view->state().folderName(), QStringLiteral("Chosen"));
}

TEST(MainWindow, ClosingTheWindowEndsTheProgram) {
    TempStore store;
    MainWindow window(store.settings());
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}
