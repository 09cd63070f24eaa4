#include "app/SpeakerStylesDialog.h"

#include "app/SpeakerStyleEditor.h"
#include "builder/SpeakerPortraits.h"
#include "intake/FileLists.h"
#include "styles/StoredStyles.h"
#include "styles/StyleFile.h"
#include "timeline/OptionTypes.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace brisomel {

namespace {

const QString kFileFilter = QStringLiteral("スタイルファイル (*.json)");

QString nfc(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

// Each speaker's first caption with text, in file-name order.
QHash<QString, QString> firstCaptions(const FileList& entries) {
    QHash<QString, QString> captions;
    for (const auto& entry : entries) {
        const QString speaker = nfc(entry->charactorName());
        if (!captions.contains(speaker) && !entry->textRow().trimmed().isEmpty()) {
            captions.insert(speaker, entry->textRow().trimmed());
        }
    }
    return captions;
}

void showFailure(QWidget* parent, const Failure& failure) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("話者ごとのスタイル"), failure.message(),
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("はい"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

SpeakerStylesDialog::SpeakerStylesDialog(const FileList& entries, UserSettings& settings,
                                         QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("話者ごとのスタイル"));
    auto* list = new QWidget;
    auto* listLayout = new QVBoxLayout(list);
    const SpeakerStyles stored = storedStyles(settings);
    const QHash<QString, QString> captions = firstCaptions(entries);
    // Captions are previewed on a frame of the size the document will have.
    const FrameType frame =
        typeAt(frameTypes(), settings.frameIndex()).value_or(FrameType::frame1080p);
    const PortraitFolder portraits(settings.portraitFolder());
    for (const QString& speaker : speakerNames(entries)) {
        auto* editor = new SpeakerStyleEditor(speaker, captions.value(nfc(speaker)),
                                              {frameWidth(frame), frameHeight(frame)},
                                              portraits.image(speaker), list);
        editor->showStyle(stored.find(speaker).value_or(CaptionStyle{}));
        connect(editor, &SpeakerStyleEditor::styleEdited, this, &SpeakerStylesDialog::storeEdit);
        listLayout->addWidget(editor);
        editors_ << editor;
    }
    listLayout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* importButton =
        buttons->addButton(QStringLiteral("読み込む…"), QDialogButtonBox::ActionRole);
    QPushButton* exportButton =
        buttons->addButton(QStringLiteral("書き出す…"), QDialogButtonBox::ActionRole);
    importButton->setObjectName(QStringLiteral("importStylesButton"));
    exportButton->setObjectName(QStringLiteral("exportStylesButton"));
    QPushButton* closeButton =
        buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
    closeButton->setDefault(true);
    connect(importButton, &QPushButton::clicked, this, &SpeakerStylesDialog::importStyles);
    connect(exportButton, &QPushButton::clicked, this, &SpeakerStylesDialog::exportStyles);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    resize(600, 620);
}

SpeakerStyles SpeakerStylesDialog::shownStyles() const {
    SpeakerStyles styles;
    for (const SpeakerStyleEditor* editor : editors_) {
        if (editor->style() != CaptionStyle{}) {
            styles.set(editor->speaker(), editor->style());
        }
    }
    return styles;
}

void SpeakerStylesDialog::applyStyles(const SpeakerStyles& styles) {
    const std::optional<CaptionStyle> others = styles.find(kOtherSpeakers);
    for (SpeakerStyleEditor* editor : editors_) {
        const auto style = styles.find(editor->speaker());
        if (style || others) {
            editor->showStyle(style ? *style : *others);
            storeEdit(editor->speaker(), editor->style());
        }
    }
}

void SpeakerStylesDialog::importStyles() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("スタイルファイルを読み込む"), QString(), kFileFilter);
    if (path.isEmpty()) {
        return;
    }
    const Result<SpeakerStyles> styles = readStyleFile(path);
    if (!styles) {
        showFailure(this, styles.failure());
        return;
    }
    applyStyles(*styles);
}

void SpeakerStylesDialog::exportStyles() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("スタイルファイルを書き出す"),
                                     QStringLiteral("styles.json"), kFileFilter);
    if (path.isEmpty()) {
        return;
    }
    if (const Status written = writeStyleFile(path, shownStyles()); !written) {
        showFailure(this, written.failure());
    }
}

void SpeakerStylesDialog::storeEdit(const QString& speaker, const CaptionStyle& style) {
    storeStyle(settings_, speaker, style);
}

} // namespace brisomel
