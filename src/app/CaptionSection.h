#pragma once

#include <QWidget>

class QLineEdit;
class QSpinBox;

namespace brisomel {

class FileLists;
class SegmentedControl;
class UserSettings;

// "テロップ": the caption alignment, the caption position, the line width and line count of
// broken captions, and the speakers' caption styles.
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
    QSpinBox* wrapWidthField_;
    QSpinBox* maxLinesField_;
};

} // namespace brisomel
