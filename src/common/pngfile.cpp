#include "common/pngfile.h"

#include <algorithm>
#include <string_view>

namespace panolcd {
namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(std::vector<std::uint8_t>& out, std::string_view type,
           const std::vector<std::uint8_t>& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored blocks: the data as it is, 65535 bytes a block at most.
std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(data.size() - at, 65535);
        const bool last = at + n == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(n & 0xFF));
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(~n & 0xFF));
        out.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < data.size());
    Put32(out, Adler32(data));
    return out;
}

} // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<std::uint8_t> WritePng(const PalettePicture& p) {
    if (p.width <= 0 || p.height <= 0 || p.palette.empty() || p.palette.size() > 256 ||
        p.pixels.size() != static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height))
        return {};
    if (std::any_of(p.pixels.begin(), p.pixels.end(),
                    [&](std::uint8_t index) { return index >= p.palette.size(); }))
        return {};
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    Put32(header, static_cast<std::uint32_t>(p.width));
    Put32(header, static_cast<std::uint32_t>(p.height));
    header.insert(header.end(),
                  {8, 3, 0, 0, 0}); // 8 bits, palette, deflate, filter 0, no interlace
    Chunk(out, "IHDR", header);
    std::vector<std::uint8_t> palette;
    for (const auto& rgb : p.palette)
        palette.insert(palette.end(), rgb.begin(), rgb.end());
    Chunk(out, "PLTE", palette);
    std::vector<std::uint8_t> rows;
    rows.reserve(p.pixels.size() + static_cast<std::size_t>(p.height));
    for (int y = 0; y < p.height; ++y) {
        rows.push_back(0); // no filter
        const auto row = p.pixels.begin() + static_cast<std::ptrdiff_t>(y) * p.width;
        rows.insert(rows.end(), row, row + p.width);
    }
    Chunk(out, "IDAT", Stored(rows));
    Chunk(out, "IEND", {});
    return out;
}

} // namespace panolcd
