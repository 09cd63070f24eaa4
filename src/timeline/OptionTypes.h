#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brisomel {

// Horizontal caption alignment; the raw value is what the document carries.
enum class AlignType : std::int64_t { left = 0, canter = 1, right = 2 };

std::int64_t rawValue(AlignType align);
std::optional<AlignType> alignTypeFromRawValue(std::int64_t raw);

// Video frame size. The raw value is the label shown to the user.
enum class FrameType { frame4K = 0, frame2K = 1, frame1080p = 2, frame720p = 3 };

QString rawValue(FrameType frame);
std::optional<FrameType> frameTypeFromRawValue(const QString& label);
int frameWidth(FrameType frame);
int frameHeight(FrameType frame);

// Frame rate. The timeline counts `frameUnit` units per frame over `timescale` units per second,
// so the 1001-based rates are built at their nominal whole rate.
enum class FpsType {
    fps23 = 0,
    fps24 = 1,
    fps25 = 2,
    fps29 = 3,
    fps30 = 4,
    fps50 = 5,
    fps59 = 6,
    fps60 = 7,
};

QString rawValue(FpsType fps);
std::optional<FpsType> fpsTypeFromRawValue(const QString& label);
std::int32_t timescale(FpsType fps);
std::int64_t frameUnit(FpsType fps);

inline constexpr FrameType kAllFrameTypes[] = {FrameType::frame4K, FrameType::frame2K,
                                               FrameType::frame1080p, FrameType::frame720p};
inline constexpr FpsType kAllFpsTypes[] = {FpsType::fps23, FpsType::fps24, FpsType::fps25,
                                           FpsType::fps29, FpsType::fps30, FpsType::fps50,
                                           FpsType::fps59, FpsType::fps60};

} // namespace brisomel
