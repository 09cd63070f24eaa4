#include "app/SpeakerStyleEditor.h"

#include "app/CaptionPreview.h"
#include "app/ColorButton.h"
#include "app/EditorFonts.h"
#include "app/ElidedLabel.h"
#include "app/LineListModel.h"
#include "app/PortraitPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>

#include <algorithm>

namespace brisomel {

namespace {

const QString kFontNote =
    QStringLiteral("この PC にないフォントです。プレビューは代替フォントで表示しています");

QDoubleSpinBox* makeNumberField(StyleRange range, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(range.minimum, range.maximum);
    field->setDecimals(1);
    field->setKeyboardTracking(false);
    return field;
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A bold line of the list that cannot be chosen.
void addHeading(QComboBox* picker, const QString& text) {
    picker->addItem(text);
    QStandardItem* item =
        qobject_cast<QStandardItemModel*>(picker->model())->item(picker->count() - 1);
    item->setFlags(Qt::NoItemFlags);
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
}

// The editing platform's Japanese fonts, then the fonts installed here. A family in neither
// can still be typed, as a style file may name it.
QComboBox* makeFontPicker(QWidget* parent) {
    auto* picker = new QComboBox(parent);
    picker->setEditable(true);
    picker->setInsertPolicy(QComboBox::NoInsert);
    addHeading(picker, QStringLiteral("編集機の日本語フォント"));
    for (const EditorFont& font : editorFonts()) {
        picker->addItem(font.family);
    }
    picker->insertSeparator(picker->count());
    addHeading(picker, QStringLiteral("この PC のフォント"));
    // On macOS the editor's fonts are installed too, and stay listed once, above; Windows lists
    // vertical-writing families as "@" and a name.
    const auto isEditorFont = [](const QString& family) {
        return std::any_of(editorFonts().begin(), editorFonts().end(),
                           [&](const EditorFont& font) { return font.family == family; });
    };
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !family.startsWith(u'@') &&
            !isEditorFont(family)) {
            picker->addItem(family);
        }
    }
    return picker;
}

QHBoxLayout* makeRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        row->addWidget(widget);
    }
    row->addStretch(1);
    return row;
}

} // namespace

SpeakerStyleEditor::SpeakerStyleEditor(const QString& speaker, const QString& caption, QSize frame,
                                       const QString& folderImage, QWidget* parent)
    // The lines without a speaker share one style, stored under their lane's name.
    : QGroupBox(speaker == FileListData::defaultName ? kNoSpeakerText : speaker, parent),
      speaker_(speaker), fontPicker_(makeFontPicker(this)), facePicker_(new QComboBox(this)),
      sizeField_(makeNumberField(kFontSizeRange, this)),
      colorButton_(new ColorButton(QStringLiteral("文字の色"), this)),
      strokeBox_(new QCheckBox(QStringLiteral("縁取り"), this)),
      strokeColorButton_(new ColorButton(QStringLiteral("縁取りの色"), this)),
      strokeWidthField_(makeNumberField(kOutlineWidthRange, this)),
      shadowBox_(new QCheckBox(QStringLiteral("影"), this)),
      shadowColorButton_(new ColorButton(QStringLiteral("影の色"), this)),
      shadowDistanceField_(makeNumberField(kShadowDistanceRange, this)),
      shadowAngleField_(makeNumberField({0, 360}, this)),
      shadowBlurField_(makeNumberField(kShadowBlurRange, this)),
      resetButton_(new QPushButton(QStringLiteral("標準に戻す"), this)),
      preview_(new CaptionPreview(caption.isEmpty() ? speaker : caption, frame.width(), this)),
      fontNote_(new QLabel(kFontNote, this)), folderImage_(folderImage),
      portraitLabel_(new ElidedLabel(this)),
      portraitButton_(new QPushButton(QStringLiteral("画像…"), this)),
      portraitOpenButton_(new QPushButton(QStringLiteral("口開き…"), this)),
      portraitClearButton_(new QPushButton(QStringLiteral("外す"), this)),
      portraitXField_(makeNumberField(kPortraitPositionRange, this)),
      portraitYField_(makeNumberField(kPortraitPositionRange, this)),
      portraitScaleField_(makeNumberField(kPortraitScaleRange, this)),
      portraitShownPicker_(new QComboBox(this)),
      thresholdField_(makeNumberField(kPortraitThresholdRange, this)),
      holdField_(new QSpinBox(this)),
      portraitPreview_(new PortraitPreview(caption.isEmpty() ? speaker : caption, frame, this)) {
    portraitShownPicker_->addItems(
        {QStringLiteral("話している間だけ"), QStringLiteral("最初のセリフから最後まで")});
    portraitScaleField_->setSuffix(QStringLiteral("%"));
    thresholdField_->setSuffix(QStringLiteral("%"));
    thresholdField_->setToolTip(
        QStringLiteral(".lab ファイルのないセリフで、いちばん大きいフレームの音量の何 % から"
                       "口を開けるか"));
    holdField_->setRange(static_cast<int>(kPortraitHoldRange.minimum),
                         static_cast<int>(kPortraitHoldRange.maximum));
    holdField_->setSuffix(QStringLiteral(" フレーム"));
    holdField_->setToolTip(QStringLiteral("口を開けている間と閉じている間の最短の長さ"));
    // Faces are named by the font ("W6", "Bold"); one the system lacks can still be typed.
    facePicker_->setEditable(true);
    facePicker_->setInsertPolicy(QComboBox::NoInsert);
    // Any angle is a direction: turning past a whole turn starts again from 0.
    shadowAngleField_->setWrapping(true);
    shadowAngleField_->setSuffix(QStringLiteral("°"));
    layOut();
    showStyle(CaptionStyle{});
    connectControls();
}

void SpeakerStyleEditor::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(QStringLiteral("フォント:"), this), 0, 0);
    grid->addWidget(fontPicker_, 0, 1, 1, 3);
    grid->addWidget(makeLabel(QStringLiteral("書体:"), this), 1, 0);
    grid->addWidget(facePicker_, 1, 1);
    grid->addWidget(makeLabel(QStringLiteral("サイズ:"), this), 1, 2);
    grid->addWidget(sizeField_, 1, 3);
    grid->addWidget(makeLabel(QStringLiteral("色:"), this), 2, 0);
    grid->addLayout(makeRow({colorButton_}), 2, 1, 1, 3);
    grid->addLayout(makeRow({strokeBox_, strokeColorButton_, new QLabel(QStringLiteral("幅:")),
                             strokeWidthField_}),
                    3, 1, 1, 3);
    grid->addLayout(
        makeRow({shadowBox_, shadowColorButton_, new QLabel(QStringLiteral("距離:")),
                 shadowDistanceField_, new QLabel(QStringLiteral("角度:")), shadowAngleField_,
                 new QLabel(QStringLiteral("ぼかし:")), shadowBlurField_}),
        4, 1, 1, 3);
    grid->addWidget(preview_, 5, 0, 1, 4);
    grid->addWidget(fontNote_, 6, 0, 1, 4);
    grid->addWidget(makeLabel(QStringLiteral("立ち絵:"), this), 7, 0);
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(portraitLabel_, 1);
    for (QWidget* button : {portraitButton_, portraitOpenButton_, portraitClearButton_}) {
        imageRow->addWidget(button);
    }
    grid->addLayout(imageRow, 7, 1, 1, 3);
    grid->addLayout(makeRow({new QLabel(QStringLiteral("X:")), portraitXField_,
                             new QLabel(QStringLiteral("Y:")), portraitYField_,
                             new QLabel(QStringLiteral("大きさ:")), portraitScaleField_}),
                    8, 1, 1, 3);
    grid->addLayout(makeRow({portraitShownPicker_, new QLabel(QStringLiteral("口を開ける音量:")),
                             thresholdField_, new QLabel(QStringLiteral("最短:")), holdField_}),
                    9, 1, 1, 3);
    grid->addWidget(portraitPreview_, 10, 0, 1, 4, Qt::AlignHCenter);
    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch(1);
    resetRow->addWidget(resetButton_);
    grid->addLayout(resetRow, 11, 0, 1, 4);
    grid->setColumnStretch(1, 1);
}

void SpeakerStyleEditor::connectControls() {
    connect(fontPicker_, &QComboBox::currentTextChanged, this, [this](const QString& family) {
        if (!family.isEmpty()) {
            fillFaces(family);
            change([&](CaptionStyle& s) { s.font = family; });
        }
    });
    connect(facePicker_, &QComboBox::currentTextChanged, this, [this](const QString& face) {
        if (!face.isEmpty()) {
            change([&](CaptionStyle& s) { s.face = face; });
        }
    });
    connect(sizeField_, &QDoubleSpinBox::valueChanged, this,
            [this](double size) { change([&](CaptionStyle& s) { s.size = size; }); });
    connect(colorButton_, &ColorButton::colorChosen, this,
            [this](StyleColor color) { change([&](CaptionStyle& s) { s.color = color; }); });

    connect(strokeBox_, &QCheckBox::toggled, this, [this](bool on) {
        change([&](CaptionStyle& s) {
            s.outline =
                on ? std::optional(Outline{strokeColorButton_->color(), strokeWidthField_->value()})
                   : std::nullopt;
        });
    });
    // The outline's and the shadow's controls are disabled while they are off; a value set there
    // anyway is dropped.
    const auto changeOutline = [this](const std::function<void(Outline&)>& apply) {
        change([&](CaptionStyle& s) {
            if (s.outline) {
                apply(*s.outline);
            }
        });
    };
    connect(strokeColorButton_, &ColorButton::colorChosen, this, [changeOutline](StyleColor color) {
        changeOutline([&](Outline& o) { o.color = color; });
    });
    connect(strokeWidthField_, &QDoubleSpinBox::valueChanged, this,
            [changeOutline](double width) { changeOutline([&](Outline& o) { o.width = width; }); });

    connect(shadowBox_, &QCheckBox::toggled, this, [this](bool on) {
        change([&](CaptionStyle& s) {
            s.shadow = on ? std::optional(DropShadow{shadowColorButton_->color(),
                                                     shadowDistanceField_->value(),
                                                     normalizedAngle(shadowAngleField_->value()),
                                                     shadowBlurField_->value()})
                          : std::nullopt;
        });
    });
    const auto changeShadow = [this](const std::function<void(DropShadow&)>& apply) {
        change([&](CaptionStyle& s) {
            if (s.shadow) {
                apply(*s.shadow);
            }
        });
    };
    connect(shadowColorButton_, &ColorButton::colorChosen, this, [changeShadow](StyleColor color) {
        changeShadow([&](DropShadow& d) { d.color = color; });
    });
    connect(shadowDistanceField_, &QDoubleSpinBox::valueChanged, this,
            [changeShadow](double distance) {
                changeShadow([&](DropShadow& d) { d.distance = distance; });
            });
    connect(shadowAngleField_, &QDoubleSpinBox::valueChanged, this, [changeShadow](double angle) {
        changeShadow([&](DropShadow& d) { d.angle = normalizedAngle(angle); });
    });
    connect(shadowBlurField_, &QDoubleSpinBox::valueChanged, this,
            [changeShadow](double blur) { changeShadow([&](DropShadow& d) { d.blur = blur; }); });

    connect(resetButton_, &QPushButton::clicked, this, [this] { edit(CaptionStyle{}); });
    connectPortraitControls();
}

void SpeakerStyleEditor::connectPortraitControls() {
    const QString filter = QStringLiteral("画像 (*.png *.jpg *.jpeg)");
    connect(portraitButton_, &QPushButton::clicked, this, [this, filter] {
        const QString path = QFileDialog::getOpenFileName(
            window(), QStringLiteral("「%1」の立ち絵").arg(title()), QString(), filter);
        if (!path.isEmpty()) {
            takeImages(path, QString());
        }
    });
    connect(portraitOpenButton_, &QPushButton::clicked, this, [this, filter] {
        const QString path = QFileDialog::getOpenFileName(
            window(), QStringLiteral("「%1」の口を開けた立ち絵").arg(title()), QString(), filter);
        if (!path.isEmpty()) {
            takeImages(QString(), path);
        }
    });
    connect(portraitPreview_, &PortraitPreview::imagesDropped, this,
            &SpeakerStyleEditor::takeImages);
    connect(portraitClearButton_, &QPushButton::clicked, this,
            [this] { change([](CaptionStyle& s) { s.portrait.reset(); }); });
    connect(portraitXField_, &QDoubleSpinBox::valueChanged, this,
            [this](double x) { changePortrait([&](PortraitStyle& p) { p.x = x; }); });
    connect(portraitYField_, &QDoubleSpinBox::valueChanged, this,
            [this](double y) { changePortrait([&](PortraitStyle& p) { p.y = y; }); });
    connect(portraitScaleField_, &QDoubleSpinBox::valueChanged, this,
            [this](double scale) { changePortrait([&](PortraitStyle& p) { p.scale = scale; }); });
    connect(portraitShownPicker_, &QComboBox::currentIndexChanged, this, [this](int index) {
        changePortrait([&](PortraitStyle& p) {
            p.shown = index == 1 ? PortraitShown::always : PortraitShown::speaking;
        });
    });
    connect(thresholdField_, &QDoubleSpinBox::valueChanged, this, [this](double threshold) {
        changePortrait([&](PortraitStyle& p) { p.threshold = threshold; });
    });
    connect(holdField_, &QSpinBox::valueChanged, this,
            [this](int hold) { changePortrait([&](PortraitStyle& p) { p.hold = hold; }); });
}

// A closed image alone starts a new portrait, keeping its placement; an open image alone joins
// the closed one shown.
void SpeakerStyleEditor::takeImages(const QString& closedImage, const QString& openImage) {
    changePortrait([&](PortraitStyle& p) {
        if (!closedImage.isEmpty()) {
            p.image = closedImage;
            p.openImage = openImage;
        } else if (!openImage.isEmpty()) {
            if (p.image.isEmpty()) {
                p.image = folderImage_;
            }
            p.openImage = p.image.isEmpty() ? QString() : openImage;
        }
    });
}

void SpeakerStyleEditor::changePortrait(const std::function<void(PortraitStyle&)>& apply) {
    change([&](CaptionStyle& s) { apply(s.portrait ? *s.portrait : s.portrait.emplace()); });
}

void SpeakerStyleEditor::showPortrait(const CaptionStyle& style) {
    const PortraitStyle portrait = style.portrait.value_or(PortraitStyle{});
    const QString image = !portrait.image.isEmpty() ? portrait.image : folderImage_;
    QString shown = image.isEmpty() ? QStringLiteral("（なし）") : QFileInfo(image).fileName();
    if (!portrait.openImage.isEmpty()) {
        shown += QStringLiteral("、口開き ") + QFileInfo(portrait.openImage).fileName();
    }
    if (portrait.image.isEmpty() && !image.isEmpty()) {
        shown += QStringLiteral("（立ち絵フォルダ）");
    }
    portraitLabel_->setText(shown);
    portraitXField_->setValue(portrait.x);
    portraitYField_->setValue(portrait.y);
    portraitScaleField_->setValue(portrait.scale);
    portraitShownPicker_->setCurrentIndex(portrait.shown == PortraitShown::always ? 1 : 0);
    thresholdField_->setValue(portrait.threshold);
    holdField_->setValue(static_cast<int>(portrait.hold));
    portraitOpenButton_->setEnabled(!image.isEmpty());
    portraitClearButton_->setEnabled(style.portrait.has_value());
    portraitPreview_->setStyle(style, folderImage_);
}

// Shows the family as it is named, listed or not, so a family this machine lacks is kept.
void SpeakerStyleEditor::showFont(const QString& family) {
    // Setting the text the user is typing would move the cursor to its end.
    if (fontPicker_->currentText() == family) {
        return;
    }
    if (const int listed = fontPicker_->findText(family); listed >= 0) {
        fontPicker_->setCurrentIndex(listed);
    }
    fontPicker_->setEditText(family);
    fillFaces(family);
}

void SpeakerStyleEditor::fillFaces(const QString& family) {
    const QSignalBlocker blocker(facePicker_);
    const QString face = facePicker_->currentText();
    facePicker_->clear();
    facePicker_->addItems(fontFaces(family));
    facePicker_->setCurrentText(face);
}

void SpeakerStyleEditor::showStyle(const CaptionStyle& style) {
    showing_ = true;
    style_ = style;
    showFont(style.font);
    if (facePicker_->currentText() != style.face) {
        facePicker_->setCurrentText(style.face);
    }
    sizeField_->setValue(style.size);
    colorButton_->setColor(style.color);
    const Outline outline = style.outline.value_or(Outline{});
    strokeBox_->setChecked(style.outline.has_value());
    strokeColorButton_->setColor(outline.color);
    strokeWidthField_->setValue(outline.width);
    const DropShadow shadow = style.shadow.value_or(DropShadow{});
    shadowBox_->setChecked(style.shadow.has_value());
    shadowColorButton_->setColor(shadow.color);
    shadowDistanceField_->setValue(shadow.distance);
    shadowAngleField_->setValue(shadow.angle);
    shadowBlurField_->setValue(shadow.blur);
    for (QWidget* control :
         std::initializer_list<QWidget*>{strokeColorButton_, strokeWidthField_}) {
        control->setEnabled(strokeBox_->isChecked());
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             shadowColorButton_, shadowDistanceField_, shadowAngleField_, shadowBlurField_}) {
        control->setEnabled(shadowBox_->isChecked());
    }
    preview_->setStyle(style);
    fontNote_->setVisible(preview_->shownFont().substitute);
    showPortrait(style);
    showing_ = false;
}

void SpeakerStyleEditor::change(const std::function<void(CaptionStyle&)>& apply) {
    if (showing_) {
        return;
    }
    CaptionStyle style = style_;
    apply(style);
    edit(style);
}

void SpeakerStyleEditor::edit(const CaptionStyle& style) {
    showStyle(style);
    emit styleEdited(speaker_, style);
}

} // namespace brisomel
