#include "export/OptionCheck.h"

#include "settings/OptionTable.h"

namespace brisomel {

Result<ConversionOptions> checkedOptions(ConversionOptions chosen, const OptionTexts& texts) {
    const Result<OptionNumbers> numbers = validateOptionTexts(texts);
    if (!numbers) {
        return numbers.failure();
    }
    for (const auto& [key, count] : {std::pair{OptionKey::wrapWidth, chosen.wrap.width},
                                     std::pair{OptionKey::maxLines, chosen.wrap.maxLines}}) {
        if (const Result<double> checked = checkedNumber(key, count); !checked) {
            return checked.failure();
        }
    }
    const SubtitleOptions& subtitles = chosen.subtitles;
    if (!subtitles.enabled &&
        (subtitles.crlf || subtitles.speakerPrefix || subtitles.splitBySpeaker)) {
        return Failure{kSubtitleChoicesWithoutSubtitles, {}, {}};
    }
    chosen.timelineName = texts.timelineName;
    chosen.posX = numbers->posX;
    chosen.posY = numbers->posY;
    chosen.pauseLength = numbers->pauseLength;
    chosen.loudnessTarget = numbers->loudnessTarget;
    return chosen;
}

} // namespace brisomel
