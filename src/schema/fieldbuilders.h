#pragma once
// Short constructors for the field descriptors and record types of the application description,
// so that each record layout reads as a table.
//
// Record lists show a record's Line text: the fields' values side by side. A field shown after
// another has the caption " ", which the Line text writes before the value as a column gap;
// fields that are not shown have no caption and width 0.

#include "framework/records/fielddscr.h"
#include "framework/records/recordtype.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace panolcd::schema {

using FieldPtr = std::unique_ptr<TRecFieldTypeDscr>;

// Where a field appears in the Line text: its width, and whether a gap precedes it.
struct Column {
    std::uint8_t width = 0;
    bool gap = false;
    std::uint16_t flags = 0;
};
inline constexpr Column kHidden{};
inline Column First(std::uint8_t width, std::uint16_t flags = 0) {
    return {width, false, flags};
}
inline Column Next(std::uint8_t width, std::uint16_t flags = 0) {
    return {width, true, flags};
}

// Text of capacity size-1 in `size` bytes.
FieldPtr StringField(std::string_view name, std::uint16_t size, Column column,
                     std::string_view defaultText = {});
// Terminal source text; its Line text is compacted to one line.
FieldPtr CodeField(std::string_view name, std::uint16_t size, Column column);
FieldPtr ByteField(std::string_view name, Column column, std::uint8_t defaultValue = 0);
FieldPtr WordField(std::string_view name, Column column, std::uint16_t defaultValue = 0);
FieldPtr LongField(std::string_view name, Column column, std::int32_t defaultValue = 0);
FieldPtr DWordField(std::string_view name, Column column, std::uint32_t defaultValue = 0);
FieldPtr EnumField(std::string_view name, std::int16_t enumTypeIx, Column column,
                   std::uint8_t defaultValue = 0);
// A bank number chosen from the banks of the project (database `dbType` of the root record),
// listed in the order of the sorter semantics `sorter`.
FieldPtr BankRefField(std::string_view name, std::uint16_t dbType, std::int16_t sorter,
                      std::uint8_t defaultValue);
// The link to a sub-database of type `dbType` (0: the record owns none).
FieldPtr LinkField(std::string_view name, std::uint16_t dbType);
// Bytes that are kept in the record but never shown or edited.
FieldPtr ReservedField(std::string_view name, std::uint16_t size);

// Gives a field the semantics it takes part in.
FieldPtr WithSemantics(FieldPtr field, std::initializer_list<std::int16_t> semIds);

// The fields of a record type, in record order.
template <class... F> std::vector<FieldPtr> Fields(F... fields) {
    std::vector<FieldPtr> list;
    (list.push_back(std::move(fields)), ...);
    return list;
}

std::unique_ptr<TRecordTypeDscr> RecordType(std::string_view name, std::string_view editForm,
                                            bool ownsSubDBs, std::vector<FieldPtr> fields);

} // namespace panolcd::schema
