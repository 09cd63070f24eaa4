#include "app/GenerateAction.h"

#include "app/ChoiceLists.h"
#include "settings/OptionValidation.h"
#include "styles/StoredStyles.h"

namespace brisomel {

GenerateAction::GenerateAction(const FileLists& fileLists, const UserSettings& settings,
                               ExportUi& ui)
    : fileLists_(fileLists), settings_(settings), ui_(ui) {}

Result<ConversionOptions> GenerateAction::collectOptions(const QString& timelineName) const {
    const Result<OptionNumbers> numbers =
        validateOptionTexts({timelineName, settings_.posX(), settings_.posY(),
                             settings_.silenceDulation(), settings_.isSilence()});
    if (!numbers) {
        return numbers.failure();
    }

    // A position outside its list can only come from a store edited by hand: fall back to the
    // position the defaults register.
    const auto defaults = UserSettings::registeredDefaults();
    const auto pick = [&](const auto& list, std::int64_t stored, const char* key) {
        return choiceAt(list, stored)
            .value_or(*choiceAt(list, defaults.value(QLatin1String(key)).toLongLong()));
    };

    ConversionOptions options;
    options.timelineName = timelineName;
    options.frameType = pick(frameArray, settings_.frameIndex(), "frameIndex");
    options.fpsType = pick(fpsArray, settings_.fpsIndex(), "fpsIndex");
    options.align = pick(alignArray, settings_.alignIndex(), "alignIndex");
    options.posX = numbers->posX;
    options.posY = numbers->posY;
    options.pauseLength = numbers->pauseLength;
    options.splitClips = splitClipsAt(settings_.splitClipIndex());
    options.subtitles.enabled = settings_.isSrt();
    options.captionStyles = storedStyles(settings_);
    return options;
}

std::optional<ExportOutcome> GenerateAction::run(const QString& timelineName,
                                                 const BuildProgress& progress) {
    const Result<ConversionOptions> options = collectOptions(timelineName);
    if (!options) {
        ui_.showAlert(options.failure().message(), QString());
        return std::nullopt;
    }
    return exportTimeline(fileLists_.fileLists().value_or(FileList{}), *options, ui_, progress);
}

} // namespace brisomel
