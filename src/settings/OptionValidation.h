#pragma once

#include "core/Failure.h"

#include <QString>

namespace brisomel {

inline const QString kTimelineNameMissing = QStringLiteral("タイムライン名を入力してください");
inline const QString kPosXNotNumber = QStringLiteral("位置:Xは数値を入力してください");
inline const QString kPosYNotNumber = QStringLiteral("位置:Yは数値を入力してください");
inline const QString kPauseNotNumber = QStringLiteral("時間は数値を入力してください");
inline const QString kPauseNegative = QStringLiteral("時間は0以上を入力してください");

struct OptionTexts {
    QString timelineName;
    QString posX;
    QString posY;
    QString silenceDulation;
    bool isSilence = false;
};

struct OptionNumbers {
    float posX = 0;
    float posY = 0;
    double pauseLength = 0; // 0 when the pause option is off
};

// Checks the texts in a fixed order and answers the numbers, or the first failure (its message
// is the validation message). Positions and pauses that are not finite (inf, nan) are refused:
// they cannot be placed.
Result<OptionNumbers> validateOptionTexts(const OptionTexts& texts);

} // namespace brisomel
