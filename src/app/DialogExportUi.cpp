#include "app/DialogExportUi.h"

#include "app/AlertText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace brisomel {

namespace {

// Keeps the alert, with its icon and margins, narrower than the window.
constexpr int kAlertTextWidth = 290;

} // namespace

DialogExportUi::DialogExportUi(QWidget* parent) : parent_(parent) {}

std::optional<QString> DialogExportUi::chooseSaveLocation(const QString& proposedFileName) {
    const QString folder = lastUsedFolder_.isEmpty() ? defaultFolder_ : lastUsedFolder_;
    // The dialog asks before replacing an existing file and lets the user make folders. A name
    // typed without an extension gets the document's.
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("FCPXML (*%1)").arg(kDocumentExtension));
    dialog.setDefaultSuffix(kDocumentExtension.mid(1));
    dialog.setDirectory(folder);
    dialog.selectFile(proposedFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    lastUsedFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void DialogExportUi::showAlert(const QString& message, const QString& informativeText) {
    QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::NoButton, parent_);
    // Broken into lines here, as plain text, so the box neither breaks Japanese words nor grows
    // wider than the window for a long path.
    box.setTextFormat(Qt::PlainText);
    box.setText(wrapAlertText(message, box.fontMetrics(), kAlertTextWidth));
    box.setInformativeText(wrapAlertText(informativeText, box.fontMetrics(), kAlertTextWidth));
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setWordWrap(false);
    }
    box.addButton(QStringLiteral("はい"), QMessageBox::AcceptRole);
    box.exec();
}

bool DialogExportUi::confirmReplacing(const QStringList& fileNames) {
    QMessageBox box(QMessageBox::Warning, QString(), kReplaceQuestion, QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(replacedFilesText(fileNames));
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}

} // namespace brisomel
