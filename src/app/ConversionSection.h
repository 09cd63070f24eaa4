#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace brisomel {

class SegmentedControl;
class UserSettings;

// "変換オプション": split clips, the pause after caption lines that end with a space, the
// subtitle file beside the document, and evening out the voices' loudness to a target.
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
    QCheckBox* srtBox_;
    QCheckBox* loudnessBox_;
    QComboBox* loudnessTarget_; // the usual targets, or any number typed
};

} // namespace brisomel
