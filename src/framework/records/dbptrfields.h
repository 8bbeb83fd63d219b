#pragma once
// Database-pointer fields: a 16-bit instance address in the record that names a sub-database of
// the record (-1 none).

#include "framework/records/fielddscr.h"

#include <optional>

namespace panolcd {

class TDynDBPtrRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::int16_t Default = -1;
    std::uint16_t DB_TypeID = 0;

    std::string ClassName() const override { return "TDynDBPtrRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 2; }
    void InitFieldValue(std::uint8_t* data) const override;
    // Address and DB_TypeID.
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    // The address comes back without marking the record modified.
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
    void CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const override;
    void LinkDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void EnsureDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;

protected:
    virtual int LinkFilterIx() const { return -1; }
    virtual std::optional<std::int16_t> LinkSelector() const { return std::nullopt; }
};

// Creates its sub-database's default record of the record type that Selector picks, as seen
// through the filter FilterIx.
class THiddenDynDBPtrRecFieldDscr : public TDynDBPtrRecFieldDscr {
public:
    std::int16_t Selector = 0;
    std::int16_t FilterIx = -1;

    std::string ClassName() const override { return "THiddenDynDBPtrRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    // Address, DB_TypeID, Selector, FilterIx.
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;

protected:
    int LinkFilterIx() const override { return FilterIx; }
    std::optional<std::int16_t> LinkSelector() const override { return Selector; }
};

} // namespace panolcd
