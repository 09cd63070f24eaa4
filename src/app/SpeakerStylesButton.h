#pragma once

#include <QPushButton>

namespace brisomel {

class FileLists;
class UserSettings;

// "話者ごとのスタイル…": opens the styles of the loaded folder's speakers; disabled until a
// folder has loaded.
class SpeakerStylesButton : public QPushButton {
    Q_OBJECT
public:
    SpeakerStylesButton(const FileLists& fileLists, UserSettings& settings,
                        QWidget* parent = nullptr);

public slots:
    void openDialog();

private:
    const FileLists& fileLists_;
    UserSettings& settings_;
};

} // namespace brisomel
