#pragma once
// Linux console fonts (PSF version 1 and 2) with their Unicode tables: the glyph source of the
// fonts the build makes.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace fontgen {

struct PsfFont {
    int width = 0;
    int height = 0;
    // Every glyph as width × height ink bytes (1 = ink), row after row from the top.
    std::vector<std::vector<std::uint8_t>> glyphs;
    // The glyph index each character is drawn with.
    std::map<char32_t, std::size_t> glyphOf;
};

struct PsfReadResult {
    bool ok = false;
    PsfFont font;
    std::string error;
};

// Every read is checked against the bytes; a font without a Unicode table is refused, since the
// glyphs could not be told apart.
PsfReadResult ReadPsf(std::span<const std::uint8_t> bytes);

} // namespace fontgen
