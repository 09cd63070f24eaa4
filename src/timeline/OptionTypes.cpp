#include "timeline/OptionTypes.h"

namespace brisomel {

namespace {

struct FrameInfo {
    const char16_t* label;
    int width;
    int height;
};

// Indexed by FrameType; labels use U+00D7 between width and height.
constexpr FrameInfo kFrames[] = {
    {u"3840\u00D72160 : 4K", 3840, 2160},
    {u"2560\u00D71440 : 2.5K", 2560, 1440},
    {u"1920\u00D71080 : 1080p", 1920, 1080},
    {u"1280\u00D7720 : 720p", 1280, 720},
};

struct FpsInfo {
    const char16_t* label;
    std::int32_t timescale;
    std::int64_t frameUnit;
};

// Indexed by FpsType.
constexpr FpsInfo kRates[] = {
    {u"23.98", 24000, 1000}, {u"24", 2400, 100}, {u"25", 2500, 100},      {u"29.97", 30000, 1000},
    {u"30", 3000, 100},      {u"50", 5000, 100}, {u"59.94", 60000, 1000}, {u"60", 6000, 100},
};

const FrameInfo& info(FrameType frame) {
    return kFrames[static_cast<int>(frame)];
}
const FpsInfo& info(FpsType fps) {
    return kRates[static_cast<int>(fps)];
}

} // namespace

std::int64_t rawValue(AlignType align) {
    return static_cast<std::int64_t>(align);
}

std::optional<AlignType> alignTypeFromRawValue(std::int64_t raw) {
    if (raw < 0 || raw > 2) {
        return std::nullopt;
    }
    return static_cast<AlignType>(raw);
}

QString rawValue(FrameType frame) {
    return QString::fromUtf16(info(frame).label);
}

std::optional<FrameType> frameTypeFromRawValue(const QString& label) {
    for (FrameType frame : kAllFrameTypes) {
        if (rawValue(frame) == label) {
            return frame;
        }
    }
    return std::nullopt;
}

int frameWidth(FrameType frame) {
    return info(frame).width;
}
int frameHeight(FrameType frame) {
    return info(frame).height;
}

QString rawValue(FpsType fps) {
    return QString::fromUtf16(info(fps).label);
}

std::optional<FpsType> fpsTypeFromRawValue(const QString& label) {
    for (FpsType fps : kAllFpsTypes) {
        if (rawValue(fps) == label) {
            return fps;
        }
    }
    return std::nullopt;
}

std::int32_t timescale(FpsType fps) {
    return info(fps).timescale;
}
std::int64_t frameUnit(FpsType fps) {
    return info(fps).frameUnit;
}

} // namespace brisomel
