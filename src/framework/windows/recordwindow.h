#pragma once
// What the edit logic of a record window needs of the window itself, and the start data a record
// window is created with. The Qt windows implement RecordWindow; tests use a fake one.

#include "framework/dataentry/validator.h"
#include "framework/records/recordscontext.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace panolcd {

class DBLookValidator;
class StatusPort;
class TDataBase;
class TDBRecordObj;
class TUDBEdit_Validator;

// The start data of a record window: which record of which database it edits. In a transfer
// buffer the two references are 4-byte handles (RecordsCtx().handles), then three 16-bit values,
// all little-endian: 14 bytes.
struct TProjectPosRec {
    static constexpr std::size_t kSize = 14;

    TDataBase* DataBase = nullptr;
    // None: a new record.
    TDBRecordObj* DBRecord = nullptr;
    // Outside 0 .. count - 1 (and -1): append.
    std::int16_t InsertPos = -1;
    std::int16_t RecSelector = 0;
    // The database descriptor's filter that checks the record; -1 none.
    std::int16_t FilterIx = -1;

    // Registers the references in the handle table. `buffer` holds at least kSize bytes.
    void WriteTo(std::span<std::uint8_t> buffer) const;
    // A handle that no longer names an object of the expected class raises ExcValidators: a
    // window must not edit something else than it was opened on. A short buffer raises too.
    static TProjectPosRec ReadFrom(std::span<const std::uint8_t> buffer);
};

// The start data a main window hands each child it creates. Every filling is borrowed: the
// storage stays with whoever filled the buffer.
class TTransferBuffObj {
public:
    // Empty data or size 0 leaves the buffer empty.
    void SetTrBuff(std::uint8_t* data, std::size_t size);
    void ClearTrBuff();
    std::span<std::uint8_t> TrBuffData() const { return {data_, size_}; }
    bool Borrowed() const { return borrowed_; }

private:
    bool borrowed_ = false;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// A record window as its edit validator sees it. Every window of this system has one edit
// panel, number 0.
class RecordWindow {
public:
    virtual ~RecordWindow() = default;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    // The edit panel's transfer buffer (the record type's transfer size); empty = none.
    virtual TrBuffer GetEditPanBuff(int panel) = 0;
    // Maps the edit controls and their validators onto the buffer.
    virtual void MapEditPan(int panel, TrBuffer buffer) = 0;
    virtual bool ValidateEditPan(int panel) = 0;
    virtual void MarkEditPanModified(int panel) = 0;
    virtual void ClearEditPanModified(int panel) = 0;
    virtual bool IsEditPanModified(int panel) const = 0;

    // A 4-byte place for the handle of the edited record's sub-database collection; empty for a
    // window without record lists.
    virtual TrBuffer GetLookPanBuff(TUDBEdit_Validator& /*validator*/) { return {}; }
    virtual void MapLookPan(TrBuffer /*place*/) {}
    // Brings the page that holds the list to the front.
    virtual void ShowLookPage(DBLookValidator& /*list*/) {}

    // Restores a minimized window and brings it to the front.
    virtual void ShowEditWindow() = 0;
    // Close without the modified-panel question.
    virtual void SetNoAskClose(bool noAsk) = 0;
    // Asks the window to close; the window system frees it later, never inside this call.
    virtual void CloseWindow() = 0;
};

// The main window as record windows see it.
class RecordWindowHost {
public:
    virtual ~RecordWindowHost() = default;
    virtual TTransferBuffObj& TransferBuffer() = 0;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    // Where the windows show their status texts; none without a status bar.
    virtual StatusPort* Status() { return nullptr; }
};

// The busy cursor for a scope.
class BusyCursorGuard {
public:
    explicit BusyCursorGuard(RecordWindowHost* host) : host_(host) {
        if (host_ != nullptr)
            host_->BeginBusy();
    }
    ~BusyCursorGuard() {
        if (host_ != nullptr)
            host_->EndBusy();
    }
    BusyCursorGuard(const BusyCursorGuard&) = delete;
    BusyCursorGuard& operator=(const BusyCursorGuard&) = delete;

private:
    RecordWindowHost* host_;
};

// The window's panel operations over its record validators, and the close query. Record windows
// (Qt and fake) derive from it.
class TUDBFormCore : public RecordWindow {
public:
    bool ValidateEditPan(int /*panel*/) override { return EditPan.ValidateAndStore(); }
    void MarkEditPanModified(int /*panel*/) override { EditPan.MarkModified(); }
    void ClearEditPanModified(int /*panel*/) override { EditPan.ClearModified(); }
    bool IsEditPanModified(int /*panel*/) const override { return EditPan.IsModified(); }
    void StoreEditPan() { EditPan.StoreAll(); }
    void StoreLookPan() { LookPan.StoreAll(); }
    bool ValidateLookPan() { return LookPan.ValidateAndStore(); }

    void SetNoAskClose(bool noAsk) override { NoAskClose = noAsk; }
    // Whether the window may close: unless NoAskClose, a modified panel asks "Editační panel
    // změněn" / "Uzavřít okénko ?" and only Yes closes (edits lost).
    bool CloseQuery();

    TRecordValidator EditPan;
    TRecordValidator LookPan;
    bool NoAskClose = false;
};

} // namespace panolcd
