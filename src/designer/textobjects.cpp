#include "designer/textobjects.h"

#include "common/text.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "project/lcdfont.h"
#include "project/projectrecords.h"

#include <algorithm>

namespace panolcd {
namespace {

LcdBrush ToLcdBrush(const Brush& brush) {
    return {brush.clear, Index(brush.colour)};
}

LcdCoords CoordsOf(std::span<std::uint8_t> record) {
    const ObjectRecordView view(record);
    return {view.X1(), view.Y1(), view.X2(), view.Y2()};
}

} // namespace

void TLCDTextObj::PaintContent(Painter& painter) {
    const FontView font = font_.Font();
    if (font.Empty())
        return;
    const LcdRect inner = InnerArea();
    const Brush brush = Locked() ? Brush{false, Colour::Silver} : Look.brush;
    DrawText(painter, inner, inner.left, inner.top, ToLcdBrush(brush), Zoom(), font, DisplayText);
}

void TLCDTextObj::PaintLcd(LcdCanvas& lcd, Scroll scroll) const {
    const FontView font = font_.Font();
    if (font.Empty() || Zoom() <= 0)
        return;
    const LcdCoords at = FrameToRecord(scroll, Bounds());
    const LcdRect inner = InnerArea();
    const int z = Zoom();
    const LcdRect clip{at.x1, at.y1,
                       SaturateToInt(std::int64_t{at.x1} + (inner.right - inner.left) / z),
                       SaturateToInt(std::int64_t{at.y1} + (inner.bottom - inner.top) / z)};
    DrawText(lcd, clip, at.x1, at.y1, LcdBrush{}, 1, font, DisplayText);
}

void TLCDTextObj::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                 Scroll scroll, bool skipGeometry) {
    TLCDObject::LoadFromRecord(record, look, scroll, true);
    const ObjectRecordView view(record);
    font_.SetFont(view.ParamByte());
    SymX1 = view.Sym(ObjectRecordView::kSymX1);
    SymY1 = view.Sym(ObjectRecordView::kSymY1);
    DisplayText = view.ObjText();
    if (!skipGeometry)
        LoadFrame(record, scroll);
}

void TLCDTextObj::LoadFrame(std::span<std::uint8_t> record, Scroll scroll) {
    SetBounds(RecordToFrame(CoordsOf(record), scroll));
}

void TLCDTextObj::StoreFields(ObjectFields& fields) const {
    fields.param = font_.Number();
    fields.symbols[ObjectRecordView::kSymX1] = SymX1;
    fields.symbols[ObjectRecordView::kSymY1] = SymY1;
    fields.objText = DisplayText;
}

Frame TLCDTextObj::RecordToFrame(const LcdCoords& coords, Scroll scroll) const {
    Frame frame = BaseRecordToFrame(coords, scroll);
    const std::int64_t z = Zoom();
    const std::int64_t m = Metrics().margin;
    const FontView font = font_.Font();
    if (font.Measurable()) {
        frame.width = SaturateToInt(std::int64_t{font.MaxWidth()} *
                                        static_cast<std::int64_t>(DisplayText.size()) * z +
                                    2 * m);
        frame.height = SaturateToInt(std::int64_t{font.CellHeight()} * z + 2 * m);
    } else {
        // The exact inverse of FrameToRecord, so that a screen opened and stored without its
        // font keeps every byte.
        frame.width = SaturateToInt((std::int64_t{coords.x2} - coords.x1) * z);
        frame.height = SaturateToInt((std::int64_t{coords.y2} - coords.y1) * z);
    }
    return frame;
}

LcdCoords TLCDTextObj::FrameToRecord(Scroll scroll, const Frame& frame) const {
    LcdCoords coords = BaseFrameToRecord(scroll, frame);
    const int z = std::max(Zoom(), 1);
    coords.x2 = SaturateToInt(std::int64_t{frame.width / z} + coords.x1);
    coords.y2 = SaturateToInt(std::int64_t{frame.height / z} + coords.y1);
    return coords;
}

void TLCDPrintLineObj::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                      Scroll scroll, bool skipGeometry) {
    TLCDTextObj::LoadFromRecord(record, look, scroll, true);
    Parameters = ObjectRecordView(record).ObjText();
    if (skipGeometry)
        return;
    DisplayText = BuildPreview(Mode());
    LoadFrame(record, scroll);
}

std::string TLCDPrintLineObj::BuildPreview(PreviewMode mode) const {
    return panolcd::BuildPreview(Parameters, mode);
}

void TLCDPrintLineObj::StoreFields(ObjectFields& fields) const {
    TLCDTextObj::StoreFields(fields);
    fields.objText = Parameters;
}

void TLCDEnumObj::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                 Scroll scroll, bool skipGeometry) {
    TLCDTextObj::LoadFromRecord(record, look, scroll, true);
    PreviewSymbol = ObjectRecordView(record).Sym(ObjectRecordView::kSymDy);
    if (!skipGeometry)
        LoadFrame(record, scroll);
}

void TLCDEnumObj::RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) {
    const LcdCoords current = FrameToRecord(scroll, Bounds());
    DisplayText.clear();
    if (record == nullptr) {
        Repaint();
        return;
    }
    std::vector<std::uint8_t> data = record->RecData;
    const ObjectRecordView view(data);
    SetFont(view.ParamByte());
    SymX1 = view.Sym(ObjectRecordView::kSymX1);
    SymY1 = view.Sym(ObjectRecordView::kSymY1);
    PreviewSymbol = view.Sym(ObjectRecordView::kSymDy);
    std::string longest;
    if (const TDataBase* constants = record->GetDBTidDataBase(kDBEnumVariants)) {
        for (int i = 0; i < constants->Count(); ++i) {
            const TDBRecordObj* constant = constants->Record(i);
            if (constant == nullptr)
                continue;
            std::vector<std::uint8_t> bytes = constant->RecData;
            const EnumVariantRecordView variant(bytes);
            const std::string text = variant.EnumConstStr();
            if (SameTextAscii(variant.EnumConstSym(), PreviewSymbol)) {
                DisplayText = text;
                break;
            }
            if (text.size() > longest.size())
                longest = text;
        }
    }
    if (DisplayText.empty())
        DisplayText = longest;
    if (DisplayText.empty())
        DisplayText = "En?";
    SetBounds(RecordToFrame({view.X1(), view.Y1(),
                             SaturateToInt(std::int64_t{view.X1()} + current.x2 - current.x1),
                             SaturateToInt(std::int64_t{view.Y1()} + current.y2 - current.y1)},
                            scroll));
}

} // namespace panolcd
