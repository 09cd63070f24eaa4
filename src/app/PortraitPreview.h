#pragma once

#include "timeline/CaptionStyle.h"

#include <QImage>
#include <QSize>
#include <QWidget>

namespace brisomel {

// A speaker's portrait on a small frame of the document's shape, where the document places it
// (position from the frame's centre, scale), with the caption's first line at the centre in the
// speaker's size and colour. Images dropped on it become the portrait: a file whose name holds
// "_口開" the open mouth, any other the closed one.
class PortraitPreview : public QWidget {
    Q_OBJECT
public:
    PortraitPreview(const QString& caption, QSize frame, QWidget* parent = nullptr);

    // Shows the style's portrait, or the folder's image when the style names none.
    void setStyle(const CaptionStyle& style, const QString& folderImage);
    // The image shown, or empty.
    const QString& shownImage() const { return shownPath_; }

    QSize sizeHint() const override;

signals:
    // Image files dropped on the preview; either may be empty.
    void imagesDropped(const QString& closedImage, const QString& openImage);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString caption_;
    QSize frame_;
    CaptionStyle style_;
    QString shownPath_;
    QImage image_;
};

// The image files among dropped URLs, as the closed and the open mouth ("_口開" in the name).
struct DroppedImages {
    QString closed;
    QString open;
};
DroppedImages droppedImages(const QList<QUrl>& urls);

} // namespace brisomel
