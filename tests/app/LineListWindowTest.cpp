#include "app/LineListWindow.h"
#include "app/ContentView.h"
#include "app/LineFilter.h"
#include "app/LineListModel.h"
#include "app/LinePlayer.h"
#include "support/ScriptedExportUi.h"
#include "support/WindowTest.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <stdexcept>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::VoiceFolder;

namespace {

// The window's content loaded with three lines, one audio unreadable.
class LineListWindowTest : public testsupport::WindowTest {
protected:
    void SetUp() override {
        folder_.addLine(u"1_A（x）_a"_s, 0.5, u"first"_s);
        folder_.addLine(u"2_B（x）_b"_s, 0.5, u"second"_s);
        testsupport::writeBytes(folder_.filePath(u"3_A（x）_take.wav"_s), "not audio");
        load();
    }
    void load() { ASSERT_TRUE(testsupport::loadChecked(view_->folderLoad(), folder_.url())); }

    // Opens the list with its button; the test stops when it does not open.
    LineListWindow* openList() {
        QTest::mouseClick(find<QPushButton>("lineListButton"), Qt::LeftButton);
        if (view_->lineListWindow() == nullptr) {
            throw std::runtime_error("the line list did not open");
        }
        return view_->lineListWindow();
    }

    VoiceFolder folder_{u"Scene1"_s};
};

} // namespace

// A file that went after the folder was read is refused with a message naming it; without an
// audio output (the test platform) playing is disabled, saying why.
TEST_F(LineListWindowTest, OpensFromTheWindowAndPlayingWithoutAFileOrAnOutputIsRefused) {
    LineListWindow* list = openList();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle(), u"行の一覧 — Scene1"_s);
    EXPECT_EQ(list->table()->model()->rowCount(), 3);
    const QString path = folder_.filePath(u"1_A（x）_a.wav"_s);
    ASSERT_TRUE(QFile::remove(path));
    LinePlayer player;
    const Status played = player.play(path);
    ASSERT_FALSE(played);
    EXPECT_EQ(played.failure().message(),
              u"\"%1\" を再生できません: ファイルが見つかりません"_s.arg(path));
    EXPECT_EQ(player.playingPath(), QString());
    if (LinePlayer::hasAudioOutput()) {
        GTEST_SKIP() << "this machine has an audio output";
    }
    auto* play = find<QPushButton>("playButton", list);
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(play->toolTip(), u"音声の出力先がないため再生できません"_s);
    EXPECT_FALSE(find<QAction>("playAction", list)->isEnabled());
    list->table()->setCurrentIndex(list->table()->model()->index(0, 2));
    QTest::keyClick(list->table(), Qt::Key_Space);
    QTest::mouseDClick(list->table()->viewport(), Qt::LeftButton, {},
                       list->table()->visualRect(list->table()->currentIndex()).center());
    EXPECT_EQ(list->player().playingPath(), QString());
}

// The ticks show in the main window; with no line ticked the export is refused.
TEST_F(LineListWindowTest, TicksShowInTheMainWindowAndNoTickedLineStopsTheExport) {
    auto* summary = find<QLabel>("tickSummary");
    EXPECT_FALSE(summary->isVisibleTo(view_.get()));
    LineListWindow* list = openList();
    find<QLineEdit>("searchField", list)->setText(u"take"_s);
    QTest::mouseClick(find<QPushButton>("untickShownButton", list), Qt::LeftButton);
    EXPECT_TRUE(summary->isVisibleTo(view_.get()));
    EXPECT_EQ(summary->text(), u"書き出す行 2 / 3"_s);

    testsupport::ScriptedExportUi ui;
    view_->setExportUi(&ui);
    find<QLineEdit>("searchField", list)->clear();
    QTest::mouseClick(find<QPushButton>("untickShownButton", list), Qt::LeftButton);
    view_->generate();
    EXPECT_EQ(ui.alertMessages, QStringList{u"書き出す行がありません"_s});
    EXPECT_TRUE(ui.proposedNames.isEmpty()) << "refused before the save dialog";
}

// A reload keeps the filters and the ticks by file name, a new take ticked; another folder clears
// the filters. Whenever rows are hidden the footer says so, and every cell but the tick has its
// whole text as tool tip.
TEST_F(LineListWindowTest, FiltersSurviveAReloadButNotAnotherFolder) {
    LineListWindow* list = openList();
    auto* search = find<QLineEdit>("searchField", list);
    auto* footer = find<QLabel>("tickSummary", list);
    search->setText(u"first"_s);
    EXPECT_EQ(footer->text(), u"3 行中 1 行を表示　書き出す行 3 / 3"_s);
    ASSERT_TRUE(view_->fileLists().setTickedByFileName(u"2_B（x）_b"_s, false));
    folder_.addLine(u"0_A（x）_new"_s, 0.5, u"new"_s);
    ASSERT_TRUE(testsupport::waitFor(view_->folderLoad(), &FolderLoadAction::audioCheckFinished,
                                     [&] { view_->reload(); }));
    EXPECT_EQ(search->text(), u"first"_s);
    EXPECT_EQ(footer->text(), u"4 行中 1 行を表示　書き出す行 3 / 4"_s);
    search->clear();
    const QAbstractItemModel& rows = list->filter();
    for (int column = LineListModel::numberColumn; column < LineListModel::columnCount_; ++column) {
        const QModelIndex cell = rows.index(3, column);
        EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), cell.data().toString()) << column;
    }
    EXPECT_FALSE(rows.index(3, LineListModel::statusColumn).data().toString().isEmpty());

    find<QComboBox>("stateFilter", list)->setCurrentIndex(1);
    EXPECT_EQ(footer->text(), u"4 行中 1 行を表示　書き出す行 3 / 4"_s) << "the broken take";
    VoiceFolder other(u"Other"_s);
    other.addLine(u"1_C（x）_c"_s);
    other.addLine(u"2_C（x）_d"_s);
    ASSERT_TRUE(testsupport::loadChecked(view_->folderLoad(), other.url()));
    EXPECT_EQ(find<QComboBox>("stateFilter", list)->currentIndex(), 0);
    EXPECT_EQ(list->filter().rowCount(), 2);
    EXPECT_EQ(footer->text(), u"書き出す行 2 / 2"_s);
}

// The list's size and column widths are there again after a restart.
TEST_F(LineListWindowTest, SizeAndColumnWidthsAreRemembered) {
    LineListWindow* list = openList();
    list->resize(700, 333);
    list->table()->horizontalHeader()->resizeSection(LineListModel::fileColumn, 321);
    list->close();

    restart();
    load();
    list = openList();
    EXPECT_EQ(list->size(), QSize(700, 333));
    EXPECT_EQ(list->table()->horizontalHeader()->sectionSize(LineListModel::fileColumn), 321);
}

// F2 edits a caption over several lines and a double click a speaker among the folder's; the
// edited cells are marked, "元に戻す" restores the file's text and "字幕ファイルに保存" writes it.
TEST_F(LineListWindowTest, CaptionsAndSpeakersAreCorrectedRevertedAndSaved) {
    LineListWindow* list = openList();
    QTableView* table = list->table();
    const QPersistentModelIndex caption = list->filter().index(0, LineListModel::captionColumn);
    table->setCurrentIndex(caption);
    QTest::keyClick(table, Qt::Key_F2);
    auto* box = find<QPlainTextEdit>("captionEditor", table);
    ASSERT_NE(box, nullptr);
    box->setPlainText(u"one\ntwo"_s);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(caption.data(Qt::EditRole).toString(), u"one\ntwo"_s);
    EXPECT_TRUE(caption.data(Qt::FontRole).value<QFont>().italic());

    const QPersistentModelIndex speaker = list->filter().index(1, LineListModel::speakerColumn);
    const QPoint speakerCell = table->visualRect(speaker).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, speakerCell);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, speakerCell);
    auto* choice = find<QComboBox>("speakerEditor", table);
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->findText(u"A"_s) >= 0 && choice->findText(u"B"_s) >= 0, true);
    choice->setCurrentText(u"C"_s); // a name the folder does not have
    QTest::keyClick(choice, Qt::Key_Tab);
    EXPECT_EQ(speaker.data().toString(), u"C"_s);
    QCoreApplication::processEvents();
    EXPECT_GE(find<QComboBox>("speakerFilter", list)->findText(u"C"_s), 0) << "offered to filter";
    table->setCurrentIndex(speaker);
    QTest::mouseClick(find<QPushButton>("revertEditButton", list), Qt::LeftButton);
    EXPECT_EQ(speaker.data().toString(), u"B"_s);
    EXPECT_FALSE(speaker.data(Qt::FontRole).isValid());

    QTest::mouseClick(find<QPushButton>("saveCaptionsButton", list), Qt::LeftButton);
    EXPECT_EQ(testsupport::readBytes(folder_.filePath(u"1_A（x）_a.txt"_s)), "one\ntwo");
    EXPECT_FALSE(caption.data(Qt::FontRole).isValid()) << "the file holds the caption now";
}
