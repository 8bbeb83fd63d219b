#pragma once
// The edit validator of a record window: it ties the window to one record of one database, edits
// a copy of the record in the window's edit panel, applies the copy back under the database's
// filter checks, reverts, browses to neighbouring records and closes. Also the validator that
// makes the edited record own a sub-database, and the database operations on the registry of
// edit windows (TDBEditValidatorsColl).

#include "framework/dataentry/validator.h"
#include "framework/records/dblinks.h"
#include "framework/windows/recordwindow.h"

#include <cstdint>
#include <memory>
#include <string>

namespace panolcd {

class TDataBase;
class TDataBaseDscrObj;
class TDBFilterValidator;
class TDBRecordObj;

inline constexpr std::size_t kDesignCaptionMax = 255;

class TUDBEdit_Validator : public DBEditValidator {
public:
    TUDBEdit_Validator();
    // Detaches first; a private database goes with the validator.
    ~TUDBEdit_Validator() override;
    TUDBEdit_Validator(const TUDBEdit_Validator&) = delete;
    TUDBEdit_Validator& operator=(const TUDBEdit_Validator&) = delete;

    virtual std::string ClassName() const { return "TUDBEdit_Validator"; }
    void DefAttributs(std::uint16_t flags, std::uint8_t panel, std::uint16_t dbTypeId);

    // None detaches and empties the design caption; otherwise the window and its caption (cut to
    // 255 characters) are kept.
    void AssignCtrl(RecordWindow* window);
    RecordWindow* Window() const { return window_; }
    // Attach to the record the position record names (TProjectPosRec::kSize bytes at the start).
    void FillToControl(std::span<const std::uint8_t> positionRecord);
    void FillToControl(const TProjectPosRec& position);
    bool Validate() const { return window_ != nullptr && copy_ != nullptr; }
    static std::uint16_t TrDataSize() { return TProjectPosRec::kSize; }

    virtual void EditedCopyDBRecObj();
    virtual void ShowSubDataBases();
    virtual void InitNewCopy();
    virtual bool ValidateReplace(TDBRecordObj& stored);
    virtual bool ValidateInsert();
    // False when nothing was stored: the user was told why (a check refused the edits), or
    // there is no record to store into (CanApply).
    virtual bool Apply();
    // Whether the window edits a record that Apply can store into.
    bool CanApply() const;
    void LoadRecord(TDBRecordObj& record) override;
    virtual void Revert();
    virtual void CloseEdit();
    virtual void ShowEditWindow();
    virtual bool AskApply();

    void AttachRecord(TDBRecordObj* record);
    // From the validator itself (re-attaching, destroying) or from a registry link being
    // destroyed (its record or database is going away): the window then closes without asking.
    void Detach(TDBEditValidatorLink& link) override;
    void DetachSelf();
    TDBRecordObj* StoredRecord() const;
    // The copy's sub-database of `dbTypeId` at `link`, created when missing (-1: a new one,
    // whose instance number is returned in `link`).
    void EnsureSubDataBase(std::uint16_t dbTypeId, std::int16_t& link);

    void BrowseFirst();
    void BrowsePrior();
    void BrowseNext();
    void BrowseLast();

    TDataBase* DataBase() const { return database_; }
    TDBRecordObj* EditedCopy() const { return copy_.get(); }
    std::int16_t FilterIx() const { return filterIx_; }
    std::int16_t InsertPos() const { return insertPos_; }
    bool Shared() const { return shared_; }
    std::uint16_t DBTypeId() const { return dbTypeId_; }
    const std::string& DesignCaption() const { return designCaption_; }

private:
    enum class Scan { First, Prior, Next, Last };
    void Browse(Scan scan);
    bool Qualifies(TDBRecordObj& record);
    // The database of the attach, made when the position record names none.
    void TakeDataBase(TDataBase* database);
    void MakeCopy(const TDBRecordObj& record);
    void ShowCopy();
    // The filter validator FilterIx names; nullptr for none.
    TDBFilterValidator* Filter() const;

    TDataBaseDscrObj* dscr_ = nullptr;
    TDataBase* database_ = nullptr;
    // The database when it is private to this validator.
    std::unique_ptr<TDataBase> ownDataBase_;
    std::int16_t insertPos_ = -1;
    bool shared_ = true;
    bool destroying_ = false;
    std::string designCaption_;
    std::uint8_t panel_ = 0;
    std::uint16_t dbTypeId_ = 0;
    std::int16_t filterIx_ = -1;
    std::unique_ptr<TDBRecordObj> copy_;
    RecordWindow* window_ = nullptr;
};

// A sub-database link field of the edit panel: 2 bytes link (instance number, -1 none) and
// 2 bytes DB_TypeID. It has no control. With CreateSubDB set (by a window just before Apply) the
// record is made to own the sub-database during validation.
class TTrDBPtrButt_Validator : public TCtrlValidator {
public:
    std::string ClassName() const override { return "TTrDBPtrButt_Validator"; }
    void DefAttributs(std::uint16_t flags, TUDBEdit_Validator* editValidator);
    // Any control raises ExcValidators; none is accepted.
    void AssignCtrl(ValidatorControl* control) override;

    bool CreateSubDB = false;
    std::int16_t Link() const { return link_; }
    std::uint16_t DBTypeId() const { return dbTypeId_; }

protected:
    bool AcceptsControl(ControlKind /*kind*/) const override { return false; }
    std::size_t TransferBytes() const override { return 4; }
    void ReadField() override;
    // Only the link is written back.
    void WriteField() override;
    bool ValidateData() override;

private:
    TUDBEdit_Validator* editValidator_ = nullptr;
    std::int16_t link_ = -1;
    std::uint16_t dbTypeId_ = 0;
};

// ---- The database's registry of edit windows.

// A record not held by `database` counts as none. The validator's link takes the record, or a
// new link is appended.
void RegisterEdit(TDataBase& database, DBEditValidator* validator, TDBRecordObj* record);
// The link forgets its validator (so that freeing it does not detach the validator again), the
// stored record drops its empty sub-databases, the link is freed.
void UnregisterEdit(TDataBase& database, const DBEditValidator* validator);
// Inserts a clone of `copy` at `position` (appends outside 0 .. count - 1) as the record the
// validator's link edits; lists waiting for an insertion select it. The position used, or -1
// when the validator has no link.
int InsertEdited(TDataBase& database, int position, const DBEditValidator* validator,
                 const TDBRecordObj& copy);

// Shows `record` of `database` in a list after its window closes, opening the window of the
// record that owns the database when no list shows it.
void RevealRecord(TDataBase& database, TDBRecordObj* record);

} // namespace panolcd
