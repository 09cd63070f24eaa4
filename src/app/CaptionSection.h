#pragma once

#include <QWidget>

class QLineEdit;

namespace brisomel {

class FileLists;
class SegmentedControl;
class UserSettings;

// "テロップ": the caption alignment, the caption position and the speakers' caption styles.
class CaptionSection : public QWidget {
    Q_OBJECT
public:
    CaptionSection(UserSettings& settings, const FileLists& fileLists, QWidget* parent = nullptr);

private:
    void showSettings();

    UserSettings& settings_;
    SegmentedControl* alignPicker_;
    QLineEdit* posXField_;
    QLineEdit* posYField_;
};

} // namespace brisomel
