#pragma once
// TAppData: the application description read from the .APP file — enumeration types, record
// types and database descriptors so far; semantics and parameter record types join it as their
// classes are built. The environment owns it (TAppExtension::AppData) and answers lookups.

#include <cstdint>
#include <memory>
#include <string_view>

namespace panolcd {

class TEnumTypesColl;
class TEnumTypeDefStrings;
class TRecTypesDscrColl;
class TRecordTypeDscr;
class TDataBaseDscrColl;

class TAppData {
public:
    TAppData();
    ~TAppData();
    TAppData(const TAppData&) = delete;
    TAppData& operator=(const TAppData&) = delete;

    std::unique_ptr<TEnumTypesColl> AppEnumTypesColl;
    std::unique_ptr<TRecTypesDscrColl> RecTypesDscrColl;
    std::unique_ptr<TDataBaseDscrColl> DataBaseDscrColl;
};

// Lookups in the application description of the process (none loaded: nothing found).

// The enumeration type at `index` of AppEnumTypesColl, or nullptr.
const TEnumTypeDefStrings* AppEnumStrings(std::int16_t index);
// The first enumeration type whose name, cut to 32 characters, equals `name` without regard to
// letter case; `index` is set to its position, or to -1 when none is found.
const TEnumTypeDefStrings* AppFindEnumStrings(std::string_view name, std::int16_t& index);
// With a valid index the record type at that index; otherwise the first whose name matches
// without regard to letter case, and `index` is set to its position. Nullptr when none.
TRecordTypeDscr* AppRecordType(std::string_view name, std::int16_t& index);

} // namespace panolcd
