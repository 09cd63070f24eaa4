#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace brisomel {

class SegmentedControl;
class UserSettings;

// "変換オプション": split clips, and the pause after caption lines that end with a space.
class ConversionSection : public QWidget {
    Q_OBJECT
public:
    ConversionSection(UserSettings& settings, QWidget* parent = nullptr);

private:
    void showSettings();

    UserSettings& settings_;
    SegmentedControl* splitClipPicker_;
    QCheckBox* silenceBox_;
    QLineEdit* silenceField_;
};

} // namespace brisomel
