#pragma once

#include "timeline/OptionTypes.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace brisomel {

// The window's choice lists. The settings store positions in these lists, so a position keeps
// its meaning for good: new choices are only ever appended.
inline constexpr std::array<FrameType, 4> frameArray = {FrameType::frame720p, FrameType::frame1080p,
                                                        FrameType::frame2K, FrameType::frame4K};
// 29.97 came after the first seven rates, so it sits at the end rather than in rate order.
inline constexpr std::array<FpsType, 8> fpsArray = {FpsType::fps23, FpsType::fps24, FpsType::fps25,
                                                    FpsType::fps30, FpsType::fps50, FpsType::fps59,
                                                    FpsType::fps60, FpsType::fps29};
inline constexpr std::array<AlignType, 3> alignArray = {AlignType::left, AlignType::canter,
                                                        AlignType::right};
// Position 0 cuts the project from one compound clip; every other position places the clips
// directly.
inline const QStringList splitClipArray = {QStringLiteral("作成する"),
                                           QStringLiteral("作成しない")};

inline bool splitClipsAt(std::int64_t position) {
    return position == 0;
}

// The entry at a stored position, or nothing when the position lies outside the list.
template <typename T, std::size_t N>
std::optional<T> choiceAt(const std::array<T, N>& list, std::int64_t position) {
    if (position < 0 || position >= static_cast<std::int64_t>(N)) {
        return std::nullopt;
    }
    return list[static_cast<std::size_t>(position)];
}

} // namespace brisomel
