#pragma once
// Record types: ordered collections of field descriptors, and the collection of all record types
// of the application.
//
// Field offsets are never stored: every record-level operation walks the fields in order with a
// running data offset (and a transfer-buffer offset). The walks are bounded by the block they are
// given, so a field that would reach beyond it is left out instead of touching foreign bytes.

#include "framework/persistence/collection.h"
#include "framework/records/fieldtext.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

class TRecFieldTypeDscr;
class TDscrRecObj;
class TDBRecordObj;
class TDBColl;
class TDataBase;

// Bit 0 of RecAttrs: records own sub-databases that the database layer searches.
inline constexpr int kRecAttrOwnsSubDBs = 0;
// A column order names fields by 1-based number, at most this many positions.
inline constexpr std::size_t kColumnOrderMax = 64;
// Each field's slot in a column-ordered text holds at most this many characters.
inline constexpr std::size_t kColumnSlotMax = 79;

// Which fields a Line or Join text shows, and in which order; none = every field in order.
using ColumnOrder = std::optional<std::string_view>;

class TRecordTypeDscr : public TrbCollection {
public:
    std::string RecTypeName;
    std::string EditFormName;
    // Size caches; 0 = not yet computed.
    std::uint16_t RecSize = 0;
    std::uint16_t TrBuffSize = 0;
    // Evaluator collections (TSemEvalColl) or nil.
    std::unique_ptr<TrbStreamable> EventEvaluators;
    std::unique_ptr<TrbStreamable> RecEvaluators;
    std::uint8_t RecAttrs = 0;

    std::string ClassName() const override { return "TRecordTypeDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // The field descriptor at `index`, or nullptr (also for an item of another class).
    TRecFieldTypeDscr* Field(int index) const;

    std::uint16_t GetRecSize();
    std::uint16_t GetTrBuffSize();

    // `data` holds `size` record bytes, `buffer` `bufferSize` transfer bytes.
    void InitRecordValues(std::uint8_t* data, std::size_t size);
    // Clear `text`, build the form in it (never beyond `capacity`) and return its length.
    std::size_t GetLineAStr(std::uint8_t* data, std::size_t size, std::string& text,
                            std::size_t capacity, ColumnOrder order = {});
    std::size_t GetCWinAStr(std::uint8_t* data, std::size_t size, std::string& text,
                            std::size_t capacity);
    std::size_t GetCSV_AStr(std::uint8_t* data, std::size_t size, std::string& text,
                            std::size_t capacity);
    std::size_t GetJoinAStr(std::uint8_t* data, std::size_t size, std::string& text,
                            std::size_t capacity, ColumnOrder order = {});
    // The fields' texts of a form appended to `text` (for fields that nest a record).
    void AppendText(FieldTextForm form, std::uint8_t* data, std::size_t size, std::string& text,
                    std::size_t capacity, ColumnOrder order = {});

    void PutDataToTrBuff(const std::uint8_t* data, std::size_t size, std::uint8_t* buffer,
                         std::size_t bufferSize);
    // Sets `modified` when a field changed; never clears it.
    void GetDataFromTrBuff(std::uint8_t* data, std::size_t size, const std::uint8_t* buffer,
                           std::size_t bufferSize, bool& modified);
    void FreeTrBuffRec(std::uint8_t* buffer, std::size_t bufferSize);

    // The event evaluators' semantics run over `record`, then every field hears the event.
    void RecordEvent(TDscrRecObj& record, int event);
    // One semantics run over a record's bytes: record evaluators (phase 3), the fields' own
    // evaluators, record evaluators (phase 4), with the manager told the current record.
    void RunRecSemantics(TDscrRecObj& record, std::int16_t semId, int event, std::uint8_t* data,
                         std::size_t size);
    // The fields' evaluators only, each with its own data address.
    void RunFieldsSemantics(std::int16_t semId, int event, std::uint8_t* data, std::size_t size);

    void CheckDBPtrs(TDBColl* databases, std::uint8_t* data, std::size_t size, int& status);
    void LinkDBPtrs(TDataBase* database, TDBRecordObj* record, std::uint8_t* data,
                    std::size_t size);
    void EnsureDBPtrs(TDataBase* database, TDBRecordObj* record, std::uint8_t* data,
                      std::size_t size);

private:
    // Guards the size sums against a record type that nests itself.
    bool sizing_ = false;
};

class TRecTypesDscrColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TRecTypesDscrColl"; }
    // Computes every record type's sizes first, so a stored description carries them.
    void SaveToStream(TrbObjStream& stream) const override;

    // Computes every record type's sizes from its fields anew. A stored size that differs from
    // them (a damaged description, which would lay records out wrongly) is answered as the
    // failure text; empty when every stored size agrees.
    std::string RecomputeSizes() const;

    TRecordTypeDscr* RecordTypeAt(int index) const;
    // With `index` in range the item there, whatever its name; otherwise the first whose
    // RecTypeName equals `name` without regard to letter case, and `index` becomes its position.
    TRecordTypeDscr* GetRecordTypeDscr(std::string_view name, std::int16_t& index) const;

    // Each resolves the record type first and does nothing (answers 0 or false) without one.
    bool GetDscrRecAttrSetOK(std::string_view name, std::int16_t index,
                             std::uint8_t& attributes) const;
    std::uint16_t GetDscrRecTypeSize(std::string_view name, std::int16_t index) const;
    void InitDscrRecordValues(std::string_view name, std::int16_t index,
                              std::uint8_t* buffer) const;
    std::size_t GetDscrRecLineAStr(std::string_view name, std::int16_t index, ColumnOrder order,
                                   std::size_t capacity, std::string& text,
                                   std::uint8_t* data) const;
    std::size_t GetDscrRecJoinAStr(std::string_view name, std::int16_t index, ColumnOrder order,
                                   std::size_t capacity, std::string& text,
                                   std::uint8_t* data) const;
    std::size_t GetDscrRecCWinAStr(std::string_view name, std::int16_t index, std::size_t capacity,
                                   std::string& text, std::uint8_t* data) const;
    std::size_t GetDscrRecCSV_AStr(std::string_view name, std::int16_t index, std::size_t capacity,
                                   std::string& text, std::uint8_t* data) const;
    std::uint16_t GetDscrRecordTrBuffSize(std::string_view name, std::int16_t index) const;
    void PutDscrDataToTrBuff(std::string_view name, std::int16_t index, std::uint8_t* buffer,
                             const std::uint8_t* data) const;
    void GetDscrDataFromTrBuff(std::string_view name, std::int16_t index, bool& modified,
                               const std::uint8_t* buffer, std::uint8_t* data) const;
    void FreeDscrAllTrBuffRec(std::string_view name, std::int16_t index,
                              std::uint8_t* buffer) const;
};

// The record type at `index` of the application description, or nullptr.
TRecordTypeDscr* AppRecordTypeAt(std::int16_t index);
// The size of the record type at `index` of the application description; nullopt without one.
std::optional<std::uint16_t> AppRecordTypeSize(std::int16_t index);

// Registers the record type, record object, compound and case descriptor classes; run once at
// start-up.
void RegisterRecordTypeClasses();

} // namespace panolcd
