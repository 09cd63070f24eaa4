#include "app/DropZone.h"

#include "app/AppIcons.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace brisomel {

namespace {

constexpr QSize kSymbolSize(45, 40);
constexpr qreal kDashedWidth = 1.0;
constexpr qreal kTargetedWidth = 3.0;

// An outline of the given width that lies wholly inside the widget.
QRectF outlineRect(const QRect& area, qreal width) {
    const qreal inset = width / 2;
    return QRectF(area).adjusted(inset, inset, -inset, -inset);
}

} // namespace

DropZone::DropZone(QWidget* parent) : QAbstractButton(parent) {
    setAcceptDrops(true);
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setIcon(themedIcon(QStringLiteral("folder")));
    setToolTip(QStringLiteral("音声フォルダをここにドロップするか、クリックして選んでください"));
    setAccessibleName(QStringLiteral("音声フォルダ"));
}

QSize DropZone::sizeHint() const {
    return QSize(side, side);
}

void DropZone::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QPen dashed(palette().color(QPalette::Disabled, QPalette::WindowText), kDashedWidth);
    dashed.setDashPattern({2.0, 2.0});
    painter.setPen(dashed);
    painter.drawRect(outlineRect(rect(), kDashedWidth));

    if (dropTargeted_) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), kTargetedWidth));
        painter.drawRect(outlineRect(rect(), kTargetedWidth));
    }

    QRect symbol(QPoint(), kSymbolSize);
    symbol.moveCenter(rect().center());
    icon().paint(&painter, symbol, Qt::AlignCenter, isDown() ? QIcon::Active : QIcon::Normal);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void DropZone::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        return;
    }
    event->acceptProposedAction();
    setDropTargeted(true);
}

void DropZone::dragLeaveEvent(QDragLeaveEvent*) {
    setDropTargeted(false);
}

void DropZone::dropEvent(QDropEvent* event) {
    setDropTargeted(false);
    if (!event->mimeData()->hasUrls()) {
        return;
    }
    event->acceptProposedAction();
    emit urlsDropped(event->mimeData()->urls());
}

void DropZone::setDropTargeted(bool targeted) {
    if (dropTargeted_ == targeted) {
        return;
    }
    dropTargeted_ = targeted;
    update();
}

} // namespace brisomel
