#include "framework/records/intfields.h"

#include "common/littleendian.h"
#include "framework/persistence/objstream.h"
#include "framework/records/datetime.h"

#include <algorithm>

namespace panolcd {
namespace {

// Writes transfer-slot items one after another.
class SlotWriter {
public:
    explicit SlotWriter(std::uint8_t* buffer) : p_(buffer) {}
    template <class T> SlotWriter& Put(T value) {
        WriteLE(p_, value);
        p_ += sizeof(T);
        return *this;
    }

private:
    std::uint8_t* p_;
};

constexpr double kDivisors[] = {10.0, 100.0, 1000.0};

} // namespace

// --- IntegerFieldOf ---------------------------------------------------------------------------

template <class T, int HexDigits> void IntegerFieldOf<T, HexDigits>::InitDefaults() {
    TRecFieldTypeDscr::InitDefaults();
    FieldSize = kValueSize;
}

template <class T, int HexDigits>
void IntegerFieldOf<T, HexDigits>::SaveToStream(TrbObjStream& stream) const {
    TRecFieldTypeDscr::SaveToStream(stream);
    stream.WriteNum<T>(Default);
}

template <class T, int HexDigits>
void IntegerFieldOf<T, HexDigits>::LoadFromStream(TrbObjStream& stream) {
    TRecFieldTypeDscr::LoadFromStream(stream);
    Default = stream.ReadNum<T>();
}

template <class T, int HexDigits>
void IntegerFieldOf<T, HexDigits>::InitFieldValue(std::uint8_t* data) const {
    WriteLE<T>(data, Default);
}

template <class T, int HexDigits>
std::uint16_t IntegerFieldOf<T, HexDigits>::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : kValueSize;
}

template <class T, int HexDigits>
void IntegerFieldOf<T, HexDigits>::PutDataToTrBuff(const std::uint8_t* data,
                                                   std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ValueOf(data));
}

template <class T, int HexDigits>
void IntegerFieldOf<T, HexDigits>::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                                     bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    CopyBackToRecord(data, buffer, kValueSize, modified);
}

template <class T, int HexDigits>
T IntegerFieldOf<T, HexDigits>::ValueOf(const std::uint8_t* data) {
    return ReadLE<T>(data);
}

template <class T, int HexDigits>
std::string IntegerFieldOf<T, HexDigits>::ValueText(std::uint8_t* data,
                                                    const FieldTextContext& context) const {
    return ValueTextOf(ValueOf(data), context);
}

template <class T, int HexDigits>
std::string IntegerFieldOf<T, HexDigits>::ValueTextOf(T value,
                                                      const FieldTextContext& context) const {
    return IntegerText(value, static_cast<std::make_unsigned_t<T>>(value), HexDigits, context);
}

// --- WithLimits -------------------------------------------------------------------------------

template <class Base> void WithLimits<Base>::SaveToStream(TrbObjStream& stream) const {
    Base::SaveToStream(stream);
    stream.WriteNum<ValueType>(Min);
    stream.WriteNum<ValueType>(Max);
}

template <class Base> void WithLimits<Base>::LoadFromStream(TrbObjStream& stream) {
    Base::LoadFromStream(stream);
    Min = stream.ReadNum<ValueType>();
    Max = stream.ReadNum<ValueType>();
}

template <class Base> std::uint16_t WithLimits<Base>::GetTrBuffSize() const {
    return this->HasFlag(fNoTrBuff) ? 0 : 3 * sizeof(ValueType);
}

template <class Base>
void WithLimits<Base>::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (this->HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(Base::ValueOf(data)).Put(Min).Put(Max);
}

// --- WithValueKind ----------------------------------------------------------------------------

template <class Base, int FirstScaledKind>
void WithValueKind<Base, FirstScaledKind>::SaveToStream(TrbObjStream& stream) const {
    Base::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
    stream.WriteNum<std::uint8_t>(Decimals);
}

template <class Base, int FirstScaledKind>
void WithValueKind<Base, FirstScaledKind>::LoadFromStream(TrbObjStream& stream) {
    Base::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
    Decimals = stream.ReadNum<std::uint8_t>();
}

template <class Base, int FirstScaledKind>
std::string WithValueKind<Base, FirstScaledKind>::ValueText(std::uint8_t* data,
                                                            const FieldTextContext& context) const {
    const int scale = ValueKind - FirstScaledKind;
    if (scale < 0 || scale > 2)
        return Base::ValueText(data, context);
    return this->RealText(Base::ValueOf(data) / kDivisors[scale], Decimals, context);
}

template class IntegerFieldOf<std::uint8_t, 2>;
template class IntegerFieldOf<std::uint16_t, 4>;
template class IntegerFieldOf<std::int16_t, 4>;
template class IntegerFieldOf<std::int32_t, 8>;
template class WithLimits<TByteRecFieldDscr>;
template class WithLimits<TWordRecFieldDscr>;
template class WithLimits<TSmallIntRecFieldDscr>;
template class WithLimits<TSpecSmallIntRecFieldDscr>;
template class WithLimits<TLIntRecFieldDscr>;
template class WithValueKind<TWordRecFieldDscr, 2>;
template class WithValueKind<TSmallIntRecFieldDscr, 1>;
template class WithValueKind<TLIntRecFieldDscr, 1>;

// --- Named classes with behaviour of their own ------------------------------------------------

std::string TSpecWordRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    if (ValueKind == 1)
        return Aligned(TimeText(ValueOf(data)), context);
    return WithValueKind::ValueText(data, context);
}

void TWordOffsRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TWordRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint16_t>(Offset);
}

void TWordOffsRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TWordRecFieldDscr::LoadFromStream(stream);
    Offset = stream.ReadNum<std::uint16_t>();
}

void TWordOffsRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    const std::uint16_t value = ValueOf(data);
    SlotWriter(buffer).Put<std::uint16_t>(value < Offset ? 0 : value - Offset);
}

void TWordOffsRecFieldDscr::GetDataFromTrBuff(std::uint8_t* data, const std::uint8_t* buffer,
                                              bool& modified) const {
    if (HasFlag(fNoTrBuff))
        return;
    // A sum beyond 65535 stays at 65535 rather than wrapping to a small value.
    const unsigned sum = unsigned{ReadLE<std::uint16_t>(buffer)} + Offset;
    std::uint8_t stored[2];
    WriteLE<std::uint16_t>(stored, static_cast<std::uint16_t>(std::min(sum, 0xFFFFu)));
    CopyBackToRecord(data, stored, 2, modified);
}

std::string TWordOffsRecFieldDscr::ValueText(std::uint8_t* data,
                                             const FieldTextContext& context) const {
    const std::uint16_t value = ValueOf(data);
    if (value < Offset)
        return Aligned("?", context);
    return ValueTextOf(static_cast<std::uint16_t>(value - Offset), context);
}

std::uint16_t TSpecSmallIntLimRecFieldDscr::GetTrBuffSize() const {
    return HasFlag(fNoTrBuff) ? 0 : 8;
}

void TSpecSmallIntLimRecFieldDscr::PutDataToTrBuff(const std::uint8_t* data,
                                                   std::uint8_t* buffer) const {
    if (HasFlag(fNoTrBuff))
        return;
    SlotWriter(buffer).Put(ValueOf(data)).Put(Min).Put(Max).Put(ValueKind).Put(Decimals);
}

void TDWordRecFieldDscr::SaveToStream(TrbObjStream& stream) const {
    TLIntRecFieldDscr::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueKind);
}

void TDWordRecFieldDscr::LoadFromStream(TrbObjStream& stream) {
    TLIntRecFieldDscr::LoadFromStream(stream);
    ValueKind = stream.ReadNum<std::uint8_t>();
}

std::string TDWordRecFieldDscr::ValueText(std::uint8_t* data,
                                          const FieldTextContext& context) const {
    const std::uint32_t value = ReadLE<std::uint32_t>(data);
    switch (ValueKind) {
    case 1:
        return Aligned(DosDateTimeText(value), context);
    case 2:
        return Aligned(ZetTimeText(value), context);
    case 3:
        return Aligned(TimeText(value), context);
    default:
        return TLIntRecFieldDscr::ValueText(data, context);
    }
}

} // namespace panolcd
