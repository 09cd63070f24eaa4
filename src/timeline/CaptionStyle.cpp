#include "timeline/CaptionStyle.h"

#include <cmath>
#include <numbers>

namespace brisomel {

namespace {

QString speakerKey(const QString& speaker) {
    return speaker.normalized(QString::NormalizationForm_C);
}

} // namespace

double normalizedAngle(double degrees) {
    const double turned = std::fmod(degrees, 360.0);
    const double positive = turned < 0 ? turned + 360.0 : turned;
    // A tiny negative remainder plus a whole turn rounds to 360 itself; -0 becomes 0.
    return positive >= 360.0 || positive == 0 ? 0.0 : positive;
}

PolarOffset polarOffset(double x, double y) {
    return {std::hypot(x, y), normalizedAngle(std::atan2(y, x) * 180.0 / std::numbers::pi)};
}

void SpeakerStyles::set(const QString& speaker, const CaptionStyle& style) {
    styles_.insert(speakerKey(speaker), style);
}

void SpeakerStyles::remove(const QString& speaker) {
    styles_.remove(speakerKey(speaker));
}

std::optional<CaptionStyle> SpeakerStyles::find(const QString& speaker) const {
    const auto found = styles_.constFind(speakerKey(speaker));
    return found == styles_.constEnd() ? std::nullopt : std::optional<CaptionStyle>(*found);
}

CaptionStyle SpeakerStyles::styleFor(const QString& speaker) const {
    return find(speaker).value_or(styles_.value(kOtherSpeakers));
}

} // namespace brisomel
