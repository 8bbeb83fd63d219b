#pragma once
// TRecFieldTypeDscr: what one field of a record means. Descriptors are read from the application
// description; a record type walks them in order with running offsets, so a descriptor only ever
// sees the address of its own field (data) and of its own transfer-buffer slot (buffer).

#include "framework/persistence/streamable.h"
#include "framework/records/fieldflags.h"
#include "framework/records/fieldtext.h"
#include "framework/records/semantics.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace panolcd {

class TDBRecordObj;
class TDBColl;
class TDataBase;

// Longest caption shown.
inline constexpr std::size_t kCaptionMax = 63;

class TRecFieldTypeDscr : public TrbStreamable {
public:
    std::string FieldName; // empty = absent
    std::uint16_t FieldSize = 0;
    std::string Caption; // empty = absent
    std::int16_t CaptionId = 0;
    std::uint16_t Flags = 0;
    std::uint8_t LineWidth = 0;
    std::uint8_t CWinWidth = 0;
    std::uint8_t CSVWidth = 0;
    std::uint8_t JoinWidth = 0;
    // A TSemEvalColl or nil.
    std::unique_ptr<TrbStreamable> Evaluators;

    std::string ClassName() const override { return "TRecFieldTypeDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    virtual std::uint16_t GetFieldSize() const { return FieldSize; }
    virtual void InitFieldValue(std::uint8_t* data) const;
    // Append a text form of the field to `text`, which never grows beyond `capacity`. Data is
    // writable because a damaged text length is corrected in the record.
    virtual void GetLineAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const;
    virtual void GetCWinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const;
    virtual void GetCSV_AStr(std::uint8_t* data, std::string& text, std::size_t capacity) const;
    virtual void GetJoinAStr(std::uint8_t* data, std::string& text, std::size_t capacity) const;
    virtual std::uint16_t GetTrBuffSize() const;
    virtual void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const;
    // Sets `modified` when the record changes; never clears it.
    virtual void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                   bool& modified) const;
    virtual void FreeTrBuffRec(std::uint8_t* buffer) const;
    // `data` is the field, bounded by its size.
    virtual void RunFieldSemantics(std::int16_t semId, int event, SemData data) const;
    virtual void RecordEvent(TDBRecordObj* record, int event) const;
    virtual void CheckDBPtr(TDBColl* databases, std::uint8_t* data, int& status) const;
    virtual void LinkDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const;
    virtual void EnsureDBPtr(TDataBase* database, TDBRecordObj* record, std::uint8_t* data) const;

    // The caption shown (resource text or Caption), at most 63 characters; empty for none.
    std::string GetCaption() const;
    bool HasFlag(std::uint16_t flag) const { return (Flags & flag) != 0; }

protected:
    // Appends the caption and value of one form; the four text operations call it.
    void AppendForm(FieldTextForm form, std::uint8_t* data, std::string& text,
                    std::size_t capacity) const;
    FieldTextContext ContextFor(FieldTextForm form) const;
    // The value part of a form. Base: every byte as "$hh" with fHex, else blanks of the width.
    virtual std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const;

    // Renderings shared by the families.
    std::string IntegerText(std::int64_t value, std::uint64_t bits, int hexDigits,
                            const FieldTextContext& context) const;
    std::string RealText(double value, int decimals, const FieldTextContext& context) const;
    std::string Aligned(std::string text, const FieldTextContext& context) const;
};

// Copies `count` bytes from a transfer slot back into the record; sets `modified` on change.
void CopyBackToRecord(std::uint8_t* data, const std::uint8_t* buffer, std::size_t count,
                      bool& modified);

} // namespace panolcd
