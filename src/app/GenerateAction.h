#pragma once

#include "export/ExportTimeline.h"
#include "intake/FileLists.h"
#include "settings/UserSettings.h"

#include <QString>

namespace brisomel {

inline const QString kNoTickedLineMessage = QStringLiteral("書き出す行がありません");
inline const QString kNoTickedLineInformative =
    QStringLiteral("行の一覧で、書き出す行に 1 つ以上チェックを入れてください。");

// What the generate button does: validates the window's timeline name and the option texts,
// showing the first problem in an alert, refuses a folder whose lines are all unticked, then
// exports with the stored choices. Depends on the
// window only through the timeline name it is given.
class GenerateAction {
public:
    GenerateAction(const FileLists& fileLists, const UserSettings& settings, ExportUi& ui);

    // Nothing when validation stopped the export (its alert has been shown). `written`, when
    // given, receives the paths of the files an export wrote; `loudness` is how the loudness is
    // measured when the options even it out.
    std::optional<ExportOutcome> run(const QString& timelineName,
                                     const BuildProgress& progress = {},
                                     QStringList* written = nullptr,
                                     const LoudnessRun& loudness = {});

    // The options an export would receive, or the validation failure that stops it.
    Result<ConversionOptions> collectOptions(const QString& timelineName) const;

private:
    const FileLists& fileLists_;
    const UserSettings& settings_;
    ExportUi& ui_;
};

} // namespace brisomel
