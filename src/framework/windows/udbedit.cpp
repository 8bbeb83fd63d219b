#include "framework/windows/udbedit.h"

#include "common/littleendian.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/restext.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/excvalidators.h"
#include "framework/records/recordscontext.h"
#include "framework/windows/udbforms.h"

#include <optional>

namespace panolcd {
namespace {

constexpr int kResPanelModified = 174;
constexpr int kResApplyQuestion = 175;
constexpr int kResCloseQuestion = 176;
constexpr int kResNoListForRecord = 177;

void ErrorBox(const char* text) {
    MsgBox({}, text, mb::kIconError | mb::kOk);
}

template <class T> T* ResolveHandle(std::uint32_t handle, const char* what) {
    if (handle == HandleTable<TrbStreamable>::kNone)
        return nullptr;
    // A handle resolves only while its object lives, so the cast never sees a freed object.
    auto* object = dynamic_cast<T*>(RecordsCtx().handles.Resolve(handle));
    if (object == nullptr)
        throw ExcValidators(std::string("TProjectPosRec: stale ") + what + " handle");
    return object;
}

} // namespace

// ---- TProjectPosRec, TTransferBuffObj

void TProjectPosRec::WriteTo(std::span<std::uint8_t> buffer) const {
    if (buffer.size() < kSize)
        throw ExcValidators("TProjectPosRec: buffer " + std::to_string(buffer.size()) + "<" +
                            std::to_string(kSize));
    HandleTable<TrbStreamable>& handles = RecordsCtx().handles;
    WriteLE<std::uint32_t>(buffer.data(), handles.Register(DataBase));
    WriteLE<std::uint32_t>(buffer.data() + 4, handles.Register(DBRecord));
    WriteLE<std::int16_t>(buffer.data() + 8, InsertPos);
    WriteLE<std::int16_t>(buffer.data() + 10, RecSelector);
    WriteLE<std::int16_t>(buffer.data() + 12, FilterIx);
}

TProjectPosRec TProjectPosRec::ReadFrom(std::span<const std::uint8_t> buffer) {
    if (buffer.size() < kSize)
        throw ExcValidators("TProjectPosRec: buffer " + std::to_string(buffer.size()) + "<" +
                            std::to_string(kSize));
    TProjectPosRec position;
    position.DataBase = ResolveHandle<TDataBase>(ReadLE<std::uint32_t>(buffer.data()), "DataBase");
    position.DBRecord =
        ResolveHandle<TDBRecordObj>(ReadLE<std::uint32_t>(buffer.data() + 4), "DBRecord");
    position.InsertPos = ReadLE<std::int16_t>(buffer.data() + 8);
    position.RecSelector = ReadLE<std::int16_t>(buffer.data() + 10);
    position.FilterIx = ReadLE<std::int16_t>(buffer.data() + 12);
    return position;
}

void TTransferBuffObj::SetTrBuff(std::uint8_t* data, std::size_t size) {
    ClearTrBuff();
    if (data == nullptr || size == 0)
        return;
    data_ = data;
    size_ = size;
    borrowed_ = true;
}

void TTransferBuffObj::ClearTrBuff() {
    // Every filling is borrowed, so there is never a block to release here.
    data_ = nullptr;
    size_ = 0;
    borrowed_ = false;
}

// ---- TUDBFormCore

bool TUDBFormCore::CloseQuery() {
    if (NoAskClose || !EditPan.IsModified())
        return true;
    const std::string text = ResText(kResPanelModified) + "\r\n" + ResText(kResCloseQuestion);
    return MsgBox({}, text, mb::kIconQuestion | mb::kYesNo) == MsgResult::Yes;
}

// ---- TUDBEdit_Validator

TUDBEdit_Validator::TUDBEdit_Validator() = default;

TUDBEdit_Validator::~TUDBEdit_Validator() {
    destroying_ = true;
    DetachSelf();
    copy_.reset();
    ownDataBase_.reset();
}

void TUDBEdit_Validator::DefAttributs(std::uint16_t /*flags*/, std::uint8_t panel,
                                      std::uint16_t dbTypeId) {
    panel_ = panel;
    dbTypeId_ = dbTypeId;
}

void TUDBEdit_Validator::AssignCtrl(RecordWindow* window) {
    if (window == nullptr) {
        DetachSelf();
        window_ = nullptr;
        designCaption_.clear();
        return;
    }
    window_ = window;
    designCaption_ = window->Caption().substr(0, kDesignCaptionMax);
}

TDBRecordObj* TUDBEdit_Validator::StoredRecord() const {
    if (database_ == nullptr)
        return nullptr;
    const TDBEditValidatorLink* link = database_->EditLinks->FindEditLinkByEditValidator(this);
    return link ? link->Record : nullptr;
}

TDBFilterValidator* TUDBEdit_Validator::Filter() const {
    return filterIx_ >= 0 && dscr_ != nullptr ? dscr_->Filter(filterIx_) : nullptr;
}

void TUDBEdit_Validator::FillToControl(std::span<const std::uint8_t> positionRecord) {
    FillToControl(TProjectPosRec::ReadFrom(positionRecord));
}

void TUDBEdit_Validator::FillToControl(const TProjectPosRec& position) {
    dscr_ = AppDataBaseDscr(dbTypeId_);
    if (dscr_ == nullptr)
        throw ExcValidators(ClassName() + ".FillToControl: FDataBaseDscr=nil");
    if (position.DataBase != database_ || position.DataBase == nullptr)
        DetachSelf();
    insertPos_ = position.InsertPos;
    filterIx_ = position.FilterIx;
    TakeDataBase(position.DataBase);
    RegisterEdit(*database_, this, position.DBRecord);

    copy_.reset();
    if (position.DBRecord != nullptr) {
        MakeCopy(*position.DBRecord);
    } else {
        copy_ = TDBRecordObj::New({}, filterIx_, dscr_->RecTypeIxOfSelector(position.RecSelector));
        InitNewCopy();
    }
    if (window_ == nullptr)
        return;
    window_->SetCaption(database_->Caption() + designCaption_);
    ShowCopy();
}

void TUDBEdit_Validator::TakeDataBase(TDataBase* database) {
    database_ = database;
    shared_ = database_ == nullptr || database_ != ownDataBase_.get();
    if (database_ != nullptr)
        return;
    if (dscr_->HasFlag(kDBGlobalRoot)) {
        // A project that is open stays: other windows show it.
        database_ = ProjectColl() ? ProjectColl() : &CreateProjectColl(dbTypeId_);
    } else if (dscr_->HasFlag(kDBSecondGlobal)) {
        std::unique_ptr<TDataBase>& global = RecordsCtx().secondGlobalDB;
        if (!global)
            global = TDataBase::New(nullptr, dbTypeId_, 0, 0);
        database_ = global.get();
    } else {
        ownDataBase_ = TDataBase::New(nullptr, dbTypeId_, 0, 0);
        database_ = ownDataBase_.get();
        shared_ = false;
    }
}

void TUDBEdit_Validator::MakeCopy(const TDBRecordObj& record) {
    copy_ = TDBRecordObj::CopyOf(record, filterIx_);
}

void TUDBEdit_Validator::ShowCopy() {
    EditedCopyDBRecObj();
    ShowSubDataBases();
}

void TUDBEdit_Validator::InitNewCopy() {
    if (TDBFilterValidator* filter = Filter(); filter != nullptr && copy_ && database_)
        filter->InitNewRecord(*database_, *copy_);
}

void TUDBEdit_Validator::EditedCopyDBRecObj() {
    if (window_ == nullptr || copy_ == nullptr)
        return;
    const TrBuffer buffer = window_->GetEditPanBuff(panel_);
    const std::uint16_t need = copy_->GetTrBuffSize();
    if (buffer.empty() || buffer.size() != need)
        throw ExcValidators(ClassName() + ".EditedCopyDBRecObj TrBuffSize Err EditPan=" +
                            std::to_string(buffer.size()) + "<>" + std::to_string(need));
    copy_->FreeTrBuffRec(buffer.data());
    copy_->PutDataToTrBuff(buffer.data());
    window_->MapEditPan(panel_, buffer);
}

void TUDBEdit_Validator::ShowSubDataBases() {
    if (window_ == nullptr || copy_ == nullptr)
        return;
    const TrBuffer place = window_->GetLookPanBuff(*this);
    if (place.size() < 4)
        return;
    WriteLE<std::uint32_t>(place.data(), RecordsCtx().handles.Register(copy_->SubDBs.get()));
    window_->MapLookPan(place);
}

bool TUDBEdit_Validator::ValidateReplace(TDBRecordObj& stored) {
    TDBFilterValidator* filter = Filter();
    if (filter == nullptr || database_ == nullptr)
        return true;
    if (filter->CheckReplace(*database_, stored, *copy_))
        return true;
    ErrorBox("DB Validate Replace");
    return false;
}

bool TUDBEdit_Validator::ValidateInsert() {
    if (filterIx_ >= 0) {
        TDBFilterValidator* filter = Filter();
        if (filter == nullptr || !filter->CheckInsert(*database_, *copy_)) {
            ErrorBox("DB Validate Insert");
            return false;
        }
    }
    if (database_->IsFull()) {
        ErrorBox("DB Validate Insert = Max Count");
        return false;
    }
    return true;
}

bool TUDBEdit_Validator::CanApply() const {
    if (window_ == nullptr || copy_ == nullptr || database_ == nullptr)
        return false;
    const TrBuffer buffer = window_->GetEditPanBuff(panel_);
    return !buffer.empty() && buffer.size() >= copy_->GetTrBuffSize();
}

bool TUDBEdit_Validator::Apply() {
    if (!CanApply())
        return false;
    const TrBuffer buffer = window_->GetEditPanBuff(panel_);
    if (!window_->ValidateEditPan(panel_))
        return false;
    copy_->GetDataFromTrBuff(buffer.data());

    bool stored = false;
    TDBRecordObj* original = StoredRecord();
    if (copy_->RecOrigin == kRecOriginCopy && original != nullptr) {
        if (ValidateReplace(*original)) {
            copy_->AssignTo(*original);
            original->Modified = true;
            database_->EditLinks->UpDateEdits(this, *original);
            database_->NotifyChanged();
            stored = true;
        }
    } else if (ValidateInsert()) {
        stored = InsertEdited(*database_, insertPos_, this, *copy_) >= 0;
        if (stored) {
            // From now on the window edits the stored record: a later Apply replaces it, and
            // the copy shares the sub-databases the stored record now owns.
            copy_->RecOrigin = kRecOriginCopy;
            copy_->SharedSubDBs = copy_->SubDBs != nullptr;
        }
    }
    if (!stored)
        return false;
    ShowSubDataBases();
    window_->ClearEditPanModified(panel_);
    return true;
}

void TUDBEdit_Validator::LoadRecord(TDBRecordObj& record) {
    MakeCopy(record);
    ShowCopy();
}

void TUDBEdit_Validator::Revert() {
    if (TDBRecordObj* stored = StoredRecord())
        LoadRecord(*stored);
    else
        ShowCopy();
}

void TUDBEdit_Validator::CloseEdit() {
    if (database_ != nullptr)
        RevealRecord(*database_, StoredRecord());
    if (window_ != nullptr)
        window_->CloseWindow();
}

void TUDBEdit_Validator::ShowEditWindow() {
    if (window_ != nullptr)
        window_->ShowEditWindow();
}

bool TUDBEdit_Validator::AskApply() {
    if (window_ == nullptr || !window_->IsEditPanModified(panel_))
        return true;
    const std::string text = ResText(kResPanelModified) + "\r\n" + ResText(kResApplyQuestion);
    if (MsgBox({}, text, mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
        return false;
    return Apply();
}

void TUDBEdit_Validator::AttachRecord(TDBRecordObj* record) {
    if (record == nullptr || database_ == nullptr)
        return;
    RegisterEdit(*database_, this, record);
    MakeCopy(*record);
    ShowCopy();
}

void TUDBEdit_Validator::DetachSelf() {
    if (database_ != nullptr)
        UnregisterEdit(*database_, this);
    database_ = nullptr;
    if (ownDataBase_) {
        // The copy may share sub-databases whose owner is the database about to go.
        copy_.reset();
        ownDataBase_.reset();
    }
    shared_ = true;
}

void TUDBEdit_Validator::Detach(TDBEditValidatorLink& /*link*/) {
    // The call comes from inside the database (a record or the database itself going away): a
    // private database is freed with the validator, never here.
    database_ = nullptr;
    if (destroying_ || window_ == nullptr)
        return;
    window_->SetNoAskClose(true);
    window_->CloseWindow();
}

void TUDBEdit_Validator::EnsureSubDataBase(std::uint16_t dbTypeId, std::int16_t& link) {
    if (copy_ != nullptr)
        copy_->LinkDBPtr(database_, dbTypeId, link, -1, std::int16_t{0});
}

bool TUDBEdit_Validator::Qualifies(TDBRecordObj& record) {
    const TUDBFormObj* formClass = FindUDBFormClass(record.EditFormName());
    if (formClass == nullptr || window_ == nullptr || formClass->Class != UDBFormClassOf(*window_))
        return false;
    TDBFilterValidator* filter = Filter();
    return filter == nullptr || filter->AcceptRecord(*database_, record);
}

void TUDBEdit_Validator::Browse(Scan scan) {
    if (database_ == nullptr || !AskApply())
        return;
    const int s = database_->IndexOf(StoredRecord());
    if (s < 0)
        return;
    const int last = database_->Count() - 1;
    const bool up = scan == Scan::First || scan == Scan::Next;
    int from = 0;
    int to = 0;
    switch (scan) {
    case Scan::First:
        from = 0, to = s - 1;
        break;
    case Scan::Prior:
        from = s - 1, to = 0;
        break;
    case Scan::Next:
        from = s + 1, to = last;
        break;
    case Scan::Last:
        from = last, to = s + 1;
        break;
    }
    for (int i = from; up ? i <= to : i >= to; i += up ? 1 : -1) {
        TDBRecordObj* record = database_->Record(i);
        if (record != nullptr && Qualifies(*record)) {
            AttachRecord(record);
            return;
        }
    }
}

void TUDBEdit_Validator::BrowseFirst() {
    Browse(Scan::First);
}
void TUDBEdit_Validator::BrowsePrior() {
    Browse(Scan::Prior);
}
void TUDBEdit_Validator::BrowseNext() {
    Browse(Scan::Next);
}
void TUDBEdit_Validator::BrowseLast() {
    Browse(Scan::Last);
}

// ---- TTrDBPtrButt_Validator

void TTrDBPtrButt_Validator::DefAttributs(std::uint16_t flags, TUDBEdit_Validator* editValidator) {
    CtrlFlags = flags;
    editValidator_ = editValidator;
}

void TTrDBPtrButt_Validator::AssignCtrl(ValidatorControl* control) {
    if (control != nullptr)
        throw ExcValidators("TTrDBPtrButt_Validator.AssignCtrl <> nil");
    control_ = nullptr;
}

void TTrDBPtrButt_Validator::ReadField() {
    link_ = ReadLE<std::int16_t>(data_.data());
    dbTypeId_ = ReadLE<std::uint16_t>(data_.data() + 2);
}

void TTrDBPtrButt_Validator::WriteField() {
    WriteLE<std::int16_t>(data_.data(), link_);
}

bool TTrDBPtrButt_Validator::ValidateData() {
    if (CreateSubDB) {
        CreateSubDB = false;
        if (editValidator_ != nullptr)
            editValidator_->EnsureSubDataBase(dbTypeId_, link_);
    }
    return true;
}

// ---- Edit registry

void RegisterEdit(TDataBase& database, DBEditValidator* validator, TDBRecordObj* record) {
    if (record != nullptr && record->HeldBy != &database)
        record = nullptr;
    if (TDBEditValidatorLink* link = database.EditLinks->FindEditLinkByEditValidator(validator)) {
        link->Record = record;
        return;
    }
    database.EditLinks->Insert(std::make_unique<TDBEditValidatorLink>(validator, record));
}

void UnregisterEdit(TDataBase& database, const DBEditValidator* validator) {
    TDBEditValidatorLink* link = database.EditLinks->FindEditLinkByEditValidator(validator);
    if (link == nullptr)
        return;
    link->Validator = nullptr;
    TDBRecordObj* record = link->Record;
    database.EditLinks->FreeObj(link);
    if (record != nullptr)
        record->RemoveEmptySubDBs();
}

int InsertEdited(TDataBase& database, int position, const DBEditValidator* validator,
                 const TDBRecordObj& copy) {
    TDBEditValidatorLink* link = database.EditLinks->FindEditLinkByEditValidator(validator);
    if (link == nullptr)
        return -1;
    auto clone = TDBRecordObj::CopyOf(copy, copy.RecTag);
    TDBRecordObj* record = clone.get();
    const int before = database.Count();
    const int used = position >= 0 && position < before ? position : before;
    {
        const DBUpdateGuard lock(database);
        database.AtInsert(used, std::move(clone));
        if (database.Count() != before + 1)
            return -1;
        link->Record = record;
        database.LookLinks->SetInsSelections(record);
    }
    return used;
}

void RevealRecord(TDataBase& database, TDBRecordObj* record) {
    if (database.LookLinks->Count() == 0) {
        TDataBase* parent = database.Owner;
        TDBRecordObj* owner = parent ? parent->RecordHolding(&database) : nullptr;
        if (owner != nullptr) {
            if (owner->TestRecAttr(0)) {
                RevealRecord(*parent, owner);
            } else if (TDBEditValidatorLink* link =
                           parent->EditLinks->FindEditLinkByDBRecObj(owner, true);
                       link != nullptr && link->Validator != nullptr) {
                if (auto* edit = dynamic_cast<TUDBEdit_Validator*>(link->Validator))
                    edit->ShowEditWindow();
            } else {
                OpenUDBForm(owner->EditFormName(), parent, owner, -1, 0, owner->RecTag);
            }
        }
    }
    if (database.LookLinks->Count() == 0 || record == nullptr)
        return;
    database.LookLinks->SetSelections(record);
    TDBLookValidatorLink* link = database.LookLinks->FindLookLinkBySelDBRecObj(record);
    if (link != nullptr && link->Validator != nullptr)
        link->Validator->RevealList();
    else
        MsgBox(ResText(kResNoListForRecord));
}

} // namespace panolcd
