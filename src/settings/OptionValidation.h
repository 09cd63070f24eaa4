#pragma once

#include "core/Failure.h"
#include "settings/OptionTable.h"

#include <QString>

#include <optional>

namespace brisomel {

inline const QString kTimelineNameMissing = QStringLiteral("タイムライン名を入力してください");

struct OptionTexts {
    QString timelineName;
    QString posX;
    QString posY;
    QString silenceDulation;
    bool isSilence = false;
    QString loudnessTarget = registeredDefault(OptionKey::loudnessTarget).toString();
    bool isLoudness = false;
};

struct OptionNumbers {
    float posX = 0;
    float posY = 0;
    double pauseLength = 0;               // 0 when the pause option is off
    std::optional<double> loudnessTarget; // LUFS; none when the option is off
};

// Checks the texts in a fixed order and answers the numbers, or the first failure (its message
// is the validation message, its code the option's). A position, pause or loudness target must be
// a finite number within its option's range.
Result<OptionNumbers> validateOptionTexts(const OptionTexts& texts);

} // namespace brisomel
