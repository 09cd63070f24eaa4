#pragma once

#include "app/EditorFonts.h"
#include "timeline/CaptionStyle.h"

#include <QPainterPath>
#include <QWidget>

namespace brisomel {

// One caption drawn as the document asks the editor to draw it: filled letters with the outline
// around them and the blurred drop shadow at its distance and angle, at the scale of a frame of
// the given width shown across the preview.
class CaptionPreview : public QWidget {
    Q_OBJECT
public:
    CaptionPreview(const QString& caption, int frameWidth, QWidget* parent = nullptr);

    void setStyle(const CaptionStyle& style);
    const QString& caption() const { return caption_; }
    // The font the caption is drawn with, and whether it stands in for one not installed here.
    const PreviewFont& shownFont() const { return font_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainterPath captionPath(double scale) const;
    double outlineWidth(double scale) const;
    void drawShadow(QPainter& painter, const QPainterPath& path, double scale) const;

    QString caption_;
    int frameWidth_;
    CaptionStyle style_;
    PreviewFont font_;
};

} // namespace brisomel
