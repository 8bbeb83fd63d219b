#include "project/ui/picturereader.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <span>

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
    constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    const auto refused = [&](const std::string& why) -> std::optional<GreyImage> {
        error = Utf8ToCp1250("Obrázek nelze načíst: ") + FileNameText(fileName) + " (" +
                Utf8ToCp1250(why) + ")";
        return std::nullopt;
    };
    QFile file(FileNameToQString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString().toStdString());
    if (file.size() > kMaxFileSize)
        return refused("soubor je příliš velký");
    // Checked and decoded from the same bytes: the file may change in between.
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(file.errorString().toStdString());
    if (const auto cut =
            PictureCutShort(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()))))
        return refused(*cut);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return refused(reader.errorString().toStdString());
    return GreyOf(image);
}

} // namespace panolcd
