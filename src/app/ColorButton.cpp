#include "app/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace brisomel {

namespace {

constexpr QSize kSwatchSize{24, 14};

QIcon swatch(StyleColor color) {
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::darkGray));
    painter.setBrush(toQColor(color));
    painter.drawRect(QRect(QPoint(0, 0), kSwatchSize - QSize(1, 1)));
    return QIcon(pixmap);
}

} // namespace

QColor toQColor(StyleColor color) {
    return QColor(color.red, color.green, color.blue, color.alpha);
}

ColorButton::ColorButton(const QString& dialogTitle, QWidget* parent)
    : QPushButton(parent), dialogTitle_(dialogTitle) {
    setIconSize(kSwatchSize);
    setIcon(swatch(color_));
    setToolTip(dialogTitle);
    connect(this, &QPushButton::clicked, this, &ColorButton::chooseColor);
}

void ColorButton::setColor(StyleColor color) {
    color_ = color;
    setIcon(swatch(color));
}

void ColorButton::chooseColor() {
    const QColor chosen = QColorDialog::getColor(toQColor(color_), this, dialogTitle_,
                                                 QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid()) {
        return;
    }
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
    setColor({byte(chosen.red()), byte(chosen.green()), byte(chosen.blue()), byte(chosen.alpha())});
    emit colorChosen(color_);
}

} // namespace brisomel
