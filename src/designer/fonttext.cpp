#include "designer/fonttext.h"

#include "project/fontuse.h"

namespace panolcd {
namespace {

// The glyphs' ink in one colour, nothing else.
class InkInColour final : public LcdCanvas {
public:
    InkInColour(Raster& raster, Colour colour) : raster_(raster), colour_(colour) {}
    void FillRect(const LcdRect& /*rect*/, std::uint8_t /*colour*/) override {}
    void InkBlock(int x, int y, int z) override {
        for (int dy = 0; dy < z; ++dy)
            for (int dx = 0; dx < z; ++dx)
                raster_.Set(x + dx, y + dy, colour_);
    }

private:
    Raster& raster_;
    Colour colour_;
};

} // namespace

FontTextRenderer::FontTextRenderer() : FontTextRenderer(DefaultFontFile()) {}

FontTextRenderer::FontTextRenderer(const std::string& fontFile) : font_(255, fontFile) {}

void FontTextRenderer::DrawText(Raster& raster, const LcdRect& clip, int x, int y,
                                std::string_view text, Colour colour) const {
    InkInColour ink(raster, colour);
    // The glyph rule lets a block touch the clip's far edges; the raster is cut there.
    const LcdRect inside{clip.left, clip.top, clip.right - 1, clip.bottom - 1};
    panolcd::DrawText(ink, inside, x, y, LcdBrush{}, 1, font_.View(), text);
}

int FontTextRenderer::LineHeight() const {
    return font_.Loaded() ? font_.View().CellHeight() + 1 : 0;
}

} // namespace panolcd
