#pragma once
// The objects that put characters on the LCD with a font bank: a fixed text, a print statement,
// the two edit fields and the textual form of an enumeration. Each draws with the real LCD font
// at the window's zoom what the terminal will show, placeholders standing for a variable's digits.

#include "designer/lcdobject.h"
#include "designer/preview.h"
#include "project/fontuse.h"

#include <string>

namespace panolcd {

class TLCDTextObj : public TLCDObject {
public:
    using TLCDObject::TLCDObject;
    std::string ClassName() const override { return "TLCDTextObj"; }

    std::string SymX1;
    std::string SymY1;
    std::string DisplayText;

    std::uint8_t FontNumber() const { return font_.Number(); }
    FontView Font() const { return font_.Font(); }
    void SetFont(std::uint8_t number) { font_.SetFont(number); }

    void PaintContent(Painter& painter) override;
    void PaintLcd(LcdCanvas& lcd, Scroll scroll) const override;
    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;
    LcdCoords FrameToRecord(Scroll scroll, const Frame& frame) const override;
    Frame RecordToFrame(const LcdCoords& coords, Scroll scroll) const override;

protected:
    void StoreFields(ObjectFields& fields) const override;
    // The frame of the current text and font, for a record's coordinates.
    void LoadFrame(std::span<std::uint8_t> record, Scroll scroll);

private:
    FontUse font_;
};

class TLCDPrintLineObj : public TLCDTextObj {
public:
    using TLCDTextObj::TLCDTextObj;
    std::string ClassName() const override { return "TLCDPrintLineObj"; }

    std::string Parameters;

    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;
    virtual std::string BuildPreview(PreviewMode mode) const;
    // Print for the print statement, edit for the edit fields.
    virtual PreviewMode Mode() const { return PreviewMode::Print; }

protected:
    void StoreFields(ObjectFields& fields) const override;
};

class TLCDEditObj : public TLCDPrintLineObj {
public:
    using TLCDPrintLineObj::TLCDPrintLineObj;
    std::string ClassName() const override { return "TLCDEditObj"; }
    PreviewMode Mode() const override { return PreviewMode::Edit; }
};

class TLCDEditPObj : public TLCDEditObj {
public:
    using TLCDEditObj::TLCDEditObj;
    std::string ClassName() const override { return "TLCDEditPObj"; }
};

class TLCDEnumObj : public TLCDTextObj {
public:
    using TLCDTextObj::TLCDTextObj;
    std::string ClassName() const override { return "TLCDEnumObj"; }

    std::string PreviewSymbol;

    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;
    // The text of the constant the preview symbol names, else the longest one, else "En?".
    void RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) override;
};

} // namespace panolcd
