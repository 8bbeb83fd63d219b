#pragma once
// Database descriptors: what a database type means (record layout, capacity, key inheritance,
// filters, caption, record semantics, text-exchange initiators), kept sorted by DB_TypeID in the
// application description.

#include "framework/persistence/collection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TDataBaseDscrObj;
class TDBRecordObj;
class TDscrAssignTable;
class TRecIniciatorColl;

// DBFlags bits.
inline constexpr std::uint8_t kDBGlobalRoot = 0x01;
inline constexpr std::uint8_t kDBDefaultRecord = 0x02;
inline constexpr std::uint8_t kDBInheritAux = 0x04;
inline constexpr std::uint8_t kDBInheritBoth = 0x08;
inline constexpr std::uint8_t kDBSecondGlobal = 0x10;
inline constexpr std::uint8_t kDBKeepEmpty = 0x20;

// The filters of concrete database types derive from it; the base accepts everything.
class TDBFilterValidator : public TrbStreamable {
public:
    // Set when the owning descriptor is loaded or built; not stored.
    TDataBaseDscrObj* Descriptor = nullptr;

    std::string ClassName() const override { return "TDBFilterValidator"; }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    virtual bool CheckInsert(TDataBase& /*database*/, TDBRecordObj& /*record*/) { return true; }
    virtual bool CheckReplace(TDataBase& /*database*/, TDBRecordObj& /*stored*/,
                              TDBRecordObj& /*record*/) {
        return true;
    }
    virtual bool AcceptRecord(TDataBase& /*database*/, TDBRecordObj& /*record*/) { return true; }
    virtual void InitNewRecord(TDataBase& /*database*/, TDBRecordObj& /*record*/) {}
    // Key kind 0: the filter has no key.
    virtual void GetFilterKey(TDataBase& /*database*/, TDBRecordObj& /*record*/, std::int32_t& key,
                              std::uint8_t& keyKind) {
        key = 0;
        keyKind = 0;
    }
};

class TDBFilterValColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TDBFilterValColl"; }
    // Nil for a negative index, one out of range or an item of another class.
    TDBFilterValidator* Filter(int index) const;
};

// Computes a database caption through a procedure bound at run time.
class TDBCaptionObj : public TrbStreamable {
public:
    std::function<std::string(const TDataBase&)> CaptionProc;

    std::string ClassName() const override { return "TDBCaptionObj"; }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}
    // Empty when no procedure is bound.
    std::string GetDBCaption(const TDataBase& database) const;
};

class TDataBaseDscrObj : public TrbStreamable {
public:
    std::string Name;
    std::int16_t CaptionId = -1;
    std::uint16_t DB_TypeID = 0;
    std::uint8_t DBFlags = 0;
    std::uint16_t MaxRecords = 0;
    std::uint16_t RecSize = 0;
    // Empty = none; otherwise RecSize bytes.
    std::vector<std::uint8_t> TemplateRec;
    // Stored with the descriptor, not interpreted by the database layer.
    std::uint8_t Kind = 0;
    std::int16_t DefaultRecTypeIx = -1;
    std::int16_t SelectorOffset = 0;
    std::int16_t Extra1 = 0;
    std::int16_t Extra2 = 0;
    std::int16_t SavedSemId = -1;
    std::unique_ptr<TDscrAssignTable> AssignTable;
    std::unique_ptr<TRecIniciatorColl> Iniciators;
    std::unique_ptr<TDBFilterValColl> Filters;
    // A TSemEvalColl or nil.
    std::unique_ptr<TrbStreamable> RecSemantics;
    std::unique_ptr<TDBCaptionObj> CaptionObj;

    TDataBaseDscrObj();
    ~TDataBaseDscrObj() override;

    std::string ClassName() const override { return "TDataBaseDscrObj"; }
    void InitDefaults() override { CaptionId = -1; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    bool HasFlag(std::uint8_t flag) const { return (DBFlags & flag) != 0; }
    // The record type index of a record's bytes: the assign table's at SelectorOffset, or
    // DefaultRecTypeIx when there is no table, it gives -1 or the record is too short.
    std::int16_t RecTypeIxOf(const std::vector<std::uint8_t>& data) const;
    // The record type index of a selector value given apart from a record.
    std::int16_t RecTypeIxOfSelector(std::int16_t selector) const;
    std::string Caption() const;
    TDBFilterValidator* Filter(int index) const;
    // The ids of the record semantics, in order.
    std::vector<std::int16_t> RecSemanticsIds() const;
    // Ties every filter to this descriptor.
    void LinkFilters();
};

class TDataBaseDscrColl : public TrbSortedCollection {
public:
    std::string ClassName() const override { return "TDataBaseDscrColl"; }
    KeyRef KeyOf(const TrbStreamable* item) const override;
    int Compare(KeyRef key1, KeyRef key2) const override;

    TDataBaseDscrObj* DscrAt(int index) const;
    TDataBaseDscrObj* GetDataBaseDscrObj(std::uint16_t dbTypeId) const;
    // Checks every descriptor's sizes against the record types and initiators; reports the
    // first mismatch as an internal error and answers false.
    bool TestAllTypeDscrs() const;
};

// The descriptor of a type in the application description of the process, or nullptr.
TDataBaseDscrObj* AppDataBaseDscr(std::uint16_t dbTypeId);

} // namespace panolcd
