#pragma once

#include "export/ExportTimeline.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace brisomel::testsupport {

// Records what an export asked of the user and answers as scripted.
class ScriptedExportUi : public ExportUi {
public:
    std::optional<QString> saveLocation;
    QStringList proposedNames;
    QStringList alertMessages;
    QStringList alertInformativeTexts;
    QList<QStringList> replaceQuestions; // the files each question named
    bool replaceAnswer = true;

    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override {
        proposedNames << proposedFileName;
        return saveLocation;
    }

    void showAlert(const QString& message, const QString& informativeText) override {
        alertMessages << message;
        alertInformativeTexts << informativeText;
    }

    bool confirmReplacing(const QStringList& fileNames) override {
        replaceQuestions << fileNames;
        return replaceAnswer;
    }
};

} // namespace brisomel::testsupport
