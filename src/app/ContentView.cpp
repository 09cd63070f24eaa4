#include "app/ContentView.h"

#include "app/BuildProgressDialog.h"
#include "app/CaptionSection.h"
#include "app/ConversionSection.h"
#include "app/DropZone.h"
#include "app/FolderSection.h"
#include "app/FormParts.h"
#include "app/GenerateAction.h"
#include "app/LineListModel.h"
#include "app/LineListWindow.h"
#include "app/LoadProblems.h"
#include "app/LoudnessProgress.h"
#include "app/SpeakerStylesButton.h"
#include "app/TimelineSection.h"
#include "audio/AudioFactsCheck.h"
#include "settings/StoredCaptionRules.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brisomel {

ContentView::ContentView(QWidget* parent) : ContentView(nullptr, parent) {}

ContentView::ContentView(QSettings* store, QWidget* parent)
    : QWidget(parent),
      userSettings_(store ? new UserSettings(store, this) : new UserSettings(this)),
      fileLists_(new FileLists(this)), state_(new WindowState(this)),
      folderLoad_(new FolderLoadAction(*fileLists_, *state_, this)),
      lineList_(new LineListModel(*fileLists_, this)), dialogs_(this) {
    setUp();
}

void ContentView::setUp() {
    setMinimumWidth(contentSize.width());
    lineList_->setLoudnessCache(&loudness_);
    // Folders are read by the stored naming rule; a new choice reads the loaded folder again.
    const auto useNaming = [this] {
        folderLoad_->setNaming(
            NamingRule::chosen(userSettings_->namingRule(), userSettings_->namingTemplate()));
    };
    useNaming();
    userSettings_->whenChanged(optionsReadBy(OptionReader::intake), folderLoad_, useNaming);
    // Captions go through the stored caption rules, the loaded lines at once on a change.
    const auto useCaptionRules = [this] {
        fileLists_->setCaptionRules(storedCaptionRules(*userSettings_));
    };
    useCaptionRules();
    userSettings_->whenChanged({OptionKey::cleanMarkup, OptionKey::replacementRules}, fileLists_,
                               useCaptionRules);
    // Made in screen order, top to bottom, which is the order the Tab key follows.
    auto* folderSection = new FolderSection(*state_, *userSettings_, *fileLists_, this);
    auto* timelineSection = new TimelineSection(*state_, *userSettings_, this);
    auto* captionSection = new CaptionSection(*userSettings_, *fileLists_, this);
    auto* conversionSection = new ConversionSection(*userSettings_, this);
    generateButton_ = new QPushButton(QStringLiteral("作成…"), this);
    generateButton_->setObjectName(QStringLiteral("generateButton"));
    generateButton_->setEnabled(state_->folderUrl().has_value());

    auto* content = new QVBoxLayout(this);
    content->addWidget(folderSection);
    addDivider(content, this);
    content->addWidget(timelineSection);
    addDivider(content, this);
    content->addWidget(captionSection);
    addDivider(content, this);
    content->addWidget(conversionSection);
    addDivider(content, this);
    // After an export, what it wrote and the way to its folder, beside the button.
    exportNote_ = new QLabel(this);
    exportNote_->setObjectName(QStringLiteral("exportNote"));
    exportNote_->setFont(footnoteFont(exportNote_->font()));
    exportNote_->setWordWrap(true);
    openFolderButton_ = new QPushButton(QStringLiteral("フォルダを開く"), this);
    openFolderButton_->setObjectName(QStringLiteral("openExportFolderButton"));
    openFolderButton_->hide();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(exportNote_, 1);
    buttonRow->addWidget(openFolderButton_);
    buttonRow->addWidget(generateButton_);
    content->addLayout(buttonRow);
    // Height beyond what the sections need is shared by the gaps around the dividers, so no
    // single band stays empty.

    connect(folderSection->dropZone(), &DropZone::urlsDropped, folderLoad_,
            &FolderLoadAction::dropFolder);
    connect(folderSection->dropZone(), &DropZone::clicked, this, &ContentView::chooseFolder);
    // A loaded folder stays loaded: once enabled, the button stays so.
    connect(state_, &WindowState::folderUrlChanged, generateButton_,
            [this] { generateButton_->setEnabled(true); });
    connect(generateButton_, &QPushButton::clicked, this, &ContentView::generate);
    connect(openFolderButton_, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(exportFolder_)); });
    connect(folderSection, &FolderSection::lineListRequested, this, &ContentView::showLineList);
    connect(folderSection, &FolderSection::problemsRequested, this, [this] {
        showLineList();
        if (lineListWindow_) {
            lineListWindow_->showProblemsOnly();
        }
    });
    // The list counts whole frames at the chosen rate.
    const auto showRate = [this] {
        lineList_->setFpsType(
            typeAt(fpsTypes(), userSettings_->fpsIndex()).value_or(ConversionOptions().fpsType));
    };
    showRate();
    userSettings_->whenChanged({OptionKey::fpsIndex}, lineList_, showRate);
}

void ContentView::showLineList() {
    if (!state_->folderUrl()) {
        return;
    }
    if (!lineListWindow_) {
        lineListWindow_ =
            new LineListWindow(*lineList_, *state_, *folderLoad_, *userSettings_, this);
    }
    lineListWindow_->show();
    lineListWindow_->raise();
    lineListWindow_->activateWindow();
}

void ContentView::reload() {
    folderLoad_->reload();
}

void ContentView::showSpeakerStyles() {
    if (auto* button = findChild<SpeakerStylesButton*>()) {
        button->openDialog();
    }
}

QString exportNoteText(const QStringList& writtenPaths) {
    QString text =
        QStringLiteral("書き出しました: %1").arg(QFileInfo(writtenPaths.value(0)).fileName());
    if (writtenPaths.size() > 1) {
        text += QStringLiteral(" ほか %1 ファイル").arg(writtenPaths.size() - 1);
    }
    return text;
}

void ContentView::chooseFolder() {
    // Next to the loaded folder, where the next session's folder usually is.
    const QString start = state_->folderUrl()
                              ? QFileInfo(state_->folderUrl()->toLocalFile()).absolutePath()
                              : QDir::homePath();
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("音声フォルダを選択"), start);
    if (!folder.isEmpty()) {
        folderLoad_->dropFolder({QUrl::fromLocalFile(folder)});
    }
}

namespace {

// Closes the progress dialog before any alert or question, so a build that stops early does not
// leave it standing behind the message.
class ProgressClosingUi : public ExportUi {
public:
    ProgressClosingUi(ExportUi& dialogs, BuildProgressDialog& progress)
        : dialogs_(dialogs), progress_(progress) {}

    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override {
        return dialogs_.chooseSaveLocation(proposedFileName);
    }
    void showAlert(const QString& message, const QString& informativeText) override {
        progress_.close();
        dialogs_.showAlert(message, informativeText);
    }
    bool confirmReplacing(const QStringList& fileNames) override {
        progress_.close();
        return dialogs_.confirmReplacing(fileNames);
    }

private:
    ExportUi& dialogs_;
    BuildProgressDialog& progress_;
};

} // namespace

QString unreadableTickedMessage(qsizetype count) {
    return QStringLiteral("書き出す行のうち %1 行の音声ファイルを読み込めません").arg(count);
}

QString unreadableTickedAdvice(const QList<Failure>& unreadable) {
    QStringList lines;
    for (const Failure& failure : unreadable.first(std::min(kNamedUnreadable, unreadable.size()))) {
        lines << audioFailureLine(failure);
    }
    if (unreadable.size() > kNamedUnreadable) {
        lines << QStringLiteral("ほか %1 件").arg(unreadable.size() - kNamedUnreadable);
    }
    lines << QStringLiteral("行の一覧で外すと、残りの行で書き出せます。");
    return lines.join(u'\n');
}

void ContentView::generate() {
    if (!state_->folderUrl()) {
        return;
    }
    ExportUi& dialogs = exportUi_ ? *exportUi_ : dialogs_;
    // Audio of a ticked line found unreadable at the load stops the export before the save
    // dialog, unless it has been mended since; the build reads every file again anyway.
    if (const QList<Failure> unreadable = stillUnreadable(fileLists_->failuresOfTicked());
        !unreadable.isEmpty()) {
        dialogs.showAlert(unreadableTickedMessage(unreadable.size()),
                          unreadableTickedAdvice(unreadable));
        return;
    }
    dialogs_.setDefaultFolder(state_->folderUrl()->toLocalFile());
    BuildProgressDialog progress(this);
    ProgressClosingUi ui(dialogs, progress);
    GenerateAction action(*fileLists_, *userSettings_, ui);
    // The loudness is measured first, off this thread and cancellable; the export then takes
    // the measurements from the session's cache.
    if (const Result<ConversionOptions> options = action.collectOptions(state_->timelineName());
        options && options->loudnessTarget && anyTicked(fileLists_->lines())) {
        const Status measured = measureLoudnessWithProgress(this, fileLists_->lines(), loudness_);
        lineList_->loudnessMeasured();
        if (!measured) {
            if (measured.failure().code != FailureCode::cancelled) {
                dialogs.showAlert(measured.failure().message(), QString());
            }
            return;
        }
    }
    QStringList written;
    const auto outcome = action.run(
        state_->timelineName(),
        [&progress](qsizetype done, qsizetype total) { progress.report(done, total); }, &written,
        LoudnessRun{&loudness_, {}, nullptr});
    const bool wrote = outcome == ExportOutcome::written && !written.isEmpty();
    exportNote_->setText(wrote ? exportNoteText(written) : QString());
    exportFolder_ = wrote ? QFileInfo(written.constFirst()).absolutePath() : QString();
    openFolderButton_->setVisible(wrote);
}

} // namespace brisomel
