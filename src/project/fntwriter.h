#pragma once
// Writing raster font files in the version 2.0 layout the LCD font reader takes: the fonts the
// build makes for the program and its sample project.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace panolcd {

struct RasterGlyph {
    int width = 0;
    std::vector<std::uint8_t> ink; // width × cell height, row after row from the top; 1 = ink
};

struct RasterFont {
    std::string face;      // at most 31 characters are kept
    std::string copyright; // at most 59 characters are kept
    int height = 0;        // of every glyph
    int ascent = 0;
    bool bold = false;
    std::uint8_t first = 0;
    std::uint8_t defaultChar = 0;    // the code drawn for codes outside first..last
    std::vector<RasterGlyph> glyphs; // for first, first + 1, ...; the last code follows
};

// The file's bytes; none when the font does not fit the layout (no glyphs, more than 256,
// widths or height outside 1..255, a glyph whose ink does not match its size, or a file over
// 64 KiB, which 16-bit glyph offsets cannot address).
std::optional<std::vector<std::uint8_t>> WriteFnt(const RasterFont& font);

} // namespace panolcd
