#pragma once

#include "export/Conversion.h"
#include "intake/FileListData.h"
#include "timeline/ConversionOptions.h"

#include <QString>
#include <QStringList>

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
    // Whether to replace these existing files (their names, without the folder); false cancels.
    virtual bool confirmReplacing(const QStringList& fileNames) = 0;
};

inline const QString kReplaceQuestion =
    QStringLiteral("次のファイルはすでにあります。置き換えますか？");
// The files a replace question names: the first few, one a line, then "ほか N 件".
QString replacedFilesText(const QStringList& fileNames);

enum class ExportOutcome { cancelled, written, buildFailed, writeFailed };

// Asks for a location (proposing the timeline name + ".fcpxml") and runs the conversion with the
// subtitles, when asked for, beside the document (NAME.srt). The save dialog asks about the
// document; any other output that already exists (the subtitle files) is named in one question
// before anything is written, and declining it writes nothing. A build or write failure is shown
// with an alert that names the file and the reason, and says which files were written.
// `written`, when given, receives the paths written, in writing order. Measuring the loudness
// (`loudness`, when the options ask for it) cancelled is a cancelled export.
ExportOutcome exportTimeline(const FileList& entries, const ConversionOptions& options,
                             ExportUi& ui, const BuildProgress& progress = {},
                             QStringList* written = nullptr, const LoudnessRun& loudness = {});

} // namespace brisomel
