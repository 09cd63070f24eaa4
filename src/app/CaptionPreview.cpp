#include "app/CaptionPreview.h"

#include "app/ColorButton.h"

#include <QGraphicsBlurEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace brisomel {

namespace {

constexpr int kHeight = 72;
constexpr int kMargin = 4;
// Letters are laid out at this pixel size and scaled, so fractional sizes keep their size.
constexpr int kLayoutPixels = 100;
// A mid grey shows light and dark captions alike, as a frame of video would.
const QColor kBackground(0x50, 0x58, 0x60);

// The letters filled and, when the outline is wider than nothing, the outline around them.
void drawLetters(QPainter& painter, const QPainterPath& path, const QColor& fill,
                 const QColor& outline, double outlineWidth) {
    if (outlineWidth > 0) {
        // The pen straddles the letters' edge and the fill covers its inner half: twice the
        // width shows the whole outline outside the letters.
        QPen pen(outline, outlineWidth * 2);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(path, pen);
    }
    painter.fillPath(path, fill);
}

QImage blurred(const QImage& image, double radius) {
    QGraphicsScene scene;
    scene.setSceneRect(image.rect());
    QGraphicsPixmapItem* item = scene.addPixmap(QPixmap::fromImage(image));
    auto* blur = new QGraphicsBlurEffect;
    blur->setBlurRadius(radius);
    blur->setBlurHints(QGraphicsBlurEffect::QualityHint);
    item->setGraphicsEffect(blur);
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    scene.render(&painter, result.rect(), image.rect());
    return result;
}

} // namespace

CaptionPreview::CaptionPreview(const QString& caption, int frameWidth, QWidget* parent)
    : QWidget(parent), caption_(caption), frameWidth_(frameWidth) {
    setMinimumHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setStyle(CaptionStyle{});
}

void CaptionPreview::setStyle(const CaptionStyle& style) {
    style_ = style;
    font_ = previewFont(style.font, style.face);
    update();
}

QSize CaptionPreview::sizeHint() const {
    return {480, kHeight};
}

// The caption's first line, centred, at `scale` preview pixels to a frame pixel; the preview
// shows the look, not the whole caption.
QPainterPath CaptionPreview::captionPath(double scale) const {
    QFont font = font_.font;
    font.setPixelSize(kLayoutPixels);
    const double toPreview = style_.size / kLayoutPixels * scale;
    const QString line = caption_.section(u'\n', 0, 0);
    const QString shown =
        QFontMetricsF(font).elidedText(line, Qt::ElideRight, (width() - 2 * kMargin) / toPreview);
    QPainterPath path;
    path.addText(0, 0, font, shown);
    path = QTransform::fromScale(toPreview, toPreview).map(path);
    return path.translated(QRectF(rect()).center() - path.boundingRect().center());
}

double CaptionPreview::outlineWidth(double scale) const {
    return style_.outline ? style_.outline->width * scale : 0;
}

// The letters and their outline in the shadow's colour, moved by the shadow's distance at its
// angle (counter-clockwise from the right, the preview's y pointing down) and blurred.
void CaptionPreview::drawShadow(QPainter& painter, const QPainterPath& path, double scale) const {
    const DropShadow& shadow = *style_.shadow;
    const double radians = shadow.angle * std::numbers::pi / 180;
    const QPointF shift(std::cos(radians) * shadow.distance * scale,
                        -std::sin(radians) * shadow.distance * scale);
    // Drawn opaque and laid on at the shadow's opacity, so the outline and the letters do not
    // darken each other where they overlap.
    QColor color = toQColor(shadow.color);
    const double opacity = color.alphaF();
    color.setAlpha(255);
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter shape(&image);
        shape.setRenderHint(QPainter::Antialiasing);
        drawLetters(shape, path.translated(shift), color, color, outlineWidth(scale));
    }
    const double radius = shadow.blur * scale;
    painter.save();
    painter.setOpacity(opacity);
    painter.drawImage(0, 0, radius > 0 ? blurred(image, radius) : image);
    painter.restore();
}

void CaptionPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackground);
    const double scale = double(width()) / frameWidth_;
    const QPainterPath path = captionPath(scale);
    if (style_.shadow) {
        drawShadow(painter, path, scale);
    }
    drawLetters(painter, path, toQColor(style_.color),
                toQColor(style_.outline.value_or(Outline{}).color), outlineWidth(scale));
}

} // namespace brisomel
