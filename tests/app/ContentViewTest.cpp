#include "AppTestSupport.h"

#include "app/ContentView.h"
#include "app/DropZone.h"
#include "app/ElidedLabel.h"
#include "app/SegmentedControl.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace brisomel;
using namespace brisomel::apptest;

namespace {

void sendDragEnter(DropZone* zone, QMimeData* mime) {
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(zone, &enter);
}

class ContentViewTest : public ::testing::Test {
protected:
    template <typename W> W* find(const char* name) {
        W* widget = view_->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString shown(const char* value) { return find<ElidedLabel>(value)->text(); }
    QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
    SegmentedControl* segments(const char* name) { return find<SegmentedControl>(name); }

    // Drags the URLs onto the drop zone, drops them and waits until the load has been handled.
    void dropAndWait(const QList<QUrl>& urls) {
        QSignalSpy finished(&view_->folderLoad(), &FolderLoadAction::loadFinished);
        QMimeData mime;
        mime.setUrls(urls);
        sendDragEnter(find<DropZone>("dropZone"), &mime);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(find<DropZone>("dropZone"), &drop);
        EXPECT_TRUE(waitForSignals(finished));
    }

    void restart() {
        view_.reset();
        view_ = std::make_unique<ContentView>(store_.reopen());
        view_->show();
    }

    TempStore store_;
    std::unique_ptr<ContentView> view_ = std::make_unique<ContentView>(store_.settings());
};

} // namespace

TEST_F(ContentViewTest, FirstStartShowsTheDefaultsAndCannotGenerate) {
    EXPECT_EQ(view_->size(), QSize(400, 640));
    EXPECT_FALSE(find<QPushButton>("generateButton")->isEnabled());
    EXPECT_EQ(shown("folderName") + shown("textCount") + shown("soundCount"),
              QStringLiteral("---"));
    EXPECT_TRUE(field("timelineNameField")->text().isEmpty());
    EXPECT_EQ(find<QComboBox>("frameSizePicker")->currentText(),
              QStringLiteral("1920×1080 : 1080p"));
    auto* rates = find<QComboBox>("fpsPicker");
    QStringList rateTexts;
    for (int i = 0; i < rates->count(); ++i) {
        rateTexts.append(rates->itemText(i));
    }
    EXPECT_EQ(rateTexts, (QStringList{"23.98", "24", "25", "30", "50", "59.94", "60"}));
    EXPECT_EQ(rates->currentText(), QStringLiteral("30"));
    EXPECT_EQ(segments("alignPicker")->currentIndex(), 1);
    EXPECT_EQ(segments("splitClipPicker")->currentIndex(), 1);
    EXPECT_EQ(field("posXField")->text() + field("posYField")->text(), QStringLiteral("00"));
    EXPECT_FALSE(find<QCheckBox>("silenceBox")->isChecked());
    EXPECT_EQ(field("silenceDulationField")->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(field("silenceDulationField")->isEnabled());
}

TEST_F(ContentViewTest, DroppingAFolderFillsTheSummaryAndEnablesGenerate) {
    VoiceFolder folder(QStringLiteral("Take 3"));
    for (const char* base : {"1", "2", "3"}) {
        folder.addVoice(QLatin1String(base), QStringLiteral("caption"));
    }
    folder.addVoice(QStringLiteral("4"));
    view_->show();
    typeInto(field("timelineNameField"), QStringLiteral("my own name"));

    dropAndWait({folder.url()});

    EXPECT_EQ(shown("folderName"), QStringLiteral("Take 3"));
    EXPECT_EQ(shown("textCount"), QStringLiteral("3"));
    EXPECT_EQ(shown("soundCount"), QStringLiteral("4"));
    EXPECT_EQ(field("timelineNameField")->text(), QStringLiteral("Take 3"));
    EXPECT_TRUE(find<QPushButton>("generateButton")->isEnabled());

    // A failed drop afterwards is explained under the summary; the folder stays loaded.
    dropAndWait({QUrl::fromLocalFile(folder.filePath(QStringLiteral("4.wav")))});
    EXPECT_FALSE(shown("loadFailure").isEmpty());
    EXPECT_EQ(shown("folderName"), QStringLiteral("Take 3"));
    EXPECT_TRUE(find<QPushButton>("generateButton")->isEnabled());
}

TEST_F(ContentViewTest, TheDropZoneIsOutlinedOnlyWhileFilesAreDraggedOverIt) {
    auto* zone = find<DropZone>("dropZone");
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    sendDragEnter(zone, &text);
    EXPECT_FALSE(zone->isDropTargeted());
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/"))});
    sendDragEnter(zone, &files);
    EXPECT_TRUE(zone->isDropTargeted());
    QDragLeaveEvent leave;
    QApplication::sendEvent(zone, &leave);
    EXPECT_FALSE(zone->isDropTargeted());
}

TEST_F(ContentViewTest, EachControlIsSavedAtOnceAndShownAgainAfterARestart) {
    view_->show();
    find<QComboBox>("fpsPicker")->setFocus();
    QTest::keyClick(find<QComboBox>("fpsPicker"), Qt::Key_Home);
    find<QComboBox>("frameSizePicker")->setFocus();
    QTest::keyClick(find<QComboBox>("frameSizePicker"), Qt::Key_End);
    QTest::mouseClick(segments("alignPicker")->segment(2), Qt::LeftButton);
    typeInto(field("posXField"), QStringLiteral("1a"));
    typeInto(field("posYField"), QStringLiteral("-20"));
    QTest::mouseClick(segments("splitClipPicker")->segment(0), Qt::LeftButton);
    QTest::mouseClick(find<QCheckBox>("silenceBox"), Qt::LeftButton);
    QCoreApplication::processEvents();
    typeInto(field("silenceDulationField"), QString());

    QSettings* stored = store_.settings();
    EXPECT_EQ(stored->value("fpsIndex").toInt(), 0);
    EXPECT_EQ(stored->value("frameIndex").toInt(), 3);
    EXPECT_EQ(stored->value("alignIndex").toInt(), 2);
    EXPECT_EQ(stored->value("posX").toString(), QStringLiteral("1a"));
    EXPECT_EQ(stored->value("posY").toString(), QStringLiteral("-20"));
    EXPECT_EQ(stored->value("splitClipIndex").toInt(), 0);
    EXPECT_TRUE(stored->value("isSilence").toBool());
    EXPECT_EQ(stored->value("silenceDulation").toString(), QString());

    restart();
    EXPECT_EQ(find<QComboBox>("fpsPicker")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("frameSizePicker")->currentIndex(), 3);
    EXPECT_EQ(segments("alignPicker")->currentIndex(), 2);
    EXPECT_EQ(field("posXField")->text(), QStringLiteral("1a"));
    EXPECT_EQ(field("posYField")->text(), QStringLiteral("-20"));
    EXPECT_EQ(segments("splitClipPicker")->currentIndex(), 0);
    EXPECT_TRUE(find<QCheckBox>("silenceBox")->isChecked());
    EXPECT_TRUE(field("silenceDulationField")->isEnabled());
    EXPECT_EQ(field("silenceDulationField")->text(), QString());
}

TEST_F(ContentViewTest, ControlsFollowOptionsChangedElsewhere) {
    UserSettings& settings = view_->userSettings();
    settings.setFpsIndex(6);
    settings.setPosY(QStringLiteral("12"));
    settings.setSplitClipIndex(0);
    settings.setAlignIndex(7); // only a store edited by hand holds such a position
    QCoreApplication::processEvents();

    EXPECT_EQ(find<QComboBox>("fpsPicker")->currentIndex(), 6);
    EXPECT_EQ(field("posYField")->text(), QStringLiteral("12"));
    EXPECT_EQ(segments("splitClipPicker")->currentIndex(), 0);
    EXPECT_EQ(segments("alignPicker")->currentIndex(), -1);
}

TEST_F(ContentViewTest, ThePauseLengthIsEditableOnlyWhileTheBoxIsTickedAndKeepsItsText) {
    view_->show();
    auto* box = find<QCheckBox>("silenceBox");
    QLineEdit* pause = field("silenceDulationField");
    const auto click = [box] {
        QTest::mouseClick(box, Qt::LeftButton);
        QCoreApplication::processEvents();
    };

    click();
    ASSERT_TRUE(pause->isEnabled());
    typeInto(pause, QStringLiteral("1.25"));
    click();
    EXPECT_FALSE(pause->isEnabled());
    EXPECT_FALSE(view_->userSettings().isSilence());
    EXPECT_EQ(pause->text(), QStringLiteral("1.25"));
    click();
    EXPECT_TRUE(pause->isEnabled());
    EXPECT_EQ(pause->text(), QStringLiteral("1.25"));
}

// Every text of the window, its rows from top to bottom, and nothing outside the window.
TEST_F(ContentViewTest, TheLayoutShowsEveryTextInOrderInsideTheWindow) {
    const QStringList rowStarts = {"音声フォルダ",  "フォルダ名",
                                   "テキスト数",    "サウンド数",
                                   "タイムライン",  "タイムライン名:",
                                   "サイズ:",       "レート:",
                                   "テロップ",      "配置:",
                                   "位置:",         "変換オプション",
                                   "分割クリップ:", "行末がスペースの場合に間を開ける",
                                   "作成…"};
    const QStringList others = {"X", "px", "Y", "px", "作成する", "作成しない", "秒"};
    view_->show();

    QMap<QString, QRect> areas;
    QStringList texts;
    for (QWidget* widget : view_->findChildren<QWidget*>()) {
        const QRect area(widget->mapTo(view_.get(), QPoint()), widget->size());
        EXPECT_TRUE(!widget->isVisible() || view_->rect().contains(area))
            << widget->metaObject()->className();
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (!text.isEmpty()) {
            texts.append(text);
            areas.insert(text, area);
        }
    }

    texts.sort();
    QStringList expected = rowStarts + others;
    expected.sort();
    EXPECT_EQ(texts, expected);
    for (qsizetype i = 1; i < rowStarts.size(); ++i) {
        EXPECT_GT(areas[rowStarts[i]].top(), areas[rowStarts[i - 1]].bottom())
            << rowStarts[i].toStdString();
    }
}
