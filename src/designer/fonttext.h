#pragma once
// Window texts drawn with an LCD font: the command boxes' summaries where no system font is at
// hand (rendering without a display), so that they look the same wherever a screen is drawn.

#include "designer/raster.h"
#include "project/lcdfont.h"

#include <string>

namespace panolcd {

class FontTextRenderer final : public GuiTextRenderer {
public:
    // The default font beside the program; without it no text is drawn.
    FontTextRenderer();
    explicit FontTextRenderer(const std::string& fontFile);

    void DrawText(Raster& raster, const LcdRect& clip, int x, int y, std::string_view text,
                  Colour colour) const override;
    int LineHeight() const override;

private:
    TLCDFontObject font_;
};

} // namespace panolcd
