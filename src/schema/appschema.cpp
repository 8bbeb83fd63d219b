#include "schema/appschema.h"

#include "framework/persistence/streamable.h"
#include "framework/records/appdata.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/enumtypes.h"
#include "framework/records/recordtype.h"
#include "framework/records/semantics.h"
#include "schema/schemaparts.h"

namespace panolcd::schema {

std::unique_ptr<TAppData> BuildAppDescription() {
    auto app = Create<TAppData>();
    app->AppEnumTypesColl = BuildEnumTypes();

    app->RecTypesDscrColl = Create<TRecTypesDscrColl>();
    for (int i = 0; i < kRecTypeCount; ++i) {
        const auto type = static_cast<RecType>(i);
        auto recordType = ProjectRecordType(type);
        if (!recordType)
            recordType = DialogRecordType(type);
        if (!recordType)
            recordType = ObjectRecordType(type); // every other type is an object record
        app->RecTypesDscrColl->Insert(std::move(recordType));
    }

    app->DataBaseDscrColl = BuildDataBaseDescriptors();
    app->SemanticsManager = BuildSemantics();
    return app;
}

} // namespace panolcd::schema
