#pragma once

#include "timeline/CaptionStyle.h"

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace brisomel {

class CaptionPreview;
class ColorButton;

// One speaker's caption style: font, face, size, text colour, outline and drop shadow, with a
// preview of one of the speaker's captions on a frame of the given width and a button back to
// the default.
class SpeakerStyleEditor : public QGroupBox {
    Q_OBJECT
public:
    SpeakerStyleEditor(const QString& speaker, const QString& caption, int frameWidth,
                       QWidget* parent = nullptr);

    const QString& speaker() const { return speaker_; }
    const CaptionStyle& style() const { return style_; }
    // Shows the style without reporting it as edited.
    void showStyle(const CaptionStyle& style);

    QComboBox* fontPicker() const { return fontPicker_; }
    QComboBox* facePicker() const { return facePicker_; }
    QDoubleSpinBox* sizeField() const { return sizeField_; }
    ColorButton* colorButton() const { return colorButton_; }
    QCheckBox* strokeBox() const { return strokeBox_; }
    ColorButton* strokeColorButton() const { return strokeColorButton_; }
    QDoubleSpinBox* strokeWidthField() const { return strokeWidthField_; }
    QCheckBox* shadowBox() const { return shadowBox_; }
    ColorButton* shadowColorButton() const { return shadowColorButton_; }
    QDoubleSpinBox* shadowDistanceField() const { return shadowDistanceField_; }
    QDoubleSpinBox* shadowAngleField() const { return shadowAngleField_; }
    QDoubleSpinBox* shadowBlurField() const { return shadowBlurField_; }
    QPushButton* resetButton() const { return resetButton_; }
    CaptionPreview* preview() const { return preview_; }
    // Under the preview; shown while the preview stands in for a font not installed here.
    QLabel* fontNote() const { return fontNote_; }

signals:
    // The user changed the style, or reset it to the default.
    void styleEdited(const QString& speaker, const CaptionStyle& style);

private:
    void layOut();
    void connectControls();
    void showFont(const QString& family);
    void fillFaces(const QString& family);
    // Changes what `apply` changes in the shown style, leaving every other value as it was.
    void change(const std::function<void(CaptionStyle&)>& apply);
    void edit(const CaptionStyle& style);

    QString speaker_;
    CaptionStyle style_;
    bool showing_ = false;
    QComboBox* fontPicker_;
    QComboBox* facePicker_;
    QDoubleSpinBox* sizeField_;
    ColorButton* colorButton_;
    QCheckBox* strokeBox_;
    ColorButton* strokeColorButton_;
    QDoubleSpinBox* strokeWidthField_;
    QCheckBox* shadowBox_;
    ColorButton* shadowColorButton_;
    QDoubleSpinBox* shadowDistanceField_;
    QDoubleSpinBox* shadowAngleField_;
    QDoubleSpinBox* shadowBlurField_;
    QPushButton* resetButton_;
    CaptionPreview* preview_;
    QLabel* fontNote_;
};

} // namespace brisomel
