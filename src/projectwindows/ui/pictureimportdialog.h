#pragma once
// "Import obrázku": a picture of any common format made into an LCD bitmap. The user chooses
// between fitting the whole picture and filling the LCD, and between a threshold and dithering,
// sees the result, and saves it as a one-bit BMP.

#include "project/pictureimport.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QSpinBox;

namespace panolcd {

class TPictureImport_Dlg : public QDialog {
    Q_OBJECT
public:
    TPictureImport_Dlg(QWidget* owner, GreyImage picture, LcdSize lcd);

    PictureConversion Conversion() const;
    // The bitmap as the choices make it now.
    BmpImage Result() const { return PictureToLcd(picture_, lcd_, Conversion()); }

    QRadioButton* CropButton() const { return crop_; }
    QRadioButton* DitherButton() const { return dither_; }
    QSpinBox* ThresholdBox() const { return threshold_; }

private:
    void UpdatePreview();

    GreyImage picture_;
    LcdSize lcd_;
    QLabel* preview_;
    QRadioButton* fit_;
    QRadioButton* crop_;
    QRadioButton* byThreshold_;
    QRadioButton* dither_;
    QSpinBox* threshold_;
};

// The picture as Qt shows it: ink black, the rest white, `zoom` pixels a dot.
QImage QImageOf(const BmpImage& image, int zoom = 1);

} // namespace panolcd
