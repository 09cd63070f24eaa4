#pragma once

#include "timeline/PortraitStyle.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace brisomel {

// An 8-bit-per-channel colour, as the style file spells it (#RRGGBB or #RRGGBBAA).
struct StyleColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    friend bool operator==(const StyleColor&, const StyleColor&) = default;
};

// The closed range a style number may take. NaN lies in no range.
struct StyleRange {
    double minimum;
    double maximum;

    constexpr bool contains(double value) const { return value >= minimum && value <= maximum; }
};

inline constexpr StyleRange kFontSizeRange{1, 1000};
inline constexpr StyleRange kOutlineWidthRange{0, 50};
inline constexpr StyleRange kShadowDistanceRange{0, 100};
inline constexpr StyleRange kShadowBlurRange{0, 100};
inline constexpr StyleRange kPortraitPositionRange{-10000, 10000};
inline constexpr StyleRange kPortraitScaleRange{1, 1000};
inline constexpr StyleRange kPortraitThresholdRange{1, 100};
inline constexpr StyleRange kPortraitHoldRange{1, 30};

// An outline drawn around filled letters. A colour given without a width gets width 1.
struct Outline {
    StyleColor color{0, 0, 0, 255};
    double width = 1;

    friend bool operator==(const Outline&, const Outline&) = default;
};

// A drop shadow, as the editor's inspector gives it: colour with its opacity, distance, angle in
// degrees counter-clockwise from the right (315 is down and to the right) and blur. The values
// not given are the editor's own defaults.
struct DropShadow {
    StyleColor color{0, 0, 0, 191};
    double distance = 5;
    double angle = 315;
    double blur = 1;

    friend bool operator==(const DropShadow&, const DropShadow&) = default;
};

// How a speaker's captions look, and the speaker's portrait. The default is the title every caption
// had before styles existed.
struct CaptionStyle {
    QString font = QStringLiteral("Helvetica");
    QString face = QStringLiteral("Regular");
    double size = 72;
    StyleColor color{255, 255, 255, 255};
    std::optional<Outline> outline;
    std::optional<DropShadow> shadow;
    std::optional<PortraitStyle> portrait; // the speaker's portrait, when there is one

    friend bool operator==(const CaptionStyle&, const CaptionStyle&) = default;
};

// The angle turned into [0, 360); a finite angle is required.
double normalizedAngle(double degrees);

// A shadow offset given as x to the right and y upwards, as the shadow's distance and angle.
struct PolarOffset {
    double distance;
    double angle;
};
PolarOffset polarOffset(double x, double y);

// The name that stands for every speaker without a style of their own.
inline const QString kOtherSpeakers = QStringLiteral("*");

// Caption styles by speaker name. Names are keyed by their NFC form, as the builder keys a
// speaker's tracks, so two spellings of one name share a style.
class SpeakerStyles {
public:
    void set(const QString& speaker, const CaptionStyle& style);
    void remove(const QString& speaker);
    // The speaker's own style, if it has one.
    std::optional<CaptionStyle> find(const QString& speaker) const;
    // The speaker's own style, else the style of other speakers, else the default.
    CaptionStyle styleFor(const QString& speaker) const;

    // The names with a style, in code-unit order of their NFC forms.
    QStringList speakers() const { return styles_.keys(); }
    bool isEmpty() const { return styles_.isEmpty(); }

    friend bool operator==(const SpeakerStyles&, const SpeakerStyles&) = default;

private:
    QMap<QString, CaptionStyle> styles_;
};

} // namespace brisomel
