#pragma once
// TAppData: the application description read from the .APP file — enumeration types, record
// types, database descriptors, semantics and parameter record types. The environment owns it
// (TAppExtension::AppData) and answers lookups.

#include "framework/persistence/streamable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

class TEnumTypesColl;
class TEnumTypeDefStrings;
class TRecTypesDscrColl;
class TRecordTypeDscr;
class TDataBaseDscrColl;
class TSemManColl;
class TSemantics;
class TParRecTypesColl;

class TAppData : public TrbStreamable {
public:
    TAppData();
    ~TAppData() override;
    TAppData(const TAppData&) = delete;
    TAppData& operator=(const TAppData&) = delete;

    std::unique_ptr<TEnumTypesColl> AppEnumTypesColl;
    std::unique_ptr<TRecTypesDscrColl> RecTypesDscrColl;
    std::unique_ptr<TDataBaseDscrColl> DataBaseDscrColl;
    std::unique_ptr<TSemManColl> SemanticsManager;
    std::unique_ptr<TParRecTypesColl> ParRecTypesColl;

    std::string ClassName() const override { return "TAppData"; }
    // One object record per field, in the order above; -1 for a field that is none.
    void SaveToStream(TrbObjStream& stream) const override;
    // Each field must be of its class or nil, else "Invalid class typecast".
    void LoadFromStream(TrbObjStream& stream) override;

    // False without database descriptors; otherwise whether every descriptor agrees with its
    // record types and initiators.
    bool TestDataBaseDscrColl() const;
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
// The semantics `id` names in the description's manager, or nullptr.
TSemantics* AppSemantics(std::int16_t id);
TRecTypesDscrColl* AppRecTypesColl();
TParRecTypesColl* AppParRecTypesColl();

// Registers TAppData and the parameter record classes with the class registry.
void RegisterAppDataClasses();

} // namespace panolcd
