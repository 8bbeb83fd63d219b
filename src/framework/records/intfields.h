#pragma once
// The integer field family: 8-, 16- and 32-bit fields, with limits for the editing controls and
// value kinds (the TSpec classes) that show a scaled value, a time or a date.
//
// The plain classes differ only in value type and hex-digit count, so they share
// IntegerFieldOf; the limit and value-kind classes add their data through WithLimits and
// WithValueKind. Each named class still derives from the parent the stream format names (so
// TLIntRecFieldDscr is no TIntegerRecFieldDscr, though both share the template). The templates
// are instantiated in intfields.cpp for the classes below only.

#include "framework/records/fielddscr.h"

#include <type_traits>

namespace panolcd {

// A field of one little-endian integer of type T, shown with `HexDigits` digits under fHex.
// Transfer slot: the value.
template <class T, int HexDigits> class IntegerFieldOf : public TRecFieldTypeDscr {
public:
    using ValueType = T;
    static constexpr std::uint16_t kValueSize = sizeof(T);

    T Default = 0;

    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetFieldSize() const override { return kValueSize; }
    void InitFieldValue(std::uint8_t* data) const override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
    void GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                           bool& modified) const override;

    static T ValueOf(const std::uint8_t* data);

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
    // The integer rendering of a value of this field's type.
    std::string ValueTextOf(T value, const FieldTextContext& context) const;
};

// Adds the limits of the editing control. Transfer slot: value, minimum, maximum; the value
// comes back.
template <class Base> class WithLimits : public Base {
public:
    using typename Base::ValueType;

    ValueType Min = 0;
    ValueType Max = 0;

    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// Adds ValueKind and Decimals. Kinds FirstScaledKind .. FirstScaledKind+2 show the value divided
// by 10, 100 and 1000 as a real with Decimals decimals; other kinds are left to the subclass or
// the plain integer.
template <class Base, int FirstScaledKind> class WithValueKind : public Base {
public:
    std::uint8_t ValueKind = 0;
    std::uint8_t Decimals = 0;

    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

// --- 8 bit ------------------------------------------------------------------------------------

class TByteRecFieldDscr : public IntegerFieldOf<std::uint8_t, 2> {
public:
    std::string ClassName() const override { return "TByteRecFieldDscr"; }
};

class TByteLimRecFieldDscr : public WithLimits<TByteRecFieldDscr> {
public:
    std::string ClassName() const override { return "TByteLimRecFieldDscr"; }
};

// --- 16 bit unsigned --------------------------------------------------------------------------

class TWordRecFieldDscr : public IntegerFieldOf<std::uint16_t, 4> {
public:
    std::string ClassName() const override { return "TWordRecFieldDscr"; }
};

// ValueKind: 0 integer, 1 seconds as time text, 2..4 value / 10, 100, 1000 as a real.
class TSpecWordRecFieldDscr : public WithValueKind<TWordRecFieldDscr, 2> {
public:
    std::string ClassName() const override { return "TSpecWordRecFieldDscr"; }

protected:
    std::string ValueText(std::uint8_t* data, const FieldTextContext& context) const override;
};

class TWordLimRecFieldDscr : public WithLimits<TWordRecFieldDscr> {
public:
    std::string ClassName() const override { return "TWordLimRecFieldDscr"; }
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

// --- 16 bit signed ----------------------------------------------------------------------------

class TSmallIntRecFieldDscr : public IntegerFieldOf<std::int16_t, 4> {
public:
    std::string ClassName() const override { return "TSmallIntRecFieldDscr"; }
};

class TSmallIntLimRecFieldDscr : public WithLimits<TSmallIntRecFieldDscr> {
public:
    std::string ClassName() const override { return "TSmallIntLimRecFieldDscr"; }
};

// ValueKind: 0 integer, 1..3 value / 10, 100, 1000 as a real.
class TSpecSmallIntRecFieldDscr : public WithValueKind<TSmallIntRecFieldDscr, 1> {
public:
    std::string ClassName() const override { return "TSpecSmallIntRecFieldDscr"; }
};

// Transfer slot: value, minimum, maximum, ValueKind, Decimals.
class TSpecSmallIntLimRecFieldDscr : public WithLimits<TSpecSmallIntRecFieldDscr> {
public:
    std::string ClassName() const override { return "TSpecSmallIntLimRecFieldDscr"; }
    std::uint16_t GetTrBuffSize() const override;
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

// --- 32 bit -----------------------------------------------------------------------------------

class TIntegerRecFieldDscr : public IntegerFieldOf<std::int32_t, 8> {
public:
    std::string ClassName() const override { return "TIntegerRecFieldDscr"; }
};

class TLIntRecFieldDscr : public IntegerFieldOf<std::int32_t, 8> {
public:
    std::string ClassName() const override { return "TLIntRecFieldDscr"; }
};

// ValueKind: 0 integer, 1..3 value / 10, 100, 1000 as a real.
class TSpecLIntRecFieldDscr : public WithValueKind<TLIntRecFieldDscr, 1> {
public:
    std::string ClassName() const override { return "TSpecLIntRecFieldDscr"; }
};

class TLIntLimRecFieldDscr : public WithLimits<TLIntRecFieldDscr> {
public:
    std::string ClassName() const override { return "TLIntLimRecFieldDscr"; }
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

extern template class IntegerFieldOf<std::uint8_t, 2>;
extern template class IntegerFieldOf<std::uint16_t, 4>;
extern template class IntegerFieldOf<std::int16_t, 4>;
extern template class IntegerFieldOf<std::int32_t, 8>;
extern template class WithLimits<TByteRecFieldDscr>;
extern template class WithLimits<TWordRecFieldDscr>;
extern template class WithLimits<TSmallIntRecFieldDscr>;
extern template class WithLimits<TSpecSmallIntRecFieldDscr>;
extern template class WithLimits<TLIntRecFieldDscr>;
extern template class WithValueKind<TWordRecFieldDscr, 2>;
extern template class WithValueKind<TSmallIntRecFieldDscr, 1>;
extern template class WithValueKind<TLIntRecFieldDscr, 1>;

} // namespace panolcd
