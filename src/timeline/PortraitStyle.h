#pragma once

#include <QString>

namespace brisomel {

// When a speaker's portrait is on screen: only during the speaker's lines, or from the first of
// them to the end of the timeline with the mouth closed between lines.
enum class PortraitShown { speaking, always };

// A speaker's still character image with its mouth. The open image is optional; without it the
// closed one stands through the line. Level-driven mouths open on frames whose level reaches
// `threshold` percent of the line's loudest frame, and every open or closed run lasts at least
// `hold` frames.
struct PortraitStyle {
    QString image;      // the closed mouth, or the only image
    QString openImage;  // the open mouth; empty for none
    double x = 0;       // pixels from the frame's centre, x to the right
    double y = 0;       // and y upwards, like the caption position
    double scale = 100; // percent
    PortraitShown shown = PortraitShown::speaking;
    double threshold = 30;
    double hold = 2;

    friend bool operator==(const PortraitStyle&, const PortraitStyle&) = default;
};

} // namespace brisomel
