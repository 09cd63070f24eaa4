#include "app/ElidedLabel.h"

#include <QPainter>

namespace brisomel {

ElidedLabel::ElidedLabel(QWidget* parent) : QFrame(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setToolTip(text);
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize ElidedLabel::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(text_), fontMetrics().height());
}

QSize ElidedLabel::minimumSizeHint() const {
    return QSize(0, fontMetrics().height());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    // Line breaks in a file name would start a second line that the row has no room for.
    QString line = text_;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(line, Qt::ElideRight, area.width()));
}

} // namespace brisomel
