#pragma once

#include "intake/ReplacementRules.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace brisomel {

// "置換ルール…": the ordered replacement rules, to add, remove and reorder, each with how many
// of the loaded captions it changes as it is edited, and the first captions changed before →
// after. The rules move to and from rule files.
class ReplacementRulesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int shownChanges = 5;

    // The captions are the loaded lines' as the markup rules leave them, in the document's order.
    ReplacementRulesDialog(const ReplacementRules& rules, const QStringList& captions,
                           QWidget* parent = nullptr);

    // The rules as the table holds them; a failure naming a regular expression that does not
    // compile.
    Result<ReplacementRules> rules() const;

private:
    enum Column { findColumn, replaceColumn, regexColumn, countColumn };
    void showRules(const ReplacementRules& rules);
    void addRow(const ReplacementRule& rule);
    void moveCurrent(int step);
    void preview();
    void importFile();
    void exportFile();

    QStringList captions_;
    QTableWidget* table_;
    QLabel* preview_;
    QPushButton* okButton_;
    bool showing_ = false;
};

} // namespace brisomel
