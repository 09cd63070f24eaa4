#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brisomel {

// "テンプレート…": a file-name template of the user's own, written with the tokens the voice
// tools use, checked as it is typed against every name of the loaded folder.
class NamingTemplateDialog : public QDialog {
    Q_OBJECT
public:
    // Names shown of those with a speaker, and of those without.
    static constexpr int shownNames = 5;

    // The names are the loaded folder's base names in file-name order; all are checked.
    NamingTemplateDialog(const QString& templateText, const QStringList& fileNames,
                         QWidget* parent = nullptr);

    QString templateText() const;

private:
    void check();

    QStringList fileNames_;
    QLineEdit* field_;
    QLabel* checkLines_;
    QPushButton* okButton_;
};

} // namespace brisomel
