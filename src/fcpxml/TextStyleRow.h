#pragma once

#include "timeline/CaptionStyle.h"

#include <QString>

namespace brisomel {

// The text-style element of a title in the given caption style. The default style gives the
// row every title had before styles existed, byte for byte.
QString textStyleElement(const CaptionStyle& style);

// A style number in fixed notation with at most four decimals and no trailing zeros: 72, 0.8431.
QString formatStyleNumber(double value);

// An angle in degrees as a style number in [0, 360): 315 for -45.
QString formatStyleAngle(double degrees);

// "r g b a", each channel from 0 to 1.
QString formatStyleColor(StyleColor color);

} // namespace brisomel
