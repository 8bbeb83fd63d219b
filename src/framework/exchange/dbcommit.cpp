#include "framework/exchange/dbcommit.h"

#include "common/cp1250.h"
#include "framework/environment/msgbox.h"
#include "framework/exchange/lexreader.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"

namespace panolcd {

CommitResult CommitRecords(std::unique_ptr<TDataBase> built, TDataBase& target, int& insertIx,
                           int filterIx, TLexicalElemReader& reader) {
    DBUpdateGuard lock(target);
    if (built->DB_TypeID != target.DB_TypeID) {
        reader.Error(kErrImport, Utf8ToCp1250("Nesouhlasí typ souboru Databáze"));
        return CommitResult::TypeMismatch;
    }
    const bool inserting = insertIx >= 0 && insertIx < target.Count();
    TDBFilterValidator* filter = filterIx >= 0 ? target.Filter(filterIx) : nullptr;
    bool full = false;
    bool first = true;
    // The built database lets go of its records without freeing them.
    std::vector<TrbCollection::Item> records = built->DeleteAll();
    built.reset();
    for (TrbCollection::Item& item : records) {
        auto* record = dynamic_cast<TDBRecordObj*>(item.get());
        if (record == nullptr)
            continue;
        if (filter != nullptr && !filter->AcceptRecord(target, *record))
            continue;
        if (target.IsFull()) {
            full = true;
            continue;
        }
        const int before = target.Count();
        if (inserting)
            target.AtInsert(insertIx, std::move(item));
        else
            target.Insert(std::move(item));
        if (target.Count() == before)
            continue; // refused and freed
        if (inserting)
            ++insertIx;
        target.ApplyNewRecordSemantics(*record);
        if (first)
            target.LookLinks->SetInsSelections(record);
        first = false;
    }
    if (full) {
        MsgBox("", "Database full", mb::kIconError | mb::kOk);
        return CommitResult::Full;
    }
    return CommitResult::Ok;
}

} // namespace panolcd
