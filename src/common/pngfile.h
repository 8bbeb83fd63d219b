#pragma once
// PNG files of palette pictures, written by the program itself (no image library in the core):
// eight bits a pixel, the rows stored in deflate's uncompressed blocks.

#include <array>
#include <cstdint>
#include <vector>

namespace panolcd {

struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<std::array<std::uint8_t, 3>> palette; // 1..256 colours, r g b
    std::vector<std::uint8_t> pixels;                 // width × height indices, top row first
};

// Empty when the picture is inconsistent (no palette, an index past it, sizes that do not match).
std::vector<std::uint8_t> WritePng(const PalettePicture& picture);

// The standard CRC-32 of PNG chunks and zip files.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);

} // namespace panolcd
