#pragma once
// The process-wide state of records and databases: the handles of objects referred to from
// transfer buffers, the instance addresses, the open project's root database and the second
// global database of the record windows.

#include "common/handletable.h"
#include "common/installedservice.h"
#include "framework/records/instancemanager.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace panolcd {

class TDataBase;
class TrbStreamable;

struct RecordsContext : InstalledService<RecordsContext> {
    RecordsContext();
    ~RecordsContext();

    // Handles of objects referred to from transfer buffers; a record leaves it when freed.
    HandleTable<TrbStreamable> handles;
    // Instance addresses of databases; reset with each project.
    TDBInstMan instMan;
    // Handle of the first record of the project's root database that owns a sub-database of
    // type `dbType` (0 = none); by default RootRecordHandle.
    std::function<std::uint32_t(std::uint16_t dbType)> rootRecordLookup;
    // The databases go before the handles and addresses they give back when freed.
    // The open project's root database; none without a project.
    std::unique_ptr<TDataBase> projectColl;
    // The secondary global database a record window made; none until then.
    std::unique_ptr<TDataBase> secondGlobalDB;
};

inline RecordsContext& RecordsCtx() {
    return RecordsContext::Installed();
}

} // namespace panolcd
