#include "app/MainWindow.h"
#include "app/AlertText.h"
#include "app/ContentView.h"
#include "app/DialogExportUi.h"
#include "app/ElidedLabel.h"
#include "app/LineFilter.h"
#include "app/LineListModel.h"
#include "app/LineListWindow.h"
#include "app/SpeakerStylesDialog.h"
#include "styles/StoredStyles.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTimer>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// Runs `answer` on the modal dialog of the given kind once it is open.
template <typename Dialog, typename Answer> void whenOpen(Answer answer) {
    QTimer::singleShot(0, qApp, [answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            answer(dialog);
        } else {
            whenOpen<Dialog>(answer);
        }
    });
}

// The texts of a dialog's labels and buttons that are not Japanese.
QStringList untranslatedTexts(const QWidget* dialog) {
    QStringList english;
    const auto check = [&](const QString& text) {
        if (text.contains(QRegularExpression(u"^[\\x00-\\x7F]*[A-Za-z]{2}[\\x00-\\x7F]*$"_s))) {
            english << text;
        }
    };
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        check(label->text());
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        check(button->text());
    }
    return english;
}

} // namespace

// Leaves pictures of the window, the line list and the styles dialog in the build folder.
TEST(MainWindow, HasItsFourMenusReloadsWithF5AndRendersTheBundledExample) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
    UserSettings settings(&store);
    CaptionStyle gold; // so that the pictures show a style
    gold.color = {255, 215, 0, 255};
    gold.outline = Outline{{0, 0, 0, 255}, 6};
    storeStyle(settings, u"Hanako"_s, gold);
    MainWindow window(&store);
    window.show();
    ContentView& view = *window.contentView();
    const QUrl example = QUrl::fromLocalFile(QStringLiteral(APP_TEST_EXAMPLE_DIR));
    ASSERT_TRUE(testsupport::loadChecked(view.folderLoad(), example));

    QStringList menus;
    for (const QAction* menu : window.menuBar()->actions()) {
        menus << (menu->isVisible() ? menu->text() : u"-"_s);
    }
    EXPECT_EQ(menus, (QStringList{u"ファイル"_s, u"編集"_s, u"ウインドウ"_s, u"ヘルプ"_s}));
    const QDir out(QStringLiteral(APP_TEST_OUTPUT_DIR));
    EXPECT_TRUE(window.grab().toImage().save(out.filePath(u"window.png"_s)));
    view.lineList().setTicked({2}, false);
    auto* lineListAction = window.findChild<QAction*>(u"lineListAction"_s);
    ASSERT_NE(lineListAction, nullptr);
    EXPECT_EQ(lineListAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    lineListAction->trigger();
    ASSERT_NE(view.lineListWindow(), nullptr);
    view.lineListWindow()->table()->selectRow(1);
    EXPECT_TRUE(view.lineListWindow()->grab().toImage().save(out.filePath(u"line-list.png"_s)));
    SpeakerStylesDialog dialog(*view.fileLists().fileLists(), settings);
    dialog.show();
    EXPECT_TRUE(dialog.grab().toImage().save(out.filePath(u"speaker-styles.png"_s)));

    auto* reload = window.findChild<QAction*>(u"reloadAction"_s);
    ASSERT_NE(reload, nullptr);
    EXPECT_EQ(reload->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(testsupport::waitFor(view.folderLoad(), &FolderLoadAction::loadFinished,
                                     [&] { reload->trigger(); }));
}

// A long path is broken into lines rather than widening the alert beyond the window; alerts break
// lines only between phrases.
TEST(DialogExportUi, TheAlertShowsBothTextsBrokenToFitAndTheSingleButtonYes) {
    QStringList seen;
    const QString path = u"\"/"_s + QString(200, u'x') + u'"';
    // The alert is modal: it is read and answered from inside its own event loop.
    QTimer::singleShot(0, qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        EXPECT_LE(box->width(), 400);
        EXPECT_TRUE(box->informativeText().contains(u'\n')) << "broken into lines";
        seen << box->text() << box->informativeText().remove(u'\n');
        for (QAbstractButton* button : box->buttons()) {
            seen << button->text();
        }
        box->buttons().constFirst()->click();
    });
    DialogExportUi(nullptr).showAlert(u"ファイル書き込みエラー"_s, path);
    EXPECT_EQ(seen, (QStringList{u"ファイル書き込みエラー"_s, path, u"はい"_s}));

    const QFontMetrics metrics(QApplication::font());
    const auto width = [&](const QString& text) { return metrics.horizontalAdvance(text); };
    // A text, the width it must fit, and its lines.
    const std::tuple<QString, int, QString> cases[] = {
        {u"対応していない形式です: \"/v/take.wav\": 中身が違います"_s,
         width(u"対応していない形式です: "_s),
         u"対応していない形式です:\n\"/v/take.wav\": 中身が\n違います"_s},
        {u"AAAAAAAAAA"_s, width(u"AAAA"_s), u"AAAA\nAAAA\nAA"_s},
    };
    for (const auto& [text, limit, lines] : cases) {
        EXPECT_EQ(wrapAlertText(text, metrics, limit).toStdString(), lines.toStdString());
    }
}

// Qt's own dialogs speak Japanese; the save dialog adds the extension to a bare name.
TEST(DialogExportUi, TheDialogsSpeakJapaneseAndTheSaveDialogAddsTheExtension) {
    QStringList english;
    ContentView view;
    whenOpen<QFileDialog>([&](QFileDialog* chooser) {
        english << untranslatedTexts(chooser);
        chooser->reject();
    });
    view.chooseFolder();

    QTemporaryDir folder;
    QFile(folder.filePath(u"old.fcpxml"_s)).open(QIODevice::WriteOnly);
    DialogExportUi ui(nullptr);
    ui.setDefaultFolder(folder.path());
    for (const QString& typed : {u"bare"_s, u"old"_s}) {
        bool asked = false;
        whenOpen<QFileDialog>([&](QFileDialog* dialog) {
            english << untranslatedTexts(dialog);
            EXPECT_EQ(dialog->nameFilters(), QStringList{u"FCPXML (*.fcpxml)"_s});
            auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
            EXPECT_EQ(name->text(), u"A.fcpxml"_s);
            name->setText(typed);
            if (QFile::exists(folder.filePath(typed + u".fcpxml"_s))) {
                whenOpen<QMessageBox>([&](QMessageBox* replace) {
                    asked = true;
                    english << untranslatedTexts(replace);
                    replace->button(QMessageBox::Yes)->click();
                });
            }
            QTest::keyClick(name, Qt::Key_Return);
        });
        EXPECT_EQ(ui.chooseSaveLocation(u"A.fcpxml"_s), folder.filePath(typed + u".fcpxml"_s));
        EXPECT_EQ(asked, typed == u"old"_s);
    }
    EXPECT_EQ(english.join(u", "_s).toStdString(), "");
}

// However many lines have a problem, the folder section gives each control the room it asks for
// and none overlaps another: the problems take one line, whose button lists them in the line list.
TEST(MainWindow, FiftyProblemLinesCrushNothing) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
    testsupport::VoiceFolder folder(u"Scene"_s);
    for (int i = 0; i < 5; ++i) {
        folder.addLine(u"%1_Hanako（a）_x"_s.arg(i));
    }
    for (int i = 0; i < 25; ++i) {
        folder.addLine(u"nospeaker%1"_s.arg(i));
        testsupport::writeBytes(folder.filePath(u"broken%1.wav"_s.arg(i)), "not audio");
    }
    MainWindow window(&store);
    window.show();
    ContentView& view = *window.contentView();
    ASSERT_TRUE(testsupport::loadChecked(view.folderLoad(), folder.url()));
    QCoreApplication::processEvents();

    const auto* problems = view.findChild<ElidedLabel*>(u"problemSummary"_s);
    ASSERT_TRUE(problems && problems->isVisible());
    EXPECT_TRUE(problems->text().startsWith(u"問題のある行 50 件"_s));
    const QWidget* section = view.findChild<QWidget*>(u"dropZone"_s)->parentWidget();
    QList<QWidget*> controls;
    for (QWidget* child : section->findChildren<QWidget*>()) {
        // The controls, not the containers that lay them out or the parts of a combo box.
        if (child->isVisible() && child->layout() == nullptr &&
            !child->parentWidget()->inherits("QComboBox")) {
            controls << child;
        }
    }
    ASSERT_GE(controls.size(), 10);
    const auto* scroll = qobject_cast<QScrollArea*>(window.centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_LE(view.width(), scroll->viewport()->width()) << "nothing is cut off at the right";
    const auto place = [section](const QWidget* w) {
        return QRect(w->mapTo(section, QPoint()), w->size());
    };
    for (int i = 0; i < controls.size(); ++i) {
        const QWidget* a = controls[i];
        EXPECT_GE(a->height(), a->sizeHint().height()) << a->objectName().toStdString();
        EXPECT_GE(a->width(), a->minimumSizeHint().width()) << a->objectName().toStdString();
        for (int j = i + 1; j < controls.size(); ++j) {
            const QWidget* b = controls[j];
            if (!a->isAncestorOf(b) && !b->isAncestorOf(a)) {
                EXPECT_FALSE(place(a).intersects(place(b)))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
    }

    QTest::mouseClick(view.findChild<QPushButton*>(u"showProblemsButton"_s), Qt::LeftButton);
    ASSERT_NE(view.lineListWindow(), nullptr);
    EXPECT_EQ(view.lineListWindow()->filter().rowCount(), 50);
}
