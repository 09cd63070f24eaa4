#include "app/PortraitFolderRow.h"

#include "app/ElidedLabel.h"
#include "settings/UserSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace brisomel {

PortraitFolderRow::PortraitFolderRow(UserSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings),
      chooseButton_(new QPushButton(QStringLiteral("立ち絵フォルダ…"), this)),
      folderLabel_(new ElidedLabel(this)),
      clearButton_(new QPushButton(QStringLiteral("外す"), this)) {
    chooseButton_->setObjectName(QStringLiteral("portraitFolderButton"));
    clearButton_->setObjectName(QStringLiteral("portraitFolderClearButton"));
    chooseButton_->setToolTip(
        QStringLiteral("話者名.png（または .jpg）を立ち絵、話者名_口開.png を口を開けた画像として"
                       "使います。話者のスタイルに立ち絵があればそちらが優先です"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(chooseButton_);
    row->addWidget(folderLabel_, 1);
    row->addWidget(clearButton_);
    connect(chooseButton_, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            window(), QStringLiteral("立ち絵フォルダを選ぶ"), settings_.portraitFolder());
        if (!folder.isEmpty()) {
            settings_.setPortraitFolder(folder);
        }
    });
    connect(clearButton_, &QPushButton::clicked, this,
            [this] { settings_.setPortraitFolder(QString()); });
    settings.whenChanged({OptionKey::portraitFolder}, this, [this] { showFolder(); });
    showFolder();
}

void PortraitFolderRow::showFolder() {
    const QString folder = settings_.portraitFolder();
    folderLabel_->setText(folder.isEmpty() ? QStringLiteral("（なし）")
                                           : QDir::toNativeSeparators(folder));
    clearButton_->setEnabled(!folder.isEmpty());
}

} // namespace brisomel
