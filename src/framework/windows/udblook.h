#pragma once
// Record lists: TUDBLook_Validator ties one multi-select list control to one database and offers
// the record operations the windows put on buttons and keys (add, open, delete, clipboard,
// import). Each list registers itself in the database it shows (TDBLookValidatorsColl), so the
// database can refresh it, select a record in it and find the window that shows a record.

#include "framework/dataentry/control.h" // ListBoxControl
#include "framework/dataentry/validator.h"
#include "framework/records/dblinks.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace panolcd {

class RecordWindow;
class TDataBase;
class TDataBaseDscrObj;
class TDBRecordObj;

class TUDBLook_Validator : public TCtrlValidator, public DBLookValidator {
public:
    TUDBLook_Validator();
    // Unregisters from the shown database.
    ~TUDBLook_Validator() override;

    std::string ClassName() const override { return "TUDBLook_Validator"; }

    // `hasData`: the list advances the panel buffer by 14 bytes, otherwise by 0; every list of a
    // panel reads the 4-byte place at the same position, so lists without data come first. The
    // panel's buffer is as long as the lists' sizes add up to (14 for one list with data), and
    // the place is its first 4 bytes.
    void DefAttributs(std::uint16_t flags, bool hasData, std::uint16_t dbTypeId,
                      std::int16_t filterIx, std::int16_t recSelector,
                      std::int16_t hiddenFilter = -1);

    // A list box (ListBoxControl) or nothing; any other control raises ExcValidators.
    void AssignCtrl(ValidatorControl* control) override;
    // The window the list lives in, for bringing it forward (RevealList); optional.
    void SetWindow(RecordWindow* window) { window_ = window; }

    virtual void RefreshList();
    // Rebuilds the link's rows from the shown database (filtered) and shows them.
    void FillList(TDBLookValidatorLink& link) override;
    // No link: empties the control.
    void FillList(TDBLookValidatorLink* link);
    // Opens the record window for a new record, inserted before the first selected row on Apply.
    virtual void AddRecord();
    // Opens (or brings forward) the window of the selected record.
    virtual void OpenRecord(std::span<std::uint8_t> callerBuffer = {});
    // Database text of the selected records; an empty name writes to the clipboard.
    virtual bool ExportSelected(const std::string& fileName);
    // Database text into the shown database before the first selected row (else appended); an
    // empty name reads the clipboard. The first record read becomes the selection.
    virtual bool ImportRecords(const std::string& fileName);
    virtual bool ImportRecordsCSV(const std::string& fileName,
                                  const std::vector<std::string>& fileList, std::int16_t semId);

    // SelRecord := the record of `row` (none when row < 0 or count < 1), then SyncSelection.
    // Windows call it with the control's current row and selected count before acting. The
    // record chosen is SelRecordOf() afterwards.
    void SelectRow(int row, int selectedCount) override;
    // Shows SelRecord as the current and only selected row.
    void SyncSelection();
    // The database index of the first selected row's record; -1 without one.
    int FirstSelectedPos() const;
    void DeleteSelected();
    // Deletes every listed record.
    void DeleteListed();
    TDBRecordObj* SelRecordOf() const;
    TDataBase* ShownDataBase() const { return shown_; }
    TDBLookValidatorLink* Link() const;
    // The listed records of the selected rows, in row order.
    std::vector<TDBRecordObj*> SelectedRecords() const;

    // Copy: export of the selected rows to the clipboard, when a row is selected (the clipboard
    // is left alone otherwise). Cut: copy, then delete them. Paste: import from the clipboard.
    bool CopyToClipboard();
    bool CutToClipboard();
    bool PasteFromClipboard();

    bool HasControl() const override { return control_ != nullptr; }
    void ForgetDataBase() override;
    void RevealList() override;

    bool HasListData() const { return hasData_; }
    std::uint16_t DBTypeId() const { return dbTypeId_; }
    std::int16_t FilterIx() const { return filterIx_; }
    std::int16_t RecSelector() const { return recSelector_; }

protected:
    // Appends the selected rows' records (the same objects, not copies) to `target` under its
    // update lock, without taking them from the shown database: `target` has to give them back
    // unfreed (ExportSelected's temporary database does). Not public, since any other database
    // would end up owning records it does not hold.
    virtual void CopySelectedTo(TDataBase* target);
    bool AcceptsControl(ControlKind kind) const override;
    std::string ExpectedControls() const override { return "TListBox.. or TStringGrid.."; }
    std::size_t TransferBytes() const override { return hasData_ ? 14 : 0; }
    std::size_t FieldBytes() const override { return 4; }
    // Takes the collection the place names and follows its database of the list's type.
    void ReadField() override;
    void ShowValue() override {}
    void EmptyControl() override;

private:
    ListBoxControl* List() const;
    void Show(TDataBase* database);

    TDataBaseDscrObj* dscr_ = nullptr;
    TDataBase* shown_ = nullptr;
    RecordWindow* window_ = nullptr;
    bool hasData_ = false;
    std::uint16_t dbTypeId_ = 0;
    std::int16_t hiddenFilter_ = -1;
    std::int16_t filterIx_ = -1;
    std::int16_t recSelector_ = 0;
};

// ---- The database's registry of lists.

// Nothing when the validator already has a link; a selection not held by `database` counts as
// none; otherwise a new link is appended.
void RegisterLook(TDataBase& database, DBLookValidator* validator, TDBRecordObj* selection);
// The link forgets its validator and is freed.
void UnregisterLook(TDataBase& database, const DBLookValidator* validator);

} // namespace panolcd
