#include "app/SpeakerStylesDialog.h"
#include "app/CaptionPreview.h"
#include "app/ColorButton.h"
#include "app/PortraitPreview.h"
#include "app/SpeakerStyleEditor.h"
#include "app/SpeakerStylesButton.h"
#include "intake/FileLists.h"
#include "styles/StoredStyles.h"
#include "support/VoiceFolder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>

#include <cmath>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

// Speakers Taro and Hanako, in file-name order; Hanako's first line has no caption.
FileList loadVoiceFolder(testsupport::VoiceFolder& folder) {
    folder.addLine(u"001_Taro（x）_a"_s, 0.1, u"一行目\n二行目"_s);
    folder.addLine(u"002_Hanako（x）_b"_s, 0.1);
    folder.addLine(u"003_Hanako（x）_c"_s, 0.1, u"やあ"_s);
    folder.addLine(u"004_Taro（x）_d"_s, 0.1, u"また"_s);
    return folder.load();
}

class SpeakerStylesTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QSettings store_{dir_.filePath(u"prefs.ini"_s), QSettings::IniFormat};
    UserSettings settings_{&store_};
    testsupport::VoiceFolder voices_;
    FileList entries_ = loadVoiceFolder(voices_);
};

CaptionStyle goldWithOutline() {
    CaptionStyle style;
    style.size = 80;
    style.color = {255, 215, 0, 255};
    style.outline = Outline{{0, 0, 0, 255}, 6};
    return style;
}

} // namespace

// The button is enabled once a folder has loaded. Each editor shows its speaker's stored
// style and first caption; edits are stored at once, an angle of 360 as 0.
TEST_F(SpeakerStylesTest, EditorsFollowTheFolderAndStoreEveryEdit) {
    FileLists fileLists;
    SpeakerStylesButton button(fileLists, settings_);
    EXPECT_FALSE(button.isEnabled());
    fileLists.setFileLists(entries_);
    EXPECT_TRUE(button.isEnabled());
    storeStyle(settings_, u"Hanako"_s, goldWithOutline());
    SpeakerStylesDialog dialog(entries_, settings_);
    ASSERT_EQ(dialog.editors().size(), 2);
    SpeakerStyleEditor* taro = dialog.editors()[0];
    SpeakerStyleEditor* hanako = dialog.editors()[1];
    EXPECT_EQ(taro->speaker(), u"Taro"_s);
    EXPECT_EQ(hanako->speaker(), u"Hanako"_s);
    EXPECT_EQ(taro->preview()->caption(), u"一行目\n二行目"_s);
    EXPECT_EQ(hanako->preview()->caption(), u"やあ"_s);
    EXPECT_EQ(taro->style(), CaptionStyle{});
    EXPECT_EQ(hanako->style(), goldWithOutline());

    taro->sizeField()->setValue(96);
    taro->shadowDistanceField()->setValue(20);
    EXPECT_EQ(taro->style().shadow, std::nullopt) << "a value set while the shadow is off";
    EXPECT_EQ(taro->shadowDistanceField()->value(), 5);
    taro->shadowBox()->setChecked(true);
    taro->strokeBox()->setChecked(true);
    taro->strokeWidthField()->setValue(3.5);
    taro->shadowDistanceField()->setValue(12);
    taro->shadowAngleField()->setValue(360);
    taro->shadowBlurField()->setValue(4);
    CaptionStyle taroStyle;
    taroStyle.size = 96;
    taroStyle.outline = Outline{{0, 0, 0, 255}, 3.5};
    taroStyle.shadow = DropShadow{{0, 0, 0, 191}, 12, 0, 4};
    EXPECT_EQ(storedStyles(settings_).find(u"Taro"_s), taroStyle);

    hanako->strokeBox()->setChecked(false);
    CaptionStyle withoutOutline = goldWithOutline();
    withoutOutline.outline.reset();
    EXPECT_EQ(storedStyles(settings_).find(u"Hanako"_s), withoutOutline);

    hanako->resetButton()->click();
    EXPECT_EQ(hanako->style(), CaptionStyle{});
    EXPECT_EQ(storedStyles(settings_).find(u"Hanako"_s), std::nullopt);
    EXPECT_EQ(settings_.speakerStyles().keys(), QStringList{u"Taro"_s});
}

// What the dialog shows is what it writes.
TEST_F(SpeakerStylesTest, ReadStylesApplyByNameOrAsTheOthersStyle) {
    SpeakerStylesDialog dialog(entries_, settings_);
    CaptionStyle others;
    others.size = 50;
    SpeakerStyles read;
    read.set(u"Taro"_s, goldWithOutline());
    dialog.applyStyles(read);
    EXPECT_EQ(dialog.editors()[1]->style(), CaptionStyle{}) << "unnamed, and no \"*\"";
    read.set(kOtherSpeakers, others);
    dialog.applyStyles(read);
    EXPECT_EQ(dialog.editors()[0]->style(), goldWithOutline());
    EXPECT_EQ(dialog.editors()[1]->style(), others);

    SpeakerStyles shown;
    shown.set(u"Taro"_s, goldWithOutline());
    shown.set(u"Hanako"_s, others);
    EXPECT_EQ(dialog.shownStyles(), shown);
    EXPECT_EQ(storedStyles(settings_), shown);
}

// A style stored with the earlier [x, y] shadow offset opens as distance and angle, exactly.
TEST_F(SpeakerStylesTest, StylesRoundTripThroughTheStoreOldOffsetsIncluded) {
    settings_.setSpeakerStyle(
        u"Hanako"_s, uR"({"shadow": "#00000080", "shadowOffset": [3, -3], "strokeWidth": 80})"_s);
    SpeakerStylesDialog dialog(entries_, settings_);
    SpeakerStyleEditor* hanako = dialog.editors()[1];
    EXPECT_TRUE(hanako->shadowBox()->isChecked());
    EXPECT_EQ(hanako->shadowAngleField()->value(), 315);
    EXPECT_EQ(hanako->shadowDistanceField()->value(), 4.2);
    EXPECT_EQ(hanako->strokeWidthField()->value(), 50);
    hanako->shadowBlurField()->setValue(2.5);
    CaptionStyle hanakoStyle;
    hanakoStyle.outline = Outline{{0, 0, 0, 255}, 50};
    hanakoStyle.shadow = DropShadow{{0, 0, 0, 128}, std::hypot(3.0, 3.0), 315, 2.5};
    EXPECT_EQ(storedStyles(settings_).find(u"Hanako"_s), hanakoStyle);
    EXPECT_FALSE(settings_.speakerStyles().value(u"Hanako"_s).contains(u"shadowOffset"_s));
}

// A font not installed here is previewed in an installed one of its kind, saying so.
TEST_F(SpeakerStylesTest, TheEditorsFontsAreOfferedAndPreviewedInAFontOfTheirKind) {
    SpeakerStyleEditor editor(u"Taro"_s, u"やあ"_s, {1920, 1080});
    QComboBox* fonts = editor.fontPicker();
    const QString gothic = u"Noto Sans CJK JP"_s;
    const QString mincho = u"Noto Serif CJK JP"_s;
    // Each family offers its faces, a missing one those it is known to have.
    for (const auto& [family, previewFamily] :
         {std::pair{u"Hiragino Sans"_s, gothic}, {u"YuMincho"_s, mincho}, {mincho, mincho}}) {
        ASSERT_GE(fonts->findText(family), 0) << family.toStdString();
        fonts->setCurrentIndex(fonts->findText(family));
        EXPECT_GE(editor.facePicker()->count(), 2) << family.toStdString();
        EXPECT_EQ(editor.style().font, family);
        EXPECT_EQ(editor.preview()->shownFont().font.family(), previewFamily);
        const bool missing = family != previewFamily;
        EXPECT_EQ(editor.preview()->shownFont().substitute, missing) << family.toStdString();
        EXPECT_EQ(editor.fontNote()->isHidden(), !missing) << family.toStdString();
    }
    fonts->setEditText(u"MS Mincho"_s);
    EXPECT_EQ(editor.style().font, u"MS Mincho"_s);
    EXPECT_EQ(editor.preview()->shownFont().font.family(), mincho);
}

// The portrait folder's image stands in the preview until the style names one; images dropped
// on the preview become the portrait (the "_口開" one the open mouth), an open image alone
// joins the folder's, and placing the portrait is stored like any other edit.
TEST_F(SpeakerStylesTest, PortraitsComeFromTheFolderDropsAndTheFields) {
    QTemporaryDir faces;
    QImage image(20, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (const QString& name : {u"Taro.png"_s, u"Taro_口開.png"_s, u"h.png"_s, u"h_口開.jpg"_s}) {
        ASSERT_TRUE(image.save(faces.filePath(name), "PNG"));
    }
    settings_.setPortraitFolder(faces.path());
    SpeakerStylesDialog dialog(entries_, settings_);
    SpeakerStyleEditor* taro = dialog.editors()[0];
    SpeakerStyleEditor* hanako = dialog.editors()[1];
    EXPECT_EQ(taro->portraitPreview()->shownImage(), faces.filePath(u"Taro.png"_s));
    EXPECT_TRUE(hanako->portraitPreview()->shownImage().isEmpty());

    const auto drop = [&](PortraitPreview* preview, const QStringList& names) {
        QMimeData data;
        QList<QUrl> urls = {QUrl(u"https://example.com/x.png"_s)};
        for (const QString& name : names) {
            urls << QUrl::fromLocalFile(faces.filePath(name));
        }
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &dropped);
    };
    drop(hanako->portraitPreview(), {u"h_口開.jpg"_s, u"h.png"_s});
    hanako->portraitXField()->setValue(-400);
    hanako->portraitShownPicker()->setCurrentIndex(1);
    PortraitStyle expected{faces.filePath(u"h.png"_s), faces.filePath(u"h_口開.jpg"_s), -400};
    expected.shown = PortraitShown::always;
    EXPECT_EQ(storedStyles(settings_).find(u"Hanako"_s)->portrait, expected);
    EXPECT_EQ(hanako->portraitPreview()->shownImage(), faces.filePath(u"h.png"_s));

    drop(taro->portraitPreview(), {u"Taro_口開.png"_s});
    EXPECT_EQ(storedStyles(settings_).find(u"Taro"_s)->portrait,
              (PortraitStyle{faces.filePath(u"Taro.png"_s), faces.filePath(u"Taro_口開.png"_s)}));
}
