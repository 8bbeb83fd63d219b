#pragma once
// Fields that nest a whole record: the compound field, and what it shares with the case fields
// (variant records). The nested record type is found by index in the application description.

#include "framework/records/fielddscr.h"

#include <cstdint>

namespace panolcd {

class TDscrRecObj;
class TRecordTypeDscr;

// A field that nests a record hears record events together with the record object, which the
// base RecordEvent (a database record only) cannot hand on to the nested record type.
class NestedRecordEvents {
public:
    virtual ~NestedRecordEvents() = default;
    virtual void NestedRecordEvent(TDscrRecObj& record, int event) const = 0;
};

// Counts how deep nested records are entered, so a record type that contains itself (directly
// or through others) ends instead of recursing without bound.
class NestingScope {
public:
    static constexpr int kMaxDepth = 16;
    NestingScope() { ++depth_; }
    ~NestingScope() { --depth_; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;
    bool Allowed() const { return depth_ <= kMaxDepth; }

private:
    static inline int depth_ = 0;
};

// The field's caption before a nested record's text, under the form's caption flags (the CSV
// form has none).
void AppendNestedCaption(const TRecFieldTypeDscr& field, FieldTextForm form, std::string& text,
                         std::size_t capacity);

// The record type RecTypeIx, laid out in the field's bytes.
class TCompoundTDscr : public TRecFieldTypeDscr, public NestedRecordEvents {
public:
    std::int16_t RecTypeIx = 0;

    std::string ClassName() const override { return "TCompoundTDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // The nested record's size; 0 (reported once) when its record type does not exist.
    std::uint16_t GetFieldSize() const override;
    void InitFieldValue(std::uint8_t* data) const override;
    void GetLineAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCWinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetCSV_AStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    void GetJoinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;
    void FreeTrBuffRec(std::uint8_t* buffer) const override;
    void RunFieldSemantics(std::int16_t semId, int event, SemData data) const override;
    void CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const override;
    void LinkDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void EnsureDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const override;
    void NestedRecordEvent(TDscrRecObj& record, int event) const override;

    TRecordTypeDscr* NestedType() const;

private:
    void AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                    std::size_t capacity) const;

    mutable bool reported_ = false;
};

} // namespace panolcd
