#include "project/pictureimport.h"

#include "common/cp1250.h"
#include "framework/exchange/safetycopy.h"
#include "project/projectcontext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace panolcd {
namespace {

PictureReader& Reader() {
    static PictureReader reader = nullptr;
    return reader;
}

// The mean level of the source area [x0, x1) × [y0, y1), weighting partly covered pixels by
// their covered share; at least the pixel under the area's centre.
double AreaMean(const GreyImage& picture, double x0, double y0, double x1, double y1) {
    const int left = std::max(0, static_cast<int>(std::floor(x0)));
    const int top = std::max(0, static_cast<int>(std::floor(y0)));
    const int right = std::min(picture.width, static_cast<int>(std::ceil(x1)));
    const int bottom = std::min(picture.height, static_cast<int>(std::ceil(y1)));
    double sum = 0;
    double weight = 0;
    for (int y = top; y < bottom; ++y) {
        const double h = std::min<double>(y + 1, y1) - std::max<double>(y, y0);
        for (int x = left; x < right; ++x) {
            const double w = std::min<double>(x + 1, x1) - std::max<double>(x, x0);
            if (w <= 0 || h <= 0)
                continue;
            sum += w * h * picture.At(x, y);
            weight += w * h;
        }
    }
    return weight > 0 ? sum / weight : 255.0;
}

} // namespace

GreyImage ScalePicture(const GreyImage& picture, LcdSize lcd, PictureFit fit) {
    GreyImage scaled{lcd.width, lcd.height,
                     std::vector<std::uint8_t>(static_cast<std::size_t>(lcd.width) *
                                                   static_cast<std::size_t>(lcd.height),
                                               255)};
    if (picture.width <= 0 || picture.height <= 0 || lcd.width <= 0 || lcd.height <= 0)
        return scaled;
    const double sx = static_cast<double>(lcd.width) / picture.width;
    const double sy = static_cast<double>(lcd.height) / picture.height;
    const double scale = fit == PictureFit::Fit ? std::min(sx, sy) : std::max(sx, sy);
    // The picture's extent on the LCD, centred.
    const double width = picture.width * scale;
    const double height = picture.height * scale;
    const double offsetX = (lcd.width - width) / 2;
    const double offsetY = (lcd.height - height) / 2;
    for (int y = 0; y < lcd.height; ++y) {
        for (int x = 0; x < lcd.width; ++x) {
            const double x0 = (x - offsetX) / scale;
            const double y0 = (y - offsetY) / scale;
            const double x1 = (x + 1 - offsetX) / scale;
            const double y1 = (y + 1 - offsetY) / scale;
            if (x1 <= 0 || y1 <= 0 || x0 >= picture.width || y0 >= picture.height)
                continue; // outside the picture: white
            const double level = AreaMean(picture, x0, y0, x1, y1);
            scaled.levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(lcd.width) +
                          static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(std::clamp(std::lround(level), 0L, 255L));
        }
    }
    return scaled;
}

BmpImage PictureToLcd(const GreyImage& picture, LcdSize lcd, const PictureConversion& conversion) {
    const GreyImage grey = ScalePicture(picture, lcd, conversion.fit);
    BmpImage image;
    image.width = lcd.width;
    image.height = lcd.height;
    image.bitsPerPixel = 1;
    image.ink.assign(grey.levels.size(), 0);
    if (!conversion.dither) {
        for (std::size_t i = 0; i < grey.levels.size(); ++i)
            image.ink[i] = grey.levels[i] < conversion.threshold ? 1 : 0;
        return image;
    }
    // Floyd-Steinberg: each pixel's error goes 7/16 right, 3/16 down left, 5/16 down, 1/16 down
    // right.
    std::vector<double> levels(grey.levels.begin(), grey.levels.end());
    const auto at = [&](int x, int y) -> double& {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(lcd.width) +
                      static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < lcd.height; ++y) {
        for (int x = 0; x < lcd.width; ++x) {
            const double old = at(x, y);
            const bool ink = old < 128;
            image.ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(lcd.width) +
                      static_cast<std::size_t>(x)] = ink ? 1 : 0;
            const double error = old - (ink ? 0 : 255);
            if (x + 1 < lcd.width)
                at(x + 1, y) += error * 7 / 16;
            if (y + 1 < lcd.height) {
                if (x > 0)
                    at(x - 1, y + 1) += error * 3 / 16;
                at(x, y + 1) += error * 5 / 16;
                if (x + 1 < lcd.width)
                    at(x + 1, y + 1) += error * 1 / 16;
            }
        }
    }
    return image;
}

void SetPictureReader(PictureReader reader) {
    Reader() = reader;
}

PictureReader CurrentPictureReader() {
    return Reader();
}

std::optional<std::string> ImportPicture(const std::string& input, const std::string& output,
                                         const PictureConversion& conversion) {
    const PictureReader reader = CurrentPictureReader();
    if (reader == nullptr)
        return Utf8ToCp1250("Obrázky nelze číst: ") + FileNameText(input);
    std::string error;
    const std::optional<GreyImage> picture = reader(input, error);
    if (!picture)
        return error;
    return WriteLcdBitmap(output, PictureToLcd(*picture, ProjectCtx().lcdSize, conversion));
}

std::optional<std::string> WriteLcdBitmap(const std::string& fileName, const BmpImage& image) {
    const std::vector<std::uint8_t> bytes = WriteMonoBmp(image);
    int code = 0;
    std::unique_ptr<ReplacingFile> file = ReplacingFile::Create(fileName, code);
    if (file != nullptr &&
        file->Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) &&
        file->Commit())
        return std::nullopt;
    return Utf8ToCp1250("Soubor nelze zapsat: ") + FileNameText(fileName) + " (" +
           std::strerror(file ? file->Error() : code) + ")";
}

} // namespace panolcd
