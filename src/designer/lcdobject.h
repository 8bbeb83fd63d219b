#pragma once
// The screen objects' common base: an object is a windowless control of the screen design window
// covering its LCD area plus a margin for the grab handles. It converts between the record's LCD
// pixels and window pixels at the zoom and scroll position, draws the selection frame, moves and
// resizes under the mouse, and knows its layer, help-screen and lock state. Kinds paint their
// content through PaintContent. Objects are plain values fed with synthetic mouse events; the
// window dispatches to them.

#include "designer/raster.h"
#include "project/objectrecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace panolcd {

class ObjectStack;
class TDBRecordObj;

// Damaged records may hold any 32-bit coordinate: geometry is computed in 64 bits and lands in
// the int range through this, never overflowing.
int SaturateToInt(std::int64_t value);
// Rounds toward minus infinity to a multiple of `step` (steps below 2 leave the value).
int FloorToStep(int value, int step);

// Zoom 1, 2 or 4; any other zoom has all three 0.
struct ZoomMetrics {
    int margin = 0; // of the frame beyond the LCD area
    int inset = 0;  // of the selection rectangle inside the frame
    int minSize = 0;
};
ZoomMetrics MetricsOf(int zoom);

// Window pixels relative to the window's client area.
struct Frame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Frame&) const = default;
};

// The LCD rectangle of a record.
struct LcdCoords {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const LcdCoords&) const = default;
};

// The window's scroll position in window pixels.
struct Scroll {
    int h = 0;
    int v = 0;
};

enum class Cursor : std::uint8_t { Arrow, SizeNwSe, SizeNS, SizeNeSw, SizeWE };
enum class MouseButton : std::uint8_t { Left, Right, Middle };

// Brush and pen an object is given at load.
struct ObjectLook {
    Brush brush;
    Pen pen;
};
ObjectLook LookOfKind(std::uint8_t kind);

// Areas: 0 outside every other, 1 the inner area, 2..9 the handles clockwise from top-left.
inline constexpr int kAreaNone = 0;
inline constexpr int kAreaInner = 1;
inline constexpr int kAreaCount = 10;

class TLCDObject {
public:
    explicit TLCDObject(int zoom = 1);
    virtual ~TLCDObject();
    TLCDObject(const TLCDObject&) = delete;
    TLCDObject& operator=(const TLCDObject&) = delete;

    virtual std::string ClassName() const { return "TLCDObject"; }

    std::uint8_t Kind = 0;
    std::uint8_t Flags = 0;
    std::uint8_t Layer = 0;
    bool Visible = true;
    bool Enabled = true;
    Cursor MouseCursor = Cursor::Arrow;
    ObjectLook Look;

    // The window's handlers: down after the object's own processing, move before it.
    std::function<void(TLCDObject&, MouseButton, bool shift, int x, int y)> OnMouseDown;
    std::function<void(TLCDObject&, bool shift, int x, int y)> OnMouseMove;
    std::function<void(TLCDObject&, MouseButton, bool shift, int x, int y)> OnMouseUp;
    std::function<void(TLCDObject&)> OnDoubleClick;

    Frame Bounds() const { return bounds_; }
    void SetBounds(const Frame& frame);
    int Zoom() const { return zoom_; }
    ZoomMetrics Metrics() const { return MetricsOf(zoom_); }
    // The frame in the window's raster, for painting and hit dispatch.
    LcdRect WindowRect() const;
    // The inner area in control coordinates; an empty or inverted frame gives an empty one.
    LcdRect InnerArea() const;

    // Draws into a painter whose origin is the frame's top-left: the selection frame and handles,
    // then the content.
    virtual void Paint(Painter& painter);
    virtual void PaintContent(Painter& painter);
    // What the object puts on the LCD itself, at zoom 1 in LCD pixels: the terminal's picture,
    // of which the window's is a copy block-scaled by the zoom. Marks of the designer are left out.
    virtual void PaintLcd(LcdCanvas& /*lcd*/, Scroll /*scroll*/) const {}

    // Kind, layer and flags; the frame from the coordinates unless `skipGeometry`; then the look.
    virtual void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                Scroll scroll, bool skipGeometry);
    // Writes what the object owns and leaves every other byte of the record as it is.
    void StoreToRecord(std::span<std::uint8_t> record, Scroll scroll) const;
    virtual LcdCoords FrameToRecord(Scroll scroll, const Frame& frame) const;
    virtual Frame RecordToFrame(const LcdCoords& coords, Scroll scroll) const;
    // Command kinds re-read what they show from the record and its sub-databases.
    virtual void RefreshFromRecord(const TDBRecordObj* /*record*/, Scroll /*scroll*/) {}

    int HitTest(int x, int y) const;
    Cursor CursorAt(int x, int y) const;
    // 0 hidden, 2 locked, else Flags (bit 0: selected).
    int State() const;
    void SetFlags(std::uint8_t set, std::uint8_t clear);
    bool Selected() const { return (Flags & kObjFlagSelected) != 0; }
    bool Locked() const { return (Flags & kObjFlagLocked) != 0; }
    bool OnHelpScreen() const { return (Flags & kObjFlagHelpScreen) != 0; }
    void Select();
    void Deselect();
    void Lock();
    void Unlock();
    bool IsShownFor(std::uint32_t layers, bool helpMode) const;
    int StateFor(std::uint32_t layers) const;
    void ApplyLayers(std::uint32_t layers, bool helpMode);
    // `scroll` is the window's position before it changes its own.
    void SetZoom(Scroll scroll, int zoom);
    void SavePosition();
    void MoveFromSaved(int dx, int dy);
    void BringToFront();
    void SendToBack();
    std::string_view KindName() const { return ObjKindName(Kind); }

    // Control coordinates.
    void MouseDown(MouseButton button, bool shift, int x, int y);
    void MouseMove(bool shift, int x, int y);
    void MouseUp(MouseButton button, bool shift, int x, int y);
    void DoubleClick() { doubleClickPending_ = true; }
    bool Dragging() const { return dragging_; }

protected:
    // What StoreToRecord writes beyond the base fields; the fields come filled from the record.
    virtual void StoreFields(ObjectFields& /*fields*/) const {}
    void Repaint() const;
    // The inner area's top-left of a frame, in LCD pixels.
    LcdCoords BaseFrameToRecord(Scroll scroll, const Frame& frame) const;
    Frame BaseRecordToFrame(const LcdCoords& coords, Scroll scroll) const;

private:
    friend class ObjectStack;

    std::array<LcdRect, kAreaCount> Areas() const;
    void PaintDiagnostics(Painter& painter);

    Frame bounds_;
    int zoom_ = 1;
    int hitArea_ = kAreaNone;
    bool dragging_ = false;
    int downX_ = 0;
    int downY_ = 0;
    int savedLeft_ = 0;
    int savedTop_ = 0;
    bool doubleClickPending_ = false;
    ObjectStack* stack_ = nullptr;
};

// The base of the command kinds: a raised silver box whose text the kind paints.
class TLCDCmdObject : public TLCDObject {
public:
    using TLCDObject::TLCDObject;
    std::string ClassName() const override { return "TLCDCmdObject"; }
    void PaintContent(Painter& painter) override;

protected:
    virtual void PaintCommandText(Painter& painter, const LcdRect& textRect) = 0;
};

} // namespace panolcd
