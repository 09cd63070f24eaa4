#include "timeline/OptionTypes.h"

namespace brisomel {

namespace {

constexpr AlignTypeInfo kAligns[] = {
    {AlignType::left, u"左揃え", u"left", u"format-justify-left"},
    {AlignType::canter, u"中央揃え", u"center", u"format-justify-center"},
    {AlignType::right, u"右揃え", u"right", u"format-justify-right"},
};

// Labels use U+00D7 between width and height.
constexpr FrameTypeInfo kFrames[] = {
    {FrameType::frame4K, u"3840\u00D72160 : 4K", u"4K", 3840, 2160, u"FFVideoFormat3840x2160p"},
    {FrameType::frame2K, u"2560\u00D71440 : 2.5K", u"2.5K", 2560, 1440, u"FFVideoFormat2560x1440p"},
    {FrameType::frame1080p, u"1920\u00D71080 : 1080p", u"1080p", 1920, 1080, u"FFVideoFormat1080p"},
    {FrameType::frame720p, u"1280\u00D7720 : 720p", u"720p", 1280, 720, u"FFVideoFormat720p"},
};

constexpr FpsTypeInfo kRates[] = {
    {FpsType::fps23, u"23.98", 24000, 1000, 1001, u"2398"},
    {FpsType::fps24, u"24", 2400, 100, 100, u"24"},
    {FpsType::fps25, u"25", 2500, 100, 100, u"25"},
    {FpsType::fps29, u"29.97", 30000, 1000, 1001, u"2997"},
    {FpsType::fps30, u"30", 3000, 100, 100, u"30"},
    {FpsType::fps50, u"50", 5000, 100, 100, u"50"},
    {FpsType::fps59, u"59.94", 60000, 1000, 1001, u"5994"},
    {FpsType::fps60, u"60", 6000, 100, 100, u"60"},
};

// The value whose field matches, if any.
template <typename Info, std::size_t N, typename Field>
auto findBy(const Info (&table)[N], Field field, QStringView wanted)
    -> std::optional<decltype(table[0].type)> {
    for (const Info& info : table) {
        if (info.*field == wanted) {
            return info.type;
        }
    }
    return std::nullopt;
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
    return kAligns[static_cast<int>(align)];
}
const FrameTypeInfo& describe(FrameType frame) {
    return kFrames[static_cast<int>(frame)];
}
const FpsTypeInfo& describe(FpsType fps) {
    return kRates[static_cast<int>(fps)];
}

std::optional<AlignType> alignTypeFromCliName(QStringView name) {
    return findBy(kAligns, &AlignTypeInfo::cliName, name);
}
std::optional<FrameType> frameTypeFromCliName(QStringView name) {
    return findBy(kFrames, &FrameTypeInfo::cliName, name);
}
std::optional<FpsType> fpsTypeFromRawValue(QStringView label) {
    return findBy(kRates, &FpsTypeInfo::label, label);
}

} // namespace brisomel
