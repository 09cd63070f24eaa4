#include "app/ContentView.h"
#include "app/ElidedLabel.h"
#include "app/LoadProblems.h"
#include "app/LoudnessProgress.h"
#include "app/NamingTemplateDialog.h"
#include "app/ReplacementRulesDialog.h"
#include "app/SegmentedControl.h"
#include "audio/AudioProbe.h"
#include "support/ScriptedExportUi.h"
#include "support/WindowTest.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

using namespace brisomel;
using namespace Qt::StringLiterals;
using testsupport::VoiceFolder;

namespace {

class ContentViewTest : public testsupport::WindowTest {
protected:
    bool canGenerate() { return find<QPushButton>("generateButton")->isEnabled(); }

    // Drops the URLs on the drop zone, waits for the load and answers what it printed.
    QString drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        testing::internal::CaptureStdout();
        EXPECT_TRUE(testsupport::waitFor(view_->folderLoad(), &FolderLoadAction::loadFinished, [&] {
            QApplication::sendEvent(find("dropZone"), &enter);
            QApplication::sendEvent(find("dropZone"), &drop);
        }));
        return QString::fromStdString(testing::internal::GetCapturedStdout());
    }

    // Operates the named control the way a user does to choose `value`.
    void use(const char* name, const QVariant& value) {
        QWidget* control = find(name);
        if (auto* picker = qobject_cast<QComboBox*>(control)) {
            picker->setFocus();
            QTest::keyClick(picker, Qt::Key_Home);
            for (int i = 0; i < value.toInt(); ++i) {
                QTest::keyClick(picker, Qt::Key_Down);
            }
        } else if (auto* segments = qobject_cast<SegmentedControl*>(control)) {
            QTest::mouseClick(segments->segment(value.toInt()), Qt::LeftButton);
        } else if (qobject_cast<QCheckBox*>(control)) {
            QTest::mouseClick(control, Qt::LeftButton);
        } else {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(control, Qt::Key_Backspace);
            QTest::keyClicks(control, value.toString());
        }
        QCoreApplication::processEvents(); // the sections show stored values in queued calls
    }

    // What the named control shows, as text.
    QString shown(const char* name) {
        QWidget* control = find(name);
        if (auto* picker = qobject_cast<QComboBox*>(control)) {
            return QString::number(picker->currentIndex());
        }
        if (auto* segments = qobject_cast<SegmentedControl*>(control)) {
            return QString::number(segments->currentIndex());
        }
        if (auto* label = qobject_cast<ElidedLabel*>(control)) {
            return label->text();
        }
        return control->metaObject()->userProperty().read(control).toString(); // a box, a field
    }

    // The one line on problems found at the load, or "-" while it is hidden.
    QString problems() {
        const auto* line = find<ElidedLabel>("problemSummary");
        return line->isVisibleTo(view_.get()) ? line->text() : u"-"_s;
    }

    // The folder summary, the timeline name and why the last load failed, joined by '|'.
    QString summary() {
        QStringList texts;
        for (const char* name :
             {"folderName", "textCount", "soundCount", "timelineNameField", "loadFailure"}) {
            texts << shown(name);
        }
        return texts.join(u'|');
    }
};

} // namespace

// A failed drop prints its console line, says why in the window and keeps the earlier folder; a
// window closed during a load is not touched by its result.
TEST_F(ContentViewTest, DropsLoadTheFirstFolderOrSayWhyNotAndKeepTheEarlierOne) {
    VoiceFolder take(u"Take 3"_s), empty(u"Empty"_s), badCaption(u"Bad"_s), next(u"Next"_s);
    for (const QString& base : {u"1"_s, u"2"_s, u"3"_s}) {
        take.addLine(base, 0.5, u"caption"_s);
    }
    take.addLine(u"4"_s);
    next.addLine(u"z"_s);
    badCaption.addLine(u"a"_s, 0.5, u"x"_s);
    testsupport::writeBytes(badCaption.filePath(u"a.txt"_s), "\x81\x20"); // neither UTF-8 nor CP932
    const auto report = [](const QUrl& url) { return readFolder(url).failure().message(); };
    EXPECT_EQ(summary(), u"-|-|-||"_s);
    EXPECT_FALSE(canGenerate());
    use("timelineNameField", u"typed"_s);

    EXPECT_EQ(drop({QUrl(take.url().toString() + u'/'), next.url()}), QString());
    EXPECT_EQ(summary(), u"Take 3|3|4|Take 3|"_s);
    EXPECT_TRUE(canGenerate());

    // Each drop that fails, with the line it prints.
    const std::pair<QUrl, QString> failures[] = {
        {QUrl::fromLocalFile(take.filePath(u"4.wav"_s)), u"folderでない\n"_s},
        {empty.url(), u"フォルダ読み込みエラー\n"_s},
        {badCaption.url(), report(badCaption.url()) + u"\nフォルダ読み込みエラー\n"_s},
        {QUrl(u"https://example.com/voices"_s), u"url取得エラー\n"_s},
    };
    for (const auto& [url, console] : failures) {
        EXPECT_EQ(drop({url}), console);
        EXPECT_EQ(summary(), u"Take 3|3|4|Take 3|"_s + report(url));
        EXPECT_TRUE(canGenerate());
    }

    EXPECT_EQ(drop({next.url()}), QString());
    EXPECT_EQ(summary(), u"Next|0|1|Next|"_s);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(view_->folderLoad().dropFolder({})) << "a drop that offers nothing is refused";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    // Checked by the sanitizers: the result of a load must not reach a window that has gone.
    view_->folderLoad().dropFolder({take.url()});
    view_.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// A position no list holds shows as none; the pause and the loudness target are editable only
// while their boxes are ticked. The loudness target is a usual one, stored as its number, or typed.
TEST_F(ContentViewTest, EachControlStoresItsChoiceAndShowsItAfterARestart) {
    // A control, its stored key and a choice that differs from the default.
    const std::tuple<const char*, const char*, QVariant> controls[] = {
        {"fpsPicker", "fpsIndex", 7},       {"frameSizePicker", "frameIndex", 3},
        {"alignPicker", "alignIndex", 2},   {"posXField", "posX", u"1a"_s},
        {"posYField", "posY", u"-20"_s},    {"splitClipPicker", "splitClipIndex", 0},
        {"silenceBox", "isSilence", true},  {"silenceDulationField", "silenceDulation", u"1.25"_s},
        {"srtBox", "isSrt", true},          {"wrapWidthField", "wrapWidth", 999}, // the maxima
        {"maxLinesField", "maxLines", 99},  {"cleanMarkupBox", "cleanMarkup", true},
        {"loudnessBox", "isLoudness", true}};
    EXPECT_FALSE(find("silenceDulationField")->isEnabled());
    EXPECT_FALSE(find("maxLinesField")->isEnabled()) << "no line count while nothing is broken";
    EXPECT_FALSE(find("loudnessTargetPicker")->isEnabled());
    for (const auto& [control, key, choice] : controls) {
        use(control, choice);
        EXPECT_EQ(store_->value(key).toString(), choice.toString()) << key;
    }
    use("loudnessTargetPicker", 2);
    EXPECT_EQ(store_->value("loudnessTarget").toString(), u"-23"_s);
    restart();
    for (const auto& [control, key, choice] : controls) {
        EXPECT_EQ(shown(control), choice.toString()) << control;
    }
    EXPECT_EQ(shown("loudnessTargetPicker"), u"2"_s);
    EXPECT_TRUE(find("silenceDulationField")->isEnabled());
    EXPECT_TRUE(find("loudnessTargetPicker")->isEnabled());
    use("silenceBox", false);
    EXPECT_FALSE(find("silenceDulationField")->isEnabled());
    EXPECT_EQ(shown("silenceDulationField"), u"1.25"_s);

    QLineEdit* typed = find<QComboBox>("loudnessTargetPicker")->lineEdit();
    typed->selectAll();
    QTest::keyClicks(typed, u"-20.5"_s);
    EXPECT_EQ(store_->value("loudnessTarget").toString(), u"-20.5"_s);
    store_->setValue("alignIndex", 7);
    restart();
    EXPECT_EQ(shown("alignPicker"), u"-1"_s);
    EXPECT_EQ(find<QComboBox>("loudnessTargetPicker")->currentText(), u"-20.5"_s);
}

// Unreadable ticked audio is refused before the save dialog: the alert counts the lines, names
// each with its reason at the export and advises unticking. A later folder replaces the problems.
TEST_F(ContentViewTest, GenerateExportsWithTheWindowsTimelineNameOnceTheAudioCanBeRead) {
    VoiceFolder scene(u"Scene1"_s), many(u"Many"_s), clean(u"Clean"_s);
    scene.addLine(u"001_Hanako（normal）_hello"_s, 0.5, u"こんにちは"_s);
    const QString broken = scene.filePath(u"take.wav"_s);
    testsupport::writeBytes(broken, "これは音声ではありません\n");
    testsupport::writeBytes(scene.filePath(u"take2.wav"_s), "これも\n");
    for (int i = 0; i < 300; ++i) {
        testsupport::writeBytes(many.filePath(u"%1.wav"_s.arg(i)), "text");
    }
    clean.addLine(u"001_A（a）_x"_s);
    testsupport::ScriptedExportUi ui;
    ui.saveLocation = dir_.filePath(u"chosen.fcpxml"_s);
    view_->setExportUi(&ui);
    ASSERT_TRUE(testsupport::loadChecked(view_->folderLoad(), scene.url()));
    EXPECT_EQ(problems(), u"問題のある行 2 件（読み込めない音声 2 行、話者なし 2 行）"_s);
    use("timelineNameField", u"Edited"_s);
    use("srtBox", true);
    QTest::mouseClick(find<QPushButton>("generateButton"), Qt::LeftButton);
    const QString advice = u"行の一覧で外すと、残りの行で書き出せます。"_s;
    EXPECT_EQ(ui.alertMessages,
              QStringList{u"書き出す行のうち 2 行の音声ファイルを読み込めません"_s});
    const QStringList named = ui.alertInformativeTexts.value(0).split(u'\n');
    EXPECT_TRUE(named.size() == 3 && named[0].contains(u"take.wav"_s) &&
                named[1].contains(u"take2.wav"_s) && named[2] == advice);
    QFile::remove(broken); // deleted since the load: the alert gives the reason it fails for now
    ASSERT_TRUE(view_->fileLists().setTickedByFileName(u"take2"_s, false));
    QTest::mouseClick(find<QPushButton>("generateButton"), Qt::LeftButton);
    ASSERT_EQ(ui.alertMessages.size(), 2);
    EXPECT_EQ(ui.alertMessages[1], u"書き出す行のうち 1 行の音声ファイルを読み込めません"_s);
    EXPECT_EQ(ui.alertInformativeTexts[1],
              audioFailureLine(probeAudioFile(broken).failure()) + u'\n' + advice);
    Failure many7{u"x %1"_s, u"/a/f.wav"_s, u"r"_s};
    EXPECT_TRUE(
        unreadableTickedAdvice(QList<Failure>(7, many7)).endsWith(u"ほか 2 件\n"_s + advice));

    testsupport::writeWav(broken, 48000, 1, 24000);
    QTest::mouseClick(find<QPushButton>("generateButton"), Qt::LeftButton);
    EXPECT_EQ(ui.proposedNames, QStringList{u"Edited.fcpxml"_s});
    const QString document = QString::fromUtf8(testsupport::readBytes(*ui.saveLocation));
    EXPECT_TRUE(document.contains(u"<project name=\"Edited\""_s) &&
                document.contains(u"こんにちは"_s));
    EXPECT_TRUE(QFile::exists(dir_.filePath(u"chosen.srt"_s))) << "the subtitles lie beside";
    EXPECT_EQ(find<QLabel>("exportNote")->text(),
              u"書き出しました: chosen.fcpxml ほか 1 ファイル"_s);
    EXPECT_TRUE(find<QPushButton>("openExportFolderButton")->isVisibleTo(view_.get()));

    drop({many.url()});
    drop({clean.url()});
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(summary(), u"Clean|0|1|Clean|"_s);
    EXPECT_EQ(problems(), u"-"_s);
}

// The typed timeline name is kept; a stored template that cannot be used gives the standard. The
// rule that finds more speakers is offered, a time never counting as a speaker, and taken only
// with its button; the template in use is shown.
TEST_F(ContentViewTest, TheNamingChoiceReadsTheLoadedFolderAgainAndIsStored) {
    VoiceFolder tools(u"Tools"_s);
    for (const QString& name :
         {u"001_ずんだもん（ノーマル）_はい"_s, u"001_四国めたん_おはよう"_s,
          u"20220418005821_Dummy_こんばんは"_s, u"251119_081002_ずんだもん_こんにちは"_s,
          u"0-結月ゆかり-こんにちは"_s}) {
        tools.addLine(name);
    }
    tools.addLine(u"VOICEROID2_123456789"_s, 0.5, u"結月ゆかり＞こんにちは"_s);
    const auto speakers = [this] { return shown("speakerCount") + u'|' + problems(); };
    EXPECT_EQ(shown("speakerCount"), u"-"_s);
    drop({tools.url()});
    EXPECT_EQ(speakers(), u"1|問題のある行 5 件（話者なし 5 行）"_s);
    const auto* suggestion = find<QLabel>("namingSuggestion");
    EXPECT_TRUE(suggestion->isVisibleTo(view_.get()));
    EXPECT_EQ(suggestion->text(), u"この形式が合いそうです: 番号_話者_セリフ（話者 3 人）"_s);
    use("timelineNameField", u"Edited"_s);

    QTest::mouseClick(find<QPushButton>("useSuggestedNamingButton"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return speakers() == u"4|問題のある行 2 件（話者なし 2 行）"_s; }, 10000))
        << speakers().toStdString();
    EXPECT_FALSE(suggestion->isVisibleTo(view_.get()));
    EXPECT_EQ(store_->value("namingRule").toString(), u"plain"_s);
    EXPECT_EQ(shown("timelineNameField"), u"Edited"_s);
    view_->userSettings().setNamingTemplate(u"$連番$-$キャラ$-$テキスト$"_s);
    use("namingPicker", 5);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return speakers() == u"1|問題のある行 5 件（話者なし 5 行）"_s; }, 10000));
    EXPECT_EQ(store_->value("namingRule").toString(), u"template"_s);
    EXPECT_EQ(find<QComboBox>("namingPicker")->itemText(5),
              u"テンプレート: $連番$-$キャラ$-$テキスト$"_s);

    restart();
    EXPECT_EQ(shown("namingPicker"), u"5"_s);
    store_->setValue("namingTemplate", u"$連番$"_s);
    restart();
    EXPECT_EQ(shown("namingPicker"), u"0"_s);
    EXPECT_EQ(view_->folderLoad().naming(), NamingRule());
    // Only the naming options give the load its rule: a typed position leaves it be.
    view_->folderLoad().setNaming(*NamingRule::named(u"plain"_s));
    use("posXField", u"12"_s);
    EXPECT_EQ(view_->folderLoad().naming(), *NamingRule::named(u"plain"_s));
}

// The template dialog checks every name of the folder as it is typed, counting those with a
// speaker and naming the first without; the speaker is required.
TEST(NamingTemplateDialog, ChecksEveryNameAsTheTemplateIsTyped) {
    QStringList names{u"001_ずんだもん（ノーマル）_はい"_s, u"0-結月ゆかり-こんにちは"_s};
    for (int i = 0; i < 5; ++i) {
        names << u"%1_四国めたん_おはよう"_s.arg(i);
    }
    names << u"008_春日部つむぎ（ノーマル）_x"_s;
    NamingTemplateDialog dialog(u"$連番$_$キャラ$（$スタイル$）_$テキスト$"_s, names);
    auto* field = dialog.findChild<QLineEdit*>(u"templateField"_s);
    auto* check = dialog.findChild<QLabel*>(u"templateCheck"_s);
    auto* ok = dialog.findChild<QPushButton*>(u"okButton"_s);
    ASSERT_TRUE(field && check && ok);
    EXPECT_TRUE(check->text().startsWith(u"8 件中 2 件で話者が見つかりました\n"_s));
    EXPECT_TRUE(check->text().contains(u"008_春日部つむぎ（ノーマル）_x → 春日部つむぎ\n"
                                       u"話者が見つからない名前:\n0-結月ゆかり-こんにちは\n"_s));
    EXPECT_FALSE(check->text().contains(u"4_四国めたん"_s)) << "five names at most";
    field->setText(u"$連番$-"_s);
    EXPECT_EQ(check->text(), u"$キャラ$ がありません"_s);
    EXPECT_FALSE(ok->isEnabled());
    QTest::mouseClick(dialog.findChild<QPushButton*>(u"$キャラ$"_s), Qt::LeftButton);
    field->insert(u"-*"_s);
    EXPECT_EQ(dialog.templateText(), u"$連番$-$キャラ$-*"_s);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(check->text().startsWith(u"8 件中 1 件で話者が見つかりました\n"
                                         u"0-結月ゆかり-こんにちは → 結月ゆかり\n"_s))
        << check->text().toStdString();
}

// Each rule counts the captions it changes after the rules above it, as the rules are edited and
// reordered; the first changed captions show before → after; a bad regular expression is named
// and cannot be kept.
TEST(ReplacementRulesDialog, CountsEachRulesChangesAsTheRulesAreEdited) {
    ReplacementRulesDialog dialog(
        *ReplacementRules::checked({{u"a"_s, u"b"_s, false}, {u"b"_s, u"c"_s, false}}),
        {u"a"_s, u"b"_s, u"x"_s});
    auto* table = dialog.findChild<QTableWidget*>(u"rulesTable"_s);
    auto* preview = dialog.findChild<QLabel*>(u"rulesPreview"_s);
    auto* ok = dialog.findChild<QPushButton*>(u"okButton"_s);
    ASSERT_TRUE(table && preview && ok);
    const auto counts = [&] {
        return table->item(0, 3)->text() + u' ' + table->item(1, 3)->text();
    };
    EXPECT_EQ(counts(), u"1 2"_s);
    EXPECT_EQ(preview->text(), u"3 行中 2 行が変わります\na → c\nb → c"_s);
    table->setCurrentCell(1, 0);
    QTest::mouseClick(dialog.findChild<QPushButton*>(u"ruleUpButton"_s), Qt::LeftButton);
    EXPECT_EQ(counts(), u"1 1"_s) << "b → c first, then a → b";
    table->item(0, 0)->setText(u"(b"_s);
    table->item(0, 2)->setCheckState(Qt::Checked);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(preview->text().contains(u"正規表現 \"(b\""_s)) << preview->text().toStdString();
}

// Measuring runs on a worker while the window's thread keeps serving events: キャンセル there
// stops it, and a measurement left to finish fills the session's cache.
TEST(LoudnessProgress, CancelStopsTheMeasuringAndAFinishedOneFillsTheCache) {
    VoiceFolder folder(u"Scene"_s);
    for (int i = 0; i < 40; ++i) {
        folder.addLine(u"%1_A（a）_x"_s.arg(i, 3, 10, QChar(u'0')), 3);
    }
    const FileList lines = folder.load();
    QWidget window;
    LoudnessCache cache;
    QTimer::singleShot(0, &window, [&window] {
        window.findChild<QProgressDialog*>()->findChild<QPushButton*>()->click();
    });
    const Status cancelled = measureLoudnessWithProgress(&window, lines, cache);
    ASSERT_FALSE(cancelled);
    EXPECT_EQ(cancelled.failure().code, FailureCode::cancelled);

    ASSERT_TRUE(measureLoudnessWithProgress(&window, lines, cache));
    for (const FileListPtr& line : lines) {
        EXPECT_TRUE(cache.find(line->soundFilePath())) << line->fileName().toStdString();
    }
}

// Tab goes through the controls as they stand on the screen, top to bottom.
TEST_F(ContentViewTest, TabFollowsTheLayoutFromTopToBottom) {
    const QStringList order =
        u"dropZone lineListButton namingPicker namingTemplateButton showProblemsButton "
        u"timelineNameField frameSizePicker fpsPicker alignPicker posXField posYField "
        u"wrapWidthField maxLinesField speakerStylesButton cleanMarkupBox replacementRulesButton "
        u"portraitFolderButton splitClipPicker silenceBox silenceDulationField srtBox loudnessBox "
        u"loudnessTargetPicker generateButton"_s.split(u' ');
    VoiceFolder folder(u"Scene1"_s);
    folder.addLine(u"a"_s);
    drop({folder.url()});
    use("silenceBox", true);   // the pause field takes the focus only while it is editable
    use("wrapWidthField", 26); // so does the line count
    use("loudnessBox", true);  // and the loudness target
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    find("dropZone")->setFocus();
    QStringList visited;
    for (int presses = 0; presses < 2 * order.size() && visited.size() < order.size(); ++presses) {
        QWidget* control = QApplication::focusWidget();
        while (control && !order.contains(control->objectName())) {
            control = control->parentWidget();
        }
        const QString name = control ? control->objectName() : u"?"_s;
        if (visited.isEmpty() || visited.back() != name) { // each segment takes the focus
            visited << name;
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(u" "_s).toStdString(), order.join(u" "_s).toStdString());
}
