#include "designer/graphicobjects.h"

#include "designer/lcddraw.h"

#include <algorithm>
#include <cmath>

namespace panolcd {
namespace {

constexpr std::uint8_t kGraphPoints = 0;
constexpr std::uint8_t kGraphLine = 1;
constexpr std::uint8_t kGraphBars = 2;
constexpr std::uint8_t kBarTop = 0;
constexpr std::uint8_t kBarBottom = 1;
constexpr std::uint8_t kBarLeft = 2;
constexpr std::uint8_t kBarRight = 3;

} // namespace

void TLCDGraphicBase::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                     Scroll scroll, bool skipGeometry) {
    TLCDObject::LoadFromRecord(record, look, scroll, true);
    const ObjectRecordView view(record);
    Parameter = view.Param();
    Options = view.Options();
    for (std::size_t i = 0; i < Symbols.size(); ++i)
        Symbols[i] = view.Sym(static_cast<ObjectRecordView::Symbol>(i));
    Text = view.ObjText();
    if (!skipGeometry)
        SetBounds(RecordToFrame({view.X1(), view.Y1(), view.X2(), view.Y2()}, scroll));
}

void TLCDGraphicBase::StoreFields(ObjectFields& fields) const {
    fields.param = Parameter;
    fields.options = Options;
    fields.symbols = Symbols;
    fields.objText = Text;
}

int TLCDGraphicBase::LcdWidth() const {
    const LcdRect inner = InnerArea();
    return (inner.right - inner.left) / std::max(Zoom(), 1);
}

int TLCDGraphicBase::LcdHeight() const {
    const LcdRect inner = InnerArea();
    return (inner.bottom - inner.top) / std::max(Zoom(), 1);
}

LcdCoords TLCDVectGrObj::FrameToRecord(Scroll scroll, const Frame& f) const {
    const std::int64_t z = std::max(Zoom(), 1);
    const std::int64_t m = Metrics().margin;
    const std::int64_t h = scroll.h;
    const std::int64_t v = scroll.v;
    if (SouthWestToNorthEast()) {
        return {SaturateToInt((f.left + std::int64_t{f.width} + h - m) / z - 1),
                SaturateToInt((f.top + v + m) / z), SaturateToInt((f.left + h + m) / z),
                SaturateToInt((f.top + std::int64_t{f.height} + v - m) / z - 1)};
    }
    if (Kind == kObjCircle) {
        const std::int64_t s =
            std::min(std::int64_t{f.width} - 2 * m, std::int64_t{f.height} - 2 * m);
        const std::int64_t u = s / 2;
        return {SaturateToInt((f.left + h + u + m) / z), SaturateToInt((f.top + v + u + m) / z),
                SaturateToInt(u / z), 0};
    }
    return BaseFrameToRecord(scroll, f);
}

Frame TLCDVectGrObj::RecordToFrame(const LcdCoords& c, Scroll scroll) const {
    const std::int64_t z = Zoom();
    const std::int64_t m = Metrics().margin;
    if (SouthWestToNorthEast()) {
        return {SaturateToInt(c.x2 * z - scroll.h - m), SaturateToInt(c.y1 * z - scroll.v - m),
                SaturateToInt((std::int64_t{c.x1} - c.x2 + 1) * z + 2 * m),
                SaturateToInt((std::int64_t{c.y2} - c.y1 + 1) * z + 2 * m)};
    }
    if (Kind == kObjCircle) {
        const std::int64_t r = c.x2;
        const int side = SaturateToInt(2 * (m + r * z));
        return {SaturateToInt((c.x1 - r) * z - scroll.h - m),
                SaturateToInt((c.y1 - r) * z - scroll.v - m), side, side};
    }
    return BaseRecordToFrame(c, scroll);
}

void TLCDVectGrObj::DrawShape(LcdCanvas& canvas, Colour ink) const {
    const int w = LcdWidth();
    const int h = LcdHeight();
    if (w <= 0 || h <= 0)
        return;
    switch (Kind) {
    case kObjPoint:
        LcdDot(canvas, 0, 0, ink);
        break;
    case kObjLine:
        if (SouthWestToNorthEast()) {
            const int dy = h == 1 && w > 1 ? 0 : h;
            LcdLine(canvas, w - 1, 0, 0, dy, ink);
        } else {
            int dx = w;
            int dy = h;
            if (dx == 1 && dy > 1)
                dx = 0;
            if (dy == 1 && dx > 1)
                dy = 0;
            LcdLine(canvas, 0, 0, dx, dy, ink);
        }
        break;
    case kObjRectangle:
        LcdFrame(canvas, {0, 0, w, h}, ink);
        break;
    case kObjFilledRect:
        canvas.FillRect({0, 0, w, h}, Index(ink));
        break;
    case kObjCircle: {
        const int s = std::min(w, h);
        LcdEllipse(canvas, {0, 0, s, s}, ink);
        break;
    }
    default:
        break;
    }
}

void TLCDVectGrObj::PaintContent(Painter& painter) {
    const LcdRect inner = InnerArea();
    ZoomedCanvas zoomed(painter, inner.left, inner.top, std::max(Zoom(), 1));
    const Colour ink = Locked()                 ? Colour::Silver
                       : Kind == kObjFilledRect ? Look.brush.colour
                                                : Look.pen.colour;
    DrawShape(zoomed, ink);
}

void TLCDVectGrObj::PaintLcd(LcdCanvas& lcd, Scroll scroll) const {
    const LcdCoords at = BaseFrameToRecord(scroll, Bounds());
    ZoomedCanvas placed(lcd, at.x1, at.y1, 1);
    DrawShape(placed, Colour::Black);
}

int SampleOffset(int half, int count, int i) {
    return static_cast<int>(std::trunc(half * std::sin(6.28 / count * i)));
}

void TLCDGraphObj::PaintContent(Painter& painter) {
    const LcdRect inner = InnerArea();
    const int z = Zoom();
    Colour pen = Kind == kObjGraph     ? Colour::Green
                 : Kind == kObjGraphXY ? Colour::Cyan
                                       : Colour::Magenta;
    const Colour ink = Locked() ? Colour::Silver : Colour::Black;
    if (Locked())
        pen = Colour::Silver;
    LcdRect plot = inner;
    if (z == 2)
        plot = {inner.left + 1, inner.top + 1, inner.right, inner.bottom};
    else if (z == 4)
        plot = {inner.left + 2, inner.top + 2, inner.right - 1, inner.bottom - 1};
    painter.Rectangle(plot, Pen{pen, z}, Look.brush);
    if (Kind == kObjBar)
        PaintBar(painter, ink);
    else
        PaintCurve(painter, plot, ink);
}

void TLCDGraphObj::PaintCurve(Painter& painter, const LcdRect& plot, Colour ink) const {
    const int z = Zoom();
    const int w = plot.right - plot.left;
    const int half = (plot.bottom - plot.top) / 2;
    const int count = z == 1 ? w / 3 : z == 2 ? w / 6 : w / 8;
    // A plot wider than any window comes from a damaged record: its frame is enough.
    constexpr int kWidest = 1 << 16;
    if (count < 1 || w > kWidest)
        return;
    const int step = w / count;
    // Lines and bars start at the plot's left edge, which lies inside the inner area's by z / 2.
    const int shift = Style() == kGraphPoints ? 0 : z / 2;
    const LcdRect inner = InnerArea();
    const int top = inner.top;
    const auto x = [&](int i) { return inner.left + step * i + shift; };
    const auto y = [&](int i) { return top + half + SampleOffset(half, count, i); };
    const Pen pen{ink, z};
    switch (Style()) {
    case kGraphPoints:
        for (int i = 0; i <= count; ++i)
            painter.Fill({x(i), y(i), x(i) + z, y(i) + z}, ink);
        break;
    case kGraphLine:
        for (int i = 0; i < count; ++i)
            painter.Line({x(i), y(i)}, {x(i + 1), y(i + 1)}, pen);
        break;
    case kGraphBars:
        for (int i = 0; i < count; ++i)
            painter.Line({x(i), plot.bottom - 1}, {x(i), y(i)}, pen);
        break;
    default:
        break;
    }
}

void TLCDGraphObj::PaintBar(Painter& painter, Colour ink) const {
    const int z = Zoom();
    const int d = z / 2;
    const int a = d;
    const int f = z == 4 ? 1 : 0;
    const LcdRect inner = InnerArea();
    const int L = inner.left, T = inner.top, R = inner.right, B = inner.bottom;
    const int hh = (B - f - T - a) / 2;
    const int hw = (R - f - L - d) / 2;
    LcdRect bar;
    switch (Style()) {
    case kBarTop:
        bar = {L + d, T + a, R - f, T + hh - f};
        break;
    case kBarBottom:
        bar = {L + d, T + a + hh, R - f, B - f};
        break;
    case kBarLeft:
        bar = {L + d, T + a, L + hw - f, B - f};
        break;
    case kBarRight:
        bar = {L + d + hw, T + a, R - f, B - f};
        break;
    default:
        return;
    }
    painter.Rectangle(bar, Pen{ink, z}, Brush{false, ink});
}

} // namespace panolcd
