#include "timeline/OptionTypes.h"

#include <algorithm>

namespace brisomel {

namespace {

constexpr AlignTypeInfo kAligns[] = {{AlignType::left}, {AlignType::canter}, {AlignType::right}};

// Smallest first. Raw values use U+00D7 between width and height.
constexpr FrameTypeInfo kFrames[] = {
    {FrameType::frame720p, u"1280\u00D7720 : 720p", 1280, 720, u"FFVideoFormat720p"},
    {FrameType::frame1080p, u"1920\u00D71080 : 1080p", 1920, 1080, u"FFVideoFormat1080p"},
    {FrameType::frame2K, u"2560\u00D71440 : 2.5K", 2560, 1440, u"FFVideoFormat2560x1440p"},
    {FrameType::frame4K, u"3840\u00D72160 : 4K", 3840, 2160, u"FFVideoFormat3840x2160p"},
};

// 29.97 came after the first seven rates, so it sits at the end rather than in rate order.
constexpr FpsTypeInfo kRates[] = {
    {FpsType::fps23, u"23.98", 24000, 1000, 1001, u"2398"},
    {FpsType::fps24, u"24", 2400, 100, 100, u"24"},
    {FpsType::fps25, u"25", 2500, 100, 100, u"25"},
    {FpsType::fps30, u"30", 3000, 100, 100, u"30"},
    {FpsType::fps50, u"50", 5000, 100, 100, u"50"},
    {FpsType::fps59, u"59.94", 60000, 1000, 1001, u"5994"},
    {FpsType::fps60, u"60", 6000, 100, 100, u"60"},
    {FpsType::fps29, u"29.97", 30000, 1000, 1001, u"2997"},
};

template <typename Info, std::size_t N, typename Type>
const Info& infoOf(const Info (&table)[N], Type type) {
    return *std::find_if(std::begin(table), std::end(table),
                         [type](const Info& info) { return info.type == type; });
}

} // namespace

std::span<const AlignTypeInfo> alignTypes() {
    return kAligns;
}
std::span<const FrameTypeInfo> frameTypes() {
    return kFrames;
}
std::span<const FpsTypeInfo> fpsTypes() {
    return kRates;
}

const AlignTypeInfo& describe(AlignType align) {
    return infoOf(kAligns, align);
}
const FrameTypeInfo& describe(FrameType frame) {
    return infoOf(kFrames, frame);
}
const FpsTypeInfo& describe(FpsType fps) {
    return infoOf(kRates, fps);
}

std::optional<FpsType> fpsTypeFromRawValue(QStringView rawValue) {
    for (const FpsTypeInfo& info : kRates) {
        if (info.rawValue == rawValue) {
            return info.type;
        }
    }
    return std::nullopt;
}

} // namespace brisomel
