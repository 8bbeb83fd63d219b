#include "designer/lcdobject.h"

#include "common/format.h"
#include "designer/objectstack.h"

#include <algorithm>
#include <limits>

namespace panolcd {
namespace {

// A frame's size as hit areas and painting use it: a damaged record's negative or enormous size
// gives no area or a bounded one.
int SaneSize(int size) {
    return std::clamp(size, 0, 1 << 24);
}

constexpr Cursor kAreaCursors[kAreaCount] = {
    Cursor::Arrow,  Cursor::Arrow,    Cursor::SizeNwSe, Cursor::SizeNS,   Cursor::SizeNeSw,
    Cursor::SizeWE, Cursor::SizeNwSe, Cursor::SizeNS,   Cursor::SizeNeSw, Cursor::SizeWE,
};

LcdRect Inset(const LcdRect& r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

} // namespace

int SaturateToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int FloorToStep(int value, int step) {
    if (step <= 1)
        return value;
    const int q = value / step;
    return (value % step != 0 && value < 0 ? q - 1 : q) * step;
}

ZoomMetrics MetricsOf(int zoom) {
    switch (zoom) {
    case 1:
        return {5, 2, 11};
    case 2:
        return {10, 5, 22};
    case 4:
        return {20, 10, 44};
    default:
        return {};
    }
}

ObjectLook LookOfKind(std::uint8_t kind) {
    const auto look = [](Colour brush, bool clear, Colour pen) {
        return ObjectLook{Brush{clear, brush}, Pen{pen, 1}};
    };
    switch (kind) {
    case kObjMultiSelFrame:
        return look(Colour::Blue, true, Colour::Blue);
    case kObjPoint:
    case kObjLine:
    case kObjRectangle:
    case kObjCircle:
        return look(Colour::Red, true, Colour::Black);
    case kObjFilledRect:
        return look(Colour::Black, false, Colour::Black);
    case kObjText:
    case kObjPrintLine:
        return look(Colour::Yellow, true, Colour::Black);
    case kObjEdit:
        return look(Colour::Green, false, Colour::Black);
    case kObjEditP:
        return look(Colour::Cyan, false, Colour::Black);
    case kObjEnum:
    case kObjCaseBmp:
        return look(Colour::Yellow, false, Colour::Black);
    case kObjCmdCase:
    case kObjCmdOnKey:
    case kObjCmdWait:
    case kObjEditEnter:
        return look(Colour::Silver, false, Colour::Black);
    case kObjGraph:
    case kObjGraphXY:
    case kObjBar:
        return look(Colour::Yellow, true, Colour::Green);
    default:
        return look(Colour::Yellow, false, Colour::DarkGreen);
    }
}

TLCDObject::TLCDObject(int zoom) : zoom_(zoom) {
    bounds_ = {0, 0, 60 * zoom, 60 * zoom};
    Look = LookOfKind(0);
}

TLCDObject::~TLCDObject() {
    if (stack_ != nullptr)
        stack_->Remove(*this);
}

void TLCDObject::SetBounds(const Frame& frame) {
    bounds_ = frame;
    Repaint();
}

LcdRect TLCDObject::WindowRect() const {
    return {bounds_.left, bounds_.top, SaturateToInt(std::int64_t{bounds_.left} + bounds_.width),
            SaturateToInt(std::int64_t{bounds_.top} + bounds_.height)};
}

std::array<LcdRect, kAreaCount> TLCDObject::Areas() const {
    const int m = Metrics().margin;
    const int w = SaneSize(bounds_.width);
    const int h = SaneSize(bounds_.height);
    std::array<LcdRect, kAreaCount> areas{};
    areas[1] = {m, m, w - m, h - m};
    areas[2] = {0, 0, m, m};
    areas[3] = {(w - m) / 2, 0, (w + m) / 2, m};
    areas[4] = {w - m, 0, w, m};
    areas[5] = {w - m, (h - m) / 2, w, (h + m) / 2};
    areas[6] = {w - m, h - m, w, h};
    areas[7] = {(w - m) / 2, h - m, (w + m) / 2, h};
    areas[8] = {0, h - m, m, h};
    areas[9] = {0, (h - m) / 2, m, (h + m) / 2};
    return areas;
}

LcdRect TLCDObject::InnerArea() const {
    const LcdRect inner = Areas()[kAreaInner];
    if (inner.right <= inner.left || inner.bottom <= inner.top)
        return {inner.left, inner.top, inner.left, inner.top};
    return inner;
}

int TLCDObject::HitTest(int x, int y) const {
    if (Kind == kObjMultiSelFrame)
        return kAreaNone;
    const auto areas = Areas();
    for (int i = kAreaInner; i < kAreaCount; ++i) {
        if (areas[static_cast<std::size_t>(i)].Contains(x, y))
            return i;
    }
    return kAreaNone;
}

Cursor TLCDObject::CursorAt(int x, int y) const {
    return kAreaCursors[HitTest(x, y)];
}

int TLCDObject::State() const {
    if (!Visible)
        return 0;
    if (Locked())
        return 2;
    return Flags;
}

void TLCDObject::SetFlags(std::uint8_t set, std::uint8_t clear) {
    Flags = static_cast<std::uint8_t>((Flags | set) & ~clear);
}

void TLCDObject::Select() {
    SetFlags(kObjFlagSelected, 0);
    Enabled = !Locked();
    Repaint();
}

void TLCDObject::Deselect() {
    SetFlags(0, kObjFlagSelected);
    Enabled = !Locked();
    Repaint();
}

void TLCDObject::Lock() {
    SetFlags(kObjFlagLocked, 0);
    Enabled = false;
    Repaint();
}

void TLCDObject::Unlock() {
    SetFlags(0, kObjFlagLocked);
    Enabled = true;
    Repaint();
}

bool TLCDObject::IsShownFor(std::uint32_t layers, bool helpMode) const {
    return Layer < 32 && (layers & (std::uint32_t{1} << Layer)) != 0 && OnHelpScreen() == helpMode;
}

int TLCDObject::StateFor(std::uint32_t layers) const {
    return Layer < 32 && (layers & (std::uint32_t{1} << Layer)) != 0 ? State() : 0;
}

void TLCDObject::ApplyLayers(std::uint32_t layers, bool helpMode) {
    Visible = IsShownFor(layers, helpMode);
    if (Visible)
        Enabled = !Locked();
    else
        SetFlags(0, kObjFlagSelected);
}

void TLCDObject::SetZoom(Scroll scroll, int zoom) {
    if (zoom == zoom_ || zoom <= 0 || zoom_ <= 0)
        return;
    const std::int64_t h = scroll.h;
    const std::int64_t v = scroll.v;
    const Frame b = bounds_;
    if (zoom > zoom_) {
        const std::int64_t f = zoom / zoom_;
        bounds_ = {SaturateToInt(f * (h + b.left) - h), SaturateToInt(f * (v + b.top) - v),
                   SaturateToInt(f * b.width), SaturateToInt(f * b.height)};
    } else {
        const std::int64_t f = zoom_ / zoom;
        bounds_ = {SaturateToInt((h + b.left) / f - h), SaturateToInt((v + b.top) / f - v),
                   SaturateToInt(b.width / f), SaturateToInt(b.height / f)};
    }
    zoom_ = zoom;
    Repaint();
}

void TLCDObject::SavePosition() {
    savedLeft_ = bounds_.left;
    savedTop_ = bounds_.top;
}

void TLCDObject::MoveFromSaved(int dx, int dy) {
    SetBounds({SaturateToInt(std::int64_t{savedLeft_} + dx),
               SaturateToInt(std::int64_t{savedTop_} + dy), bounds_.width, bounds_.height});
}

void TLCDObject::BringToFront() {
    if (stack_ != nullptr)
        stack_->BringToFront(*this);
}

void TLCDObject::SendToBack() {
    if (stack_ != nullptr)
        stack_->SendToBack(*this);
}

void TLCDObject::Repaint() const {
    if (stack_ != nullptr)
        stack_->Invalidate(*this);
}

LcdCoords TLCDObject::BaseFrameToRecord(Scroll scroll, const Frame& frame) const {
    const std::int64_t z = std::max(zoom_, 1);
    const std::int64_t m = Metrics().margin;
    const std::int64_t left = frame.left;
    const std::int64_t top = frame.top;
    return {SaturateToInt((left + scroll.h + m) / z), SaturateToInt((top + scroll.v + m) / z),
            SaturateToInt((left + frame.width + scroll.h - m) / z - 1),
            SaturateToInt((top + frame.height + scroll.v - m) / z - 1)};
}

Frame TLCDObject::BaseRecordToFrame(const LcdCoords& c, Scroll scroll) const {
    const std::int64_t z = zoom_;
    const std::int64_t m = Metrics().margin;
    return {SaturateToInt(c.x1 * z - scroll.h - m), SaturateToInt(c.y1 * z - scroll.v - m),
            SaturateToInt((std::int64_t{c.x2} - c.x1 + 1) * z + 2 * m),
            SaturateToInt((std::int64_t{c.y2} - c.y1 + 1) * z + 2 * m)};
}

LcdCoords TLCDObject::FrameToRecord(Scroll scroll, const Frame& frame) const {
    return BaseFrameToRecord(scroll, frame);
}

Frame TLCDObject::RecordToFrame(const LcdCoords& coords, Scroll scroll) const {
    return BaseRecordToFrame(coords, scroll);
}

void TLCDObject::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                Scroll scroll, bool skipGeometry) {
    const ObjectRecordView view(record);
    Kind = view.Kind();
    Layer = view.Layer();
    Flags = view.Flags();
    if (!skipGeometry)
        SetBounds(RecordToFrame({view.X1(), view.Y1(), view.X2(), view.Y2()}, scroll));
    Look = look;
}

void TLCDObject::StoreToRecord(std::span<std::uint8_t> record, Scroll scroll) const {
    ObjectFields fields = LoadObjectFields(record);
    fields.kind = Kind;
    fields.layer = Layer;
    fields.flags = static_cast<std::uint8_t>(Flags & ~kObjFlagSelected);
    const LcdCoords c = FrameToRecord(scroll, bounds_);
    fields.x1 = c.x1;
    fields.y1 = c.y1;
    fields.x2 = c.x2;
    fields.y2 = c.y2;
    StoreFields(fields);
    StoreObjectFields(record, fields);
}

void TLCDObject::Paint(Painter& painter) {
    if ((State() & kObjFlagSelected) != 0) {
        const ZoomMetrics metrics = Metrics();
        const LcdRect whole{0, 0, SaneSize(bounds_.width), SaneSize(bounds_.height)};
        const Brush clear{true, Colour::White};
        if (Kind == kObjMultiSelFrame) {
            painter.Rectangle(whole, Pen{Colour::Blue, 1}, clear);
            painter.Rectangle(Inset(whole, metrics.inset), Pen{Colour::Blue, 1}, clear);
        } else {
            painter.Rectangle(Inset(whole, metrics.inset), Pen{Colour::Red, 1}, clear);
            if (Enabled) {
                const auto areas = Areas();
                for (int i = 2; i < kAreaCount; ++i)
                    painter.Fill(areas[static_cast<std::size_t>(i)], Colour::Red);
            }
        }
    }
    PaintContent(painter);
}

void TLCDObject::PaintContent(Painter& painter) {
    if (Kind == kObjMultiSelFrame || (Kind >= kObjPoint && Kind <= kObjCaseBmp))
        return;
    PaintDiagnostics(painter);
}

void TLCDObject::PaintDiagnostics(Painter& painter) {
    painter.Rectangle(InnerArea(), Pen{Look.pen.colour, zoom_}, Look.brush);
    const std::string first = std::to_string(bounds_.left) + "," + std::to_string(bounds_.top) +
                              PrintfC(" S=$%2.2X", Flags);
    const std::string second = PrintfC("E=%d", Enabled ? 1 : 0) + " " + std::to_string(downX_) +
                               "," + std::to_string(downY_);
    const std::string third = std::to_string(savedLeft_) + "," + std::to_string(savedTop_);
    painter.Text(6, 6, first, Colour::Black);
    painter.Text(6, 20, second, Colour::Black);
    painter.Text(6, 33, third, Colour::Black);
}

void TLCDObject::MouseDown(MouseButton button, bool shift, int x, int y) {
    dragging_ = button != MouseButton::Right;
    downX_ = x;
    downY_ = y;
    Select();
    hitArea_ = HitTest(x, y);
    BringToFront();
    Repaint();
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void TLCDObject::MouseMove(bool shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(*this, shift, x, y);
    if (!dragging_) {
        if ((State() & kObjFlagSelected) != 0)
            MouseCursor = CursorAt(x, y);
        return;
    }
    const int min = Metrics().minSize;
    const int dx = x - downX_;
    const int dy = y - downY_;
    Frame b = bounds_;
    const auto left = [&] {
        b.left += dx;
        b.width = std::max(min, b.width - dx);
    };
    const auto top = [&] {
        b.top += dy;
        b.height = std::max(min, b.height - dy);
    };
    const auto right = [&] { b.width = std::max(min, b.width + dx); };
    const auto bottom = [&] { b.height = std::max(min, b.height + dy); };
    switch (hitArea_) {
    case 2:
        left(), top();
        break;
    case 3:
        top();
        break;
    case 4:
        right(), top();
        downX_ = x;
        break;
    case 5:
        right();
        downX_ = x, downY_ = y;
        break;
    case 6:
        right(), bottom();
        downX_ = x, downY_ = y;
        break;
    case 7:
        bottom();
        downX_ = x, downY_ = y;
        break;
    case 8:
        left(), bottom();
        downY_ = y;
        break;
    case 9:
        left();
        break;
    default:
        b.left += dx;
        b.top += dy;
        break;
    }
    SetBounds(b);
}

void TLCDObject::MouseUp(MouseButton button, bool shift, int x, int y) {
    if (dragging_) {
        dragging_ = false;
        downX_ = downY_ = 0;
        if (zoom_ == 2 || zoom_ == 4) {
            SetBounds({FloorToStep(bounds_.left, zoom_), FloorToStep(bounds_.top, zoom_),
                       FloorToStep(bounds_.width, zoom_), FloorToStep(bounds_.height, zoom_)});
        }
    }
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
    MouseCursor = Cursor::Arrow;
    if (doubleClickPending_) {
        doubleClickPending_ = false;
        if (OnDoubleClick)
            OnDoubleClick(*this);
    }
}

void TLCDCmdObject::PaintContent(Painter& painter) {
    const LcdRect inner = InnerArea();
    const int z = Zoom();
    const int L = inner.left, T = inner.top, R = inner.right, B = inner.bottom;
    const Pen box{Look.pen.colour, z};
    const Pen light{Locked() ? Colour::Silver : Colour::White, z};
    const Pen shadow{Colour::Grey, z};
    switch (z) {
    case 1:
        painter.Rectangle({L, T, R, B}, box, Look.brush);
        painter.Polyline({{R - 3, T + 1}, {L + 1, T + 1}, {L + 1, B - 2}}, light);
        painter.Polyline({{R - 4, T + 2}, {L + 2, T + 2}, {L + 2, B - 3}}, light);
        painter.Polyline({{L + 2, B - 2}, {R - 2, B - 2}, {R - 2, T + 1}}, shadow);
        painter.Polyline({{L + 3, B - 3}, {R - 3, B - 3}, {R - 3, T + 2}}, shadow);
        break;
    case 2:
        painter.Rectangle({L + 1, T + 1, R, B}, box, Look.brush);
        painter.Polyline({{R - 5, T + 3}, {L + 3, T + 3}, {L + 3, B - 5}}, light);
        painter.Polyline({{R - 7, T + 5}, {L + 5, T + 5}, {L + 5, B - 7}}, light);
        painter.Polyline({{L + 5, B - 3}, {R - 3, B - 3}, {R - 3, T + 5}}, shadow);
        painter.Polyline({{L + 7, B - 5}, {R - 5, B - 5}, {R - 5, T + 7}}, shadow);
        break;
    case 4:
        painter.Rectangle({L + 2, T + 2, R - 1, B - 1}, box, Look.brush);
        painter.Polyline({{R - 10, T + 6}, {L + 6, T + 6}, {L + 6, B - 10}}, light);
        painter.Polyline({{R - 14, T + 10}, {L + 10, T + 10}, {L + 10, B - 14}}, light);
        painter.Polyline({{L + 10, B - 6}, {R - 6, B - 6}, {R - 6, T + 10}}, shadow);
        painter.Polyline({{L + 14, B - 10}, {R - 10, B - 10}, {R - 10, T + 14}}, shadow);
        break;
    default:
        return;
    }
    PaintCommandText(painter, {L + 3 * z, T + 3 * z, R - 3 * z, B - 3 * z});
}

} // namespace panolcd
