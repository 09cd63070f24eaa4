#include "app/LoadProblems.h"

#include "app/ElidedLabel.h"
#include "app/FormParts.h"
#include "app/WindowState.h"
#include "intake/FileLists.h"

#include <QFileInfo>
#include <QVBoxLayout>

#include <algorithm>

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
    line->setVisible(!text.isEmpty());
}

} // namespace

QString audioFailureCountText(qsizetype count) {
    return QStringLiteral("読み込めない音声ファイルが %1 件あります").arg(count);
}

QString audioFailureLine(const Failure& failure) {
    // The folder is the one shown above; the full path is in the tool tip.
    Failure named = failure;
    named.file = QFileInfo(failure.file).fileName();
    return named.message();
}

LoadProblems::LoadProblems(const WindowState& state, const FileLists& fileLists, QWidget* parent)
    : QWidget(parent), loadFailure_(makeLine(QStringLiteral("loadFailure"), false, this)),
      audioCount_(makeLine(QStringLiteral("audioFailureCount"), true, this)),
      unnamedFiles_(makeLine(QStringLiteral("unnamedFiles"), false, this)) {
    auto* lines = new QVBoxLayout(this);
    lines->setContentsMargins(kIndentWidth, 0, 0, 0);
    lines->setSpacing(0);
    lines->addWidget(loadFailure_);
    lines->addWidget(audioCount_);
    for (int i = 0; i < shownFiles; ++i) {
        audioFiles_ << makeLine(QStringLiteral("audioFailure%1").arg(i), false, this);
        lines->addWidget(audioFiles_.back());
    }
    lines->addWidget(unnamedFiles_);

    showLoadFailure(state.loadFailure());
    showAudioFailures(fileLists.audioFacts().failures);
    showUnnamedFiles(state.unnamedFiles());
    connect(&state, &WindowState::loadFailureChanged, this, &LoadProblems::showLoadFailure);
    connect(&fileLists, &FileLists::audioFactsChanged, this,
            [this, &fileLists] { showAudioFailures(fileLists.audioFacts().failures); });
    connect(&state, &WindowState::unnamedFilesChanged, this, &LoadProblems::showUnnamedFiles);
}

void LoadProblems::showLoadFailure(const QString& failure) {
    showLine(loadFailure_, failure);
    updateVisibility();
}

void LoadProblems::showAudioFailures(const QList<Failure>& failures) {
    showLine(audioCount_, failures.isEmpty() ? QString() : audioFailureCountText(failures.size()));
    for (int i = 0; i < shownFiles; ++i) {
        const Failure* failure = i < failures.size() ? &failures[i] : nullptr;
        showLine(audioFiles_[i], failure ? audioFailureLine(*failure) : QString());
        audioFiles_[i]->setToolTip(failure ? failure->message() : QString());
    }
    updateVisibility();
}

void LoadProblems::showUnnamedFiles(const QStringList& files) {
    showLine(unnamedFiles_, unnamedLinesText(files));
    unnamedFiles_->setToolTip(
        files.first(std::min<qsizetype>(shownFiles, files.size())).join(u'\n'));
    updateVisibility();
}

void LoadProblems::updateVisibility() {
    setVisible(!loadFailure_->text().isEmpty() || !audioCount_->text().isEmpty() ||
               !unnamedFiles_->text().isEmpty());
}

} // namespace brisomel
