#include "app/SpeakerStyleEditor.h"

#include "app/CaptionPreview.h"
#include "app/ColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace brisomel {

namespace {

// What the outline and the shadow start from when the user first switches them on.
constexpr StyleColor kOutlineColor{0, 0, 0, 255};
constexpr double kOutlineWidth = 2;
constexpr StyleColor kShadowColor{0, 0, 0, 191};

QDoubleSpinBox* makeNumberField(double minimum, double maximum, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(minimum, maximum);
    field->setDecimals(1);
    field->setKeyboardTracking(false);
    return field;
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

SpeakerStyleEditor::SpeakerStyleEditor(const QString& speaker, const QString& caption,
                                       QWidget* parent)
    : QGroupBox(speaker, parent), speaker_(speaker), fontPicker_(new QFontComboBox(this)),
      facePicker_(new QComboBox(this)), sizeField_(makeNumberField(1, 1000, this)),
      colorButton_(new ColorButton(QStringLiteral("文字の色"), this)),
      strokeBox_(new QCheckBox(QStringLiteral("縁取り"), this)),
      strokeColorButton_(new ColorButton(QStringLiteral("縁取りの色"), this)),
      strokeWidthField_(makeNumberField(0, 100, this)),
      shadowBox_(new QCheckBox(QStringLiteral("影"), this)),
      shadowColorButton_(new ColorButton(QStringLiteral("影の色"), this)),
      resetButton_(new QPushButton(QStringLiteral("標準に戻す"), this)),
      preview_(new CaptionPreview(caption.isEmpty() ? speaker : caption, this)) {
    // Faces are named by the font ("W6", "Bold"); one the system lacks can still be typed.
    facePicker_->setEditable(true);
    facePicker_->setInsertPolicy(QComboBox::NoInsert);
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

    auto* colors = new QHBoxLayout;
    colors->addWidget(colorButton_);
    colors->addSpacing(12);
    colors->addWidget(strokeBox_);
    colors->addWidget(strokeColorButton_);
    colors->addWidget(new QLabel(QStringLiteral("幅:"), this));
    colors->addWidget(strokeWidthField_);
    colors->addSpacing(12);
    colors->addWidget(shadowBox_);
    colors->addWidget(shadowColorButton_);
    colors->addStretch(1);
    grid->addWidget(makeLabel(QStringLiteral("色:"), this), 2, 0);
    grid->addLayout(colors, 2, 1, 1, 3);

    grid->addWidget(preview_, 3, 0, 1, 4);
    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch(1);
    resetRow->addWidget(resetButton_);
    grid->addLayout(resetRow, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
}

void SpeakerStyleEditor::connectControls() {
    const auto read = [this] { readControls(); };
    connect(fontPicker_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        fillFaces(font.family());
        readControls();
    });
    connect(facePicker_, &QComboBox::currentTextChanged, this, read);
    connect(sizeField_, &QDoubleSpinBox::valueChanged, this, read);
    connect(strokeBox_, &QCheckBox::toggled, this, read);
    connect(strokeWidthField_, &QDoubleSpinBox::valueChanged, this, read);
    connect(shadowBox_, &QCheckBox::toggled, this, read);
    for (ColorButton* button : {colorButton_, strokeColorButton_, shadowColorButton_}) {
        connect(button, &ColorButton::colorChosen, this, read);
    }
    connect(resetButton_, &QPushButton::clicked, this, [this] { edit(CaptionStyle{}); });
}

void SpeakerStyleEditor::fillFaces(const QString& family) {
    const QSignalBlocker blocker(facePicker_);
    const QString face = facePicker_->currentText();
    facePicker_->clear();
    facePicker_->addItems(QFontDatabase::styles(family));
    facePicker_->setCurrentText(face);
}

void SpeakerStyleEditor::showStyle(const CaptionStyle& style) {
    showing_ = true;
    style_ = style;
    fontPicker_->setCurrentFont(QFont(style.font));
    // A family the system lacks is shown by name, so it is kept rather than replaced.
    fontPicker_->setEditText(style.font);
    fillFaces(style.font);
    facePicker_->setCurrentText(style.face);
    sizeField_->setValue(style.size);
    colorButton_->setColor(style.color);
    strokeBox_->setChecked(style.strokeColor || style.strokeWidth);
    strokeColorButton_->setColor(style.strokeColor.value_or(kOutlineColor));
    strokeWidthField_->setValue(style.strokeWidth.value_or(kOutlineWidth));
    shadowBox_->setChecked(style.shadowColor || style.shadowOffset || style.shadowBlur);
    shadowColorButton_->setColor(style.shadowColor.value_or(kShadowColor));
    strokeColorButton_->setEnabled(strokeBox_->isChecked());
    strokeWidthField_->setEnabled(strokeBox_->isChecked());
    shadowColorButton_->setEnabled(shadowBox_->isChecked());
    preview_->setStyle(style);
    showing_ = false;
}

// The style the controls show. Values the dialog has no control for (the shadow's offset and
// blur from a style file) are kept while the shadow stays on.
void SpeakerStyleEditor::readControls() {
    if (showing_) {
        return;
    }
    CaptionStyle style = style_;
    style.font = fontPicker_->currentText();
    style.face = facePicker_->currentText();
    style.size = sizeField_->value();
    style.color = colorButton_->color();
    style.strokeColor.reset();
    style.strokeWidth.reset();
    if (strokeBox_->isChecked()) {
        style.strokeColor = strokeColorButton_->color();
        style.strokeWidth = strokeWidthField_->value();
    }
    if (shadowBox_->isChecked()) {
        style.shadowColor = shadowColorButton_->color();
    } else {
        style.shadowColor.reset();
        style.shadowOffset.reset();
        style.shadowBlur.reset();
    }
    edit(style);
}

void SpeakerStyleEditor::edit(const CaptionStyle& style) {
    showStyle(style);
    emit styleEdited(speaker_, style);
}

} // namespace brisomel
