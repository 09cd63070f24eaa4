#pragma once

#include "core/Failure.h"
#include "settings/OptionValidation.h"
#include "timeline/ConversionOptions.h"

namespace brisomel {

inline const QString kSubtitleChoicesWithoutSubtitles = QStringLiteral(
    "字幕の改行コード・話者名・話者ごとのファイルは、字幕を書き出すときだけ指定できます");

// The one check of a conversion's options, for the window and the converter alike: the typed
// texts (timeline name, position, pause) in their fixed order, the line width and line count,
// each within its option's range and with the window's messages, then the combinations. Answers
// the chosen options with the texts' numbers filled in, or the first problem.
Result<ConversionOptions> checkedOptions(ConversionOptions chosen, const OptionTexts& texts);

} // namespace brisomel
