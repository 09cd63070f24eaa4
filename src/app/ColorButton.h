#pragma once

#include "timeline/CaptionStyle.h"

#include <QPushButton>

namespace brisomel {

// A button showing a colour swatch; pressing it asks for a colour, with its opacity.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    ColorButton(const QString& dialogTitle, QWidget* parent = nullptr);

    StyleColor color() const { return color_; }
    void setColor(StyleColor color);

signals:
    // The user chose a colour in the dialog.
    void colorChosen(StyleColor color);

private:
    void chooseColor();

    QString dialogTitle_;
    StyleColor color_;
};

// The colour as the toolkit paints it.
QColor toQColor(StyleColor color);

} // namespace brisomel
