#pragma once

#include "export/Conversion.h"
#include "intake/FileListData.h"
#include "timeline/ConversionOptions.h"

#include <QString>

#include <optional>

namespace brisomel {

inline const QString kDocumentExtension = QStringLiteral(".fcpxml");
inline const QString kWriteErrorMessage = QStringLiteral("ファイル書き込みエラー");
inline const QString kWriteErrorInformative =
    QStringLiteral("ファイル書き込み中に予期せぬエラーが発生しました。");

// What an export asks of the user: where to save, and the modal critical alert with the single
// button "はい". The application supplies real dialogs; tests supply scripted ones.
class ExportUi {
public:
    virtual ~ExportUi() = default;
    // The chosen file path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseSaveLocation(const QString& proposedFileName) = 0;
    virtual void showAlert(const QString& message, const QString& informativeText) = 0;
};

enum class ExportOutcome { cancelled, written, buildFailed, writeFailed };

// Asks for a location (proposing the timeline name + ".fcpxml") and runs the conversion with the
// subtitles, when asked for, beside the document (NAME.srt). A build or write failure is shown
// with an alert that names the file and the reason, and says which files were written; nothing
// is announced on success.
ExportOutcome exportTimeline(const FileList& entries, const ConversionOptions& options,
                             ExportUi& ui, const BuildProgress& progress = {});

} // namespace brisomel
