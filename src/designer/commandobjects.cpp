#include "designer/commandobjects.h"

#include "common/format.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/records/enumtypes.h"
#include "framework/records/stringfields.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"

#include <optional>

namespace panolcd {
namespace {

constexpr std::size_t kLineCap = 254;
constexpr std::size_t kDisplayTextCap = 255;

std::string Cut(std::string text, std::size_t cap) {
    if (text.size() > cap)
        text.resize(cap);
    return text;
}

// The records of a sub-database of the object's record.
template <class Visit>
void ForEachVariant(const TDBRecordObj& record, std::uint16_t type, Visit visit) {
    const TDataBase* variants = record.GetDBTidDataBase(type);
    if (variants == nullptr)
        return;
    for (int i = 0; i < variants->Count(); ++i) {
        if (TDBRecordObj* variant = variants->Record(i))
            visit(*variant);
    }
}

// The name of a case layer, "$" + two hex digits when it has none; nothing without the
// enumeration type.
std::optional<std::string> CaseLayerName(std::uint8_t layer) {
    std::int16_t index = -1;
    const TEnumTypeDefStrings* names = AppFindEnumStrings("EnCaseLayers", index);
    if (names == nullptr)
        return std::nullopt;
    std::string name = names->EnumValueText(layer);
    if (name.empty())
        name = PrintfC("$%02X", layer);
    return name;
}

} // namespace

std::string OneLineForm(std::string_view code) {
    return Cut(CompactCodeText(code), kLineCap);
}

void TLCDCommandBox::PaintCommandText(Painter& painter, const LcdRect& textRect) {
    const int lineHeight = painter.LineHeight();
    if (lineHeight <= 0)
        return;
    const Colour ink = Colour::Black;
    int top = textRect.top;
    for (const std::string& line : Lines()) {
        if (top >= textRect.bottom)
            break;
        painter.Text(textRect.left, top, line, ink, &textRect);
        top += lineHeight;
    }
}

void TLCDCaseObj::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                 Scroll scroll, bool skipGeometry) {
    TLCDObject::LoadFromRecord(record, look, scroll, skipGeometry);
    const ObjectRecordView view(record);
    ControlVariable = view.Sym(ObjectRecordView::kSymDx);
    Comment = view.ObjText();
}

void TLCDCaseObj::RefreshFromRecord(const TDBRecordObj* record, Scroll /*scroll*/) {
    ControlVariable.clear();
    Comment.clear();
    VariantLines.clear();
    if (record != nullptr) {
        std::vector<std::uint8_t> data = record->RecData;
        const ObjectRecordView view(data);
        ControlVariable = view.Sym(ObjectRecordView::kSymDx);
        Comment = view.ObjText();
        ForEachVariant(*record, kDBCaseVariants, [this](TDBRecordObj& variant) {
            std::string line;
            variant.GetLineAStr(line, kDisplayTextCap);
            VariantLines.push_back(line);
        });
    }
    Repaint();
}

std::vector<std::string> TLCDCaseObj::Lines() const {
    std::vector<std::string> lines{"case " + ControlVariable + " of" +
                                   (Comment.empty() ? "" : " { " + Comment + " }")};
    lines.insert(lines.end(), VariantLines.begin(), VariantLines.end());
    lines.emplace_back("end;");
    return lines;
}

void TLCDOnKeyObj::RefreshFromRecord(const TDBRecordObj* record, Scroll /*scroll*/) {
    Comment.clear();
    VariantLines.clear();
    if (record != nullptr) {
        std::vector<std::uint8_t> data = record->RecData;
        Comment = ObjectRecordView(data).ObjText();
        ForEachVariant(*record, kDBOnKeyVariants, [this](TDBRecordObj& variant) {
            std::vector<std::uint8_t> bytes = variant.RecData;
            const OnKeyVariantRecordView view(bytes);
            VariantLines.push_back("  " + view.OnKeyConstSym() + ": " +
                                   OneLineForm(view.OnKeyConstCode()) + ";");
        });
    }
    Repaint();
}

std::vector<std::string> TLCDOnKeyObj::Lines() const {
    std::vector<std::string> lines{Comment.empty() ? "OnKey" : "OnKey { " + Comment + " }"};
    lines.insert(lines.end(), VariantLines.begin(), VariantLines.end());
    lines.emplace_back("end;");
    return lines;
}

void TLCDCmdWaitObj::RefreshFromRecord(const TDBRecordObj* record, Scroll /*scroll*/) {
    Timeout = 0;
    Statement.clear();
    if (record != nullptr) {
        std::vector<std::uint8_t> data = record->RecData;
        const ObjectRecordView view(data);
        Timeout = view.WaitTimeout();
        Statement = view.ObjText();
    }
    Repaint();
}

std::vector<std::string> TLCDCmdWaitObj::Lines() const {
    return {"Wait " + std::to_string(Timeout) + ":", " " + OneLineForm(Statement) + ";"};
}

void TLCDEditEnterObj::RefreshFromRecord(const TDBRecordObj* record, Scroll /*scroll*/) {
    Statement.clear();
    if (record != nullptr) {
        std::vector<std::uint8_t> data = record->RecData;
        Statement = ObjectRecordView(data).ObjText();
    }
    Repaint();
}

std::vector<std::string> TLCDEditEnterObj::Lines() const {
    if (Statement.empty())
        return {"EditEnter ;"};
    return {"EditEnter", " begin", "  " + OneLineForm(Statement), " end;"};
}

void TLCDCaseBmpObj::LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look,
                                    Scroll scroll, bool skipGeometry) {
    TLCDObject::LoadFromRecord(record, look, scroll, skipGeometry);
    const ObjectRecordView view(record);
    bitmap_.SetBitmap(view.ParamByte());
    Comment = view.ObjText();
}

void TLCDCaseBmpObj::StoreFields(ObjectFields& fields) const {
    fields.param = bitmap_.Number();
    fields.objText = Comment;
}

std::vector<std::string> TLCDCaseBmpObj::Lines() const {
    std::string first;
    if (Layer >= kFirstCaseLayer && Layer <= kLastCaseLayer) {
        if (const auto name = CaseLayerName(Layer))
            first = "{" + *name + "} ";
    }
    first += "bitmap " + std::to_string(bitmap_.Number()) + ";";
    std::vector<std::string> lines{first};
    if (!Comment.empty())
        lines.push_back("{ " + Comment + " }");
    return lines;
}

} // namespace panolcd
