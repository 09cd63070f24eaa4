#include "app/MainWindow.h"
#include "app/ContentView.h"
#include "app/DialogExportUi.h"
#include "app/MenuBarRules.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace brisomel;
using namespace Qt::StringLiterals;

TEST(MenuBarRules, OnlyTheMenuAtPosition5IsHiddenAndOnlyWhenThereIsOne) {
    for (int menus : {4, 5, 6, 7}) {
        QMenuBar bar;
        for (int i = 0; i < menus; ++i) {
            bar.addMenu(QString::number(i));
        }
        EXPECT_EQ(hideTopLevelMenu(bar), menus > 5) << menus;
        for (int i = 0; i < menus; ++i) {
            EXPECT_EQ(bar.actions()[i]->isVisible(), i != 5) << menus << " menus, menu " << i;
        }
    }
}

// Leaves a picture of the window with the bundled example loaded in the build folder.
TEST(MainWindow, HasItsFourMenusAndRendersWithAFolderLoaded) {
    MainWindow window;
    window.show();
    QSignalSpy finished(&window.contentView()->folderLoad(), &FolderLoadAction::loadFinished);
    window.contentView()->folderLoad().dropFolder(
        {QUrl::fromLocalFile(QStringLiteral(APP_TEST_EXAMPLE_DIR))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 10000));

    QStringList menus;
    for (const QAction* menu : window.menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, (QStringList{u"ファイル"_s, u"編集"_s, u"ウインドウ"_s, u"ヘルプ"_s}));
    EXPECT_EQ(window.contentView()->size(), QSize(400, 640));
    const QImage picture = window.grab().toImage();
    EXPECT_TRUE(picture.save(QDir(QStringLiteral(APP_TEST_OUTPUT_DIR)).filePath(u"window.png"_s)));
}

TEST(DialogExportUi, TheAlertShowsBothTextsAndTheSingleButtonYes) {
    QStringList seen;
    // The alert is modal: it is read and answered from inside its own event loop.
    QTimer::singleShot(0, qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seen << box->text() << box->informativeText();
        for (QAbstractButton* button : box->buttons()) {
            seen << button->text();
        }
        box->buttons().constFirst()->click();
    });
    DialogExportUi(nullptr).showAlert(u"ファイル書き込みエラー"_s, u"詳しい説明"_s);
    EXPECT_EQ(seen, (QStringList{u"ファイル書き込みエラー"_s, u"詳しい説明"_s, u"はい"_s}));
}

TEST(MainWindow, ClosingTheWindowEndsTheProgram) {
    MainWindow window;
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}
