#pragma once

#include <QWidget>

class QComboBox;

namespace brisomel {

class FileLists;
class UserSettings;

// "ファイル名の形式:": how speakers are found, by the naming rules' labels or a template of the
// user's own, with "テンプレート…" to write that template.
class NamingRow : public QWidget {
    Q_OBJECT
public:
    NamingRow(UserSettings& settings, const FileLists& fileLists, QWidget* parent = nullptr);

    // The place of the template among the picker's choices, after the rules.
    static int templatePosition();

public slots:
    // Opens the template dialog; a template given there becomes the choice.
    void editTemplate();

private:
    void choose(int position);
    void showSettings();

    UserSettings& settings_;
    const FileLists& fileLists_;
    QComboBox* picker_;
};

} // namespace brisomel
