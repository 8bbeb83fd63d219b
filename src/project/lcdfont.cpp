#include "project/lcdfont.h"

#include "common/paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace panolcd {
namespace {

// Strips of 8 pixels a glyph of `width` takes; at least one, as the truncating division gives.
int StripsOf(int width) {
    return (width - 1) / 8 + 1;
}

// The size of a pixel block at a zoom: 2 × 2 for zoom 2 and 3.
int BlockSize(int zoom) {
    if (zoom >= 4)
        return 4;
    return zoom >= 2 ? 2 : 1;
}

} // namespace

std::optional<FontView::Glyph> FontView::TableEntry(int code) const {
    if (Empty() || code < First() || code > Last())
        return std::nullopt;
    const std::size_t at = kTableAt + 4 * static_cast<std::size_t>(code - First());
    if (at + 4 > size_)
        return std::nullopt;
    Glyph glyph{Word(at), static_cast<std::size_t>(Word(at + 2))};
    const std::size_t bytes =
        static_cast<std::size_t>(StripsOf(glyph.width)) * static_cast<std::size_t>(CellHeight());
    if (glyph.offset > size_ || bytes > size_ - glyph.offset)
        return std::nullopt;
    return glyph;
}

std::optional<FontView::Glyph> FontView::GlyphOf(std::uint8_t code) const {
    if (Empty())
        return std::nullopt;
    if (code < First() || code > Last())
        return TableEntry(Default());
    return TableEntry(code);
}

bool DrawGlyph(LcdCanvas& canvas, const LcdRect& clip, int x, int y, const LcdBrush& brush,
               int zoom, const std::uint8_t* bitmap, int height, int width) {
    if (x < clip.left || y < clip.top || x >= clip.right || y >= clip.bottom)
        return true;
    // In 64 bits: a glyph may start anywhere in the int range (a damaged record's position).
    const std::int64_t z = zoom;
    if (!brush.clear) {
        const LcdRect cell{x, y,
                           static_cast<int>(std::min<std::int64_t>(x + z * width, clip.right)),
                           static_cast<int>(std::min<std::int64_t>(y + z * height, clip.bottom))};
        canvas.FillRect(cell, brush.color);
    }
    const int block = BlockSize(zoom);
    const int strips = StripsOf(width);
    for (int strip = 0; strip < strips; ++strip) {
        for (int row = 0; row < height; ++row) {
            const std::size_t index =
                static_cast<std::size_t>(height) * static_cast<std::size_t>(strip) +
                static_cast<std::size_t>(row);
            if (index > FontView::kMaxGlyphIndex)
                return false;
            const std::uint8_t bits = bitmap[index];
            for (int bit = 7; bit >= 0; --bit) {
                if ((bits & (1u << bit)) == 0)
                    continue;
                const std::int64_t px = x + (8 * std::int64_t{strip} + 7 - bit) * z;
                const std::int64_t py = y + std::int64_t{row} * z;
                // Then px and py lie inside the clip, so in the int range.
                if (px + z - 1 <= clip.right && py + z - 1 <= clip.bottom)
                    canvas.InkBlock(static_cast<int>(px), static_cast<int>(py), block);
            }
        }
    }
    return true;
}

void DrawText(LcdCanvas& canvas, const LcdRect& clip, int x, int y, const LcdBrush& brush, int zoom,
              const FontView& font, std::string_view text) {
    const int height = font.CellHeight();
    std::int64_t at = x;
    for (const char c : text.substr(0, 255)) {
        // Glyphs only move right: once one starts beyond the clip, so do all that follow.
        if (at >= clip.right)
            return;
        const std::optional<FontView::Glyph> glyph = font.GlyphOf(static_cast<std::uint8_t>(c));
        if (!glyph)
            continue; // nothing to draw that stays inside the file
        if (!DrawGlyph(canvas, clip, static_cast<int>(at), y, brush, zoom, font.Bitmap(*glyph),
                       height, glyph->width))
            return;
        at += std::int64_t{zoom} * glyph->width;
    }
}

int TextWidth(const FontView& font, std::string_view text) {
    int width = 0;
    for (const char c : text.substr(0, 255)) {
        if (const std::optional<FontView::Glyph> glyph = font.GlyphOf(static_cast<std::uint8_t>(c)))
            width += glyph->width;
    }
    return width;
}

// ---- TLCDFontObject

TLCDFontObject::TLCDFontObject(std::uint8_t bankNumber, std::string_view fileName)
    : BankEntry(bankNumber) {
    Load(fileName);
}

bool TLCDFontObject::Load(std::string_view fileName) {
    Unload();
    fileName_ = std::string(fileName); // kept also when the load fails
    const std::optional<std::filesystem::path> path = FindExistingFile(fileName);
    if (!path)
        return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(*path, error);
    if (error || size == 0 || size > 16u * 1024 * 1024)
        return false; // no font is that large: not a font
    std::ifstream in(*path, std::ios::binary);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size)))
        return false;
    data_ = std::move(data);
    return true;
}

void TLCDFontObject::Unload() {
    data_.clear();
    data_.shrink_to_fit();
    fileName_.clear();
}

} // namespace panolcd
