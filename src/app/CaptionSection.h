#pragma once

#include <QWidget>

class QLineEdit;

namespace brisomel {

class SegmentedControl;
class UserSettings;

// "テロップ": the caption alignment and the caption position.
class CaptionSection : public QWidget {
    Q_OBJECT
public:
    CaptionSection(UserSettings& settings, QWidget* parent = nullptr);

private:
    void showSettings();

    UserSettings& settings_;
    SegmentedControl* alignPicker_;
    QLineEdit* posXField_;
    QLineEdit* posYField_;
};

} // namespace brisomel
