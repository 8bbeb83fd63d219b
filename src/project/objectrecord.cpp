#include "project/objectrecord.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr std::string_view kKindNames[] = {
    "",        "MultiSelFrame", "Point", "Line",    "Rectangle", "FilledRect", "Circle",
    "Text",    "PrintLine",     "Edit",  "EditP",   "Enum",      "CmdCase",    "CmdOnKey",
    "CmdWait", "EditEnter",     "Graph", "GraphXY", "Bar",       "",
};

bool IsCreatable(std::uint8_t kind) {
    return kind >= kObjPoint && kind <= kObjCaseBmp;
}

std::uint8_t HomeLayerOf(std::uint8_t kind, std::uint8_t caseLayer) {
    if (kind == kObjCaseBmp)
        return caseLayer;
    return ObjClassOf(kind) == ObjClass::Graphic ? kGraphicLayer : kTextLayer;
}

std::uint8_t NewLayerOf(const NewObjectSettings& s, std::uint8_t homeLayer) {
    switch (s.kind) {
    case kObjEnum:
    case kObjCmdCase:
    case kObjCmdWait:
    case kObjEditEnter:
        return kTextLayer;
    case kObjCaseBmp:
        return s.caseLayer;
    default:
        return s.caseLayerMode ? s.caseLayer : homeLayer;
    }
}

std::string_view NewObjText(std::uint8_t kind) {
    switch (kind) {
    case kObjText:
        return "Text";
    case kObjPrintLine:
        return "\"PVarPrmt=\",PVar:3";
    case kObjEdit:
        return "EdVar:4";
    case kObjEditP:
        return "EdPVar:4";
    default:
        return "";
    }
}

} // namespace

std::string_view ObjKindName(std::uint8_t kind) {
    return kind < std::size(kKindNames) ? kKindNames[kind] : std::string_view();
}

ObjClass ObjClassOf(std::uint8_t kind) {
    if ((kind >= kObjPoint && kind <= kObjCircle) || (kind >= kObjGraph && kind <= kObjBar))
        return ObjClass::Graphic;
    if (kind >= kObjText && kind <= kObjEnum)
        return ObjClass::Text;
    if (kind >= kObjCmdCase && kind <= kObjEditEnter)
        return ObjClass::Command;
    if (kind == kObjCaseBmp)
        return ObjClass::CaseBmp;
    return ObjClass::Base;
}

std::vector<std::uint8_t> NewObjectRecord(const NewObjectSettings& s) {
    if (!IsCreatable(s.kind))
        return {};
    std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
    const ObjectRecordView view(record);
    const std::uint8_t homeLayer = HomeLayerOf(s.kind, s.caseLayer);
    view.SetKind(s.kind);
    view.SetLayer(NewLayerOf(s, homeLayer));
    view.SetHomeLayer(homeLayer);
    view.SetFlags(s.helpMode ? kObjFlagHelpScreen : 0);
    // A zoom below 1 would divide by zero or mirror the position; the window never has one.
    const std::int32_t zoom = std::max<std::int32_t>(s.zoom, 1);
    const std::int32_t margin = s.kind == kObjCircle ? 50 : 10;
    const std::int32_t x1 = s.scrollX / zoom + margin;
    const std::int32_t y1 = s.scrollY / zoom + margin;
    view.SetX1(x1);
    view.SetY1(y1);
    if (s.kind == kObjCircle) {
        view.SetX2(40);
        view.SetY2(0);
    } else if (s.kind == kObjCaseBmp) {
        view.SetX2(x1 + 120);
        view.SetY2(y1 + 40);
    } else {
        view.SetX2(x1 + 80);
        view.SetY2(y1 + 80);
    }
    view.SetObjText(NewObjText(s.kind));
    view.SetSubDBLink(-1);
    return record;
}

ObjectFields LoadObjectFields(std::span<std::uint8_t> record) {
    const ObjectRecordView view(record);
    ObjectFields f;
    f.kind = view.Kind();
    f.layer = view.Layer();
    f.flags = view.Flags();
    f.param = view.Param();
    f.options = view.Options();
    f.x1 = view.X1();
    f.y1 = view.Y1();
    f.x2 = view.X2();
    f.y2 = view.Y2();
    for (std::size_t i = 0; i < f.symbols.size(); ++i)
        f.symbols[i] = view.Sym(static_cast<ObjectRecordView::Symbol>(i));
    f.objText = view.ObjText();
    return f;
}

void StoreObjectFields(std::span<std::uint8_t> record, const ObjectFields& f) {
    using V = ObjectRecordView;
    const V view(record);
    view.SetKind(f.kind);
    view.SetLayer(f.layer);
    view.SetFlags(static_cast<std::uint8_t>(f.flags & ~kObjFlagSelected));
    view.SetX1(f.x1);
    view.SetY1(f.y1);
    view.SetX2(f.x2);
    view.SetY2(f.y2);
    const ObjClass cls = ObjClassOf(f.kind);
    if (cls == ObjClass::Base || cls == ObjClass::Command)
        return;
    if (cls == ObjClass::Graphic) {
        view.SetParam(f.param);
        view.SetOptions(f.options);
        for (std::size_t i = 0; i < f.symbols.size(); ++i)
            view.SetSym(static_cast<V::Symbol>(i), f.symbols[i]);
    } else {
        // Font or bitmap bank number in byte 4, bytes 5..7 written as zeros.
        view.SetParam(f.param & 0xFFu);
        if (cls == ObjClass::Text) {
            view.SetSym(V::kSymX1, f.symbols[V::kSymX1]);
            view.SetSym(V::kSymY1, f.symbols[V::kSymY1]);
        }
    }
    view.SetObjText(f.objText);
}

} // namespace panolcd
