#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brisomel {

class FileLists;
class UserSettings;

// Under "ファイル名の形式:", once a folder has loaded: the built-in rule that finds more
// speakers in it than the chosen one, with a button to use it. Never applied without the button.
class NamingSuggestionRow : public QWidget {
    Q_OBJECT
public:
    NamingSuggestionRow(UserSettings& settings, const FileLists& fileLists,
                        QWidget* parent = nullptr);

private:
    void offer();

    UserSettings& settings_;
    const FileLists& fileLists_;
    QLabel* text_;
    QPushButton* useButton_;
    QString suggested_; // the offered rule's name
};

} // namespace brisomel
