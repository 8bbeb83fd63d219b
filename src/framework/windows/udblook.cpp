#include "framework/windows/udblook.h"

#include "common/littleendian.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/records/database.h"
#include "framework/records/dbcoll.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/excvalidators.h"
#include "framework/records/recordscontext.h"
#include "framework/records/recordtype.h"
#include "framework/windows/recordwindow.h"
#include "framework/windows/udbedit.h"
#include "framework/windows/udbforms.h"

#include <algorithm>
#include <memory>

namespace panolcd {
namespace {

constexpr std::size_t kLineTextMax = 4095;

// Records lent to a database that must not own them: they go back without being freed however
// the borrowing scope ends, and without the database's remove hooks (the records stay where
// they are held).
class BorrowedRecords {
public:
    explicit BorrowedRecords(TDataBase& database) : database_(database) {}
    ~BorrowedRecords() {
        for (TrbCollection::Item& item : database_.TrbCollection::DeleteAll())
            static_cast<void>(item.release());
    }
    BorrowedRecords(const BorrowedRecords&) = delete;
    BorrowedRecords& operator=(const BorrowedRecords&) = delete;

private:
    TDataBase& database_;
};

// Deletes the records that are still held by `database`, under one update lock: the lists
// refresh once, when the lock goes.
void DeleteRecords(TDataBase& database, const std::vector<TDBRecordObj*>& records) {
    const DBUpdateGuard lock(database);
    for (const TDBRecordObj* record : records) {
        // Only pointer comparison: a record deleted earlier in the loop is never read.
        if (const int index = database.IndexOf(record); index >= 0)
            database.AtFree(index);
    }
}

// The list waits for the first record an import inserts; an import that inserts nothing must
// not leave it waiting for some later insertion.
class ExpectInsertedScope {
public:
    explicit ExpectInsertedScope(DBLookValidator& list) : list_(list) {
        list_.ExpectInserted = true;
    }
    ~ExpectInsertedScope() { list_.ExpectInserted = false; }
    ExpectInsertedScope(const ExpectInsertedScope&) = delete;
    ExpectInsertedScope& operator=(const ExpectInsertedScope&) = delete;

private:
    DBLookValidator& list_;
};

} // namespace

// ---- The database's registry of lists

void RegisterLook(TDataBase& database, DBLookValidator* validator, TDBRecordObj* selection) {
    if (database.LookLinks->FindLookLinkByLookValidator(validator) != nullptr)
        return;
    if (selection != nullptr && selection->HeldBy != &database)
        selection = nullptr;
    auto link = std::make_unique<TDBLookValidatorLink>(validator);
    link->SelRecord = selection;
    database.LookLinks->Insert(std::move(link));
}

void UnregisterLook(TDataBase& database, const DBLookValidator* validator) {
    TDBLookValidatorLink* link = database.LookLinks->FindLookLinkByLookValidator(validator);
    if (link == nullptr)
        return;
    link->Validator = nullptr;
    database.LookLinks->FreeObj(link);
}

// ---- TUDBLook_Validator

TUDBLook_Validator::TUDBLook_Validator() {
    // The list's state comes from its database, never from the panel's state masks.
    CtrlFlags = vfKeepCtrl;
}

TUDBLook_Validator::~TUDBLook_Validator() {
    if (shown_ != nullptr)
        UnregisterLook(*shown_, this);
}

void TUDBLook_Validator::DefAttributs(std::uint16_t flags, bool hasData, std::uint16_t dbTypeId,
                                      std::int16_t filterIx, std::int16_t recSelector,
                                      std::int16_t hiddenFilter) {
    CtrlFlags = static_cast<std::uint16_t>((flags & ~vfNoData) | vfKeepCtrl);
    hasData_ = hasData;
    dbTypeId_ = dbTypeId;
    filterIx_ = filterIx;
    recSelector_ = recSelector;
    hiddenFilter_ = hiddenFilter;
}

bool TUDBLook_Validator::AcceptsControl(ControlKind kind) const {
    return kind == ControlKind::ListBox || kind == ControlKind::StringGrid;
}

void TUDBLook_Validator::AssignCtrl(ValidatorControl* control) {
    // Both kinds are driven through the list interface; a control without it cannot be served.
    if (control != nullptr && dynamic_cast<ListBoxControl*>(control) == nullptr)
        throw ExcValidators(ClassName() + ".AssignCtrl <> " + ExpectedControls());
    TCtrlValidator::AssignCtrl(control);
}

ListBoxControl* TUDBLook_Validator::List() const {
    return dynamic_cast<ListBoxControl*>(control_);
}

void TUDBLook_Validator::EmptyControl() {
    if (ListBoxControl* list = List())
        list->SetItems({});
}

void TUDBLook_Validator::ReadField() {
    dscr_ = AppDataBaseDscr(dbTypeId_);
    if (dscr_ == nullptr)
        throw ExcValidators("TUDBLook_Validator: GetDataBaseDscr(" + DollarHex(dbTypeId_, 4) +
                            ")=nil");
    const std::uint32_t handle = ReadLE<std::uint32_t>(data_.data());
    // A handle that names no collection (any more) counts as none.
    const auto* collection = dynamic_cast<TDBColl*>(RecordsCtx().handles.Resolve(handle));
    Show(collection ? collection->GetSkipHiddenDBTidDataBase(hiddenFilter_, dbTypeId_) : nullptr);
    RefreshList();
}

void TUDBLook_Validator::Show(TDataBase* database) {
    if (database == shown_)
        return;
    if (shown_ != nullptr)
        UnregisterLook(*shown_, this);
    shown_ = database;
    if (shown_ != nullptr)
        RegisterLook(*shown_, this, nullptr);
}

void TUDBLook_Validator::ForgetDataBase() {
    shown_ = nullptr;
    EmptyControl();
}

void TUDBLook_Validator::RevealList() {
    if (window_ == nullptr)
        return;
    window_->ShowEditWindow();
    window_->ShowLookPage(*this);
}

TDBLookValidatorLink* TUDBLook_Validator::Link() const {
    return shown_ ? shown_->LookLinks->FindLookLinkByLookValidator(this) : nullptr;
}

TDBRecordObj* TUDBLook_Validator::SelRecordOf() const {
    const TDBLookValidatorLink* link = Link();
    return link ? link->SelRecord : nullptr;
}

void TUDBLook_Validator::RefreshList() {
    FillList(Link());
}

void TUDBLook_Validator::FillList(TDBLookValidatorLink& link) {
    FillList(&link);
}

void TUDBLook_Validator::FillList(TDBLookValidatorLink* link) {
    if (link == nullptr) {
        EmptyControl();
        return;
    }
    // Kept even when the list was empty: a record inserted into an empty list waits here to
    // become its selection.
    TDBRecordObj* selected = link->SelRecord;
    link->Clear();
    if (shown_ != nullptr) {
        TDBFilterValidator* filter = filterIx_ >= 0 && dscr_ ? dscr_->Filter(filterIx_) : nullptr;
        for (int i = 0; i < shown_->Count(); ++i) {
            TDBRecordObj* record = shown_->Record(i);
            if (record != nullptr && (filter == nullptr || filter->AcceptRecord(*shown_, *record)))
                link->Rows.push_back(record);
        }
    }
    if (link->Rows.empty()) {
        EmptyControl();
        return;
    }
    link->SelRecord = selected;
    if (ListBoxControl* list = List()) {
        std::vector<std::string> lines;
        lines.reserve(link->Rows.size());
        std::string text;
        for (TDBRecordObj* record : link->Rows) {
            record->GetLineAStr(text, kLineTextMax);
            lines.push_back(text);
        }
        list->SetItems(lines);
    }
    SyncSelection();
}

void TUDBLook_Validator::SyncSelection() {
    TDBLookValidatorLink* link = Link();
    if (link == nullptr)
        return;
    const int row = link->SelRecord ? link->RowOf(link->SelRecord) : -1;
    if (row < 0)
        link->SelRecord = nullptr;
    ListBoxControl* list = List();
    if (list == nullptr)
        return;
    const int current = list->ItemIndex();
    list->SetItemIndex(row);
    if (current != row && list->SelectedCount() > 0)
        list->ClearSelection();
    if (row >= 0) {
        list->SetRowSelected(row, true);
        list->ScrollToRow(row);
    }
}

void TUDBLook_Validator::SelectRow(int row, int selectedCount) {
    TDBLookValidatorLink* link = Link();
    if (link == nullptr)
        return;
    const bool valid = row >= 0 && selectedCount >= 1 && row < static_cast<int>(link->Rows.size());
    link->SelRecord = valid ? link->Rows[static_cast<std::size_t>(row)] : nullptr;
    SyncSelection();
}

std::vector<TDBRecordObj*> TUDBLook_Validator::SelectedRecords() const {
    std::vector<TDBRecordObj*> records;
    const ListBoxControl* list = List();
    const TDBLookValidatorLink* link = Link();
    if (list == nullptr || link == nullptr)
        return records;
    std::vector<int> rows = list->SelectedRows();
    std::ranges::sort(rows);
    for (const int row : rows) {
        if (row >= 0 && row < static_cast<int>(link->Rows.size()) &&
            link->Rows[static_cast<std::size_t>(row)] != nullptr)
            records.push_back(link->Rows[static_cast<std::size_t>(row)]);
    }
    return records;
}

int TUDBLook_Validator::FirstSelectedPos() const {
    const ListBoxControl* list = List();
    const TDBLookValidatorLink* link = Link();
    if (list == nullptr || link == nullptr || shown_ == nullptr)
        return -1;
    const std::vector<int> rows = list->SelectedRows();
    if (rows.empty())
        return -1;
    const int row = *std::ranges::min_element(rows);
    if (row < 0 || row >= static_cast<int>(link->Rows.size()))
        return -1;
    const TDBRecordObj* record = link->Rows[static_cast<std::size_t>(row)];
    return record ? shown_->IndexOf(record) : -1;
}

void TUDBLook_Validator::DeleteSelected() {
    const std::vector<TDBRecordObj*> records = SelectedRecords();
    if (shown_ == nullptr || records.empty())
        return;
    DeleteRecords(*shown_, records);
}

void TUDBLook_Validator::DeleteListed() {
    TDBLookValidatorLink* link = Link();
    if (link == nullptr || shown_ == nullptr)
        return;
    const std::vector<TDBRecordObj*> records = link->Rows;
    link->Clear();
    DeleteRecords(*shown_, records);
}

void TUDBLook_Validator::AddRecord() {
    if (shown_ == nullptr || dscr_ == nullptr)
        return;
    const TRecordTypeDscr* type = AppRecordTypeAt(dscr_->RecTypeIxOfSelector(recSelector_));
    const std::string formName = type ? type->EditFormName : std::string();
    ExpectInserted = true;
    RecordWindow* window = nullptr;
    try {
        window =
            OpenUDBForm(formName, shown_, nullptr, FirstSelectedPos(), recSelector_, filterIx_);
    } catch (...) {
        ExpectInserted = false;
        throw;
    }
    // No window will insert: a record inserted by someone else must not take the selection.
    if (window == nullptr)
        ExpectInserted = false;
}

void TUDBLook_Validator::OpenRecord(std::span<std::uint8_t> callerBuffer) {
    TDBRecordObj* record = SelRecordOf();
    if (record == nullptr || shown_ == nullptr)
        return;
    if (const TDBEditValidatorLink* edit = shown_->EditLinks->FindEditLinkByDBRecObj(record, true);
        edit != nullptr && edit->Validator != nullptr) {
        if (auto* validator = dynamic_cast<TUDBEdit_Validator*>(edit->Validator)) {
            validator->ShowEditWindow();
            return;
        }
    }
    OpenUDBForm(record->EditFormName(), shown_, record, -1, recSelector_, filterIx_, callerBuffer);
}

void TUDBLook_Validator::CopySelectedTo(TDataBase* target) {
    if (target == nullptr)
        return;
    const std::vector<TDBRecordObj*> records = SelectedRecords();
    if (records.empty())
        return;
    const DBUpdateGuard lock(*target);
    for (TDBRecordObj* record : records) {
        // The plain collection insert: the record keeps its holder and its sub-databases their
        // owner, since it is only lent.
        TrbCollection::Item item(record);
        target->TrbCollection::AtInsert(target->Count(), std::move(item));
        static_cast<void>(item.release());
    }
}

bool TUDBLook_Validator::ExportSelected(const std::string& fileName) {
    if (shown_ == nullptr)
        return false;
    const std::unique_ptr<TDataBase> temporary =
        TDataBase::New(nullptr, shown_->DB_TypeID, shown_->InstByte, shown_->AuxByte);
    const BorrowedRecords borrowed(*temporary);
    CopySelectedTo(temporary.get());
    return temporary->Count() > 0 && ExportDatabase(fileName, *temporary);
}

bool TUDBLook_Validator::ImportRecords(const std::string& fileName) {
    if (shown_ == nullptr)
        return false;
    const int insertIx = FirstSelectedPos();
    TDataBase& database = *shown_;
    // The lists refresh once, when the lock goes, and by then the first record is selected.
    const DBUpdateGuard lock(database);
    const ExpectInsertedScope expect(*this);
    return ImportDatabase(fileName, database, insertIx, filterIx_);
}

bool TUDBLook_Validator::ImportRecordsCSV(const std::string& fileName,
                                          const std::vector<std::string>& fileList,
                                          std::int16_t semId) {
    if (shown_ == nullptr)
        return false;
    const int insertIx = FirstSelectedPos();
    TDataBase& database = *shown_;
    const DBUpdateGuard lock(database);
    const ExpectInsertedScope expect(*this);
    return ImportCSV(fileName, fileList, database, semId, insertIx, filterIx_);
}

bool TUDBLook_Validator::CopyToClipboard() {
    if (SelectedRecords().empty())
        return false;
    return ExportSelected({});
}

bool TUDBLook_Validator::CutToClipboard() {
    if (!CopyToClipboard())
        return false;
    DeleteSelected();
    return true;
}

bool TUDBLook_Validator::PasteFromClipboard() {
    return ImportRecords({});
}

} // namespace panolcd
