#pragma once

#include "export/ExportTimeline.h"

#include <QString>

class QWidget;

namespace brisomel {

// The export's questions as the desktop's own dialogs: a save dialog, a question before replacing
// files and a critical message box.
class DialogExportUi : public ExportUi {
public:
    explicit DialogExportUi(QWidget* parent);

    // Where the save dialog starts until the user has saved somewhere (the loaded folder).
    void setDefaultFolder(const QString& folder) { defaultFolder_ = folder; }

    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override;
    void showAlert(const QString& message, const QString& informativeText) override;
    bool confirmReplacing(const QStringList& fileNames) override;

private:
    QWidget* parent_;
    QString defaultFolder_;
    QString lastUsedFolder_;
};

} // namespace brisomel
