#include "app/CaptionPreview.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>

using namespace brisomel;
using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kText = qRgb(255, 255, 255);
constexpr QRgb kOutline = qRgb(0, 255, 0);
constexpr QRgb kShadow = qRgb(255, 0, 0);

// The pixels of exactly one colour: how many, where on average, and how wide they spread.
struct Pixels {
    int count = 0;
    QPointF centre;
    int width = 0;
};

Pixels pixelsOf(const QImage& image, QRgb color) {
    Pixels found;
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color) {
                ++found.count;
                found.centre += QPointF(x, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (found.count > 0) {
        found.centre /= found.count;
        found.width = right - left + 1;
    }
    return found;
}

QImage draw(const CaptionStyle& style, int frameWidth = 1920) {
    // A square glyph: its shadow shows as much on either side of the direction it is cast in.
    CaptionPreview preview(u"口"_s, frameWidth);
    preview.resize(480, 72);
    preview.setStyle(style);
    return preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

CaptionStyle shadowed(double angle, double blur) {
    CaptionStyle style;
    style.font = u"Noto Sans CJK JP"_s;
    style.size = 200;
    style.outline = Outline{{0, 255, 0, 255}, 6};
    style.shadow = DropShadow{{255, 0, 0, 255}, 60, angle, blur};
    return style;
}

} // namespace

// 315 casts the shadow down and right, 90 straight up; a frame twice as wide halves the caption.
TEST(CaptionPreview, DrawsTheOutlineTheShadowAtItsAngleAndAtTheFrameSizesScale) {
    const QImage downRight = draw(shadowed(315, 0));
    const Pixels text = pixelsOf(downRight, kText);
    EXPECT_GT(text.count, 100) << "the letters are filled";
    EXPECT_GT(text.width, 30);
    EXPECT_GT(pixelsOf(downRight, kOutline).count, 100);
    const QPointF toShadow = pixelsOf(downRight, kShadow).centre - text.centre;
    EXPECT_GT(toShadow.x(), 4);
    EXPECT_GT(toShadow.y(), 4);
    EXPECT_NEAR(pixelsOf(draw(shadowed(315, 0), 3840), kText).width * 2, text.width, 4);

    const QImage up = draw(shadowed(90, 0));
    const QPointF upwards = pixelsOf(up, kShadow).centre - pixelsOf(up, kText).centre;
    EXPECT_LT(upwards.y(), -4);
    EXPECT_LT(std::abs(upwards.x()), 1.5);

    // Blurred, no pixel keeps the shadow's full colour.
    EXPECT_EQ(pixelsOf(draw(shadowed(315, 40)), kShadow).count, 0);
}
