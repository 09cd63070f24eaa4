#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace brisomel {

class FileLists;
class SegmentedControl;
class UserSettings;

// "テロップ": the caption alignment, the caption position, the line width and line count of
// broken captions, the speakers' caption styles and the clean-up of caption texts.
class CaptionSection : public QWidget {
    Q_OBJECT
public:
    CaptionSection(UserSettings& settings, const FileLists& fileLists, QWidget* parent = nullptr);

private:
    void showSettings();
    void editReplacementRules();

    UserSettings& settings_;
    const FileLists& fileLists_;
    SegmentedControl* alignPicker_;
    QLineEdit* posXField_;
    QLineEdit* posYField_;
    QSpinBox* wrapWidthField_;
    QSpinBox* maxLinesField_;
    QCheckBox* cleanMarkupBox_ = nullptr;
};

} // namespace brisomel
