#include "framework/records/dblinks.h"

#include "framework/records/excvalidators.h"

#include <algorithm>

namespace panolcd {

TDBEditValidatorLink::~TDBEditValidatorLink() {
    if (Validator != nullptr)
        Validator->Detach(*this);
}

TDBEditValidatorLink* TDBEditValidatorsColl::Link(int index) const {
    return dynamic_cast<TDBEditValidatorLink*>(At(index));
}

TDBEditValidatorLink*
TDBEditValidatorsColl::FindEditLinkByEditValidator(const DBEditValidator* validator) const {
    for (int i = 0; i < Count(); ++i) {
        if (TDBEditValidatorLink* link = Link(i); link && link->Validator == validator)
            return link;
    }
    return nullptr;
}

TDBEditValidatorLink* TDBEditValidatorsColl::FindEditLinkByDBRecObj(const TDBRecordObj* record,
                                                                    bool /*closableOnly*/) const {
    for (int i = 0; i < Count(); ++i) {
        if (TDBEditValidatorLink* link = Link(i); link && link->Record == record)
            return link;
    }
    return nullptr;
}

void TDBEditValidatorsColl::UpDateEdits(const DBEditValidator* except, TDBRecordObj& record) const {
    for (int i = 0; i < Count(); ++i) {
        const TDBEditValidatorLink* link = Link(i);
        if (link && link->Record == &record && link->Validator && link->Validator != except)
            link->Validator->LoadRecord(record);
    }
}

void TDBEditValidatorsColl::FreeLinksOf(const TDBRecordObj* record) {
    for (int i = Count() - 1; i >= 0; --i) {
        if (const TDBEditValidatorLink* link = Link(i); link && link->Record == record)
            AtFree(i);
    }
}

TDBLookValidatorLink::TDBLookValidatorLink(DBLookValidator* validator) : Validator(validator) {
    if (validator == nullptr)
        throw ExcValidators("TDBLookValidatorLink: DBLookValidator=nil");
}

TDBLookValidatorLink::~TDBLookValidatorLink() {
    if (Validator != nullptr)
        Validator->ForgetDataBase();
}

int TDBLookValidatorLink::RowOf(const TDBRecordObj* record) const {
    const auto it = std::find(Rows.begin(), Rows.end(), record);
    return it == Rows.end() ? -1 : static_cast<int>(it - Rows.begin());
}

void TDBLookValidatorLink::Clear() {
    Rows.clear();
    SelRecord = nullptr;
}

TDBLookValidatorLink* TDBLookValidatorsColl::Link(int index) const {
    return dynamic_cast<TDBLookValidatorLink*>(At(index));
}

void TDBLookValidatorsColl::UpDateLooks() const {
    for (int i = 0; i < Count(); ++i) {
        if (TDBLookValidatorLink* link = Link(i); link && link->Validator)
            link->Validator->FillList(*link);
    }
}

void TDBLookValidatorsColl::SetSelections(const TDBRecordObj* record) const {
    for (int i = 0; i < Count(); ++i) {
        const TDBLookValidatorLink* link = Link(i);
        if (link == nullptr || link->Validator == nullptr)
            continue;
        if (const int row = link->RowOf(record); row >= 0)
            link->Validator->SelectRow(row, 1);
    }
}

void TDBLookValidatorsColl::SetInsSelections(TDBRecordObj* record) const {
    for (int i = 0; i < Count(); ++i) {
        TDBLookValidatorLink* link = Link(i);
        if (link == nullptr || link->Validator == nullptr || !link->Validator->ExpectInserted)
            continue;
        link->SelRecord = record;
        link->Validator->ExpectInserted = false;
    }
}

TDBLookValidatorLink*
TDBLookValidatorsColl::FindLookLinkBySelDBRecObj(const TDBRecordObj* record) const {
    TDBLookValidatorLink* last = nullptr;
    for (int i = 0; i < Count(); ++i) {
        TDBLookValidatorLink* link = Link(i);
        if (link == nullptr || link->SelRecord != record)
            continue;
        if (link->Validator && link->Validator->HasControl())
            return link;
        last = link;
    }
    return last;
}

TDBLookValidatorLink*
TDBLookValidatorsColl::FindLookLinkByLookValidator(const DBLookValidator* validator) const {
    for (int i = 0; i < Count(); ++i) {
        if (TDBLookValidatorLink* link = Link(i); link && link->Validator == validator)
            return link;
    }
    return nullptr;
}

void TDBLookValidatorsColl::ForgetRecord(const TDBRecordObj* record) const {
    for (int i = 0; i < Count(); ++i) {
        TDBLookValidatorLink* link = Link(i);
        if (link == nullptr)
            continue;
        for (TDBRecordObj*& row : link->Rows) {
            if (record == nullptr || row == record)
                row = nullptr;
        }
        if (record == nullptr || link->SelRecord == record)
            link->SelRecord = nullptr;
    }
}

} // namespace panolcd
