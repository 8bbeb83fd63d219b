#pragma once
// The integer field family: 8-, 16- and 32-bit fields, with limits for the editing controls and
// value kinds (the TSpec classes) that show a scaled value, a time or a date.

#include "framework/records/fielddscr.h"

namespace panolcd {

class TByteRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::uint8_t Default = 0;

    std::string ClassName() const override { return "TByteRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 1; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Transfer slot: value, minimum, maximum.
class TByteLimRecFieldDscr : public TByteRecFieldDscr {
public:
    std::uint8_t Min = 0;
    std::uint8_t Max = 0;

    std::string ClassName() const override { return "TByteLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

class TWordRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::uint16_t Default = 0;

    std::string ClassName() const override { return "TWordRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 2; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// ValueKind: 0 integer, 1 seconds as time text, 2..4 value / 10, 100, 1000 as a real.
class TSpecWordRecFieldDscr : public TWordRecFieldDscr {
public:
    std::uint8_t ValueKind = 0;
    std::uint8_t Decimals = 0;

    std::string ClassName() const override { return "TSpecWordRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TWordLimRecFieldDscr : public TWordRecFieldDscr {
public:
    std::uint16_t Min = 0;
    std::uint16_t Max = 0;

    std::string ClassName() const override { return "TWordLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// Shows and edits the stored value minus Offset.
class TWordOffsRecFieldDscr : public TWordRecFieldDscr {
public:
    std::uint16_t Offset = 0;

    std::string ClassName() const override { return "TWordOffsRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TSmallIntRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::int16_t Default = 0;

    std::string ClassName() const override { return "TSmallIntRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 2; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TSmallIntLimRecFieldDscr : public TSmallIntRecFieldDscr {
public:
    std::int16_t Min = 0;
    std::int16_t Max = 0;

    std::string ClassName() const override { return "TSmallIntLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// ValueKind: 0 integer, 1..3 value / 10, 100, 1000 as a real.
class TSpecSmallIntRecFieldDscr : public TSmallIntRecFieldDscr {
public:
    std::uint8_t ValueKind = 0;
    std::uint8_t Decimals = 0;

    std::string ClassName() const override { return "TSpecSmallIntRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// Transfer slot: value, minimum, maximum, ValueKind, Decimals.
class TSpecSmallIntLimRecFieldDscr : public TSpecSmallIntRecFieldDscr {
public:
    std::int16_t Min = 0;
    std::int16_t Max = 0;

    std::string ClassName() const override { return "TSpecSmallIntLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

class TIntegerRecFieldDscr : public TRecFieldTypeDscr {
public:
    std::int32_t Default = 0;

    std::string ClassName() const override { return "TIntegerRecFieldDscr"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return 4; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TLIntRecFieldDscr : public TIntegerRecFieldDscr {
public:
    std::string ClassName() const override { return "TLIntRecFieldDscr"; }
};

// ValueKind: 0 integer, 1..3 value / 10, 100, 1000 as a real.
class TSpecLIntRecFieldDscr : public TLIntRecFieldDscr {
public:
    std::uint8_t ValueKind = 0;
    std::uint8_t Decimals = 0;

    std::string ClassName() const override { return "TSpecLIntRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TLIntLimRecFieldDscr : public TLIntRecFieldDscr {
public:
    std::int32_t Min = 0;
    std::int32_t Max = 0;

    std::string ClassName() const override { return "TLIntLimRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// ValueKind: 0 signed integer, 1 DOS date-time, 2 ZetTime, 3 seconds as time text.
class TDWordRecFieldDscr : public TLIntRecFieldDscr {
public:
    std::uint8_t ValueKind = 0;

    std::string ClassName() const override { return "TDWordRecFieldDscr"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

} // namespace panolcd
