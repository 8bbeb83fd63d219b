// The enumeration types: the texts the enumeration fields and controls show for a value.

#include "common/cp1250.h"
#include "framework/persistence/streamable.h"
#include "framework/records/enumtypes.h"
#include "schema/schemaparts.h"

#include <initializer_list>
#include <string>

namespace panolcd::schema {
namespace {

constexpr int kCaseLayerCount = 28;
// A transfer table entry for values that stand for no item.
constexpr std::uint8_t kNoItem = 255;

std::unique_ptr<TEnumTypeDefinition> Enumeration(const char* name,
                                                 std::initializer_list<const char*> utf8Texts) {
    auto type = Create<TEnumTypeDefinition>();
    type->TypeName = name;
    for (const char* text : utf8Texts)
        type->Strings->Add(Utf8ToCp1250(text));
    return type;
}

std::string CaseLayerName(int index) {
    return "Case " + std::to_string(index + 1);
}

// Layer values 3..30 name case layers 1..28; every other value names none.
std::unique_ptr<TEnumTypeDefinition> CaseLayers() {
    auto type = Enumeration("EnCaseLayers", {});
    auto transfer = Create<TEnumTransferObj>();
    transfer->Table.fill(kNoItem);
    for (int i = 0; i < kCaseLayerCount; ++i) {
        type->Strings->Add(CaseLayerName(i));
        transfer->Table[kFirstCaseLayer + i] = static_cast<std::uint8_t>(i);
    }
    type->Strings->Transfer = std::move(transfer);
    return type;
}

std::unique_ptr<TEnumTypeDefinition> Layers() {
    auto type = Enumeration("EnLayer", {"BMP", "TXT", "GR"});
    for (int i = 0; i < kCaseLayerCount; ++i)
        type->Strings->Add(CaseLayerName(i));
    type->Strings->Add("Sel");
    return type;
}

} // namespace

std::unique_ptr<TEnumTypesColl> BuildEnumTypes() {
    auto types = Create<TEnumTypesColl>();
    types->Insert(CaseLayers());
    types->Insert(
        Enumeration("EnTypReg", {"Bit", "Byte", "Word", "Integer", "LongInt", "Real", "String"}));
    types->Insert(Enumeration("EnObjKind",
                              {"",           "MultiSelFrame", "Point",   "Line",      "Rectangle",
                               "FilledRect", "Circle",        "Text",    "PrintLine", "Edit",
                               "EditP",      "Enum",          "CmdCase", "CmdOnKey",  "CmdWait",
                               "EditEnter",  "Graph",         "GraphXY", "Bar",       "CaseBMP"}));
    types->Insert(Layers());
    types->Insert(Enumeration("EnGraphType", {"Bodový", "Čárový", "Sloupcový"}));
    types->Insert(Enumeration("EnBarDirection", {"Nahoru", "Dolů", "Vlevo", "Vpravo"}));
    types->Insert(Enumeration("EnHorzAlign", {"Beze změny", "Levé okraje", "Středy",
                                              "Pravé okraje", "Rovnoměrně", "Na střed LCD"}));
    types->Insert(Enumeration("EnVertAlign", {"Beze změny", "Horní okraje", "Středy",
                                              "Dolní okraje", "Rovnoměrně", "Na střed LCD"}));
    types->Insert(Enumeration("EnCentre", {"Beze změny", "Na střed LCD"}));
    types->Insert(Enumeration("EnSizeMode", {"Beze změny", "Nejmenší", "Největší", "Zadaný"}));
    return types;
}

} // namespace panolcd::schema
