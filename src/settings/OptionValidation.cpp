#include "settings/OptionValidation.h"

#include "settings/NumberText.h"
#include "settings/OptionTable.h"

#include <limits>

namespace brisomel {

namespace {

// A typed number read by the option number rule, finite and within the option's range.
template <typename Number>
Result<double> typedNumber(OptionKey key, const std::optional<Number>& parsed) {
    return checkedNumber(key, parsed ? double(*parsed) : std::numeric_limits<double>::quiet_NaN());
}

} // namespace

Result<OptionNumbers> validateOptionTexts(const OptionTexts& texts) {
    if (texts.timelineName.isEmpty()) {
        return Failure{kTimelineNameMissing, {}, {}};
    }
    const Result<double> posX = typedNumber(OptionKey::posX, parseFloatText(texts.posX));
    if (!posX) {
        return posX.failure();
    }
    const Result<double> posY = typedNumber(OptionKey::posY, parseFloatText(texts.posY));
    if (!posY) {
        return posY.failure();
    }
    // The pause text is checked even while the pause is off, so a bad value never lies in wait.
    const Result<double> pause =
        typedNumber(OptionKey::silenceDulation, parseDoubleText(texts.silenceDulation));
    if (!pause) {
        return pause.failure();
    }
    const Result<double> loudness =
        typedNumber(OptionKey::loudnessTarget, parseDoubleText(texts.loudnessTarget));
    if (!loudness) {
        return loudness.failure();
    }
    return OptionNumbers{static_cast<float>(*posX), static_cast<float>(*posY),
                         texts.isSilence ? *pause : 0.0,
                         texts.isLoudness ? std::optional(*loudness) : std::nullopt};
}

} // namespace brisomel
