#pragma once

#include "timeline/OptionTypes.h"

#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace brisomel {

// How the window shows an alignment: a symbol, with the name as its tool tip.
struct AlignPresentation {
    AlignType type;
    QStringView toolTip;
    QStringView iconName;
};

inline constexpr AlignPresentation kAlignPresentations[] = {
    {AlignType::left, u"左揃え", u"format-justify-left"},
    {AlignType::canter, u"中央揃え", u"format-justify-center"},
    {AlignType::right, u"右揃え", u"format-justify-right"},
};

inline const AlignPresentation& presentation(AlignType align) {
    return kAlignPresentations[static_cast<std::size_t>(rawValue(align))];
}

// The split-clip picker's choices. Position 0 cuts the project from one compound clip; every
// other position places the clips directly.
inline const QStringList splitClipArray = {QStringLiteral("作成する"),
                                           QStringLiteral("作成しない")};

inline bool splitClipsAt(std::int64_t position) {
    return position == 0;
}

} // namespace brisomel
