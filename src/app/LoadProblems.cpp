#include "app/LoadProblems.h"

#include "app/ElidedLabel.h"
#include "app/FormParts.h"
#include "app/LineListModel.h"
#include "app/WindowState.h"
#include "intake/FileLists.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace brisomel {

namespace {

ElidedLabel* makeLine(const QString& name, bool bold, QWidget* parent) {
    auto* line = new ElidedLabel(parent);
    line->setObjectName(name);
    QFont font = footnoteFont(line->font());
    font.setBold(bold);
    line->setFont(font);
    line->hide();
    return line;
}

void showLine(ElidedLabel* line, const QString& text) {
    line->setText(text);
    line->setToolTip(text);
    line->setVisible(!text.isEmpty());
}

} // namespace

QString audioFailureLine(const Failure& failure) {
    // The folder is the one the window shows; the full path would hide the file's name.
    Failure named = failure;
    named.file = QFileInfo(failure.file).fileName();
    return named.message();
}

QString problemSummaryText(int problems, int unreadable, int unnamed) {
    QStringList kinds;
    if (unreadable > 0) {
        kinds << QStringLiteral("読み込めない音声 %1 行").arg(unreadable);
    }
    if (unnamed > 0) {
        kinds << QStringLiteral("話者なし %1 行").arg(unnamed);
    }
    return QStringLiteral("問題のある行 %1 件（%2）").arg(problems).arg(kinds.join(u'、'));
}

LoadProblems::LoadProblems(const WindowState& state, const FileLists& fileLists, QWidget* parent)
    : QWidget(parent), lines_(fileLists),
      loadFailure_(makeLine(QStringLiteral("loadFailure"), false, this)),
      problems_(makeLine(QStringLiteral("problemSummary"), true, this)),
      showProblems_(new QPushButton(QStringLiteral("一覧で見る…"), this)) {
    showProblems_->setObjectName(QStringLiteral("showProblemsButton"));
    showProblems_->setToolTip(QStringLiteral("行の一覧に問題のある行だけを表示します"));
    showProblems_->hide();
    auto* lines = new QVBoxLayout(this);
    lines->setContentsMargins(kIndentWidth, 0, 0, 0);
    lines->setSpacing(0);
    lines->addWidget(loadFailure_);
    auto* problemRow = new QHBoxLayout;
    problemRow->addWidget(problems_, 1);
    problemRow->addWidget(showProblems_);
    lines->addLayout(problemRow);

    showLoadFailure(state.loadFailure());
    countProblems();
    connect(&state, &WindowState::loadFailureChanged, this, &LoadProblems::showLoadFailure);
    connect(&fileLists, &FileLists::fileListsChanged, this, &LoadProblems::countProblems);
    connect(&fileLists, &FileLists::audioFactsChanged, this, &LoadProblems::countProblems);
    connect(showProblems_, &QPushButton::clicked, this, &LoadProblems::problemsRequested);
}

void LoadProblems::showLoadFailure(const QString& failure) {
    showLine(loadFailure_, failure);
    updateVisibility();
}

void LoadProblems::countProblems() {
    const QSet<QString> unreadable = unreadablePaths(lines_.audioFacts());
    int problems = 0, unreadableLines = 0, unnamed = 0;
    for (const FileListPtr& line : lines_.lines()) {
        problems += isProblemLine(*line, unreadable) ? 1 : 0;
        unreadableLines +=
            line->hasSoundFile() && unreadable.contains(line->soundFilePath()) ? 1 : 0;
        unnamed += line->hasSpeaker() ? 0 : 1;
    }
    showLine(problems_,
             problems > 0 ? problemSummaryText(problems, unreadableLines, unnamed) : QString());
    showProblems_->setVisible(problems > 0);
    updateVisibility();
}

void LoadProblems::updateVisibility() {
    setVisible(!loadFailure_->text().isEmpty() || !problems_->text().isEmpty());
}

} // namespace brisomel
