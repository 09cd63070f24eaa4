#include "app/NamingRow.h"

#include "app/ChoiceLists.h"
#include "app/FormParts.h"
#include "app/NamingTemplateDialog.h"
#include "intake/FileLists.h"
#include "intake/NamingRule.h"
#include "settings/UserSettings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace brisomel {

namespace {

// What the dialog starts from when the user has written no template yet: the voice tools' own
// default naming.
const QString kFirstTemplate = QStringLiteral("$連番$_$キャラ$（$スタイル$）_$テキスト$");

// The loaded folder's base names in file-name order.
QStringList loadedNames(const FileLists& fileLists) {
    QStringList names;
    for (const FileListPtr& entry : fileLists.lines()) {
        names << entry->fileName();
    }
    return names;
}

} // namespace

NamingRow::NamingRow(UserSettings& settings, const FileLists& fileLists, QWidget* parent)
    : QWidget(parent), settings_(settings), fileLists_(fileLists), picker_(new QComboBox(this)) {
    picker_->setObjectName(QStringLiteral("namingPicker"));
    for (const NamingRuleInfo& info : namingRules()) {
        const NamingPresentation& shown = presentation(info.kind);
        picker_->addItem(shown.label.toString(), info.name);
        picker_->setItemData(picker_->count() - 1, shown.example.toString(), Qt::ToolTipRole);
    }
    picker_->addItem(QStringLiteral("テンプレート"), kTemplateNamingName);
    auto* label = new QLabel(QStringLiteral("ファイル名の形式:"), this);
    auto* templateButton = new QToolButton(this);
    templateButton->setText(QStringLiteral("テンプレート…"));
    templateButton->setObjectName(QStringLiteral("namingTemplateButton"));

    // In the folder summary's small type, so the longest label fits beside the button.
    for (QWidget* part : std::initializer_list<QWidget*>{label, picker_, templateButton}) {
        part->setFont(footnoteFont(part->font()));
    }
    picker_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(picker_, 1);
    row->addWidget(templateButton);

    showSettings();
    connect(picker_, &QComboBox::activated, this, &NamingRow::choose);
    connect(templateButton, &QToolButton::clicked, this, &NamingRow::editTemplate);
    settings.whenChanged({OptionKey::namingRule, OptionKey::namingTemplate}, this,
                         [this] { showSettings(); });
}

int NamingRow::templatePosition() {
    return static_cast<int>(namingRules().size());
}

void NamingRow::choose(int position) {
    const QString name = picker_->itemData(position).toString();
    if (name == kTemplateNamingName && !NamingRule::fromTemplate(settings_.namingTemplate())) {
        editTemplate(); // there is no template to use yet
        return;
    }
    settings_.setNamingRule(name);
}

void NamingRow::editTemplate() {
    const QString stored = settings_.namingTemplate();
    NamingTemplateDialog dialog(stored.isEmpty() ? kFirstTemplate : stored, loadedNames(fileLists_),
                                window());
    if (dialog.exec() == QDialog::Accepted) {
        settings_.setNamingTemplate(dialog.templateText());
        settings_.setNamingRule(kTemplateNamingName);
    }
    showSettings(); // a cancelled dialog leaves the choice as it was
}

// The rule in use, which is the standard one when the store names none that can be used.
void NamingRow::showSettings() {
    const NamingRule rule = NamingRule::chosen(settings_.namingRule(), settings_.namingTemplate());
    picker_->setCurrentIndex(picker_->findData(rule.name()));
    picker_->setItemData(templatePosition(), settings_.namingTemplate(), Qt::ToolTipRole);
    // The template in use is shown where the choice is.
    const QString stored = settings_.namingTemplate();
    picker_->setItemText(templatePosition(), stored.isEmpty()
                                                 ? QStringLiteral("テンプレート")
                                                 : QStringLiteral("テンプレート: %1").arg(stored));
}

} // namespace brisomel
