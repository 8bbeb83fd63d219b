// Draws the sample project's pictures: a screen background, a help screen and two case-layer
// pictures, 240 × 128 pixels, one bit per pixel, with text in an LCD font.
// Usage: bmpgen FONT.FNT OUTPUT_DIR

#include "common/cp1250.h"
#include "designer/lcddraw.h"
#include "designer/lcdimage.h"
#include "project/bmpfile.h"
#include "project/lcdfont.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 128;

// The LCD picture and the designer's own LCD drawing, with corners inclusive as pictures are
// described.
class Picture final : public panolcd::LcdCanvas {
public:
    void Dot(int x, int y) { panolcd::LcdDot(lcd_, x, y, kInk); }
    void FillRect(const panolcd::LcdRect& r, std::uint8_t /*color*/) override {
        lcd_.FillRect(r, panolcd::Index(kInk));
    }
    void InkBlock(int x, int y, int z) override { lcd_.InkBlock(x, y, z); }
    void Line(int x0, int y0, int x1, int y1) {
        panolcd::LcdLine(lcd_, x0, y0, x1, y1, kInk);
        Dot(x1, y1);
    }
    void Frame(int x0, int y0, int x1, int y1) {
        panolcd::LcdFrame(lcd_, {x0, y0, x1 + 1, y1 + 1}, kInk);
    }
    void Circle(int cx, int cy, int r) {
        panolcd::LcdEllipse(lcd_, {cx - r, cy - r, cx + r + 1, cy + r + 1}, kInk);
    }
    void Text(int x, int y, const char* utf8, int zoom = 1) {
        panolcd::DrawText(*this, {0, 0, kWidth, kHeight}, x, y, {}, zoom, font_.View(),
                          panolcd::Utf8ToCp1250(utf8));
    }
    int TextWidth(const char* utf8, int zoom = 1) const {
        return zoom * panolcd::TextWidth(font_.View(), panolcd::Utf8ToCp1250(utf8));
    }
    void Centred(int y, const char* utf8, int zoom = 1) {
        Text((kWidth - TextWidth(utf8, zoom)) / 2, y, utf8, zoom);
    }

    static void UseFont(const std::string& file) { font_.Load(file); }
    static bool HasFont() { return font_.Loaded(); }
    const panolcd::BmpImage& Image() const { return lcd_.Image(); }

private:
    static constexpr panolcd::Colour kInk = panolcd::Colour::Black;
    static inline panolcd::TLCDFontObject font_{255, ""};
    panolcd::LcdImage lcd_{{kWidth, kHeight}};
};

// The main screen's background: a frame with a title bar, the tank the level bar fills and a
// pump beside the pipe.
Picture Background() {
    Picture p;
    p.Frame(0, 0, kWidth - 1, kHeight - 1);
    p.Frame(2, 2, kWidth - 3, kHeight - 3);
    p.Line(2, 14, kWidth - 3, 14);
    for (int x = 6; x < kWidth - 6; x += 4)
        p.Dot(x, 126 - 1);
    p.Frame(186, 56, 204, 124);
    for (int y = 66; y < 124; y += 10)
        p.Line(204, y, 208, y);
    p.Circle(222, 100, 9);
    p.Line(216, 94, 231, 100);
    p.Line(216, 106, 231, 100);
    p.Line(204, 100, 213, 100);
    return p;
}

Picture Help() {
    Picture p;
    p.Frame(0, 0, kWidth - 1, kHeight - 1);
    p.FillRect({0, 0, kWidth, 3}, 1);
    p.Centred(24, "Nápověda", 2);
    p.Line(20, 52, kWidth - 21, 52);
    p.Text(20, 58, "F1     přehled stanice");
    p.Text(20, 74, "ENTER  potvrzení hodnoty");
    p.Text(20, 90, "ESC    návrat z nápovědy");
    p.Centred(108, "Příliš žluťoučký kůň");
    return p;
}

// A warning triangle with an exclamation mark.
Picture Fault() {
    Picture p;
    p.Line(120, 30, 90, 82);
    p.Line(90, 82, 150, 82);
    p.Line(150, 82, 120, 30);
    p.Line(120, 31, 92, 81);
    p.Line(120, 31, 148, 81);
    p.FillRect({118, 46, 123, 68}, 1);
    p.FillRect({118, 72, 123, 77}, 1);
    p.Centred(92, "PORUCHA ČERPADLA", 1);
    return p;
}

// A hand on a lever: the pump runs under manual control.
Picture Manual() {
    Picture p;
    p.Frame(84, 36, 156, 84);
    p.Circle(120, 60, 14);
    p.Line(120, 60, 134, 46);
    p.FillRect({117, 57, 124, 64}, 1);
    p.Centred(92, "RUČNÍ ŘÍZENÍ", 1);
    return p;
}

bool Write(const std::string& file, const Picture& picture) {
    const std::vector<std::uint8_t> bytes = panolcd::WriteMonoBmp(picture.Image());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        std::cerr << "bmpgen: " << file << ": cannot be written\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: bmpgen FONT.FNT OUTPUT_DIR\n";
        return 2;
    }
    Picture::UseFont(argv[1]);
    if (!Picture::HasFont()) {
        std::cerr << "bmpgen: " << argv[1] << ": no font\n";
        return 1;
    }
    const std::string dir = argv[2];
    const bool ok = Write(dir + "/pozadi.bmp", Background()) &&
                    Write(dir + "/napoveda.bmp", Help()) && Write(dir + "/porucha.bmp", Fault()) &&
                    Write(dir + "/rucni.bmp", Manual());
    return ok ? 0 : 1;
}
