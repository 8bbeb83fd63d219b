// The records of the screen objects. Every kind has the same 385-byte layout; the record types
// differ in how the command windows edit Param, Options and ObjText, so that each window's
// transfer buffer has exactly the slots its controls use.

#include "framework/records/fieldflags.h"
#include "project/dbtypes.h"
#include "schema/fieldbuilders.h"
#include "schema/schemaparts.h"

#include <string_view>

namespace panolcd::schema {
namespace {

constexpr std::uint16_t kSymbolSize = 17;
constexpr std::uint16_t kObjTextSize = 255;

// How a record type declares bytes 4..7.
enum class ParamKind { Long, TwoWords, FontNumber };

struct ObjectLayout {
    std::string_view name;
    std::string_view editForm;
    ParamKind param;
    bool codeText;       // ObjText holds terminal statements
    std::uint16_t subDB; // variant database of the object, 0 for none
};

ObjectLayout LayoutOf(RecType type) {
    switch (type) {
    case kRecObjectEnum:
        return {"TDBLCDScr_Enum_DBRec", "F_LCENUM", ParamKind::FontNumber, false, kDBEnumVariants};
    case kRecObjectCase:
        return {"TDBLCDScr_CmdCase_DBRec", "F_LCCASE", ParamKind::TwoWords, false, kDBCaseVariants};
    case kRecObjectOnKey:
        return {"TDBLCDScr_CmdOnKey_DBRec", "F_LONKEY", ParamKind::TwoWords, false,
                kDBOnKeyVariants};
    case kRecObjectWait:
        return {"TDBLCDScr_CmdWait_DBRec", "F_CMWAIT", ParamKind::Long, true, 0};
    case kRecObjectEditEnter:
        return {"TDBLCDScr_EditEnter_DBRec", "F_EENTER", ParamKind::Long, true, 0};
    case kRecObjectCaseBmp:
        return {"TDBLCDScr_CaseBMP_DBRec", "", ParamKind::Long, false, 0};
    default:
        return {"TDBLCDScr_DBRec", "", ParamKind::Long, false, 0};
    }
}

void AddParam(std::vector<FieldPtr>& fields, ParamKind kind) {
    switch (kind) {
    case ParamKind::Long:
        fields.push_back(LongField("Param", kHidden));
        return;
    case ParamKind::TwoWords:
        fields.push_back(WordField("ParamLo", kHidden));
        fields.push_back(WordField("ParamHi", kHidden));
        return;
    case ParamKind::FontNumber:
        // Byte 4 is chosen from the project's font banks; bytes 5..7 pass through untouched.
        fields.push_back(BankRefField("FntNum", kDBFontBanks, kSemNumberSorter, 0));
        fields.push_back(ReservedField("ParamRes", 3));
        return;
    }
}

} // namespace

std::unique_ptr<TRecordTypeDscr> ObjectRecordType(RecType type) {
    const ObjectLayout layout = LayoutOf(type);
    std::vector<FieldPtr> fields = Fields(
        EnumField("Kind", kEnumObjectKind, First(10)), EnumField("Layer", kEnumLayer, Next(8)),
        EnumField("HomeLayer", kEnumLayer, kHidden), ByteField("Flags", kHidden, 0));
    AddParam(fields, layout.param);
    fields.push_back(WordField("Options", kHidden));
    for (const char* coordinate : {"X1", "Y1", "X2", "Y2"})
        fields.push_back(LongField(coordinate, Next(4)));
    for (const char* symbol : {"SymX1", "SymY1", "SymX2", "SymY2", "SymDx", "SymDy"})
        fields.push_back(StringField(symbol, kSymbolSize, kHidden));
    fields.push_back(layout.codeText ? CodeField("ObjText", kObjTextSize, Next(40))
                                     : StringField("ObjText", kObjTextSize, Next(40)));
    fields.push_back(LinkField("SubDBLink", layout.subDB));
    return RecordType(layout.name, layout.editForm, layout.subDB != 0, std::move(fields));
}

} // namespace panolcd::schema
