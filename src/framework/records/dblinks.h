#pragma once
// The registries a database keeps of the windows that show it: one link per edit window (which
// record it edits) and one per list (its rows and selected record). The windows themselves live
// in the window layer and are seen here only through the two validator interfaces.

#include "framework/persistence/collection.h"

#include <string>
#include <vector>

namespace panolcd {

class TDBRecordObj;
class TDBEditValidatorLink;
class TDBLookValidatorLink;

// An edit window as its database sees it.
class DBEditValidator {
public:
    virtual ~DBEditValidator() = default;
    virtual void LoadRecord(TDBRecordObj& record) = 0;
    // The link goes away while the window still uses it.
    virtual void Detach(TDBEditValidatorLink& link) = 0;
};

// A list control as its database sees it.
class DBLookValidator {
public:
    virtual ~DBLookValidator() = default;
    virtual void FillList(TDBLookValidatorLink& link) = 0;
    virtual void SelectRow(int row, int selectedCount) = 0;
    virtual bool HasControl() const = 0;
    // The database goes away: forget it and empty the control.
    virtual void ForgetDataBase() = 0;
    // Shows the list's window: restored, the list's page in front, the window in front.
    virtual void RevealList() {}
    bool ExpectInserted = false;
};

// Runtime state only: links are never written.
class TDBEditValidatorLink : public TrbStreamable {
public:
    TDBEditValidatorLink(DBEditValidator* validator, TDBRecordObj* record)
        : Validator(validator), Record(record) {}
    ~TDBEditValidatorLink() override;
    std::string ClassName() const override { return "TDBEditValidatorLink"; }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    DBEditValidator* Validator = nullptr;
    TDBRecordObj* Record = nullptr;
};

class TDBEditValidatorsColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TDBEditValidatorsColl"; }

    TDBEditValidatorLink* Link(int index) const;
    TDBEditValidatorLink* FindEditLinkByEditValidator(const DBEditValidator* validator) const;
    // Every edit window may be closed, so `closableOnly` narrows nothing.
    TDBEditValidatorLink* FindEditLinkByDBRecObj(const TDBRecordObj* record,
                                                 bool closableOnly = false) const;
    // Reloads every other window that edits `record`.
    void UpDateEdits(const DBEditValidator* except, TDBRecordObj& record) const;
    // Frees the links of a record that has left the database.
    void FreeLinksOf(const TDBRecordObj* record);
};

// One list's rows over a database: the row records and the selected one.
class TDBLookValidatorLink : public TrbStreamable {
public:
    // Fails with ExcValidators without a validator.
    explicit TDBLookValidatorLink(DBLookValidator* validator);
    ~TDBLookValidatorLink() override;
    std::string ClassName() const override { return "TDBLookValidatorLink"; }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    // The row showing `record`, or -1.
    int RowOf(const TDBRecordObj* record) const;
    void Clear();

    std::vector<TDBRecordObj*> Rows;
    DBLookValidator* Validator = nullptr;
    TDBRecordObj* SelRecord = nullptr;
};

class TDBLookValidatorsColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TDBLookValidatorsColl"; }

    TDBLookValidatorLink* Link(int index) const;
    void UpDateLooks() const;
    void SetSelections(const TDBRecordObj* record) const;
    // Lists waiting for an inserted record take it as their selection.
    void SetInsSelections(TDBRecordObj* record) const;
    // Of the links selecting `record`, the first whose list has a control, else the last.
    TDBLookValidatorLink* FindLookLinkBySelDBRecObj(const TDBRecordObj* record) const;
    TDBLookValidatorLink* FindLookLinkByLookValidator(const DBLookValidator* validator) const;
    // A record leaves the database (nullptr: every record): no row or selection keeps pointing
    // at it until the lists are rebuilt.
    void ForgetRecord(const TDBRecordObj* record) const;
};

} // namespace panolcd
