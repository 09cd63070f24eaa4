#pragma once

#include "intake/NamingRule.h"
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

// How the window names each built-in naming rule, with a name it reads as the tool tip.
struct NamingPresentation {
    NamingKind kind;
    QStringView label;
    QStringView example;
};

inline constexpr NamingPresentation kNamingPresentations[] = {
    {NamingKind::standard, u"番号_話者（スタイル）_セリフ", u"001_花子（通常）_こんにちは"},
    {NamingKind::plain, u"番号_話者_セリフ", u"001_花子_こんにちは"},
    {NamingKind::datetime, u"日付_時刻_話者_セリフ", u"251119_081002_花子_こんにちは"},
    {NamingKind::hyphen, u"番号-話者-セリフ", u"0-花子-こんにちは"},
    {NamingKind::captionPrefix, u"字幕の先頭の「話者＞」", u"字幕「花子＞こんにちは」"},
};

inline const NamingPresentation& presentation(NamingKind kind) {
    return kNamingPresentations[static_cast<std::size_t>(kind)];
}

// The split-clip picker's choices. Position 0 cuts the project from one compound clip; every
// other position places the clips directly.
inline const QStringList splitClipArray = {QStringLiteral("作成する"),
                                           QStringLiteral("作成しない")};

inline bool splitClipsAt(std::int64_t position) {
    return position == 0;
}

} // namespace brisomel
