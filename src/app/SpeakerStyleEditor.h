#pragma once

#include "timeline/CaptionStyle.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QPushButton;

namespace brisomel {

class CaptionPreview;
class ColorButton;

// One speaker's caption style: font, face, size, text colour, outline and shadow, with a
// preview of one of the speaker's captions and a button back to the default.
class SpeakerStyleEditor : public QGroupBox {
    Q_OBJECT
public:
    SpeakerStyleEditor(const QString& speaker, const QString& caption, QWidget* parent = nullptr);

    const QString& speaker() const { return speaker_; }
    const CaptionStyle& style() const { return style_; }
    // Shows the style without reporting it as edited.
    void showStyle(const CaptionStyle& style);

    QFontComboBox* fontPicker() const { return fontPicker_; }
    QComboBox* facePicker() const { return facePicker_; }
    QDoubleSpinBox* sizeField() const { return sizeField_; }
    ColorButton* colorButton() const { return colorButton_; }
    QCheckBox* strokeBox() const { return strokeBox_; }
    ColorButton* strokeColorButton() const { return strokeColorButton_; }
    QDoubleSpinBox* strokeWidthField() const { return strokeWidthField_; }
    QCheckBox* shadowBox() const { return shadowBox_; }
    ColorButton* shadowColorButton() const { return shadowColorButton_; }
    QPushButton* resetButton() const { return resetButton_; }
    CaptionPreview* preview() const { return preview_; }

signals:
    // The user changed the style, or reset it to the default.
    void styleEdited(const QString& speaker, const CaptionStyle& style);

private:
    void layOut();
    void connectControls();
    void fillFaces(const QString& family);
    void readControls();
    void edit(const CaptionStyle& style);

    QString speaker_;
    CaptionStyle style_;
    bool showing_ = false;
    QFontComboBox* fontPicker_;
    QComboBox* facePicker_;
    QDoubleSpinBox* sizeField_;
    ColorButton* colorButton_;
    QCheckBox* strokeBox_;
    ColorButton* strokeColorButton_;
    QDoubleSpinBox* strokeWidthField_;
    QCheckBox* shadowBox_;
    ColorButton* shadowColorButton_;
    QPushButton* resetButton_;
    CaptionPreview* preview_;
};

} // namespace brisomel
