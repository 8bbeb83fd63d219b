#include "psf.h"

#include "common/littleendian.h"

namespace fontgen {
namespace {

using panolcd::ReadLE;

constexpr std::uint8_t kPsf1Magic[] = {0x36, 0x04};
constexpr std::uint8_t kPsf2Magic[] = {0x72, 0xB5, 0x4A, 0x86};
constexpr std::uint8_t kPsf1Has512 = 0x01;
constexpr std::uint8_t kPsf1HasTable = 0x02;
constexpr std::uint8_t kPsf1HasSequences = 0x04;
constexpr std::uint32_t kPsf2HasTable = 0x01;
constexpr std::uint16_t kPsf1EndOfGlyph = 0xFFFF;
constexpr std::uint16_t kPsf1StartSequence = 0xFFFE;
constexpr std::uint8_t kPsf2EndOfGlyph = 0xFF;
constexpr std::uint8_t kPsf2StartSequence = 0xFE;

PsfReadResult Fail(std::string error) {
    PsfReadResult result;
    result.error = std::move(error);
    return result;
}

// Glyph rows are (width + 7) / 8 bytes, the leftmost pixel in bit 7.
bool ReadGlyphs(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count,
                std::size_t glyphSize, PsfFont& font) {
    const std::size_t rowBytes = static_cast<std::size_t>((font.width + 7) / 8);
    if (glyphSize < rowBytes * static_cast<std::size_t>(font.height) || at > bytes.size() ||
        count > (bytes.size() - at) / glyphSize)
        return false;
    for (std::size_t g = 0; g < count; ++g) {
        const std::uint8_t* glyph = bytes.data() + at + g * glyphSize;
        std::vector<std::uint8_t> ink(static_cast<std::size_t>(font.width * font.height));
        for (int y = 0; y < font.height; ++y) {
            for (int x = 0; x < font.width; ++x) {
                const std::uint8_t row =
                    glyph[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)];
                ink[static_cast<std::size_t>(y * font.width + x)] = (row >> (7 - x % 8)) & 1;
            }
        }
        font.glyphs.push_back(std::move(ink));
    }
    return true;
}

// One UTF-8 character from `at`; false at a malformed one.
bool NextUtf8(std::span<const std::uint8_t> bytes, std::size_t& at, char32_t& c) {
    const std::uint8_t lead = bytes[at];
    int extra = 0;
    if (lead < 0x80) {
        c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        c = lead & 0x1F, extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        c = lead & 0x0F, extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        c = lead & 0x07, extra = 3;
    } else {
        return false;
    }
    if (bytes.size() - at <= static_cast<std::size_t>(extra))
        return false;
    for (int i = 1; i <= extra; ++i) {
        const std::uint8_t next = bytes[at + static_cast<std::size_t>(i)];
        if ((next & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(extra) + 1;
    return true;
}

// Only single characters map to glyphs; sequences (a letter with a combining mark) are skipped.
void Map(PsfFont& font, char32_t c, std::size_t glyph, bool inSequence) {
    if (!inSequence)
        font.glyphOf.emplace(c, glyph);
}

bool ReadPsf1Table(std::span<const std::uint8_t> bytes, std::size_t at, PsfFont& font) {
    for (std::size_t glyph = 0; glyph < font.glyphs.size(); ++glyph) {
        bool inSequence = false;
        for (;;) {
            if (bytes.size() - at < 2)
                return false;
            const std::uint16_t c = ReadLE<std::uint16_t>(bytes.data() + at);
            at += 2;
            if (c == kPsf1EndOfGlyph)
                break;
            if (c == kPsf1StartSequence)
                inSequence = true;
            else
                Map(font, c, glyph, inSequence);
        }
    }
    return true;
}

bool ReadPsf2Table(std::span<const std::uint8_t> bytes, std::size_t at, PsfFont& font) {
    for (std::size_t glyph = 0; glyph < font.glyphs.size(); ++glyph) {
        bool inSequence = false;
        for (;;) {
            if (at >= bytes.size())
                return false;
            if (bytes[at] == kPsf2EndOfGlyph) {
                ++at;
                break;
            }
            if (bytes[at] == kPsf2StartSequence) {
                ++at;
                inSequence = true;
                continue;
            }
            char32_t c = 0;
            if (!NextUtf8(bytes, at, c))
                return false;
            Map(font, c, glyph, inSequence);
        }
    }
    return true;
}

} // namespace

PsfReadResult ReadPsf(std::span<const std::uint8_t> bytes) {
    PsfReadResult result;
    PsfFont& font = result.font;
    if (bytes.size() >= 4 &&
        std::equal(std::begin(kPsf1Magic), std::end(kPsf1Magic), bytes.begin())) {
        const std::uint8_t mode = bytes[2];
        font.width = 8;
        font.height = bytes[3];
        const std::size_t count = (mode & kPsf1Has512) ? 512 : 256;
        const std::size_t glyphSize = font.height;
        if (font.height == 0 || !ReadGlyphs(bytes, 4, count, glyphSize, font))
            return Fail("truncated glyphs");
        if ((mode & (kPsf1HasTable | kPsf1HasSequences)) == 0)
            return Fail("no Unicode table");
        if (!ReadPsf1Table(bytes, 4 + count * glyphSize, font))
            return Fail("truncated Unicode table");
        result.ok = true;
        return result;
    }
    if (bytes.size() >= 32 &&
        std::equal(std::begin(kPsf2Magic), std::end(kPsf2Magic), bytes.begin())) {
        const auto headerSize = ReadLE<std::uint32_t>(bytes.data() + 8);
        const auto flags = ReadLE<std::uint32_t>(bytes.data() + 12);
        const auto count = ReadLE<std::uint32_t>(bytes.data() + 16);
        const auto glyphSize = ReadLE<std::uint32_t>(bytes.data() + 20);
        font.height = static_cast<int>(
            std::min<std::uint32_t>(ReadLE<std::uint32_t>(bytes.data() + 24), 256));
        font.width = static_cast<int>(
            std::min<std::uint32_t>(ReadLE<std::uint32_t>(bytes.data() + 28), 256));
        if (font.width == 0 || font.height == 0 || glyphSize == 0 || count > 65536 ||
            !ReadGlyphs(bytes, headerSize, count, glyphSize, font))
            return Fail("truncated glyphs");
        if ((flags & kPsf2HasTable) == 0)
            return Fail("no Unicode table");
        if (!ReadPsf2Table(bytes, headerSize + std::size_t{count} * glyphSize, font))
            return Fail("truncated Unicode table");
        result.ok = true;
        return result;
    }
    return Fail("not a PSF font");
}

} // namespace fontgen
