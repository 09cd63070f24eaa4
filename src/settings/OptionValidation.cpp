#include "settings/OptionValidation.h"

#include "settings/NumberText.h"

#include <cmath>

namespace brisomel {

namespace {

std::optional<float> finiteFloat(const QString& text) {
    const auto value = parseFloatText(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

Failure invalid(const QString& message) {
    return {message, {}, {}};
}

} // namespace

Result<OptionNumbers> validateOptionTexts(const OptionTexts& texts) {
    if (texts.timelineName.isEmpty()) {
        return invalid(kTimelineNameMissing);
    }
    const auto posX = finiteFloat(texts.posX);
    if (!posX) {
        return invalid(kPosXNotNumber);
    }
    const auto posY = finiteFloat(texts.posY);
    if (!posY) {
        return invalid(kPosYNotNumber);
    }
    // The pause text is checked even while the pause is off, so a bad value never lies in wait.
    const auto pause = parseDoubleText(texts.silenceDulation);
    if (!pause || !std::isfinite(*pause)) {
        return invalid(kPauseNotNumber);
    }
    if (*pause < 0) {
        return invalid(kPauseNegative);
    }
    return OptionNumbers{*posX, *posY, texts.isSilence ? *pause : 0.0};
}

} // namespace brisomel
