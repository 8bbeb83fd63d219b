#pragma once
// Case fields: variant records. A selector picks the variant's record type through the assign
// table; RecTypeIx names the default variant, which also stands in for a selector the table
// does not know. Variants are laid out only within the field's own bytes and transfer slot.

#include "framework/records/assigntable.h"
#include "framework/records/compoundfield.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace panolcd {

// What both case families keep: the default variant, the table for the others, and the state
// that keeps the variant length test and the empty-default report to once per descriptor.
class CaseVariants {
public:
    std::int16_t RecTypeIx = 0;
    std::unique_ptr<TDscrAssignTable> AssignTable; // or nil: always the default variant

    // The variant the selector byte at `selector` picks.
    TRecordTypeDscr* Variant(const std::uint8_t* selector) const;

protected:
    void SaveCaseData(TrbObjStream& stream) const;
    void LoadCaseData(TrbObjStream& stream);
    // `offset` + the default variant's size, or 0 when there is no room for a variant.
    std::uint16_t CaseFieldSize(std::uint16_t offset, std::string_view emptyReport) const;
    // `offset` + the largest transfer size among the default variant and the table's variants.
    std::uint16_t CaseTrBuffSize(std::uint16_t offset) const;
    void DefaultVariantEvent(TDscrRecObj& record, int event) const;

private:
    mutable bool lengthTested_ = false;
    mutable bool reported_ = false;
};

// The field is one variant record whose first byte is the selector.
class TAbstractCaseTypeDscr : public TRecFieldTypeDscr, public CaseVariants {
public:
    std::string ClassName() const override { return "TAbstractCaseTypeDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

class TByteCaseTypeDscr : public TAbstractCaseTypeDscr, public NestedRecordEvents {
public:
    std::uint8_t DefaultSelector = 0;

    std::string ClassName() const override { return "TByteCaseTypeDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // The default variant's size; the first time, every variant is checked against it.
    std::uint16_t GetFieldSize() const override;
    void InitFieldValue(std::uint8_t* data) const override;
    void GetLineAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCWinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCSV_AStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetJoinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    // The largest transfer size among the default variant and the variants of the table.
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
    void FreeTrBuffRec(std::uint8_t* buffer) const override;
    void RunFieldSemantics(std::int16_t semId, int event, SemData data) const override;
    void CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const override;
    void LinkDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void EnsureDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    // Record events go to the default variant.
    void NestedRecordEvent(TDscrRecObj& record, int event) const override;
};

// The field is a selector byte followed by the variant record.
class TCaseTDscr : public TRecFieldTypeDscr, public CaseVariants {
public:
    std::string ClassName() const override { return "TCaseTDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

class TByteCaseTDscr : public TCaseTDscr, public NestedRecordEvents {
public:
    std::uint8_t DefaultSelector = 0;

    std::string ClassName() const override { return "TByteCaseTDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // 1 + the default variant's size; the first time, every variant is checked against it.
    std::uint16_t GetFieldSize() const override;
    void InitFieldValue(std::uint8_t* data) const override;
    void GetLineAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCWinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCSV_AStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetJoinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    // 1 + the largest transfer size among the default variant and the variants of the table.
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    // A changed selector is taken alone: the record gets it and the new variant's defaults.
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
    void FreeTrBuffRec(std::uint8_t* buffer) const override;
    void RunFieldSemantics(std::int16_t semId, int event, SemData data) const override;
    void CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const override;
    void LinkDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void EnsureDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void NestedRecordEvent(TDscrRecObj& record, int event) const override;
};

} // namespace panolcd
