#include "cli/CliNames.h"

namespace brisomel {

namespace {

QStringView frameName(FrameType frame) {
    switch (frame) {
    case FrameType::frame720p:
        return u"720p";
    case FrameType::frame1080p:
        return u"1080p";
    case FrameType::frame2K:
        return u"2.5K";
    case FrameType::frame4K:
        break;
    }
    return u"4K";
}

QStringView alignName(AlignType align) {
    switch (align) {
    case AlignType::left:
        return u"left";
    case AlignType::canter:
        return u"center";
    case AlignType::right:
        break;
    }
    return u"right";
}

template <typename Info> QStringList namesOf(std::span<const Info> table) {
    QStringList names;
    for (const Info& info : table) {
        names << cliName(info.type).toString();
    }
    return names;
}

template <typename Info>
std::optional<decltype(Info::type)> typeNamed(std::span<const Info> table, QStringView name) {
    for (const Info& info : table) {
        if (cliName(info.type) == name) {
            return info.type;
        }
    }
    return std::nullopt;
}

} // namespace

QStringView cliName(FrameType frame) {
    return frameName(frame);
}
QStringView cliName(AlignType align) {
    return alignName(align);
}
QStringView cliName(FpsType fps) {
    return describe(fps).rawValue;
}

std::optional<FrameType> frameTypeFromCliName(QStringView name) {
    return typeNamed(frameTypes(), name);
}
std::optional<AlignType> alignTypeFromCliName(QStringView name) {
    return typeNamed(alignTypes(), name);
}
std::optional<FpsType> fpsTypeFromCliName(QStringView name) {
    return typeNamed(fpsTypes(), name);
}

QStringList frameCliNames() {
    return namesOf(frameTypes());
}
QStringList fpsCliNames() {
    return namesOf(fpsTypes());
}
QStringList alignCliNames() {
    return namesOf(alignTypes());
}

} // namespace brisomel
