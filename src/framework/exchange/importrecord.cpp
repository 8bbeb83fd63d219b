#include "framework/exchange/importrecord.h"

#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"

#include <vector>

namespace panolcd {

std::unique_ptr<TDBRecordObj> BuildImportedRecord(TDataBase& database,
                                                  TRecIniciatorColl& iniciators) {
    std::vector<std::uint8_t> buffer(iniciators.GetIniciatorRecSize(), 0);
    iniciators.AssignRecValues(buffer.data());
    auto record = Create<TDBRecordObj>();
    record->RecOrigin = kRecOriginNew;
    const std::int16_t recTypeIx =
        database.Descriptor() != nullptr ? database.Descriptor()->RecTypeIxOf(buffer) : -1;
    bool failed = buffer.empty();
    if (!failed)
        record->CreateFromData("", recTypeIx, buffer.data(), buffer.size(), failed);
    for (int i = 0; i < iniciators.Count(); ++i) {
        if (TRecElIniciatorObj* iniciator = iniciators.Iniciator(i))
            iniciator->HandNestedDB(record->EnsureSubDBs());
    }
    if (record->SubDBs->Count() == 0)
        record->SubDBs.reset();
    if (failed || !record->HasData() || !record->CheckDBPtrs())
        return nullptr;
    return record;
}

} // namespace panolcd
