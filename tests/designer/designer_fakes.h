#pragma once
// What the designer tests draw with and look at: a recording text renderer and the raster as
// characters.

#include "designer/raster.h"

#include <string>
#include <vector>

namespace panolcd::testing {

// Records every text with its raster position; lines are `lineHeight` apart.
class FakeTextRenderer final : public GuiTextRenderer {
public:
    explicit FakeTextRenderer(int lineHeight = 14) : lineHeight_(lineHeight) {}
    mutable std::vector<std::string> texts;
    void DrawText(Raster&, const LcdRect&, int x, int y, std::string_view text,
                  Colour) const override {
        texts.push_back(std::to_string(x) + "," + std::to_string(y) + " " + std::string(text));
    }
    int LineHeight() const override { return lineHeight_; }

private:
    int lineHeight_;
};

// A picture of the raster: '#' black, 'r' red, 'w' white, 'g' grey, 's' silver, '.' other.
inline std::vector<std::string> Picture(const Raster& raster) {
    std::vector<std::string> rows;
    for (int y = 0; y < raster.Height(); ++y) {
        std::string row;
        for (int x = 0; x < raster.Width(); ++x) {
            switch (raster.At(x, y)) {
            case Colour::Black:
                row += '#';
                break;
            case Colour::Red:
                row += 'r';
                break;
            case Colour::White:
                row += 'w';
                break;
            case Colour::Grey:
                row += 'g';
                break;
            case Colour::Silver:
                row += 's';
                break;
            default:
                row += '.';
                break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace panolcd::testing
