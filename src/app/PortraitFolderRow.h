#pragma once

#include <QWidget>

class QPushButton;

namespace brisomel {

class ElidedLabel;
class UserSettings;

// "立ち絵フォルダ…": the folder of portraits by speaker name that every export uses, its name
// beside the button, and a button that stops using it.
class PortraitFolderRow : public QWidget {
    Q_OBJECT
public:
    PortraitFolderRow(UserSettings& settings, QWidget* parent = nullptr);

    QPushButton* chooseButton() const { return chooseButton_; }
    QPushButton* clearButton() const { return clearButton_; }
    ElidedLabel* folderLabel() const { return folderLabel_; }

private:
    void showFolder();

    UserSettings& settings_;
    QPushButton* chooseButton_;
    ElidedLabel* folderLabel_;
    QPushButton* clearButton_;
};

} // namespace brisomel
