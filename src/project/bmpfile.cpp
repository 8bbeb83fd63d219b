#include "project/bmpfile.h"

#include "common/littleendian.h"
#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace panolcd {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 16384; // far above any LCD; keeps a damaged size from a huge buffer
constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

BmpReadResult Refused(std::string why) {
    BmpReadResult result;
    result.error = std::move(why);
    return result;
}

template <class T> bool ReadAt(std::span<const std::uint8_t> bytes, std::size_t at, T& value) {
    if (at > bytes.size() || sizeof(T) > bytes.size() - at)
        return false;
    value = ReadLE<T>(bytes.data() + at);
    return true;
}

bool IsDark(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 299 * red + 587 * green + 114 * blue < 128 * 1000;
}

} // namespace

BmpReadResult ReadBmp(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return Refused("not a bitmap file");
    std::uint32_t dataAt = 0;
    std::uint32_t headerSize = 0;
    ReadAt(bytes, 10, dataAt);
    ReadAt(bytes, kFileHeaderSize, headerSize);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t paletteCount = 0;
    std::size_t paletteEntry = 4;
    bool topDown = false;
    const std::size_t h = kFileHeaderSize;
    if (headerSize == kCoreHeaderSize) {
        std::uint16_t w16 = 0;
        std::uint16_t h16 = 0;
        ReadAt(bytes, h + 4, w16);
        ReadAt(bytes, h + 6, h16);
        ReadAt(bytes, h + 10, bits);
        width = w16;
        height = h16;
        paletteEntry = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        std::int32_t w32 = 0;
        std::int32_t h32 = 0;
        std::uint32_t compression = 0;
        if (!ReadAt(bytes, h + 4, w32) || !ReadAt(bytes, h + 8, h32) ||
            !ReadAt(bytes, h + 14, bits) || !ReadAt(bytes, h + 16, compression) ||
            !ReadAt(bytes, h + 32, paletteCount))
            return Refused("damaged bitmap header");
        if (compression != 0)
            return Refused("compressed bitmaps are not read");
        width = w32;
        topDown = h32 < 0;
        height = topDown ? -static_cast<std::int64_t>(h32) : h32;
    } else {
        return Refused("unknown bitmap header");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return Refused("unsupported pixel format");
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return Refused("damaged bitmap size");

    // The palette, black and white where the file has none.
    std::vector<std::uint8_t> darkIndex;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint32_t count = paletteCount == 0 || paletteCount > full ? full : paletteCount;
        const std::size_t paletteAt = h + headerSize;
        darkIndex.assign(full, 1);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = paletteAt + i * paletteEntry;
            if (at + 3 > bytes.size() || at + 3 > dataAt)
                return Refused("damaged bitmap palette");
            darkIndex[i] = IsDark(bytes[at + 2], bytes[at + 1], bytes[at]) ? 1 : 0;
        }
    }

    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(height);
    if (dataAt > bytes.size() || rowBytes * rows > bytes.size() - dataAt)
        return Refused("bitmap file cut short");

    BmpReadResult result;
    BmpImage& image = result.image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bitsPerPixel = bits;
    image.ink.assign(static_cast<std::size_t>(width) * rows, 0);
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t fileRow = topDown ? y : rows - 1 - y;
        const std::uint8_t* row = bytes.data() + dataAt + fileRow * rowBytes;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            bool dark = false;
            if (bits == 24) {
                dark = IsDark(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            } else {
                const std::size_t bit = x * bits;
                const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                const unsigned index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
                dark = darkIndex[index] != 0;
            }
            image.ink[y * static_cast<std::size_t>(width) + x] = dark ? 1 : 0;
        }
    }
    result.ok = true;
    return result;
}

BmpReadResult ReadBmpFile(std::string_view fileName) {
    const auto path = FindExistingFile(fileName);
    if (!path)
        return Refused("file not found");
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(*path, error);
    if (error || size > kMaxFileSize)
        return Refused("file cannot be read");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(*path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return Refused("file cannot be read");
    return ReadBmp(bytes);
}

std::vector<std::uint8_t> WriteMonoBmp(const BmpImage& image) {
    const std::size_t width = static_cast<std::size_t>(std::max(image.width, 0));
    const std::size_t height = static_cast<std::size_t>(std::max(image.height, 0));
    const std::size_t rowBytes = (width + 31) / 32 * 4;
    const std::size_t dataAt = kFileHeaderSize + kInfoHeaderSize + 2 * 4;
    std::vector<std::uint8_t> out(dataAt + rowBytes * height, 0);
    out[0] = 'B';
    out[1] = 'M';
    WriteLE<std::uint32_t>(out.data() + 2, static_cast<std::uint32_t>(out.size()));
    WriteLE<std::uint32_t>(out.data() + 10, static_cast<std::uint32_t>(dataAt));
    std::uint8_t* info = out.data() + kFileHeaderSize;
    WriteLE<std::uint32_t>(info, kInfoHeaderSize);
    WriteLE<std::int32_t>(info + 4, static_cast<std::int32_t>(width));
    WriteLE<std::int32_t>(info + 8, static_cast<std::int32_t>(height));
    WriteLE<std::uint16_t>(info + 12, 1);
    WriteLE<std::uint16_t>(info + 14, 1);
    WriteLE<std::uint32_t>(info + 20, static_cast<std::uint32_t>(rowBytes * height));
    WriteLE<std::int32_t>(info + 24, 2835); // 72 dpi
    WriteLE<std::int32_t>(info + 28, 2835);
    WriteLE<std::uint32_t>(info + 32, 2);
    // Palette: 0 black (ink), 1 white.
    std::uint8_t* palette = info + kInfoHeaderSize;
    palette[4] = palette[5] = palette[6] = 0xFF;
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = out.data() + dataAt + (height - 1 - y) * rowBytes;
        for (std::size_t x = 0; x < width; ++x) {
            if (!image.Ink(static_cast<int>(x), static_cast<int>(y)))
                row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    }
    return out;
}

} // namespace panolcd
