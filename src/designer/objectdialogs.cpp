#include "designer/objectdialogs.h"

#include "common/cp1250.h"
#include "designer/commandobjects.h"
#include "designer/graphicobjects.h"
#include "designer/textobjects.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/recordobject.h"
#include "framework/records/recordtype.h"
#include "project/recordview.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr std::size_t kSymbolBytes = kObjSymbolCap + 1;

// Where the fields of the line and rectangle records lie; the bar's come one byte later.
struct CornerLayout {
    std::size_t options, x1, y1, x2, y2, symbols, text;
};
constexpr CornerLayout kLineLayout{0, 2, 6, 10, 14, 18, 120};
constexpr CornerLayout kBarLayout{1, 3, 7, 11, 15, 19, 121};

CornerLayout LayoutOf(CornerDialog dialog) {
    return dialog == CornerDialog::Bar ? kBarLayout : kLineLayout;
}

// The graph records: type at 0, corners from 1, four symbols, the data parameters.
constexpr std::size_t kGraphX1 = 1, kGraphY1 = 5, kGraphX2 = 9, kGraphY2 = 13, kGraphSymbols = 17,
                      kGraphText = 85;

bool IsTextKind(std::uint8_t kind) {
    return kind >= kObjText && kind <= kObjEditP;
}

} // namespace

std::optional<ObjectDialogDef> ObjectDialogOf(std::uint8_t kind) {
    switch (kind) {
    case kObjText:
        return ObjectDialogDef{"TLCDObjTextPropDlgRec", 298};
    case kObjPrintLine:
        return ObjectDialogDef{"TLCDObjPrintLinePropDlgRec", 298};
    case kObjEdit:
        return ObjectDialogDef{"TLCDObjEditPropDlgRec", 298};
    case kObjEditP:
        return ObjectDialogDef{"TLCDObjEditPPropDlgRec", 298};
    case kObjPoint:
        return ObjectDialogDef{"TLCDObjPointPropDlgRec", 297};
    case kObjLine:
        return ObjectDialogDef{"TLCDObjLinePropDlgRec", 375};
    case kObjRectangle:
    case kObjFilledRect:
        return ObjectDialogDef{"TLCDObjRectPropDlgRec", 375};
    case kObjCircle:
        return ObjectDialogDef{"TLCDObjCirclePropDlgRec", 318};
    case kObjGraph:
        return ObjectDialogDef{"TLCDGraphObjPropDlgRec", 340};
    case kObjGraphXY:
        return ObjectDialogDef{"TLCDGraphXYObjPropDlgRec", 340};
    case kObjBar:
        return ObjectDialogDef{"TLCDBarObjPropDlgRec", 376};
    case kObjCaseBmp:
        return ObjectDialogDef{"TLCDCaseBmpObjPropDlgRec", 256};
    default:
        return std::nullopt;
    }
}

CornerFields CornersOf(CornerDialog dialog, std::span<const std::uint8_t> record) {
    std::vector<std::uint8_t> copy(record.begin(), record.end());
    const RecordView view(copy);
    const CornerLayout l = LayoutOf(dialog);
    return {view.Get<std::uint16_t>(l.options), view.Get<std::int32_t>(l.x1),
            view.Get<std::int32_t>(l.y1), view.Get<std::int32_t>(l.x2),
            view.Get<std::int32_t>(l.y2)};
}

void SetCorners(CornerDialog dialog, std::span<std::uint8_t> record, const CornerFields& f) {
    const RecordView view(record);
    const CornerLayout l = LayoutOf(dialog);
    view.Set(l.options, f.options);
    view.Set(l.x1, f.x1);
    view.Set(l.y1, f.y1);
    view.Set(l.x2, f.x2);
    view.Set(l.y2, f.y2);
}

void ApplyRelativeToggle(CornerFields& f) {
    if ((f.options & kOptUseRelDxDy) != 0) {
        f.x2 -= f.x1;
        f.y2 -= f.y1;
    } else {
        f.x2 += f.x1;
        f.y2 += f.y1;
    }
}

void ApplyDirectionToggle(CornerFields& f) {
    if ((f.options & kOptUseRelDxDy) != 0) {
        f.x1 += f.x2;
        f.x2 = -f.x2;
    } else {
        std::swap(f.x1, f.x2);
    }
}

std::optional<std::string> CheckCorners(CornerDialog dialog, const CornerFields& f) {
    const bool relative = (f.options & kOptUseRelDxDy) != 0;
    const bool southWest = dialog == CornerDialog::Line && (f.options & kOptLineSwNe) != 0;
    const auto message = [](const char* utf8) { return Utf8ToCp1250(utf8); };
    if (relative) {
        if (dialog == CornerDialog::Line && southWest && f.x2 > 0)
            return message("Chyba : šířka Dx > 0");
        if (dialog == CornerDialog::Line && !southWest && f.x2 < 0)
            return message("Chyba : šířka Dx < 0");
        // No relative form may make a frame of negative size.
        if (dialog != CornerDialog::Rectangle && f.y2 < 0)
            return message("Chyba : výška Dy < 0");
        if (dialog == CornerDialog::Bar && f.x2 < 0)
            return message("Chyba : šířka Dx < 0");
        return std::nullopt;
    }
    if (f.y2 < f.y1)
        return message("Chyba : Pozice Y1 > Pozice Y2");
    if (southWest && f.x1 < f.x2)
        return message("Chyba : Pozice X1 < Pozice X2");
    if (!southWest && f.x2 < f.x1)
        return message("Chyba : Pozice X1 > Pozice X2");
    return std::nullopt;
}

std::optional<std::string> CheckGraphCorners(const CornerFields& f) {
    return CheckCorners(CornerDialog::Rectangle, {0, f.x1, f.y1, f.x2, f.y2});
}

std::vector<std::uint8_t> FillDialogRecord(const TLCDObject& object, Scroll scroll) {
    const auto def = ObjectDialogOf(object.Kind);
    if (!def)
        return {};
    std::vector<std::uint8_t> record(def->recordSize, 0);
    const RecordView view(record);
    const LcdCoords c = object.FrameToRecord(scroll, object.Bounds());
    if (const auto* text = dynamic_cast<const TLCDTextObj*>(&object);
        text && IsTextKind(object.Kind)) {
        view.Set<std::uint8_t>(0, text->FontNumber());
        view.Set(1, c.x1);
        view.Set(5, c.y1);
        view.SetText(9, kObjSymbolCap, text->SymX1);
        view.SetText(26, kObjSymbolCap, text->SymY1);
        const auto* print = dynamic_cast<const TLCDPrintLineObj*>(text);
        view.SetText(43, kObjTextCap, print != nullptr ? print->Parameters : text->DisplayText);
        return record;
    }
    if (const auto* caseBmp = dynamic_cast<const TLCDCaseBmpObj*>(&object)) {
        view.Set<std::uint8_t>(0, caseBmp->BitmapNumber());
        view.SetText(1, kObjTextCap, caseBmp->Comment);
        return record;
    }
    const auto* graphic = dynamic_cast<const TLCDGraphicBase*>(&object);
    if (graphic == nullptr)
        return {};
    const bool relative = graphic->UsesRelDxDy();
    const std::int32_t x2 = relative ? c.x2 - c.x1 : c.x2;
    const std::int32_t y2 = relative ? c.y2 - c.y1 : c.y2;
    switch (object.Kind) {
    case kObjPoint:
        view.Set(0, c.x1);
        view.Set(4, c.y1);
        view.SetText(8, kObjSymbolCap, graphic->Symbols[0]);
        view.SetText(25, kObjSymbolCap, graphic->Symbols[1]);
        view.SetText(42, kObjTextCap, graphic->Text);
        break;
    case kObjCircle:
        view.Set(0, c.x1);
        view.Set(4, c.y1);
        view.Set(8, c.x2);
        for (std::size_t i = 0; i < 3; ++i)
            view.SetText(12 + i * kSymbolBytes, kObjSymbolCap, graphic->Symbols[i]);
        view.SetText(63, kObjTextCap, graphic->Text);
        break;
    case kObjGraph:
    case kObjGraphXY:
        // Without a control for the relative form, the corners are shown as they are checked.
        view.Set<std::uint8_t>(0, static_cast<std::uint8_t>(graphic->Parameter & 0xFF));
        view.Set(kGraphX1, c.x1);
        view.Set(kGraphY1, c.y1);
        view.Set(kGraphX2, c.x2);
        view.Set(kGraphY2, c.y2);
        for (std::size_t i = 0; i < 4; ++i)
            view.SetText(kGraphSymbols + i * kSymbolBytes, kObjSymbolCap, graphic->Symbols[i]);
        view.SetText(kGraphText, kObjTextCap, graphic->Text);
        break;
    default: {
        const CornerDialog dialog = object.Kind == kObjBar    ? CornerDialog::Bar
                                    : object.Kind == kObjLine ? CornerDialog::Line
                                                              : CornerDialog::Rectangle;
        const CornerLayout l = LayoutOf(dialog);
        if (dialog == CornerDialog::Bar)
            view.Set<std::uint8_t>(0, static_cast<std::uint8_t>(graphic->Parameter & 0xFF));
        SetCorners(dialog, record, {graphic->Options, c.x1, c.y1, x2, y2});
        for (std::size_t i = 0; i < graphic->Symbols.size(); ++i)
            view.SetText(l.symbols + i * kSymbolBytes, kObjSymbolCap, graphic->Symbols[i]);
        view.SetText(l.text, kObjTextCap, graphic->Text);
        break;
    }
    }
    return record;
}

void ApplyDialogRecord(TLCDObject& object, std::span<std::uint8_t> record, Scroll scroll) {
    const RecordView view(record);
    const LcdCoords old = object.FrameToRecord(scroll, object.Bounds());
    if (auto* text = dynamic_cast<TLCDTextObj*>(&object); text && IsTextKind(object.Kind)) {
        text->SetFont(view.Get<std::uint8_t>(0));
        text->SymX1 = view.Text(9, kObjSymbolCap);
        text->SymY1 = view.Text(26, kObjSymbolCap);
        if (auto* print = dynamic_cast<TLCDPrintLineObj*>(text)) {
            print->Parameters = view.Text(43, kObjTextCap);
            print->DisplayText = print->BuildPreview(print->Mode());
        } else {
            text->DisplayText = view.Text(43, kObjTextCap);
        }
        const std::int32_t x = view.Get<std::int32_t>(1);
        const std::int32_t y = view.Get<std::int32_t>(5);
        object.SetBounds(
            object.RecordToFrame({x, y, SaturateToInt(std::int64_t{x} + old.x2 - old.x1),
                                  SaturateToInt(std::int64_t{y} + old.y2 - old.y1)},
                                 scroll));
        return;
    }
    if (auto* caseBmp = dynamic_cast<TLCDCaseBmpObj*>(&object)) {
        caseBmp->SetBitmap(view.Get<std::uint8_t>(0));
        caseBmp->Comment = view.Text(1, kObjTextCap);
        return;
    }
    auto* graphic = dynamic_cast<TLCDGraphicBase*>(&object);
    if (graphic == nullptr)
        return;
    LcdCoords c = old;
    const auto fromRelative = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                  std::int32_t y2) {
        const bool relative = graphic->UsesRelDxDy();
        c = {x1, y1, relative ? SaturateToInt(std::int64_t{x1} + x2) : x2,
             relative ? SaturateToInt(std::int64_t{y1} + y2) : y2};
    };
    const auto setParamByte = [&](std::uint8_t value) {
        graphic->Parameter = (graphic->Parameter & 0xFFFFFF00u) | value;
    };
    switch (object.Kind) {
    case kObjPoint: {
        const std::int32_t x = view.Get<std::int32_t>(0);
        const std::int32_t y = view.Get<std::int32_t>(4);
        // No second corner: the frame keeps its size.
        c = {x, y, SaturateToInt(std::int64_t{x} + old.x2 - old.x1),
             SaturateToInt(std::int64_t{y} + old.y2 - old.y1)};
        graphic->Symbols[0] = view.Text(8, kObjSymbolCap);
        graphic->Symbols[1] = view.Text(25, kObjSymbolCap);
        graphic->Text = view.Text(42, kObjTextCap);
        break;
    }
    case kObjCircle:
        c = {view.Get<std::int32_t>(0), view.Get<std::int32_t>(4), view.Get<std::int32_t>(8),
             old.y2};
        for (std::size_t i = 0; i < 3; ++i)
            graphic->Symbols[i] = view.Text(12 + i * kSymbolBytes, kObjSymbolCap);
        graphic->Text = view.Text(63, kObjTextCap);
        break;
    case kObjGraph:
    case kObjGraphXY:
        setParamByte(view.Get<std::uint8_t>(0));
        c = {view.Get<std::int32_t>(kGraphX1), view.Get<std::int32_t>(kGraphY1),
             view.Get<std::int32_t>(kGraphX2), view.Get<std::int32_t>(kGraphY2)};
        for (std::size_t i = 0; i < 4; ++i)
            graphic->Symbols[i] = view.Text(kGraphSymbols + i * kSymbolBytes, kObjSymbolCap);
        graphic->Text = view.Text(kGraphText, kObjTextCap);
        break;
    default: {
        const CornerDialog dialog = object.Kind == kObjBar    ? CornerDialog::Bar
                                    : object.Kind == kObjLine ? CornerDialog::Line
                                                              : CornerDialog::Rectangle;
        const CornerLayout l = LayoutOf(dialog);
        if (dialog == CornerDialog::Bar)
            setParamByte(view.Get<std::uint8_t>(0));
        const CornerFields f = CornersOf(dialog, record);
        graphic->Options = f.options;
        fromRelative(f.x1, f.y1, f.x2, f.y2);
        for (std::size_t i = 0; i < graphic->Symbols.size(); ++i)
            graphic->Symbols[i] = view.Text(l.symbols + i * kSymbolBytes, kObjSymbolCap);
        graphic->Text = view.Text(l.text, kObjTextCap);
        break;
    }
    }
    object.SetBounds(object.RecordToFrame(c, scroll));
}

bool EditDialogRecord(const char* recordType, std::vector<std::uint8_t>& record) {
    if (EnvCtx().app.AppData == nullptr)
        return false;
    std::int16_t index = -1;
    TRecordTypeDscr* type =
        EnvCtx().app.AppData->RecTypesDscrColl->GetRecordTypeDscr(recordType, index);
    if (type == nullptr || type->GetRecSize() != record.size())
        return false;
    TDscrRecObj edited;
    bool failed = false;
    edited.CreateFromData(recordType, index, record.data(), record.size(), failed);
    // A dialog that is not there runs nothing and changes nothing.
    if (failed || edited.EditRecord() != DialogResult::Ok)
        return false;
    std::ranges::copy(edited.RecData, record.begin());
    return true;
}

bool EditInPropertyDialog(TLCDObject& object, Scroll scroll) {
    const auto dialog = ObjectDialogOf(object.Kind);
    if (!dialog)
        return false;
    std::vector<std::uint8_t> record = FillDialogRecord(object, scroll);
    if (!EditDialogRecord(dialog->recordType, record))
        return false;
    ApplyDialogRecord(object, record, scroll);
    return true;
}

} // namespace panolcd
