#include "app/CaptionPreview.h"

#include "app/ColorButton.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brisomel {

namespace {

// A 1080-line frame shown 270 lines high.
constexpr double kScale = 0.25;
constexpr int kHeight = 56;
// The shadow's offset in the preview; the document's offset is the editor's to interpret.
constexpr QPointF kShadowShift{2, 2};

QFont previewFont(const CaptionStyle& style) {
    QFont font(style.font);
    font.setStyleName(style.face);
    font.setPixelSize(std::max(1, static_cast<int>(style.size * kScale + 0.5)));
    return font;
}

} // namespace

CaptionPreview::CaptionPreview(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setMinimumHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CaptionPreview::setStyle(const CaptionStyle& style) {
    style_ = style;
    update();
}

QSize CaptionPreview::sizeHint() const {
    return {320, kHeight};
}

void CaptionPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A mid grey shows light and dark captions alike, as a frame of video would.
    painter.fillRect(rect(), QColor(0x50, 0x58, 0x60));

    const QFont font = previewFont(style_);
    // Only the first line: the preview shows the look, not the whole caption.
    const QString line = caption_.section(u'\n', 0, 0);
    const QString shown = QFontMetrics(font).elidedText(line, Qt::ElideRight, width() - 8);
    QPainterPath path;
    path.addText(0, 0, font, shown);
    const QRectF bounds = path.boundingRect();
    path.translate(rect().center() - bounds.center());

    if (style_.shadowColor || style_.shadowOffset || style_.shadowBlur) {
        const StyleColor shadow = style_.shadowColor.value_or(StyleColor{0, 0, 0, 191});
        painter.fillPath(path.translated(kShadowShift), toQColor(shadow));
    }
    if (style_.strokeColor || style_.strokeWidth) {
        // The pen straddles the outline and the fill covers its inner half: twice the width
        // shows the whole outline outside the letters.
        const double width = std::max(1.0, style_.strokeWidth.value_or(1) * kScale * 2);
        QPen pen(toQColor(style_.strokeColor.value_or(StyleColor{})), width);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(path, pen);
    }
    painter.fillPath(path, toQColor(style_.color));
}

} // namespace brisomel
