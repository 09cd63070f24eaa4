#include "app/TimelineSection.h"

#include "app/FormParts.h"
#include "app/WindowState.h"
#include "settings/UserSettings.h"
#include "timeline/OptionTypes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brisomel {

namespace {

constexpr int kFpsRowWidth = 200;

// A picker of one option kind, its values in table order, each shown by its raw value.
template <typename Info>
QComboBox* makePicker(std::span<const Info> table, const QString& name, QWidget* parent) {
    auto* picker = new QComboBox(parent);
    picker->setObjectName(name);
    for (const Info& info : table) {
        picker->addItem(info.rawValue.toString());
    }
    return picker;
}

} // namespace

TimelineSection::TimelineSection(WindowState& state, UserSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), nameField_(new QLineEdit(this)),
      frameSizePicker_(makePicker(frameTypes(), QStringLiteral("frameSizePicker"), this)),
      fpsPicker_(makePicker(fpsTypes(), QStringLiteral("fpsPicker"), this)) {
    nameField_->setObjectName(QStringLiteral("timelineNameField"));

    auto* section = new QVBoxLayout(this);
    section->setContentsMargins(0, 0, 0, 0);
    section->addWidget(makeHeading(QStringLiteral("タイムライン"), this));

    QHBoxLayout* nameRow = addIndentedRow(section);
    nameRow->addWidget(makeRowLabel(QStringLiteral("タイムライン名:"), this));
    nameRow->addWidget(nameField_, 1);

    QHBoxLayout* sizeRow = addIndentedRow(section);
    sizeRow->addWidget(makeRowLabel(QStringLiteral("サイズ:"), this));
    sizeRow->addWidget(frameSizePicker_, 1);

    // The rate menu and its label together are a fixed width; the rest of the row stays empty.
    auto* fpsBox = new QWidget(this);
    fpsBox->setFixedWidth(kFpsRowWidth);
    auto* fpsLayout = new QHBoxLayout(fpsBox);
    fpsLayout->setContentsMargins(0, 0, 0, 0);
    fpsLayout->addWidget(makeRowLabel(QStringLiteral("レート:"), fpsBox));
    fpsLayout->addWidget(fpsPicker_, 1);
    QHBoxLayout* fpsRow = addIndentedRow(section);
    fpsRow->addWidget(fpsBox);
    fpsRow->addStretch(1);

    showText(nameField_, state.timelineName());
    showSettings();
    connect(nameField_, &QLineEdit::textEdited, &state, &WindowState::setTimelineName);
    connect(&state, &WindowState::timelineNameChanged, this,
            [this](const QString& name) { showText(nameField_, name); });
    connect(frameSizePicker_, &QComboBox::activated, this,
            [this](int index) { settings_.setFrameIndex(index); });
    connect(fpsPicker_, &QComboBox::activated, this,
            [this](int index) { settings_.setFpsIndex(index); });
    settings.whenChanged({OptionKey::frameIndex, OptionKey::fpsIndex}, this,
                         [this] { showSettings(); });
}

void TimelineSection::showSettings() {
    frameSizePicker_->setCurrentIndex(
        shownPosition(settings_.frameIndex(), frameSizePicker_->count()));
    fpsPicker_->setCurrentIndex(shownPosition(settings_.fpsIndex(), fpsPicker_->count()));
}

} // namespace brisomel
