#include "app/FolderSection.h"

#include "app/DropZone.h"
#include "app/ElidedLabel.h"
#include "app/FormParts.h"
#include "app/LineListModel.h"
#include "app/LoadProblems.h"
#include "app/NamingRow.h"
#include "app/NamingSuggestionRow.h"
#include "app/WindowState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomel {

namespace {

QLabel* makeSummaryLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(footnoteFont(label->font()));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A value of the summary, kept up to date with its field of the window state.
ElidedLabel* makeSummaryValue(const WindowState& state,
                              const QString& (WindowState::*field)() const,
                              void (WindowState::*changed)(const QString&), const QString& name,
                              QWidget* parent) {
    auto* value = new ElidedLabel(parent);
    QFont font = footnoteFont(value->font());
    font.setBold(true);
    value->setFont(font);
    value->setObjectName(name);
    value->setText((state.*field)());
    QObject::connect(&state, changed, value, &ElidedLabel::setText);
    return value;
}

// "書き出す行 N / M", shown only while some line is left out.
QLabel* makeTickSummary(const FileLists& lines, QWidget* parent) {
    auto* summary = new QLabel(parent);
    summary->setObjectName(QStringLiteral("tickSummary"));
    summary->setFont(footnoteFont(summary->font()));
    const auto show = [summary, &lines] {
        const qsizetype ticked = lines.tickedCount();
        summary->setText(tickSummaryText(ticked, lines.lineCount()));
        summary->setVisible(ticked < lines.lineCount());
    };
    show();
    QObject::connect(&lines, &FileLists::ticksChanged, summary, show);
    QObject::connect(&lines, &FileLists::fileListsChanged, summary, show);
    return summary;
}

// "行の一覧…": enabled once a folder has loaded.
QPushButton* makeLineListButton(const WindowState& state, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("行の一覧…"), parent);
    button->setObjectName(QStringLiteral("lineListButton"));
    button->setToolTip(QStringLiteral("行ごとに確認し、書き出す行を選びます（Ctrl+L）"));
    button->setEnabled(state.folderUrl().has_value());
    QObject::connect(&state, &WindowState::folderUrlChanged, button,
                     [button] { button->setEnabled(true); });
    return button;
}

} // namespace

FolderSection::FolderSection(const WindowState& state, UserSettings& settings,
                             const FileLists& fileLists, QWidget* parent)
    : QWidget(parent), dropZone_(new DropZone(this)) {
    dropZone_->setObjectName(QStringLiteral("dropZone"));

    auto* section = new QVBoxLayout(this);
    section->setContentsMargins(0, 0, 0, 0);
    section->addWidget(makeHeading(QStringLiteral("音声フォルダ"), this));
    QHBoxLayout* row = addIndentedRow(section);
    row->addWidget(dropZone_);
    // Centred beside the drop zone, the lines kept together.
    row->addWidget(makeSummary(state, fileLists), 1, Qt::AlignVCenter);
    addIndentedRow(section)->addWidget(new NamingRow(settings, fileLists, this));
    addIndentedRow(section)->addWidget(new NamingSuggestionRow(settings, fileLists, this));
    auto* problems = new LoadProblems(state, fileLists, this);
    connect(problems, &LoadProblems::problemsRequested, this, &FolderSection::problemsRequested);
    section->addWidget(problems);
}

QWidget* FolderSection::makeSummary(const WindowState& state, const FileLists& lines) {
    auto* summary = new QWidget(this);
    auto* grid = new QGridLayout(summary);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(makeSummaryLabel(QStringLiteral("フォルダ名:"), summary), 0, 0);
    grid->addWidget(makeSummaryLabel(QStringLiteral("テキスト数:"), summary), 1, 0);
    grid->addWidget(makeSummaryLabel(QStringLiteral("サウンド数:"), summary), 2, 0);
    grid->addWidget(makeSummaryLabel(QStringLiteral("話者数:"), summary), 3, 0);
    grid->addWidget(makeSummaryValue(state, &WindowState::folderName,
                                     &WindowState::folderNameChanged, QStringLiteral("folderName"),
                                     summary),
                    0, 1);
    grid->addWidget(makeSummaryValue(state, &WindowState::textCount, &WindowState::textCountChanged,
                                     QStringLiteral("textCount"), summary),
                    1, 1);
    grid->addWidget(makeSummaryValue(state, &WindowState::soundCount,
                                     &WindowState::soundCountChanged, QStringLiteral("soundCount"),
                                     summary),
                    2, 1);
    grid->addWidget(makeSummaryValue(state, &WindowState::speakerCount,
                                     &WindowState::speakerCountChanged,
                                     QStringLiteral("speakerCount"), summary),
                    3, 1);
    // The button, and beside it how many lines are ticked.
    QPushButton* lineList = makeLineListButton(state, summary);
    connect(lineList, &QPushButton::clicked, this, &FolderSection::lineListRequested);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(lineList);
    lineRow->addWidget(makeTickSummary(lines, summary));
    lineRow->addStretch(1);
    grid->addLayout(lineRow, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return summary;
}

} // namespace brisomel
