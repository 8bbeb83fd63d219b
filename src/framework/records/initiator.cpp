#include "framework/records/initiator.h"

#include "framework/environment/trace.h"

#include "common/format.h"
#include "common/littleendian.h"
#include "common/shortstring.h"
#include "framework/environment/restext.h"
#include "framework/exchange/datetimetoken.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/datetime.h"
#include "framework/records/fieldtext.h"
#include "framework/records/initiatorcoll.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace panolcd {
namespace {

constexpr int kTextOutOfLimits = 135;
constexpr std::size_t kRealTokenMax = 40;
constexpr int kMaxScale = 3;

bool IsScaled(std::uint8_t scale) {
    return scale >= 1 && scale <= kMaxScale;
}

double PowerOfTen(int scale) {
    double power = 1;
    for (int i = 0; i < scale; ++i)
        power *= 10;
    return power;
}

// The real token times 10^scale, rounded, beyond [min;max] taken as the nearer end. Nullopt when
// the reader failed.
template <class T> std::optional<T> ReadScaled(TLexicalElemReader& reader, int scale) {
    const double real = reader.ReadReal();
    if (reader.IsError())
        return std::nullopt;
    const double scaled = PascalRound(real * PowerOfTen(scale));
    if (scaled >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    if (scaled <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    return static_cast<T>(scaled);
}

// A date-time text is written only when it reads back as the same value; the reader takes a
// plain hexadecimal number in its place.
std::string DWordToken(std::uint32_t value, std::uint8_t kind) {
    std::string text;
    if (kind == TDWordElIniciatorObj::kKindDos)
        text = DosDateTimeText(value);
    else if (kind == TDWordElIniciatorObj::kKindZet)
        text = ZetTimeText(value);
    else
        return HexToken(value, 8);
    const DateTimeToken back = ReadDateTimeToken(text, 0, kind, TokenSettings{});
    if (back.end != text.size() || back.value != value)
        return HexToken(value, 8);
    return text;
}

std::string ReplaceChar(std::string text, char from, char to) {
    if (from != to)
        std::replace(text.begin(), text.end(), from, to);
    return text;
}

} // namespace

std::string HexToken(std::uint64_t value, int digits) {
    return "$" + HexDigits(value, digits);
}

std::string RealToken(double value) {
    if (std::isnan(value))
        return "Nan";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "+Inf";
    std::string text = PrintfC("%.14E", value);
    // C gives at least two exponent digits; the token has four.
    const std::size_t e = text.find('E');
    std::string exponent = text.substr(e + 2);
    exponent.insert(0, exponent.size() < 4 ? 4 - exponent.size() : 0, '0');
    text = text.substr(0, e + 2) + exponent;
    return text.substr(0, kRealTokenMax);
}

std::string ScaledToken(std::int64_t value, int scale) {
    return FixedText(static_cast<double>(value) / PowerOfTen(scale), scale);
}

// ---- TRecElIniciatorObj

void TRecElIniciatorObj::SetIniName(std::string_view name) {
    name = name.substr(0, name.find('\0'));
    iniName_ = std::string(name.substr(0, kNameMax));
}

void TRecElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    stream.WriteStr(iniName_);
}

void TRecElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    SetIniName(stream.ReadStr());
}

// ---- TByteElIniciatorObj

void TByteElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
}

void TByteElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::uint8_t>();
}

void TByteElIniciatorObj::AssignValue(std::uint8_t* data) const {
    data[0] = Value;
}

bool TByteElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const std::uint8_t value = reader.ReadByte();
    if (!reader.IsError())
        Value = value;
    return false;
}

void TByteElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.Append(HexToken(data[0], 2));
}

// ---- TWordElIniciatorObj

void TWordElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
}

void TWordElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::uint16_t>();
}

void TWordElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

bool TWordElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const std::uint16_t value = reader.ReadWord();
    if (!reader.IsError())
        Value = value;
    return false;
}

void TWordElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.Append(HexToken(ReadLE<std::uint16_t>(data), 4));
}

// ---- TIntegerElIniciatorObj

void TIntegerElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
}

void TIntegerElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::int32_t>();
}

void TIntegerElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

// The long-integer token refuses $80000000 (its range is symmetric); the unsigned 32-bit token
// takes every pattern this initiator writes.
bool TIntegerElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const std::uint32_t bits = reader.ReadDateTime(0);
    if (!reader.IsError())
        Value = static_cast<std::int32_t>(bits);
    return false;
}

void TIntegerElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.Append(HexToken(ReadLE<std::uint32_t>(data), 8));
}

// ---- TDWordElIniciatorObj

void TDWordElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
    stream.WriteNum(Kind);
}

void TDWordElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::uint32_t>();
    Kind = stream.ReadNum<std::uint8_t>();
}

void TDWordElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

bool TDWordElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const std::uint32_t value = reader.ReadDateTime(Kind);
    if (!reader.IsError())
        Value = value;
    return false;
}

void TDWordElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.Append(DWordToken(ReadLE<std::uint32_t>(data), Kind));
}

// ---- TRealpElIniciatorObj

void TRealpElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
}

void TRealpElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<double>();
}

void TRealpElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

bool TRealpElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const double value = reader.ReadReal();
    if (!reader.IsError())
        Value = value;
    return false;
}

void TRealpElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    writer.Append(RealToken(ReadLE<double>(data)));
}

// ---- TPStrElIniciatorObj

void TPStrElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(StoredSize);
    stream.WritePChar(Value);
    stream.WriteNum(static_cast<std::uint8_t>(RecordChar));
    stream.WriteNum(static_cast<std::uint8_t>(FileChar));
}

void TPStrElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    StoredSize = stream.ReadNum<std::uint8_t>();
    Value = stream.ReadPChar();
    RecordChar = static_cast<char>(stream.ReadNum<std::uint8_t>());
    FileChar = static_cast<char>(stream.ReadNum<std::uint8_t>());
}

void TPStrElIniciatorObj::AssignValue(std::uint8_t* data) const {
    if (StoredSize <= 1)
        return;
    StoreShortString(data, StoredSize - 1u, Value);
}

bool TPStrElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const std::vector<TLexicalElemReader::QuotedPart> parts = reader.ReadStringParts();
    if (reader.IsError())
        return false;
    std::string text;
    for (const TLexicalElemReader::QuotedPart& part : parts)
        text += part.quote == '\'' ? ReplaceChar(part.text, FileChar, RecordChar) : part.text;
    Value = std::move(text);
    return false;
}

void TPStrElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    const std::string text =
        StoredSize == 0 ? std::string() : LoadShortString(data, StoredSize - 1u);
    writer.Append(TextToken(text));
}

std::string TPStrElIniciatorObj::TextToken(const std::string& text) const {
    const bool replacing = RecordChar != FileChar;
    const std::string plain = replacing ? ReplaceChar(text, RecordChar, FileChar) : text;
    const bool readsBack = plain.find('\'') == std::string::npos &&
                           (!replacing || text.find(FileChar) == std::string::npos);
    if (readsBack)
        return "'" + plain + "'";
    // Double-quoted parts are taken as they stand; a double quote goes into an apostrophe part.
    // The reader joins adjacent parts.
    std::string token;
    char open = 0;
    for (const char c : text) {
        const char quote = c == '"' ? '\'' : '"';
        if (quote != open) {
            if (open != 0)
                token += open;
            token += quote;
            open = quote;
        }
        token += quote == '\'' && replacing && c == RecordChar ? FileChar : c;
    }
    token += open;
    return token;
}

// ---- TDBPtrElIniciatorObj

void TDBPtrElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
}

void TDBPtrElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::int16_t>();
}

void TDBPtrElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

bool TDBPtrElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    const auto instance = static_cast<std::int16_t>(reader.ReadWord());
    if (reader.IsError())
        return false;
    Value = instance;
    return Value != kNoInstance;
}

void TDBPtrElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    Value = ReadLE<std::int16_t>(data);
    writer.Append(HexToken(static_cast<std::uint16_t>(Value), 4));
}

void TDBPtrElIniciatorObj::SetNestedDB(std::unique_ptr<TrbStreamable> database,
                                       std::int16_t instance) {
    nestedDB_ = std::move(database);
    Value = instance;
}

void TDBPtrElIniciatorObj::HandNestedDB(NestedDatabaseHost& record) {
    if (nestedDB_)
        record.AdoptNestedDB(std::move(nestedDB_));
}

TrbStreamable* TDBPtrElIniciatorObj::FindNestedDB(const NestedDatabaseHost* collection) {
    if (Value == kNoInstance)
        return nullptr;
    const std::int16_t instance = Value;
    Value = kNoInstance;
    return collection == nullptr ? nullptr : collection->FindByInstance(instance);
}

// ---- TSpecSmallIntElIniciatorObj

void TSpecSmallIntElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
    stream.WriteNum(Scale);
}

void TSpecSmallIntElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::int16_t>();
    Scale = stream.ReadNum<std::uint8_t>();
}

void TSpecSmallIntElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

// The long-integer token reads $FFFB as 65531; as this field is 16 bits wide, 32768..65535 is
// taken as its bit pattern. (The token's form is not known here, so a decimal 65531 is too.)
bool TSpecSmallIntElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    if (IsScaled(Scale)) {
        if (const auto value = ReadScaled<std::int16_t>(reader, Scale))
            Value = *value;
        return false;
    }
    const std::int32_t value = reader.ReadLongInt();
    if (reader.IsError())
        return false;
    if (value < -32768 || value > 65535) {
        reader.Error(kErrSemantic, ResText(kTextOutOfLimits) + "  <-32768;32767> ");
        return false;
    }
    Value = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return false;
}

void TSpecSmallIntElIniciatorObj::ExportValue(const std::uint8_t* data,
                                              TLexicalElemWriter& writer) {
    const auto value = ReadLE<std::int16_t>(data);
    writer.Append(IsScaled(Scale) ? ScaledToken(value, Scale)
                                  : HexToken(static_cast<std::uint16_t>(value), 4));
}

// ---- TSpecLIntElIniciatorObj

void TSpecLIntElIniciatorObj::SaveToStream(TrbObjStream& stream) const {
    TRecElIniciatorObj::SaveToStream(stream);
    stream.WriteNum(Value);
    stream.WriteNum(Scale);
}

void TSpecLIntElIniciatorObj::LoadFromStream(TrbObjStream& stream) {
    TRecElIniciatorObj::LoadFromStream(stream);
    Value = stream.ReadNum<std::int32_t>();
    Scale = stream.ReadNum<std::uint8_t>();
}

void TSpecLIntElIniciatorObj::AssignValue(std::uint8_t* data) const {
    WriteLE(data, Value);
}

bool TSpecLIntElIniciatorObj::ImportValue(TLexicalElemReader& reader) {
    if (IsScaled(Scale)) {
        if (const auto value = ReadScaled<std::int32_t>(reader, Scale))
            Value = *value;
        return false;
    }
    const std::uint32_t bits = reader.ReadDateTime(0);
    if (!reader.IsError())
        Value = static_cast<std::int32_t>(bits);
    return false;
}

void TSpecLIntElIniciatorObj::ExportValue(const std::uint8_t* data, TLexicalElemWriter& writer) {
    const auto value = ReadLE<std::int32_t>(data);
    writer.Append(IsScaled(Scale) ? ScaledToken(value, Scale)
                                  : HexToken(static_cast<std::uint32_t>(value), 8));
}

bool TRecElIniciatorObj::ImportValue(TLexicalElemReader& /*reader*/) {
    ReportInternalError("# TRecElIniciatorObj.ImportValue " + iniName_);
    return false;
}

void RegisterInitiatorClasses() {
    RegisterClass<TRecElIniciatorObj>();
    RegisterClass<TByteElIniciatorObj>();
    RegisterClass<TWordElIniciatorObj>();
    RegisterClass<TIntegerElIniciatorObj>();
    RegisterClass<TDWordElIniciatorObj>();
    RegisterClass<TRealpElIniciatorObj>();
    RegisterClass<TPStrElIniciatorObj>();
    RegisterClass<TDBPtrElIniciatorObj>();
    RegisterClass<TSpecSmallIntElIniciatorObj>();
    RegisterClass<TSpecLIntElIniciatorObj>();
    RegisterClass<TRecIniciatorColl>();
}

} // namespace panolcd
