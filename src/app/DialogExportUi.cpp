#include "app/DialogExportUi.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace brisomel {

DialogExportUi::DialogExportUi(QWidget* parent) : parent_(parent) {}

std::optional<QString> DialogExportUi::chooseSaveLocation(const QString& proposedFileName) {
    const QString folder = lastUsedFolder_.isEmpty() ? defaultFolder_ : lastUsedFolder_;
    // The dialog asks before replacing an existing file and lets the user make folders.
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QDir(folder).filePath(proposedFileName));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    lastUsedFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void DialogExportUi::showAlert(const QString& message, const QString& informativeText) {
    QMessageBox box(QMessageBox::Critical, QString(), message, QMessageBox::NoButton, parent_);
    box.setInformativeText(informativeText);
    box.addButton(QStringLiteral("はい"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace brisomel
