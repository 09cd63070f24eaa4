#include "app/NamingTemplateDialog.h"

#include "intake/NamingRule.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomel {

namespace {

// The tokens as buttons that write themselves into the field, each beside what it matches.
QWidget* makeTokenGrid(QLineEdit* field, QWidget* parent) {
    auto* grid = new QWidget(parent);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    constexpr int kColumns = 2;
    int index = 0;
    for (const TemplateToken& token : templateTokens()) {
        auto* button = new QPushButton(token.token, grid);
        button->setObjectName(token.token);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, field, [field, text = token.token] {
            field->insert(text);
            field->setFocus();
        });
        const int row = index / kColumns;
        const int column = index % kColumns * 2;
        layout->addWidget(button, row, column);
        layout->addWidget(new QLabel(token.meaning, grid), row, column + 1);
        ++index;
    }
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    return grid;
}

} // namespace

NamingTemplateDialog::NamingTemplateDialog(const QString& templateText,
                                           const QStringList& fileNames, QWidget* parent)
    : QDialog(parent), fileNames_(fileNames), field_(new QLineEdit(templateText, this)),
      checkLines_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("ファイル名のテンプレート"));
    field_->setObjectName(QStringLiteral("templateField"));
    checkLines_->setObjectName(QStringLiteral("templateCheck"));
    checkLines_->setTextFormat(Qt::PlainText);
    checkLines_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        QStringLiteral("拡張子を除いたファイル名全体の形を、音声ツールの名前の設定と同じ記号で"
                       "書きます。話者の位置に $キャラ$ を 1 つ置いてください。"),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    layout->addWidget(field_);
    layout->addWidget(makeTokenGrid(field_, this));
    layout->addWidget(checkLines_);
    layout->addStretch(1);
    layout->addWidget(buttons);

    connect(field_, &QLineEdit::textChanged, this, &NamingTemplateDialog::check);
    check();
    resize(460, sizeHint().height());
}

QString NamingTemplateDialog::templateText() const {
    return field_->text();
}

// How many of the folder's names the template finds a speaker in, with the first names of each
// kind ("name → speaker"), or why the template cannot be used.
void NamingTemplateDialog::check() {
    const Result<NamingRule> rule = NamingRule::fromTemplate(field_->text());
    okButton_->setEnabled(rule.ok());
    if (!rule) {
        checkLines_->setText(rule.failure().reason);
        return;
    }
    if (fileNames_.isEmpty()) {
        checkLines_->setText(
            QStringLiteral("フォルダを読み込むと、最初のファイル名で確かめられます"));
        return;
    }
    QStringList found, notFound;
    for (const QString& name : fileNames_) {
        const std::optional<QString> speaker = rule->speakerOf(name, {}).speaker;
        if (speaker && found.size() < shownNames) {
            found << QStringLiteral("%1 → %2").arg(name, *speaker);
        } else if (!speaker) {
            notFound << name;
        }
    }
    const qsizetype matched = fileNames_.size() - notFound.size();
    QStringList lines{
        QStringLiteral("%1 件中 %2 件で話者が見つかりました").arg(fileNames_.size()).arg(matched)};
    lines << found;
    if (!notFound.isEmpty()) {
        lines << QStringLiteral("話者が見つからない名前:");
        lines << notFound.first(std::min<qsizetype>(shownNames, notFound.size()));
    }
    checkLines_->setText(lines.join(u'\n'));
}

} // namespace brisomel
