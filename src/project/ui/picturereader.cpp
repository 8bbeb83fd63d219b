#include "project/ui/picturereader.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"

#include <QImage>
#include <QImageReader>

namespace panolcd {

GreyImage GreyOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    GreyImage grey{argb.width(), argb.height(), {}};
    grey.levels.reserve(static_cast<std::size_t>(argb.width()) *
                        static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            const int level = (qGray(line[x]) * alpha + 255 * (255 - alpha)) / 255;
            grey.levels.push_back(static_cast<std::uint8_t>(level));
        }
    }
    return grey;
}

std::optional<GreyImage> ReadPictureWithQt(const std::string& fileName, std::string& error) {
    QImageReader reader(FileNameToQString(fileName));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        error = Utf8ToCp1250("Obrázek nelze načíst: ") + FileNameText(fileName) + " (" +
                Utf8ToCp1250(reader.errorString().toStdString()) + ")";
        return std::nullopt;
    }
    return GreyOf(image);
}

} // namespace panolcd
