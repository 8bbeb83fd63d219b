#pragma once
// The graphic objects: vector shapes drawn as the LCD shows them (point, line, rectangle, filled
// rectangle, circle) and the previews of the three live graphs the terminal fills at run time.

#include "designer/lcdobject.h"

#include <array>
#include <string>

namespace panolcd {

// Fields shared by the shapes and the graphs.
class TLCDGraphicBase : public TLCDObject {
public:
    using TLCDObject::TLCDObject;

    std::uint32_t Parameter = 0;
    std::uint16_t Options = 0;
    std::array<std::string, ObjectRecordView::kSymbolCount> Symbols;
    std::string Text;

    bool UsesRelDxDy() const { return (Options & kOptUseRelDxDy) != 0; }
    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;

protected:
    void StoreFields(ObjectFields& fields) const override;
    // The inner area's size in LCD pixels.
    int LcdWidth() const;
    int LcdHeight() const;
};

class TLCDVectGrObj : public TLCDGraphicBase {
public:
    using TLCDGraphicBase::TLCDGraphicBase;
    std::string ClassName() const override { return "TLCDVectGrObj"; }

    bool SouthWestToNorthEast() const { return Kind == kObjLine && (Options & kOptLineSwNe) != 0; }

    void PaintContent(Painter& painter) override;
    void PaintLcd(LcdCanvas& lcd, Scroll scroll) const override;
    LcdCoords FrameToRecord(Scroll scroll, const Frame& frame) const override;
    Frame RecordToFrame(const LcdCoords& coords, Scroll scroll) const override;

private:
    // The shape in LCD pixels from (0, 0), `ink` its colour.
    void DrawShape(LcdCanvas& canvas, Colour ink) const;
};

class TLCDGraphObj : public TLCDGraphicBase {
public:
    using TLCDGraphicBase::TLCDGraphicBase;
    std::string ClassName() const override { return "TLCDGraphObj"; }

    // GraphType of a graph, BarDirection of a bar: byte 4.
    std::uint8_t Style() const { return static_cast<std::uint8_t>(Parameter & 0xFF); }
    void PaintContent(Painter& painter) override;

private:
    void PaintCurve(Painter& painter, const LcdRect& plot, Colour ink) const;
    void PaintBar(Painter& painter, Colour ink) const;
};

// Graph previews: the sine curve's offset from the middle for sample i of count.
int SampleOffset(int half, int count, int i);

} // namespace panolcd
