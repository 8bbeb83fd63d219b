#include "projectwindows/ui/pictureimportdialog.h"

#include "common/ui/qtext.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace panolcd {
namespace {

// Shown twice as large: a 240 × 128 picture is small on today's screens.
constexpr int kPreviewZoom = 2;

} // namespace

QImage QImageOf(const BmpImage& image, int zoom) {
    QImage shown(image.width * zoom, image.height * zoom, QImage::Format_RGB32);
    shown.fill(Qt::white);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!image.Ink(x, y))
                continue;
            for (int dy = 0; dy < zoom; ++dy)
                for (int dx = 0; dx < zoom; ++dx)
                    shown.setPixel(x * zoom + dx, y * zoom + dy, qRgb(0, 0, 0));
        }
    }
    return shown;
}

TPictureImport_Dlg::TPictureImport_Dlg(QWidget* owner, GreyImage picture, LcdSize lcd)
    : QDialog(owner), picture_(std::move(picture)), lcd_(lcd), preview_(new QLabel(this)),
      fit_(new QRadioButton(Utf8("Celý obrázek"), this)),
      crop_(new QRadioButton(Utf8("Vyplnit LCD (okraje oříznout)"), this)),
      byThreshold_(new QRadioButton(Utf8("Práh jasu"), this)),
      dither_(new QRadioButton(Utf8("Rozptýlení (Floyd–Steinberg)"), this)),
      threshold_(new QSpinBox(this)) {
    setWindowTitle(Utf8("Import obrázku"));
    preview_->setObjectName(QStringLiteral("Preview_Image"));
    preview_->setFixedSize(lcd.width * kPreviewZoom, lcd.height * kPreviewZoom);
    preview_->setFrameStyle(QFrame::Box);
    fit_->setObjectName(QStringLiteral("Fit_Radio"));
    crop_->setObjectName(QStringLiteral("Crop_Radio"));
    byThreshold_->setObjectName(QStringLiteral("Threshold_Radio"));
    dither_->setObjectName(QStringLiteral("Dither_Radio"));
    threshold_->setObjectName(QStringLiteral("Threshold_SpinBox"));
    threshold_->setRange(1, 255);
    threshold_->setValue(128);

    auto* size = new QGroupBox(Utf8("Velikost"), this);
    auto* sizeLayout = new QVBoxLayout(size);
    sizeLayout->addWidget(fit_);
    sizeLayout->addWidget(crop_);
    auto* sizeGroup = new QButtonGroup(this);
    sizeGroup->addButton(fit_);
    sizeGroup->addButton(crop_);
    fit_->setChecked(true);

    auto* tones = new QGroupBox(Utf8("Převod na černou a bílou"), this);
    auto* tonesLayout = new QVBoxLayout(tones);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(byThreshold_);
    thresholdRow->addWidget(threshold_);
    tonesLayout->addLayout(thresholdRow);
    tonesLayout->addWidget(dither_);
    auto* tonesGroup = new QButtonGroup(this);
    tonesGroup->addButton(byThreshold_);
    tonesGroup->addButton(dither_);
    byThreshold_->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Utf8("Uložit"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Utf8("Storno"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(size);
    options->addWidget(tones);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_);
    layout->addLayout(options);
    layout->addWidget(buttons);

    for (QRadioButton* button : {fit_, crop_, byThreshold_, dither_})
        connect(button, &QRadioButton::toggled, this, [this] { UpdatePreview(); });
    connect(threshold_, &QSpinBox::valueChanged, this, [this] { UpdatePreview(); });
    UpdatePreview();
}

PictureConversion TPictureImport_Dlg::Conversion() const {
    PictureConversion conversion;
    conversion.fit = crop_->isChecked() ? PictureFit::Crop : PictureFit::Fit;
    conversion.dither = dither_->isChecked();
    conversion.threshold = threshold_->value();
    return conversion;
}

void TPictureImport_Dlg::UpdatePreview() {
    threshold_->setEnabled(byThreshold_->isChecked());
    preview_->setPixmap(QPixmap::fromImage(QImageOf(Result(), kPreviewZoom)));
}

} // namespace panolcd
