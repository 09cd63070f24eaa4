#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>

namespace brisomel {

// Horizontal caption alignment; the raw value is what the document carries.
enum class AlignType : std::int64_t { left = 0, canter = 1, right = 2 };

// Video frame size.
enum class FrameType { frame4K = 0, frame2K = 1, frame1080p = 2, frame720p = 3 };

// Frame rate. The timeline counts `frameUnit` units per frame over `timescale` units per second,
// so the 1001-based rates are built at their nominal whole rate; the document writes each of
// their frames as `writtenFrameLength` units.
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

// Everything known about one option value. Each kind has one table, in enumeration order, that
// the window, the converter, the builder and the writers all read.
struct AlignTypeInfo {
    AlignType type;
    QStringView label;   // the window's tool tip
    QStringView cliName; // the converter's --align value
    QStringView iconName;
};

struct FrameTypeInfo {
    FrameType type;
    QStringView label;   // the window's choice text (the raw value)
    QStringView cliName; // the converter's --size value
    int width;
    int height;
    QStringView formatStem; // the document's format name, before the rate
};

struct FpsTypeInfo {
    FpsType type;
    QStringView label; // the window's choice text and the converter's --fps value
    std::int32_t timescale;
    std::int64_t frameUnit;
    std::int64_t writtenFrameLength; // units one frame lasts in the document
    QStringView formatSuffix;        // the document's format name, after the size
};

std::span<const AlignTypeInfo> alignTypes();
std::span<const FrameTypeInfo> frameTypes();
std::span<const FpsTypeInfo> fpsTypes();

const AlignTypeInfo& describe(AlignType align);
const FrameTypeInfo& describe(FrameType frame);
const FpsTypeInfo& describe(FpsType fps);

std::optional<AlignType> alignTypeFromCliName(QStringView name);
std::optional<FrameType> frameTypeFromCliName(QStringView name);
std::optional<FpsType> fpsTypeFromRawValue(QStringView label);

inline std::int64_t rawValue(AlignType align) {
    return static_cast<std::int64_t>(align);
}
inline QString rawValue(FrameType frame) {
    return describe(frame).label.toString();
}
inline QString rawValue(FpsType fps) {
    return describe(fps).label.toString();
}
inline int frameWidth(FrameType frame) {
    return describe(frame).width;
}
inline int frameHeight(FrameType frame) {
    return describe(frame).height;
}
inline std::int32_t timescale(FpsType fps) {
    return describe(fps).timescale;
}
inline std::int64_t frameUnit(FpsType fps) {
    return describe(fps).frameUnit;
}
inline std::int64_t writtenFrameLength(FpsType fps) {
    return describe(fps).writtenFrameLength;
}

} // namespace brisomel
