#pragma once

#include "intake/FileLists.h"
#include "timeline/FilelistToTimeline.h"

#include <QString>

#include <cstdint>
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

struct ExportOptions {
    QString timelineName;
    QString eventName;
    FrameType frameType = FrameType::frame1080p;
    float posX = 0;
    float posY = 0;
    double pauseLength = 0;
    FpsType fpsType = FpsType::fps30;
    AlignType align = AlignType::canter;
    std::int64_t splitClipIndex = 1;
};

enum class ExportOutcome { cancelled, written, buildFailed, writeFailed };

// Asks for a location (proposing the timeline name + ".fcpxml"), builds, renders with the writer
// the split-clip choice selects (0: with split clips, anything else: without) and writes the
// document atomically. A build or write failure is shown with an alert; nothing is announced on
// success.
ExportOutcome exportTimeline(const FileLists& fileLists, const ExportOptions& options, ExportUi& ui,
                             const BuildProgress& progress = {});

// The document for a built timeline, by the split-clip choice.
QString renderDocument(const BuiltTimeline& timeline, const QString& eventName,
                       std::int64_t splitClipIndex);

} // namespace brisomel
