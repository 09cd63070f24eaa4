#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace brisomel {

class UserSettings;
class WindowState;

// "タイムライン": the timeline name, the frame size and the frame rate.
class TimelineSection : public QWidget {
    Q_OBJECT
public:
    TimelineSection(WindowState& state, UserSettings& settings, QWidget* parent = nullptr);

private:
    void showSettings();

    UserSettings& settings_;
    QLineEdit* nameField_;
    QComboBox* frameSizePicker_;
    QComboBox* fpsPicker_;
};

} // namespace brisomel
