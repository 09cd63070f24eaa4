#include "app/ReplacementRulesDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brisomel {

namespace {

const QString kRuleFileFilter = QStringLiteral("置換ルール (*.tsv *.txt);;すべてのファイル (*)");

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ReplacementRulesDialog::ReplacementRulesDialog(const ReplacementRules& rules,
                                               const QStringList& captions, QWidget* parent)
    : QDialog(parent), captions_(captions), table_(new QTableWidget(0, 4, this)),
      preview_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("置換ルール"));
    table_->setObjectName(QStringLiteral("rulesTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("検索"), QStringLiteral("置換"),
                                       QStringLiteral("正規表現"), QStringLiteral("変わる行")});
    table_->horizontalHeader()->setSectionResizeMode(findColumn, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(replaceColumn, QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    preview_->setObjectName(QStringLiteral("rulesPreview"));
    preview_->setTextFormat(Qt::PlainText);
    preview_->setWordWrap(true);

    auto* add = makeButton(QStringLiteral("追加"), QStringLiteral("addRuleButton"), this);
    auto* remove = makeButton(QStringLiteral("削除"), QStringLiteral("removeRuleButton"), this);
    auto* up = makeButton(QStringLiteral("上へ"), QStringLiteral("ruleUpButton"), this);
    auto* down = makeButton(QStringLiteral("下へ"), QStringLiteral("ruleDownButton"), this);
    auto* import =
        makeButton(QStringLiteral("読み込む…"), QStringLiteral("importRulesButton"), this);
    auto* exportButton =
        makeButton(QStringLiteral("書き出す…"), QStringLiteral("exportRulesButton"), this);
    auto* editRow = new QHBoxLayout;
    for (QPushButton* button : {add, remove, up, down}) {
        editRow->addWidget(button);
    }
    editRow->addStretch(1);
    editRow->addWidget(import);
    editRow->addWidget(exportButton);

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("okButton"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        QStringLiteral("テロップに上から順に当てます。正規表現では置換に \\1 でグループを"
                       "書けます。"),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    layout->addWidget(table_, 1);
    layout->addLayout(editRow);
    layout->addWidget(preview_);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, [this] {
        addRow({});
        table_->setCurrentCell(table_->rowCount() - 1, findColumn);
        table_->editItem(table_->currentItem());
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0) {
            table_->removeRow(table_->currentRow());
            preview();
        }
    });
    connect(up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(import, &QPushButton::clicked, this, &ReplacementRulesDialog::importFile);
    connect(exportButton, &QPushButton::clicked, this, &ReplacementRulesDialog::exportFile);
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!showing_) {
            preview();
        }
    });
    showRules(rules);
    resize(640, 460);
}

void ReplacementRulesDialog::showRules(const ReplacementRules& rules) {
    showing_ = true;
    table_->setRowCount(0);
    for (const ReplacementRule& rule : rules.rules()) {
        addRow(rule);
    }
    showing_ = false;
    preview();
}

void ReplacementRulesDialog::addRow(const ReplacementRule& rule) {
    const bool wasShowing = std::exchange(showing_, true);
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, findColumn, new QTableWidgetItem(rule.find));
    table_->setItem(row, replaceColumn, new QTableWidgetItem(rule.replace));
    auto* regex = new QTableWidgetItem;
    regex->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    regex->setCheckState(rule.regex ? Qt::Checked : Qt::Unchecked);
    table_->setItem(row, regexColumn, regex);
    auto* count = new QTableWidgetItem;
    count->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(row, countColumn, count);
    showing_ = wasShowing;
    if (!showing_) {
        preview();
    }
}

void ReplacementRulesDialog::moveCurrent(int step) {
    const int row = table_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= table_->rowCount()) {
        return;
    }
    showing_ = true;
    for (int column = 0; column < table_->columnCount(); ++column) {
        QTableWidgetItem* moving = table_->takeItem(row, column);
        table_->setItem(row, column, table_->takeItem(target, column));
        table_->setItem(target, column, moving);
    }
    showing_ = false;
    table_->setCurrentCell(target, table_->currentColumn());
    preview();
}

Result<ReplacementRules> ReplacementRulesDialog::rules() const {
    QList<ReplacementRule> rules;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString find = table_->item(row, findColumn)->text();
        if (find.isEmpty()) {
            continue; // a row not yet filled in replaces nothing
        }
        rules << ReplacementRule{find, table_->item(row, replaceColumn)->text(),
                                 table_->item(row, regexColumn)->checkState() == Qt::Checked};
    }
    return ReplacementRules::checked(std::move(rules));
}

// Each rule's count of changed captions (the rules applied in order), and the first captions
// the rules change, before → after; or what is wrong with a regular expression.
void ReplacementRulesDialog::preview() {
    const Result<ReplacementRules> checked = rules();
    okButton_->setEnabled(checked.ok());
    if (!checked) {
        preview_->setText(checked.failure().reason);
        return;
    }
    QList<int> counts(checked->rules().size());
    QStringList changes;
    int changedLines = 0;
    for (const QString& caption : captions_) {
        QString text = caption;
        for (qsizetype i = 0; i < checked->rules().size(); ++i) {
            QString after = checked->applyOne(i, text);
            if (after != text) {
                ++counts[i];
                text = std::move(after);
            }
        }
        if (text != caption && ++changedLines <= shownChanges) {
            changes << QStringLiteral("%1 → %2").arg(caption, text).replace(u'\n', u' ');
        }
    }
    const QSignalBlocker blocker(table_);
    for (int row = 0, rule = 0; row < table_->rowCount(); ++row) {
        const bool used = !table_->item(row, findColumn)->text().isEmpty();
        table_->item(row, countColumn)->setText(used ? QString::number(counts[rule++]) : QString());
    }
    QStringList lines{
        QStringLiteral("%1 行中 %2 行が変わります").arg(captions_.size()).arg(changedLines)};
    preview_->setText((lines + changes).join(u'\n'));
}

void ReplacementRulesDialog::importFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("置換ルールを読み込む"),
                                                      QString(), kRuleFileFilter);
    if (path.isEmpty()) {
        return;
    }
    const Result<ReplacementRules> read = readReplacementFile(path);
    if (!read) {
        QMessageBox::warning(this, QStringLiteral("置換ルール"), read.failure().message());
        return;
    }
    showRules(*read);
}

void ReplacementRulesDialog::exportFile() {
    const Result<ReplacementRules> current = rules();
    if (!current) {
        QMessageBox::warning(this, QStringLiteral("置換ルール"), current.failure().message());
        return;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("置換ルールを書き出す"),
                                     QStringLiteral("置換ルール.tsv"), kRuleFileFilter);
    if (path.isEmpty()) {
        return;
    }
    if (const Status written = writeReplacementFile(path, *current); !written) {
        QMessageBox::warning(this, QStringLiteral("置換ルール"), written.failure().message());
    }
}

} // namespace brisomel
