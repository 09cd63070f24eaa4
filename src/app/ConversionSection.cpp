#include "app/ConversionSection.h"

#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "app/SegmentedControl.h"
#include "settings/UserSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brisomel {

namespace {

constexpr int kPauseFieldWidth = 40;

} // namespace

ConversionSection::ConversionSection(UserSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), splitClipPicker_(new SegmentedControl(this)),
      silenceBox_(new QCheckBox(QStringLiteral("行末がスペースの場合に間を開ける"), this)),
      silenceField_(new QLineEdit(this)),
      srtBox_(new QCheckBox(QStringLiteral("字幕ファイル（SRT）も書き出す"), this)) {
    splitClipPicker_->setObjectName(QStringLiteral("splitClipPicker"));
    for (const QString& choice : splitClipArray) {
        splitClipPicker_->addSegment(choice);
    }
    silenceBox_->setObjectName(QStringLiteral("silenceBox"));
    silenceField_->setObjectName(QStringLiteral("silenceDulationField"));
    silenceField_->setFixedWidth(kPauseFieldWidth);
    srtBox_->setObjectName(QStringLiteral("srtBox"));

    auto* section = new QVBoxLayout(this);
    section->setContentsMargins(0, 0, 0, 0);
    section->addWidget(makeHeading(QStringLiteral("変換オプション"), this));

    QHBoxLayout* splitRow = addIndentedRow(section);
    splitRow->addWidget(new QLabel(QStringLiteral("分割クリップ:"), this));
    splitRow->addWidget(splitClipPicker_);
    splitRow->addStretch(1);

    QHBoxLayout* pauseRow = addIndentedRow(section);
    pauseRow->addWidget(silenceBox_);
    pauseRow->addWidget(silenceField_);
    pauseRow->addWidget(new QLabel(QStringLiteral("秒"), this));
    pauseRow->addStretch(1);

    QHBoxLayout* srtRow = addIndentedRow(section);
    srtRow->addWidget(srtBox_);
    srtRow->addStretch(1);

    showSettings();
    connect(splitClipPicker_, &SegmentedControl::activated, this,
            [this](int index) { settings_.setSplitClipIndex(index); });
    connect(silenceBox_, &QCheckBox::clicked, &settings, &UserSettings::setIsSilence);
    connect(silenceField_, &QLineEdit::textEdited, &settings, &UserSettings::setSilenceDulation);
    connect(srtBox_, &QCheckBox::clicked, &settings, &UserSettings::setIsSrt);
    settings.whenChanged({OptionKey::splitClipIndex, OptionKey::isSilence,
                          OptionKey::silenceDulation, OptionKey::isSrt},
                         this, [this] { showSettings(); });
}

void ConversionSection::showSettings() {
    splitClipPicker_->setCurrentIndex(
        shownPosition(settings_.splitClipIndex(), splitClipPicker_->count()));
    silenceBox_->setChecked(settings_.isSilence());
    // The length is kept while the pause is off, only not editable.
    silenceField_->setEnabled(settings_.isSilence());
    showText(silenceField_, settings_.silenceDulation());
    srtBox_->setChecked(settings_.isSrt());
}

} // namespace brisomel
