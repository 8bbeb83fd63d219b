#include "framework/records/parrecords.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/initiatorcoll.h"

namespace panolcd {
namespace {

// Reads the collection, then rejects it when an item is neither nil nor a T; the stream would
// otherwise hand other parts objects they cannot use.
template <class T> void LoadTyped(TrbCollection& collection, TrbObjStream& stream) {
    collection.TrbCollection::LoadFromStream(stream);
    for (int i = 0; i < collection.Count(); ++i)
        StreamableAs<T>(collection.At(i));
}

} // namespace

void TParRecTypesColl::LoadFromStream(TrbObjStream& stream) {
    LoadTyped<TRecIniciatorColl>(*this, stream);
}

void TParRecColl::LoadFromStream(TrbObjStream& stream) {
    LoadTyped<TParRecordObj>(*this, stream);
}

TParRecordObj* TParRecColl::Record(int la) const {
    return dynamic_cast<TParRecordObj*>(At(la));
}

void TParRecData::LoadFromStream(TrbObjStream& stream) {
    LoadTyped<TParRecColl>(*this, stream);
}

TParRecColl* TParRecData::DataElement(int de) const {
    return dynamic_cast<TParRecColl*>(At(de));
}

void TParRecordObj::SaveToStream(TrbObjStream& stream) const {
    TDscrRecObj::SaveToStream(stream);
    stream.WriteNum<std::int16_t>(RecipeNum1);
    stream.WriteNum<std::int16_t>(RecipeNum2);
    stream.WriteNum<std::int32_t>(ParRecTypeIx);
    stream.WriteStr(ParCaption);
    stream.WriteNum<std::int32_t>(DTMSize);
}

void TParRecordObj::LoadFromStream(TrbObjStream& stream) {
    TDscrRecObj::LoadFromStream(stream);
    RecipeNum1 = stream.ReadNum<std::int16_t>();
    RecipeNum2 = stream.ReadNum<std::int16_t>();
    ParRecTypeIx = stream.ReadNum<std::int32_t>();
    ParCaption = stream.ReadStr();
    DTMSize = stream.ReadNum<std::int32_t>();
    if (DTMSize < 0 || DTMSize > DataSize())
        DTMSize = DataSize();
}

TParRecData* AppParRecData() {
    return EnvCtx().app.ParRecData.get();
}

void RegisterParRecClasses() {
    RegisterClass<TParRecTypesColl>();
    RegisterClass<TParRecData>();
    RegisterClass<TParRecColl>();
    RegisterClass<TParRecordObj>();
}

} // namespace panolcd
