#pragma once

#include "timeline/CaptionStyle.h"

#include <QWidget>

namespace brisomel {

// One caption drawn in a caption style, scaled down from the size it has on a 1080-line frame.
class CaptionPreview : public QWidget {
    Q_OBJECT
public:
    explicit CaptionPreview(const QString& caption, QWidget* parent = nullptr);

    void setStyle(const CaptionStyle& style);
    const QString& caption() const { return caption_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    CaptionStyle style_;
};

} // namespace brisomel
