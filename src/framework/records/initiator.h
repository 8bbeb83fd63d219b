#pragma once
// Record initiators: one per stored value of a record, each with a column name, a current value
// (the default until an import changes it) and a token form. They build new records from their
// values and write and read the values of records as database text and CSV tokens.
//
// Hexadecimal tokens are the two's complement bit pattern of the value's width, so every value an
// initiator writes reads back unchanged.

#include "framework/persistence/streamable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

class TLexicalElemReader;
class TLexicalElemWriter;

// The collection of sub-databases of one record, as the database-pointer initiator needs it.
// Databases are streamable objects with a 16-bit instance number.
class NestedDatabaseHost {
public:
    virtual ~NestedDatabaseHost() = default;
    virtual void AdoptNestedDB(std::unique_ptr<TrbStreamable> database) = 0;
    // The first database with this instance number, or nil.
    virtual TrbStreamable* FindByInstance(std::int16_t instance) const = 0;
};

class TRecElIniciatorObj : public TrbStreamable {
public:
    static constexpr std::size_t kNameMax = 16;

    // Cut to 16 characters and at a zero byte (the name lives in a zero-terminated area).
    const std::string& IniName() const { return iniName_; }
    void SetIniName(std::string_view name);

    // Stream data: IniName as a ShortString, then the subclass's data.
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // The base class stands for a column without a value: an application description that
    // names it gets an internal error report when a value is read, and nothing else happens.
    std::string ClassName() const override { return "TRecElIniciatorObj"; }
    // Bytes of the value in the record.
    virtual std::uint16_t GetElSize() const { return 0; }
    // Writes the current value at `data`.
    virtual void AssignValue(std::uint8_t* /*data*/) const {}
    // Reads the value token into the current value (left unchanged when the token is bad); true
    // when a nested database follows.
    virtual bool ImportValue(TLexicalElemReader& reader);
    virtual std::int16_t GetDBInstance() const { return -1; }
    virtual void SetNestedDB(std::unique_ptr<TrbStreamable> /*database*/,
                             std::int16_t /*instance*/) {}
    virtual void HandNestedDB(NestedDatabaseHost& /*record*/) {}
    // Writes the token of the value at `data`.
    virtual void ExportValue(const std::uint8_t* /*data*/, TLexicalElemWriter& /*writer*/) {}
    virtual TrbStreamable* FindNestedDB(const NestedDatabaseHost* /*collection*/) {
        return nullptr;
    }

private:
    std::string iniName_;
};

class TByteElIniciatorObj : public TRecElIniciatorObj {
public:
    std::uint8_t Value = 0;

    std::string ClassName() const override { return "TByteElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 1; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

class TWordElIniciatorObj : public TRecElIniciatorObj {
public:
    std::uint16_t Value = 0;

    std::string ClassName() const override { return "TWordElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 2; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

// Reads any 32-bit pattern: "$80000000" is the minimum. A decimal token must be 0..4294967295.
class TIntegerElIniciatorObj : public TRecElIniciatorObj {
public:
    std::int32_t Value = 0;

    std::string ClassName() const override { return "TIntegerElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 4; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

// Kind 1: DOS date-time, kind 2: ZetTime, written as date-time texts; other kinds, and values
// whose text would not read back as the same value, as 8 hexadecimal digits.
class TDWordElIniciatorObj : public TRecElIniciatorObj {
public:
    static constexpr std::uint8_t kKindDos = 1;
    static constexpr std::uint8_t kKindZet = 2;

    std::uint32_t Value = 0;
    std::uint8_t Kind = 0;

    std::string ClassName() const override { return "TDWordElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 4; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

class TRealpElIniciatorObj : public TRecElIniciatorObj {
public:
    double Value = 0;

    std::string ClassName() const override { return "TRealpElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 8; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

// A ShortString of at most StoredSize-1 characters in StoredSize bytes. RecordChar is written as
// FileChar, so that a character that cannot stand between apostrophes survives the text form. A
// text that would not read back that way (it holds FileChar itself) is written in adjacent
// parts, double-quoted ones taken as they stand.
class TPStrElIniciatorObj : public TRecElIniciatorObj {
public:
    std::uint8_t StoredSize = 0;
    std::string Value; // empty = absent
    char RecordChar = 0;
    char FileChar = 0;

    std::string ClassName() const override { return "TPStrElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return StoredSize; }
    // With StoredSize <= 1 nothing is written: there is no room for a character.
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
    // The text as written: 'Menu A', or for a text holding FileChar "Menu `A`".
    std::string TextToken(const std::string& text) const;
};

// The instance number of a nested database. On import it keeps the database read after the
// record until the record is built; on export it remembers the instance it wrote so that the
// exporter can find the database to write after the record.
class TDBPtrElIniciatorObj : public TRecElIniciatorObj {
public:
    static constexpr std::int16_t kNoInstance = -1;

    std::int16_t Value = 0;

    std::string ClassName() const override { return "TDBPtrElIniciatorObj"; }
    void InitDefaults() override { Value = kNoInstance; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 2; }
    void AssignValue(std::uint8_t* data) const override;
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
    std::int16_t GetDBInstance() const override { return Value; }
    // Keeps the database (a database kept before is freed) and takes its instance number.
    void SetNestedDB(std::unique_ptr<TrbStreamable> database, std::int16_t instance) override;
    // Hands a kept database to the record and forgets it.
    void HandNestedDB(NestedDatabaseHost& record) override;
    // The database whose instance was last written, once: the value becomes -1.
    TrbStreamable* FindNestedDB(const NestedDatabaseHost* collection) override;

    const TrbStreamable* NestedDB() const { return nestedDB_.get(); }

private:
    std::unique_ptr<TrbStreamable> nestedDB_;
};

// Scale 1..3: fixed point with that many decimals; other scales: hexadecimal.
class TSpecSmallIntElIniciatorObj : public TRecElIniciatorObj {
public:
    std::int16_t Value = 0;
    std::uint8_t Scale = 0;

    std::string ClassName() const override { return "TSpecSmallIntElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 2; }
    void AssignValue(std::uint8_t* data) const override;
    // Scale 0: a 16-bit pattern ($FFFB is -5) or a decimal -32768..32767. Scaled: the real
    // times the scale's power of ten, rounded, beyond the range taken as its end.
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

class TSpecLIntElIniciatorObj : public TRecElIniciatorObj {
public:
    std::int32_t Value = 0;
    std::uint8_t Scale = 0;

    std::string ClassName() const override { return "TSpecLIntElIniciatorObj"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetElSize() const override { return 4; }
    void AssignValue(std::uint8_t* data) const override;
    // Scale 0: any 32-bit pattern. Scaled: as the small integer, within the 32-bit range.
    bool ImportValue(TLexicalElemReader& reader) override;
    void ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) override;
};

// Token texts of the initiators.
// "$" and `digits` upper-case hexadecimal digits of the value's low bits.
std::string HexToken(std::uint64_t value, int digits);
// One integer digit, a point, 14 decimals, "E", a sign and 4 exponent
// digits: 1.50000000000000E+0000.
std::string RealToken(double value);
// The value divided by 10^scale with `scale` decimals, unpadded: 1234 at scale 2 is 12.34.
std::string ScaledToken(std::int64_t value, int scale);

// Registers the initiator classes and their collection with the class registry; run once at
// start-up.
void RegisterInitiatorClasses();

} // namespace panolcd
