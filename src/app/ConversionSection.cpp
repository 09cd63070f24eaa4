#include "app/ConversionSection.h"

#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "app/SegmentedControl.h"
#include "settings/UserSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brisomel {

namespace {

constexpr int kPauseFieldWidth = 40;

// The usual loudness targets: what each is for, and the value stored for it.
struct LoudnessChoice {
    QString label;
    QString value;
};
const LoudnessChoice kLoudnessChoices[] = {
    {QStringLiteral("−14（動画サイト）"), QStringLiteral("-14")},
    {QStringLiteral("−16（話し声）"), QStringLiteral("-16")},
    {QStringLiteral("−23（放送）"), QStringLiteral("-23")},
};

} // namespace

ConversionSection::ConversionSection(UserSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), splitClipPicker_(new SegmentedControl(this)),
      silenceBox_(new QCheckBox(QStringLiteral("行末がスペースの場合に間を開ける"), this)),
      silenceField_(new QLineEdit(this)),
      srtBox_(new QCheckBox(QStringLiteral("字幕ファイル（SRT）も書き出す"), this)),
      loudnessBox_(new QCheckBox(QStringLiteral("音量をそろえる"), this)),
      loudnessTarget_(new QComboBox(this)) {
    splitClipPicker_->setObjectName(QStringLiteral("splitClipPicker"));
    for (const QString& choice : splitClipArray) {
        splitClipPicker_->addSegment(choice);
    }
    silenceBox_->setObjectName(QStringLiteral("silenceBox"));
    silenceField_->setObjectName(QStringLiteral("silenceDulationField"));
    silenceField_->setFixedWidth(kPauseFieldWidth);
    srtBox_->setObjectName(QStringLiteral("srtBox"));
    loudnessBox_->setObjectName(QStringLiteral("loudnessBox"));
    loudnessBox_->setToolTip(
        QStringLiteral("話者ごとに 1 つのゲインで、声の音量を目標にそろえます"));
    loudnessTarget_->setObjectName(QStringLiteral("loudnessTargetPicker"));
    loudnessTarget_->setEditable(true);
    loudnessTarget_->setInsertPolicy(QComboBox::NoInsert);
    for (const LoudnessChoice& choice : kLoudnessChoices) {
        loudnessTarget_->addItem(choice.label, choice.value);
    }

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

    QHBoxLayout* loudnessRow = addIndentedRow(section);
    loudnessRow->addWidget(loudnessBox_);
    loudnessRow->addWidget(loudnessTarget_);
    loudnessRow->addWidget(new QLabel(QStringLiteral("LUFS"), this));
    loudnessRow->addStretch(1);

    showSettings();
    connect(splitClipPicker_, &SegmentedControl::activated, this,
            [this](int index) { settings_.setSplitClipIndex(index); });
    connect(silenceBox_, &QCheckBox::clicked, &settings, &UserSettings::setIsSilence);
    connect(silenceField_, &QLineEdit::textEdited, &settings, &UserSettings::setSilenceDulation);
    connect(srtBox_, &QCheckBox::clicked, &settings, &UserSettings::setIsSrt);
    connect(loudnessBox_, &QCheckBox::clicked, &settings, &UserSettings::setIsLoudness);
    connect(loudnessTarget_, &QComboBox::activated, this, [this](int index) {
        settings_.setLoudnessTarget(loudnessTarget_->itemData(index).toString());
    });
    connect(loudnessTarget_->lineEdit(), &QLineEdit::textEdited, &settings,
            &UserSettings::setLoudnessTarget);
    settings.whenChanged({OptionKey::splitClipIndex, OptionKey::isSilence,
                          OptionKey::silenceDulation, OptionKey::isSrt, OptionKey::isLoudness,
                          OptionKey::loudnessTarget},
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
    loudnessBox_->setChecked(settings_.isLoudness());
    loudnessTarget_->setEnabled(settings_.isLoudness());
    // A usual target shows its label; any other number as typed.
    const QString target = settings_.loudnessTarget();
    const int usual = loudnessTarget_->findData(target);
    if (usual >= 0) {
        loudnessTarget_->setCurrentIndex(usual);
    } else if (loudnessTarget_->currentText() != target) {
        loudnessTarget_->setEditText(target);
    }
}

} // namespace brisomel
