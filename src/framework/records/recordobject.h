#pragma once
// TDscrRecObj: a record's bytes paired with its record type — the unit that databases hold,
// dialogs edit and streams store. The record type is found in the application description by
// index or name and cached; without one every record-level operation does nothing.

#include "framework/environment/ports.h"
#include "framework/persistence/streamable.h"
#include "framework/records/recordtype.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TDBRecordObj;

// Record events: 2 after creation, loading and InitRecValues; 3 when the owner raises it.
inline constexpr int kRecEventStore = 2;
inline constexpr int kRecEventWriteOut = 3;
// Record type names are compared in at most this many characters.
inline constexpr std::size_t kRecTypeNameMax = 63;

class TDscrRecObj : public TrbStreamable {
public:
    std::int16_t RecTypeIx = -1;
    std::string RecTypeName;
    // The record; empty = no data. DataSize is its size.
    std::vector<std::uint8_t> RecData;
    // Writing to a stream clears it, hence mutable.
    mutable bool Modified = false;

    std::string ClassName() const override { return "TDscrRecObj"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    // A TDscrRecObj source copies itself in through its AssignTo.
    void Assign(const TrbStreamable& source) override;

    // Copies this record into `target`, which must be a record object of this class or a base.
    virtual void AssignTo(TrbStreamable& target) const;
    virtual bool IsModified() const { return Modified; }
    virtual void ClearModified() { Modified = false; }
    // The database record behind this object (a database record answers itself), for the field
    // descriptors that tie records to sub-databases.
    virtual TDBRecordObj* DBRecord() { return nullptr; }

    // Second construction steps. Create: a record of defaults (event 2). CreateFromData: the
    // record made from `size` source bytes; `failed` when no block could be made.
    void Create(std::string_view name, std::int16_t index);
    void CreateFromData(std::string_view name, std::int16_t index, const std::uint8_t* source,
                        std::size_t size, bool& failed);

    std::uint16_t DataSize() const { return static_cast<std::uint16_t>(RecData.size()); }
    bool HasData() const { return !RecData.empty(); }

    TRecordTypeDscr* ResolveRecType();
    std::int16_t GetRecTypeIx();

    void InitRecValues();
    bool TestRecAttr(int bit);

    // The texts of the record in `text` (cleared first); the answer is the length.
    std::size_t GetLineAStr(std::string& text, std::size_t capacity, ColumnOrder order = {});
    std::size_t GetCWinAStr(std::string& text, std::size_t capacity);
    std::size_t GetCSV_AStr(std::string& text, std::size_t capacity);
    std::size_t GetJoinAStr(std::string& text, std::size_t capacity, ColumnOrder order = {});

    // The buffer holds GetTrBuffSize bytes.
    std::uint16_t GetTrBuffSize();
    void PutDataToTrBuff(std::uint8_t* buffer);
    void GetDataFromTrBuff(const std::uint8_t* buffer);
    void FreeTrBuffRec(std::uint8_t* buffer);

    std::string EditFormName();
    // Runs the dialog registered under EditFormName on a transfer buffer of the record; OK takes
    // the buffer back. Answers the dialog's result (None when none ran).
    DialogResult EditRecord();

    void RunRecSemantics(std::int16_t semId, int event);
    // Raises a record event (2 or 3) over this record.
    void RecordEvent(int event);

protected:
    // True when `source` is of this object's class or a descendant; subclasses narrow it.
    virtual bool TakesFrom(const TrbStreamable& source) const;

private:
    // Looks the record type up (and caches it) without touching the data.
    TRecordTypeDscr* FindRecType();
    // The record type when the record has data laid out by it.
    TRecordTypeDscr* TypedData();
    // Brings a block read for this record type to the type's size, reporting the difference.
    void FitDataToRecType(TRecordTypeDscr& type, std::string_view where);
    void MakeDefaultBlock(TRecordTypeDscr& type);

    TRecordTypeDscr* recType_ = nullptr;
};

} // namespace panolcd
