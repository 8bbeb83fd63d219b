#pragma once
// The screen object record: one 385-byte layout for every kind of object on a screen, the kind
// table, the values of a newly inserted object, and the store rules that decide which bytes
// each object class writes back, so that fields edited in the command windows survive a store.

#include "project/recordview.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

enum ObjKind : std::uint8_t {
    kObjMultiSelFrame = 1, // in memory only, never stored
    kObjPoint = 2,
    kObjLine = 3,
    kObjRectangle = 4,
    kObjFilledRect = 5,
    kObjCircle = 6,
    kObjText = 7,
    kObjPrintLine = 8,
    kObjEdit = 9,
    kObjEditP = 10,
    kObjEnum = 11,
    kObjCmdCase = 12,
    kObjCmdOnKey = 13,
    kObjCmdWait = 14,
    kObjEditEnter = 15,
    kObjGraph = 16,
    kObjGraphXY = 17,
    kObjBar = 18,
    kObjCaseBmp = 19,
};

// Flags byte.
inline constexpr std::uint8_t kObjFlagSelected = 0x01;
inline constexpr std::uint8_t kObjFlagLocked = 0x02;
inline constexpr std::uint8_t kObjFlagHelpScreen = 0x80;

// Layers.
inline constexpr std::uint8_t kTextLayer = 1;
inline constexpr std::uint8_t kGraphicLayer = 2;
inline constexpr std::uint8_t kFirstCaseLayer = 3;
inline constexpr std::uint8_t kLastCaseLayer = 30;

// Capacity of the symbol fields and of ObjText.
inline constexpr std::size_t kObjSymbolCap = 16;
inline constexpr std::size_t kObjTextCap = 254;

// The kind's name as the status bar shows it: "MultiSelFrame" for the selection frame, empty
// for CaseBMP and for kinds never created.
std::string_view ObjKindName(std::uint8_t kind);

// Which fields a kind's object class writes back on store.
enum class ObjClass { Base, Graphic, Text, Command, CaseBmp };
ObjClass ObjClassOf(std::uint8_t kind);

class ObjectRecordView : public RecordView {
public:
    static constexpr std::size_t kSize = 385;
    static constexpr std::size_t kKind = 0, kLayer = 1, kHomeLayer = 2, kFlags = 3;
    static constexpr std::size_t kParam = 4, kOptions = 8;
    static constexpr std::size_t kX1 = 10, kY1 = 14, kX2 = 18, kY2 = 22;
    // SymX1, SymY1, SymX2, SymY2, SymDx, SymDy, 17 bytes apart.
    static constexpr std::size_t kSymbols = 26, kSymbolCount = 6;
    static constexpr std::size_t kObjText = 128, kSubDBLink = 383;
    enum Symbol { kSymX1, kSymY1, kSymX2, kSymY2, kSymDx, kSymDy };
    using RecordView::RecordView;

    std::uint8_t Kind() const { return Get<std::uint8_t>(kKind); }
    void SetKind(std::uint8_t v) const { Set(kKind, v); }
    std::uint8_t Layer() const { return Get<std::uint8_t>(kLayer); }
    void SetLayer(std::uint8_t v) const { Set(kLayer, v); }
    std::uint8_t HomeLayer() const { return Get<std::uint8_t>(kHomeLayer); }
    void SetHomeLayer(std::uint8_t v) const { Set(kHomeLayer, v); }
    std::uint8_t Flags() const { return Get<std::uint8_t>(kFlags); }
    void SetFlags(std::uint8_t v) const { Set(kFlags, v); }
    std::uint32_t Param() const { return Get<std::uint32_t>(kParam); }
    void SetParam(std::uint32_t v) const { Set(kParam, v); }
    // Byte 4: font bank, bitmap bank, graph type or bar direction by kind.
    std::uint8_t ParamByte() const { return Get<std::uint8_t>(kParam); }
    void SetParamByte(std::uint8_t v) const { Set(kParam, v); }
    std::int32_t WaitTimeout() const { return Get<std::int32_t>(kParam); }
    std::uint16_t Options() const { return Get<std::uint16_t>(kOptions); }
    void SetOptions(std::uint16_t v) const { Set(kOptions, v); }
    std::int32_t X1() const { return Get<std::int32_t>(kX1); }
    void SetX1(std::int32_t v) const { Set(kX1, v); }
    std::int32_t Y1() const { return Get<std::int32_t>(kY1); }
    void SetY1(std::int32_t v) const { Set(kY1, v); }
    std::int32_t X2() const { return Get<std::int32_t>(kX2); }
    void SetX2(std::int32_t v) const { Set(kX2, v); }
    std::int32_t Y2() const { return Get<std::int32_t>(kY2); }
    void SetY2(std::int32_t v) const { Set(kY2, v); }
    std::string Sym(Symbol which) const { return Text(SymOffset(which), kObjSymbolCap); }
    void SetSym(Symbol which, std::string_view v) const {
        SetText(SymOffset(which), kObjSymbolCap, v);
    }
    std::string ObjText() const { return Text(kObjText, kObjTextCap); }
    void SetObjText(std::string_view v) const { SetText(kObjText, kObjTextCap, v); }
    std::int16_t SubDBLink() const { return Get<std::int16_t>(kSubDBLink); }
    void SetSubDBLink(std::int16_t v) const { Set(kSubDBLink, v); }

    static constexpr std::size_t SymOffset(Symbol which) {
        return kSymbols + static_cast<std::size_t>(which) * (kObjSymbolCap + 1);
    }
};

// Options bits.
inline constexpr std::uint16_t kOptUseRelDxDy = 0x0001;
inline constexpr std::uint16_t kOptLineSwNe = 0x0002;
inline constexpr std::uint16_t kOptOnEntryCase = 0x0001;

// What the screen window knows when it inserts an object.
struct NewObjectSettings {
    std::uint8_t kind = 0;
    // The chosen case layer, kFirstCaseLayer..kLastCaseLayer.
    std::uint8_t caseLayer = kFirstCaseLayer;
    bool caseLayerMode = false;
    bool helpMode = false;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::int32_t zoom = 1;
};

// The record of a newly inserted object; empty for a kind that is never created (outside 2..19).
std::vector<std::uint8_t> NewObjectRecord(const NewObjectSettings& settings);

// An object's fields as the designer holds them.
struct ObjectFields {
    std::uint8_t kind = 0;
    std::uint8_t layer = 0;
    std::uint8_t flags = 0;
    std::uint32_t param = 0;
    std::uint16_t options = 0;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::array<std::string, ObjectRecordView::kSymbolCount> symbols;
    std::string objText;
};

// Every field of a record.
ObjectFields LoadObjectFields(std::span<std::uint8_t> record);

// Writes the fields the class of `fields.kind` owns into the record in place: always Kind,
// Layer, Flags without Selected and the four coordinates; text classes also Param as the font
// number in byte 4 with bytes 5..7 zeroed, SymX1, SymY1 and ObjText; graphic classes all of
// Param, Options, the six symbols and ObjText; CaseBMP Param as the bitmap number and ObjText.
// HomeLayer, SubDBLink and every byte the class does not own are left as they are.
void StoreObjectFields(std::span<std::uint8_t> record, const ObjectFields& fields);

} // namespace panolcd
