#include "app/GenerateAction.h"

#include "app/ChoiceLists.h"
#include "export/OptionCheck.h"
#include "styles/StoredStyles.h"

#include <algorithm>
#include <limits>

namespace brisomel {

namespace {

// A stored number as an int, held to int's range (only a store edited by hand goes past it).
int storedInt(std::int64_t stored) {
    return static_cast<int>(std::clamp<std::int64_t>(stored, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

GenerateAction::GenerateAction(const FileLists& fileLists, const UserSettings& settings,
                               ExportUi& ui)
    : fileLists_(fileLists), settings_(settings), ui_(ui) {}

Result<ConversionOptions> GenerateAction::collectOptions(const QString& timelineName) const {
    // A position outside its list can only come from a store edited by hand: fall back to the
    // position the defaults register.
    const auto pick = [](const auto table, std::int64_t stored, OptionKey key) {
        return typeAt(table, stored).value_or(registeredChoice(table, key));
    };

    ConversionOptions chosen;
    chosen.frameType = pick(frameTypes(), settings_.frameIndex(), OptionKey::frameIndex);
    chosen.fpsType = pick(fpsTypes(), settings_.fpsIndex(), OptionKey::fpsIndex);
    chosen.align = pick(alignTypes(), settings_.alignIndex(), OptionKey::alignIndex);
    chosen.splitClips = splitClipsAt(settings_.splitClipIndex());
    chosen.subtitles.enabled = settings_.isSrt();
    chosen.captionStyles = storedStyles(settings_);
    chosen.wrap = {storedInt(settings_.wrapWidth()), storedInt(settings_.maxLines())};
    chosen.portraitFolder = settings_.portraitFolder();
    return checkedOptions(std::move(chosen), {timelineName, settings_.posX(), settings_.posY(),
                                              settings_.silenceDulation(), settings_.isSilence(),
                                              settings_.loudnessTarget(), settings_.isLoudness()});
}

std::optional<ExportOutcome> GenerateAction::run(const QString& timelineName,
                                                 const BuildProgress& progress,
                                                 QStringList* written,
                                                 const LoudnessRun& loudness) {
    const Result<ConversionOptions> options = collectOptions(timelineName);
    if (!options) {
        ui_.showAlert(options.failure().message(), QString());
        return std::nullopt;
    }
    const FileList& entries = fileLists_.lines();
    if (!anyTicked(entries)) {
        ui_.showAlert(kNoTickedLineMessage, kNoTickedLineInformative);
        return std::nullopt;
    }
    return exportTimeline(entries, *options, ui_, progress, written, loudness);
}

} // namespace brisomel
