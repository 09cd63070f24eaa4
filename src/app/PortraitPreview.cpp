#include "app/PortraitPreview.h"

#include "app/ColorButton.h"
#include "builder/SpeakerPortraits.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>

namespace brisomel {

namespace {

constexpr int kWidth = 240;
const QColor kBackground(0x50, 0x58, 0x60);

bool isImageFile(const QUrl& url) {
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return url.isLocalFile() && (suffix == u"png" || suffix == u"jpg" || suffix == u"jpeg");
}

} // namespace

DroppedImages droppedImages(const QList<QUrl>& urls) {
    DroppedImages images;
    for (const QUrl& url : urls) {
        if (isImageFile(url)) {
            const QString path = url.toLocalFile();
            const bool open = QFileInfo(path).completeBaseName().endsWith(kOpenMouthSuffix);
            (open ? images.open : images.closed) = path;
        }
    }
    return images;
}

PortraitPreview::PortraitPreview(const QString& caption, QSize frame, QWidget* parent)
    : QWidget(parent), caption_(caption), frame_(frame) {
    setAcceptDrops(true);
    setFixedSize(sizeHint());
    setToolTip(QStringLiteral("立ち絵の画像をここにドロップできます（名前に「_口開」があれば"
                              "口を開けた画像）"));
}

QSize PortraitPreview::sizeHint() const {
    return {kWidth, kWidth * frame_.height() / std::max(frame_.width(), 1)};
}

void PortraitPreview::setStyle(const CaptionStyle& style, const QString& folderImage) {
    style_ = style;
    const QString path =
        style.portrait && !style.portrait->image.isEmpty() ? style.portrait->image : folderImage;
    if (path != shownPath_) {
        shownPath_ = path;
        image_ = path.isEmpty() ? QImage() : QImage(path);
    }
    update();
}

void PortraitPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), kBackground);
    const double toPreview = double(width()) / frame_.width();
    const QPointF centre = QRectF(rect()).center();
    if (!image_.isNull()) {
        const PortraitStyle placed = style_.portrait.value_or(PortraitStyle{});
        const QSizeF size = QSizeF(image_.size()) * (placed.scale / 100 * toPreview);
        const QPointF at = centre + QPointF(placed.x, -placed.y) * toPreview;
        painter.drawImage(QRectF(at - QPointF(size.width() / 2, size.height() / 2), size), image_);
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(style_.size * toPreview)));
    painter.setFont(font);
    painter.setPen(toQColor(style_.color));
    painter.drawText(rect(), Qt::AlignCenter, caption_.section(u'\n', 0, 0));
}

void PortraitPreview::dragEnterEvent(QDragEnterEvent* event) {
    const DroppedImages images = droppedImages(event->mimeData()->urls());
    if (!images.closed.isEmpty() || !images.open.isEmpty()) {
        event->acceptProposedAction();
    }
}

void PortraitPreview::dropEvent(QDropEvent* event) {
    const DroppedImages images = droppedImages(event->mimeData()->urls());
    if (!images.closed.isEmpty() || !images.open.isEmpty()) {
        event->acceptProposedAction();
        emit imagesDropped(images.closed, images.open);
    }
}

} // namespace brisomel
