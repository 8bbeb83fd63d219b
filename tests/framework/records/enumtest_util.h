#pragma once
// Builds enumeration types and installs them as the application description of the process.

#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/enumtypes.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace panolcd::testing {

inline std::unique_ptr<TEnumTypeDefinition> EnumType(std::string name,
                                                     std::initializer_list<const char*> texts) {
    auto definition = Create<TEnumTypeDefinition>();
    definition->TypeName = std::move(name);
    for (const char* text : texts)
        definition->Strings->Add(text);
    return definition;
}

// A transfer table that maps every value to `fill` except the listed (value, position) pairs.
inline std::unique_ptr<TEnumTransferObj>
TransferTable(std::uint8_t fill, std::initializer_list<std::pair<int, int>> entries) {
    auto table = Create<TEnumTransferObj>();
    table->Table.fill(fill);
    for (const auto& [value, position] : entries)
        table->Table[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(position);
    return table;
}

// Makes `types` the enumeration types of the process's application description.
inline TEnumTypesColl& InstallEnumTypes(std::unique_ptr<TEnumTypesColl> types) {
    if (!EnvCtx().app.AppData)
        EnvCtx().app.AppData = std::make_unique<TAppData>();
    EnvCtx().app.AppData->AppEnumTypesColl = std::move(types);
    return *EnvCtx().app.AppData->AppEnumTypesColl;
}

} // namespace panolcd::testing
