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

// What the document needs of one option value. Each kind has one table; its order is the order
// of the window's lists (the settings store positions in them, so new values are only ever
// appended) and of the converter's names. Labels, icons and command-line names live with the
// window and the converter.
struct AlignTypeInfo {
    AlignType type;
};

struct FrameTypeInfo {
    FrameType type;
    QStringView rawValue; // shown as the option's label
    int width;
    int height;
    QStringView formatStem; // the document's format name, before the rate
};

struct FpsTypeInfo {
    FpsType type;
    QStringView rawValue; // shown as the option's label
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

// The value at a position of its table, or nothing outside it.
template <typename Info>
std::optional<decltype(Info::type)> typeAt(std::span<const Info> table, std::int64_t position) {
    if (position < 0 || position >= static_cast<std::int64_t>(table.size())) {
        return std::nullopt;
    }
    return table[static_cast<std::size_t>(position)].type;
}

std::optional<FpsType> fpsTypeFromRawValue(QStringView rawValue);

inline std::int64_t rawValue(AlignType align) {
    return static_cast<std::int64_t>(align);
}
inline QString rawValue(FrameType frame) {
    return describe(frame).rawValue.toString();
}
inline QString rawValue(FpsType fps) {
    return describe(fps).rawValue.toString();
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
