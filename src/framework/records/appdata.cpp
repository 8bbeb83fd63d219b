#include "framework/records/appdata.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/enumtypes.h"
#include "framework/records/parrecords.h"
#include "framework/records/recordtype.h"
#include "framework/records/semantics.h"

namespace panolcd {

TAppData::TAppData() = default;
TAppData::~TAppData() = default;

void TAppData::SaveToStream(TrbObjStream& stream) const {
    stream.Put(AppEnumTypesColl.get());
    stream.Put(RecTypesDscrColl.get());
    stream.Put(DataBaseDscrColl.get());
    stream.Put(SemanticsManager.get());
    stream.Put(ParRecTypesColl.get());
}

void TAppData::LoadFromStream(TrbObjStream& stream) {
    AppEnumTypesColl = stream.GetAs<TEnumTypesColl>();
    RecTypesDscrColl = stream.GetAs<TRecTypesDscrColl>();
    DataBaseDscrColl = stream.GetAs<TDataBaseDscrColl>();
    SemanticsManager = stream.GetAs<TSemManColl>();
    ParRecTypesColl = stream.GetAs<TParRecTypesColl>();
}

bool TAppData::TestDataBaseDscrColl() const {
    return DataBaseDscrColl != nullptr && DataBaseDscrColl->TestAllTypeDscrs();
}

TSemantics* AppSemantics(std::int16_t id) {
    TAppData* app = EnvCtx().app.AppData.get();
    if (app == nullptr || app->SemanticsManager == nullptr)
        return nullptr;
    return app->SemanticsManager->GetSemantics(id);
}

TRecTypesDscrColl* AppRecTypesColl() {
    TAppData* app = EnvCtx().app.AppData.get();
    return app ? app->RecTypesDscrColl.get() : nullptr;
}

TParRecTypesColl* AppParRecTypesColl() {
    TAppData* app = EnvCtx().app.AppData.get();
    return app ? app->ParRecTypesColl.get() : nullptr;
}

void RegisterAppDataClasses() {
    RegisterClass<TAppData>();
    RegisterParRecClasses();
}

} // namespace panolcd
