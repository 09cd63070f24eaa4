#pragma once

#include "timeline/CaptionStyle.h"

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace brisomel {

class CaptionPreview;
class ColorButton;
class ElidedLabel;
class PortraitPreview;

// One speaker's caption style: font, face, size, text colour, outline and drop shadow, with a
// preview of one of the speaker's captions on a frame of the given size and a button back to
// the default; and the speaker's portrait (its images, place, size, when it is shown and how
// the mouth follows the level), previewed on the frame with the caption. `folderImage` is the
// portrait folder's image of the speaker, shown while the style names none.
class SpeakerStyleEditor : public QGroupBox {
    Q_OBJECT
public:
    SpeakerStyleEditor(const QString& speaker, const QString& caption, QSize frame,
                       const QString& folderImage = {}, QWidget* parent = nullptr);

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
    ElidedLabel* portraitLabel() const { return portraitLabel_; }
    QPushButton* portraitButton() const { return portraitButton_; }
    QPushButton* portraitOpenButton() const { return portraitOpenButton_; }
    QPushButton* portraitClearButton() const { return portraitClearButton_; }
    QDoubleSpinBox* portraitXField() const { return portraitXField_; }
    QDoubleSpinBox* portraitYField() const { return portraitYField_; }
    QDoubleSpinBox* portraitScaleField() const { return portraitScaleField_; }
    QComboBox* portraitShownPicker() const { return portraitShownPicker_; }
    QDoubleSpinBox* thresholdField() const { return thresholdField_; }
    QSpinBox* holdField() const { return holdField_; }
    PortraitPreview* portraitPreview() const { return portraitPreview_; }
    CaptionPreview* preview() const { return preview_; }
    // Under the preview; shown while the preview stands in for a font not installed here.
    QLabel* fontNote() const { return fontNote_; }

signals:
    // The user changed the style, or reset it to the default.
    void styleEdited(const QString& speaker, const CaptionStyle& style);

private:
    void layOut();
    void connectControls();
    void connectPortraitControls();
    void showPortrait(const CaptionStyle& style);
    // Changes the portrait, giving the speaker one when it has none.
    void changePortrait(const std::function<void(PortraitStyle&)>& apply);
    void takeImages(const QString& closedImage, const QString& openImage);
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
    QString folderImage_;
    ElidedLabel* portraitLabel_;
    QPushButton* portraitButton_;
    QPushButton* portraitOpenButton_;
    QPushButton* portraitClearButton_;
    QDoubleSpinBox* portraitXField_;
    QDoubleSpinBox* portraitYField_;
    QDoubleSpinBox* portraitScaleField_;
    QComboBox* portraitShownPicker_;
    QDoubleSpinBox* thresholdField_;
    QSpinBox* holdField_;
    PortraitPreview* portraitPreview_;
};

} // namespace brisomel
