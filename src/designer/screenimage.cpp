#include "designer/screenimage.h"

#include "common/pngfile.h"

namespace panolcd {

std::vector<std::uint8_t> ScreenPng(const ScreenScene& scene, const GuiTextRenderer* text) {
    const LcdRect area = ScreenScene::LcdArea(scene.Zoom());
    Raster raster(area.right, area.bottom, Colour::White);
    scene.Paint(raster, text);
    PalettePicture picture;
    picture.width = raster.Width();
    picture.height = raster.Height();
    for (int c = 0; c < Index(Colour::Count); ++c) {
        const Rgb rgb = RgbOf(static_cast<Colour>(c));
        picture.palette.push_back({rgb.r, rgb.g, rgb.b});
    }
    picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x)
            picture.pixels.push_back(Index(raster.At(x, y)));
    return WritePng(picture);
}

std::vector<std::uint8_t> ScreenBmp(const ScreenScene& scene) {
    return WriteMonoBmp(scene.PaintLcd().Image());
}

} // namespace panolcd
