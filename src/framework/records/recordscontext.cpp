#include "framework/records/recordscontext.h"

#include "framework/records/database.h"

namespace panolcd {

RecordsContext::RecordsContext() : rootRecordLookup(RootRecordHandle) {}

RecordsContext::~RecordsContext() {
    // The second database first: it was made while the project was open.
    secondGlobalDB.reset();
    projectColl.reset();
}

} // namespace panolcd
