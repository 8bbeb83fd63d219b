#include "project/pictureimport.h"

#include "common/cp1250.h"
#include "common/littleendian.h"
#include "common/paths.h"
#include "framework/exchange/safetycopy.h"
#include "project/projectcontext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

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

constexpr const char* kCutShort = "soubor není celý";

// The picture files' bytes, read without ever passing their end.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    bool Has(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    std::uint8_t At(std::size_t at) const { return Has(at, 1) ? bytes_[at] : 0; }
    std::uint32_t BigEndian32(std::size_t at) const {
        return static_cast<std::uint32_t>(At(at)) << 24 |
               static_cast<std::uint32_t>(At(at + 1)) << 16 |
               static_cast<std::uint32_t>(At(at + 2)) << 8 | At(at + 3);
    }
    template <class T> T Little(std::size_t at) const {
        return Has(at, sizeof(T)) ? ReadLE<T>(bytes_.data() + at) : T{};
    }
    bool StartsWith(std::string_view text) const {
        return Has(0, text.size()) &&
               std::equal(text.begin(), text.end(), bytes_.begin(),
                          [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Chunks up to IEND.
std::optional<std::string> PngCutShort(const Bytes& png) {
    for (std::size_t at = 8; png.Has(at, 12);) {
        const std::uint32_t length = png.BigEndian32(at);
        if (!png.Has(at + 12, length))
            break;
        if (png.BigEndian32(at + 4) == 0x49454E44) // IEND
            return std::nullopt;
        at += 12 + static_cast<std::size_t>(length);
    }
    return kCutShort;
}

// Segments and entropy-coded scans up to EOI.
std::optional<std::string> JpegCutShort(const Bytes& jpeg) {
    std::size_t at = 2;
    while (jpeg.Has(at, 2)) {
        if (jpeg.At(at) != 0xFF)
            return "poškozený JPEG";
        const std::uint8_t marker = jpeg.At(at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9)
            return std::nullopt;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(jpeg.At(at + 2)) << 8 | jpeg.At(at + 3);
        if (length < 2 || !jpeg.Has(at + 2, length))
            break;
        at += 2 + length;
        if (marker != 0xDA)
            continue;
        // The scan runs to the next marker that is neither a stuffed 0xFF nor a restart.
        while (jpeg.Has(at, 2) && !(jpeg.At(at) == 0xFF && jpeg.At(at + 1) != 0 &&
                                    !(jpeg.At(at + 1) >= 0xD0 && jpeg.At(at + 1) <= 0xD7)))
            ++at;
    }
    return kCutShort;
}

// Extensions and images up to the trailer.
std::optional<std::string> GifCutShort(const Bytes& gif) {
    const auto colourTable = [](std::uint8_t flags) -> std::size_t {
        return (flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0;
    };
    // Sub-blocks up to the empty one; the position after it, none when cut short.
    const auto subBlocks = [&gif](std::size_t at) -> std::optional<std::size_t> {
        while (gif.Has(at, 1)) {
            const std::size_t size = gif.At(at);
            if (size == 0)
                return at + 1;
            at += 1 + size;
        }
        return std::nullopt;
    };
    std::size_t at = 13 + colourTable(gif.At(10));
    while (gif.Has(at, 1)) {
        const std::uint8_t kind = gif.At(at);
        std::optional<std::size_t> next;
        if (kind == 0x3B)
            return std::nullopt;
        if (kind == 0x21)
            next = subBlocks(at + 2);
        else if (kind == 0x2C && gif.Has(at, 10))
            next = subBlocks(at + 11 + colourTable(gif.At(at + 9)));
        else if (kind != 0x2C)
            return "poškozený GIF";
        if (!next)
            break;
        at = *next;
    }
    return kCutShort;
}

// The rows an uncompressed bitmap declares, after its header, masks and palette.
std::optional<std::string> BmpCutShort(const Bytes& bmp) {
    constexpr std::size_t kFileHeader = 14;
    const std::uint32_t dataAt = bmp.Little<std::uint32_t>(10);
    const std::uint32_t header = bmp.Little<std::uint32_t>(kFileHeader);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours = 0;
    std::size_t entry = 4;
    if (header == 12) {
        width = bmp.Little<std::uint16_t>(kFileHeader + 4);
        height = bmp.Little<std::uint16_t>(kFileHeader + 6);
        bits = bmp.Little<std::uint16_t>(kFileHeader + 10);
        entry = 3;
    } else if (header >= 40 && header <= 124) {
        width = bmp.Little<std::int32_t>(kFileHeader + 4);
        height = bmp.Little<std::int32_t>(kFileHeader + 8);
        bits = bmp.Little<std::uint16_t>(kFileHeader + 14);
        compression = bmp.Little<std::uint32_t>(kFileHeader + 16);
        colours = bmp.Little<std::uint32_t>(kFileHeader + 32);
    } else {
        return "poškozená hlavička BMP";
    }
    constexpr std::int64_t kMaxSide = 1 << 20;
    height = std::abs(height);
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return "poškozená hlavička BMP";
    // 0 plain rows, 3 and 6 plain rows with colour masks.
    if (compression != 0 && compression != 3 && compression != 6)
        return "komprimované BMP se nečtou";
    std::size_t tables = 0;
    if (header == 40 && compression != 0)
        tables = compression == 3 ? 12 : 16;
    if (bits <= 8)
        tables += entry * (colours == 0 || colours > (1u << bits) ? 1u << bits : colours);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    if (!bmp.Has(kFileHeader, header + tables) ||
        !bmp.Has(dataAt, static_cast<std::size_t>(rowBytes * static_cast<std::uint64_t>(height))))
        return kCutShort;
    return std::nullopt;
}

} // namespace

std::optional<std::string> PictureCutShort(std::span<const std::uint8_t> bytes) {
    const Bytes picture(bytes);
    if (picture.StartsWith("\x89PNG\r\n\x1A\n"))
        return PngCutShort(picture);
    if (picture.StartsWith("\xFF\xD8"))
        return JpegCutShort(picture);
    if (picture.StartsWith("GIF87a") || picture.StartsWith("GIF89a"))
        return GifCutShort(picture);
    if (picture.StartsWith("BM"))
        return BmpCutShort(picture);
    return "neznámý formát obrázku (čtou se PNG, JPEG, GIF a BMP)";
}

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
    // Bank files are found whatever their letter case: an existing one is written, not a twin.
    const std::string target = ExistingSpelling(fileName);
    const std::vector<std::uint8_t> bytes = WriteMonoBmp(image);
    int code = 0;
    std::unique_ptr<ReplacingFile> file = ReplacingFile::Create(target, code);
    if (file != nullptr &&
        file->Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) &&
        file->Commit()) {
        ProjectCtx().bitmaps.ReloadFile(target);
        return std::nullopt;
    }
    return Utf8ToCp1250("Soubor nelze zapsat: ") + FileNameText(target) + " (" +
           std::strerror(file ? file->Error() : code) + ")";
}

} // namespace panolcd
