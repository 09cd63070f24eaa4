#include "export/OptionCheck.h"

namespace brisomel {

Result<ConversionOptions> checkedOptions(ConversionOptions chosen, const OptionTexts& texts) {
    const Result<OptionNumbers> numbers = validateOptionTexts(texts);
    if (!numbers) {
        return numbers.failure();
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
    return chosen;
}

} // namespace brisomel
