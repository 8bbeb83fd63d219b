#pragma once
// LCD fonts: the raster font files (.FNT, version 2.0 layout) the terminal draws text with, the
// glyph drawing shared by the text objects and the font bank window, and the process-wide cache
// of loaded font files with reference counts.

#include "project/bankcache.h"
#include "project/lcdcanvas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// Read access to a loaded font file. Every read is checked against the block: a table entry or
// glyph that reaches past its end is skipped, never read.
class FontView {
public:
    static constexpr std::size_t kHeightAt = 88;
    static constexpr std::size_t kMaxWidthAt = 93;
    static constexpr std::size_t kFirstAt = 95;
    static constexpr std::size_t kLastAt = 96;
    static constexpr std::size_t kDefaultAt = 97;
    static constexpr std::size_t kTableAt = 118;
    // The header and a table of 255 entries: a block this long can size text frames.
    static constexpr std::size_t kMeasurableSize = 1138;
    // The largest byte index into a glyph's bitmap the drawing accepts.
    static constexpr std::size_t kMaxGlyphIndex = 61440;

    struct Glyph {
        int width = 0;
        std::size_t offset = 0; // of the bitmap from the start of the block
    };

    FontView() = default;
    FontView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return data_ == nullptr || size_ == 0; }
    bool Measurable() const { return !Empty() && size_ >= kMeasurableSize; }
    // 0 for a block too short to hold the field.
    int CellHeight() const { return Word(kHeightAt); }
    int MaxWidth() const { return Word(kMaxWidthAt); }
    int First() const { return Byte(kFirstAt); }
    int Last() const { return Byte(kLastAt); }
    int Default() const { return Byte(kDefaultAt); }

    // The glyph drawn for `code`: its own, or the default character's for a code outside
    // first..last. None when neither is in the table, or the table entry or the glyph's
    // bitmap reaches past the end of the block.
    std::optional<Glyph> GlyphOf(std::uint8_t code) const;
    // The bytes of a glyph's bitmap; the glyph comes from GlyphOf.
    const std::uint8_t* Bitmap(const Glyph& glyph) const { return data_ + glyph.offset; }

private:
    int Byte(std::size_t at) const { return at < size_ && data_ ? data_[at] : 0; }
    int Word(std::size_t at) const {
        return at + 1 < size_ && data_ ? data_[at] | (data_[at + 1] << 8) : 0;
    }
    std::optional<Glyph> TableEntry(int code) const;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// Draws one glyph of `width` pixels and `height` rows with its top-left at (x, y), zoom 1, 2 or
// 4. Nothing is drawn when (x, y) lies outside the clip. False when the glyph needs a byte index
// above kMaxGlyphIndex: it is unusable, and the string it belongs to stops there.
bool DrawGlyph(LcdCanvas& canvas, const LcdRect& clip, int x, int y, const LcdBrush& brush,
               int zoom, const std::uint8_t* bitmap, int height, int width);
// Draws the text (at most 255 characters) from (x, y) on, glyph after glyph.
void DrawText(LcdCanvas& canvas, const LcdRect& clip, int x, int y, const LcdBrush& brush, int zoom,
              const FontView& font, std::string_view text);
// The width of the text in font pixels (zoom 1), as DrawText advances.
int TextWidth(const FontView& font, std::string_view text);

// One loaded font file.
class TLCDFontObject : public BankEntry {
public:
    // Loads the file; the bank number is kept even when the load fails.
    TLCDFontObject(std::uint8_t bankNumber, std::string_view fileName);

    // The whole file as one block; false (nothing loaded) for a missing, empty or unreadable
    // file.
    bool Load(std::string_view fileName);
    void Unload();

    bool Loaded() const { return !data_.empty(); }
    FontView View() const { return {data_.data(), data_.size()}; }

private:
    std::vector<std::uint8_t> data_;
};

// The font files in use, shared by every object that draws with the same bank.
class TLCDFonts_Man : public BankCache<TLCDFontObject> {
public:
    // Empty without an entry.
    FontView GetFontData(std::uint8_t number) const { return ViewOf(FindByNumber(number)); }
    void AcquireFont(std::uint8_t number, std::string_view fileName) { Acquire(number, fileName); }
    void ReleaseFont(std::uint8_t number) { Release(number); }
    // Entries of bank number 255 found by file name (the font bank window's preview).
    FontView GetFontDataByName(std::string_view fileName) const {
        return ViewOf(FindByNumberAndName(kByName, fileName));
    }
    void AcquireFontByName(std::string_view fileName) { Acquire(kByName, fileName); }
    std::uint8_t ReleaseFontByName(std::string_view fileName) { return ReleaseByName(fileName); }

private:
    static FontView ViewOf(const TLCDFontObject* entry) {
        return entry ? entry->View() : FontView();
    }
};

} // namespace panolcd
