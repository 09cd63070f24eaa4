#include "app/CaptionSection.h"

#include "app/AppIcons.h"
#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "app/PortraitFolderRow.h"
#include "app/ReplacementRulesDialog.h"
#include "app/SegmentedControl.h"
#include "app/SpeakerStylesButton.h"
#include "intake/FileLists.h"
#include "settings/StoredCaptionRules.h"
#include "settings/UserSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    : QWidget(parent), settings_(settings), fileLists_(fileLists),
      alignPicker_(new SegmentedControl(this)),
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

    // Made after the rows above, so the Tab key reaches it after them.
    cleanMarkupBox_ = new QCheckBox(QStringLiteral("読み仮名とメモの記法を除く"), this);
    cleanMarkupBox_->setObjectName(QStringLiteral("cleanMarkupBox"));
    cleanMarkupBox_->setToolTip(QStringLiteral(
        "{表示|よみ}・｜漢字《よみ》・漢字《よみ》は表示の文字だけに、[メモ] は除きます"));
    QHBoxLayout* textRow = addIndentedRow(section);
    textRow->addWidget(makeRowLabel(QStringLiteral("文字:"), this));
    textRow->addWidget(cleanMarkupBox_);
    auto* rulesButton = new QPushButton(QStringLiteral("置換ルール…"), this);
    rulesButton->setObjectName(QStringLiteral("replacementRulesButton"));
    textRow->addWidget(rulesButton);
    textRow->addStretch(1);
    connect(rulesButton, &QPushButton::clicked, this, &CaptionSection::editReplacementRules);

    QHBoxLayout* portraitRow = addIndentedRow(section);
    portraitRow->addWidget(makeRowLabel(QStringLiteral("立ち絵:"), this));
    portraitRow->addWidget(new PortraitFolderRow(settings, this), 1);

    showSettings();
    connect(cleanMarkupBox_, &QCheckBox::toggled, &settings, &UserSettings::setCleanMarkup);
    connect(alignPicker_, &SegmentedControl::activated, this,
            [this](int index) { settings_.setAlignIndex(index); });
    connect(posXField_, &QLineEdit::textEdited, &settings, &UserSettings::setPosX);
    connect(posYField_, &QLineEdit::textEdited, &settings, &UserSettings::setPosY);
    connect(wrapWidthField_, &QSpinBox::valueChanged, &settings,
            [this](int value) { settings_.setWrapWidth(value); });
    connect(maxLinesField_, &QSpinBox::valueChanged, &settings,
            [this](int value) { settings_.setMaxLines(value); });
    settings.whenChanged({OptionKey::alignIndex, OptionKey::posX, OptionKey::posY,
                          OptionKey::wrapWidth, OptionKey::maxLines, OptionKey::cleanMarkup},
                         this, [this] { showSettings(); });
}

void CaptionSection::showSettings() {
    alignPicker_->setCurrentIndex(shownPosition(settings_.alignIndex(), alignPicker_->count()));
    showText(posXField_, settings_.posX());
    showText(posYField_, settings_.posY());
    // Showing a stored count is no edit of it.
    const QSignalBlocker wrapBlocker(wrapWidthField_);
    const QSignalBlocker linesBlocker(maxLinesField_);
    const QSignalBlocker markupBlocker(cleanMarkupBox_);
    cleanMarkupBox_->setChecked(settings_.cleanMarkup());
    wrapWidthField_->setValue(static_cast<int>(settings_.wrapWidth()));
    maxLinesField_->setValue(static_cast<int>(settings_.maxLines()));
    // The line count matters only while lines are broken.
    maxLinesField_->setEnabled(settings_.wrapWidth() > 0);
}

void CaptionSection::editReplacementRules() {
    // The captions as the markup rules leave them: what the replacement rules are applied to.
    const CaptionRules markupOnly{settings_.cleanMarkup(), {}};
    QStringList captions;
    for (const FileListPtr& entry : fileLists_.lines()) {
        captions << markupOnly.applied(entry->fileTextRow()).text;
    }
    ReplacementRulesDialog dialog(storedCaptionRules(settings_).replacements, captions, this);
    if (dialog.exec() == QDialog::Accepted) {
        if (const Result<ReplacementRules> rules = dialog.rules()) {
            settings_.setReplacementRules(replacementFileText(*rules));
        }
    }
}

} // namespace brisomel
