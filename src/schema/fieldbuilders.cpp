#include "schema/fieldbuilders.h"

#include "framework/persistence/streamable.h"
#include "framework/records/dbptrfields.h"
#include "framework/records/enumfield.h"
#include "framework/records/fieldflags.h"
#include "framework/records/intfields.h"
#include "framework/records/rootlookfield.h"
#include "framework/records/semantics.h"
#include "framework/records/stringfields.h"

#include <string>

namespace panolcd::schema {
namespace {

constexpr std::uint16_t kNoFilter = 0xFFFF;

// The Line text shows the value in its column; the other forms use the same width.
template <class F> std::unique_ptr<F> NewField(std::string_view name, Column column) {
    auto field = Create<F>();
    field->FieldName = std::string(name);
    field->Flags = column.flags;
    field->LineWidth = column.width;
    field->CWinWidth = column.width;
    field->CSVWidth = column.width;
    field->JoinWidth = column.width;
    if (column.gap)
        field->Caption = " ";
    return field;
}

template <class F>
FieldPtr IntegerField(std::string_view name, Column column, typename F::ValueType value) {
    auto field = NewField<F>(name, column);
    field->Default = value;
    return field;
}

template <class F>
FieldPtr TextField(std::string_view name, std::uint16_t size, Column column,
                   std::string_view defaultText) {
    auto field = NewField<F>(name, column);
    field->FieldSize = size;
    field->DefaultText = std::string(defaultText);
    return field;
}

} // namespace

FieldPtr StringField(std::string_view name, std::uint16_t size, Column column,
                     std::string_view defaultText) {
    return TextField<TDBStringFieldDscr>(name, size, column, defaultText);
}

FieldPtr CodeField(std::string_view name, std::uint16_t size, Column column) {
    return TextField<TVsCodeStringDscr>(name, size, column, {});
}

FieldPtr ByteField(std::string_view name, Column column, std::uint8_t defaultValue) {
    return IntegerField<TByteRecFieldDscr>(name, column, defaultValue);
}

FieldPtr WordField(std::string_view name, Column column, std::uint16_t defaultValue) {
    return IntegerField<TWordRecFieldDscr>(name, column, defaultValue);
}

FieldPtr LongField(std::string_view name, Column column, std::int32_t defaultValue) {
    return IntegerField<TLIntRecFieldDscr>(name, column, defaultValue);
}

FieldPtr DWordField(std::string_view name, Column column, std::uint32_t defaultValue) {
    return IntegerField<TDWordRecFieldDscr>(name, column, static_cast<std::int32_t>(defaultValue));
}

FieldPtr EnumField(std::string_view name, std::int16_t enumTypeIx, Column column,
                   std::uint8_t defaultValue) {
    auto field = NewField<TEnumRecFieldDscr>(name, column);
    field->EnumTypeIx = enumTypeIx;
    field->Default = defaultValue;
    return field;
}

FieldPtr BankRefField(std::string_view name, std::uint16_t dbType, std::int16_t sorter,
                      std::uint8_t defaultValue) {
    auto field = NewField<TRootLookRefByte_FieldDscr>(name, kHidden);
    field->Default = defaultValue;
    field->LookupParams = {0, dbType, static_cast<std::uint16_t>(sorter), kNoFilter, 0};
    return field;
}

FieldPtr LinkField(std::string_view name, std::uint16_t dbType) {
    auto field = NewField<TDynDBPtrRecFieldDscr>(name, kHidden);
    field->DB_TypeID = dbType;
    return field;
}

FieldPtr ReservedField(std::string_view name, std::uint16_t size) {
    auto field = NewField<TRecFieldTypeDscr>(name, {0, false, fNoTrBuff});
    field->FieldSize = size;
    return field;
}

FieldPtr WithSemantics(FieldPtr field, std::initializer_list<std::int16_t> semIds) {
    auto evaluators = Create<TSemEvalColl>();
    for (const std::int16_t id : semIds) {
        evaluators->Add(id);
    }
    field->Evaluators = std::move(evaluators);
    return field;
}

std::unique_ptr<TRecordTypeDscr> RecordType(std::string_view name, std::string_view editForm,
                                            bool ownsSubDBs, std::vector<FieldPtr> fields) {
    auto type = Create<TRecordTypeDscr>();
    type->RecTypeName = std::string(name);
    type->EditFormName = std::string(editForm);
    if (ownsSubDBs)
        type->RecAttrs = 1u << kRecAttrOwnsSubDBs;
    for (FieldPtr& field : fields)
        type->Insert(std::move(field));
    return type;
}

} // namespace panolcd::schema
