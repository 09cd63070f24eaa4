#include "app/CaptionSection.h"

#include "app/AppIcons.h"
#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "app/PortraitFolderRow.h"
#include "app/SegmentedControl.h"
#include "app/SpeakerStylesButton.h"
#include "settings/UserSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brisomel {

namespace {

constexpr int kPositionFieldWidth = 50;

QLineEdit* makePositionField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(kPositionFieldWidth);
    return field;
}

// A field for a count, within the option's range.
QSpinBox* makeCountField(const QString& name, OptionKey key, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    const OptionRange& range = *option(key).range;
    field->setRange(static_cast<int>(range.minimum), static_cast<int>(range.maximum));
    return field;
}

} // namespace

CaptionSection::CaptionSection(UserSettings& settings, const FileLists& fileLists, QWidget* parent)
    : QWidget(parent), settings_(settings), alignPicker_(new SegmentedControl(this)),
      posXField_(makePositionField(QStringLiteral("posXField"), this)),
      posYField_(makePositionField(QStringLiteral("posYField"), this)),
      wrapWidthField_(makeCountField(QStringLiteral("wrapWidthField"), OptionKey::wrapWidth, this)),
      maxLinesField_(makeCountField(QStringLiteral("maxLinesField"), OptionKey::maxLines, this)) {
    alignPicker_->setObjectName(QStringLiteral("alignPicker"));
    for (const AlignTypeInfo& info : alignTypes()) {
        const AlignPresentation& shown = presentation(info.type);
        alignPicker_->addSegment(themedIcon(shown.iconName.toString()), shown.toolTip.toString());
    }

    auto* section = new QVBoxLayout(this);
    section->setContentsMargins(0, 0, 0, 0);
    section->addWidget(makeHeading(QStringLiteral("テロップ"), this));

    QHBoxLayout* alignRow = addIndentedRow(section);
    alignRow->addWidget(makeRowLabel(QStringLiteral("配置:"), this));
    alignRow->addWidget(alignPicker_);
    alignRow->addStretch(1);

    QHBoxLayout* positionRow = addIndentedRow(section);
    positionRow->addWidget(makeRowLabel(QStringLiteral("位置:"), this));
    positionRow->addWidget(new QLabel(QStringLiteral("X"), this));
    positionRow->addWidget(posXField_);
    positionRow->addWidget(new QLabel(QStringLiteral("px"), this));
    positionRow->addSpacing(kIndentWidth);
    positionRow->addWidget(new QLabel(QStringLiteral("Y"), this));
    positionRow->addWidget(posYField_);
    positionRow->addWidget(new QLabel(QStringLiteral("px"), this));
    positionRow->addStretch(1);

    QHBoxLayout* wrapRow = addIndentedRow(section);
    wrapRow->addWidget(makeRowLabel(QStringLiteral("1行の最大幅:"), this));
    wrapRow->addWidget(wrapWidthField_);
    wrapRow->addWidget(new QLabel(QStringLiteral("(半角単位, 0 で折り返さない)"), this));
    wrapRow->addStretch(1);

    QHBoxLayout* linesRow = addIndentedRow(section);
    linesRow->addWidget(makeRowLabel(QStringLiteral("最大行数:"), this));
    linesRow->addWidget(maxLinesField_);
    linesRow->addStretch(1);

    QHBoxLayout* styleRow = addIndentedRow(section);
    styleRow->addWidget(makeRowLabel(QStringLiteral("スタイル:"), this));
    styleRow->addWidget(new SpeakerStylesButton(fileLists, settings, this));
    styleRow->addStretch(1);

    QHBoxLayout* portraitRow = addIndentedRow(section);
    portraitRow->addWidget(makeRowLabel(QStringLiteral("立ち絵:"), this));
    portraitRow->addWidget(new PortraitFolderRow(settings, this), 1);

    showSettings();
    connect(alignPicker_, &SegmentedControl::activated, this,
            [this](int index) { settings_.setAlignIndex(index); });
    connect(posXField_, &QLineEdit::textEdited, &settings, &UserSettings::setPosX);
    connect(posYField_, &QLineEdit::textEdited, &settings, &UserSettings::setPosY);
    connect(wrapWidthField_, &QSpinBox::valueChanged, &settings,
            [this](int value) { settings_.setWrapWidth(value); });
    connect(maxLinesField_, &QSpinBox::valueChanged, &settings,
            [this](int value) { settings_.setMaxLines(value); });
    settings.whenChanged({OptionKey::alignIndex, OptionKey::posX, OptionKey::posY,
                          OptionKey::wrapWidth, OptionKey::maxLines},
                         this, [this] { showSettings(); });
}

void CaptionSection::showSettings() {
    alignPicker_->setCurrentIndex(shownPosition(settings_.alignIndex(), alignPicker_->count()));
    showText(posXField_, settings_.posX());
    showText(posYField_, settings_.posY());
    // Showing a stored count is no edit of it.
    const QSignalBlocker wrapBlocker(wrapWidthField_);
    const QSignalBlocker linesBlocker(maxLinesField_);
    wrapWidthField_->setValue(static_cast<int>(settings_.wrapWidth()));
    maxLinesField_->setValue(static_cast<int>(settings_.maxLines()));
    // The line count matters only while lines are broken.
    maxLinesField_->setEnabled(settings_.wrapWidth() > 0);
}

} // namespace brisomel
