#include "framework/records/semaggregates.h"

#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/semfielddata.h"

namespace panolcd {
namespace {

// One scan step of field value v into accumulator acc. `sum` adds (and may throw);
// `allowMaxBelow255` enables code 7; `hit` runs for a change of acc (and every fold).
template <class T, class Sum, class Hit>
void ScanStep(TSemantics& sem, std::uint8_t code, T v, T& acc, Sum sum, bool allowMaxBelow255,
              Hit hit) {
    switch (code) {
    case kFceMax:
        if (v > acc) {
            acc = v;
            hit();
        }
        break;
    case kFceMin:
        if (v < acc) {
            acc = v;
            hit();
        }
        break;
    case kFceSum:
        acc = sum(acc, v);
        hit();
        break;
    case kFceAnd:
        acc = static_cast<T>(acc & v);
        hit();
        break;
    case kFceOr:
        acc = static_cast<T>(acc | v);
        hit();
        break;
    case kFceFind:
        if (!sem.Found)
            sem.Found = (acc == v);
        break;
    case kFceMaxBelow255:
        if (allowMaxBelow255 && v != 255 && v > acc) {
            acc = v;
            hit();
        }
        break;
    default:
        break;
    }
}

std::uint16_t CheckedSum16(std::uint16_t acc, std::uint16_t v) {
    const std::uint32_t sum = std::uint32_t{acc} + v;
    if (sum > 0xFFFF)
        throw ERangeCheck();
    return static_cast<std::uint16_t>(sum);
}

std::int32_t WrappingSum32(std::int32_t acc, std::int32_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(acc) +
                                     static_cast<std::uint32_t>(v));
}

// Load (0), scan (1) and store (2) of a numeric field `field` against the accumulator `acc`.
// A store writes the accumulator's low bits of the field's width and only ever sets Modified.
template <class Field, class Acc, class Sum, class Hit, class Modified>
void AggregateEvent(TSemantics& sem, std::uint8_t code, int event, SemData data, Field field,
                    Acc& acc, Sum sum, bool allowMaxBelow255, Hit hit, Modified modified) {
    switch (event) {
    case kSemEventLoad:
        acc = field;
        sem.Found = true;
        break;
    case kSemEventScan:
        ScanStep<Acc>(sem, code, static_cast<Acc>(field), acc, sum, allowMaxBelow255, hit);
        break;
    case kSemEventStore: {
        const auto value = static_cast<Field>(acc);
        if (field != value)
            modified();
        semfield::Put(data, value);
        sem.Found = true;
        break;
    }
    default:
        break;
    }
}

} // namespace

void TGetFceSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(FceCode);
}

void TGetFceSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    FceCode = stream.ReadNum<std::uint8_t>();
}

void TByteGetFceSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::Get<std::uint8_t>(data);
    if (phase != kSemPhaseField || ScanObj == nullptr || !field)
        return;
    // The byte lives in the low part of the word key.
    AggregateEvent(
        *this, FceCode, event, data, *field, ScanObj->WordKey, CheckedSum16, true,
        [this] { FoundHere(); }, [this] { SetModified(); });
}

void TWordGetFceSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::Get<std::uint16_t>(data);
    if (phase != kSemPhaseField || ScanObj == nullptr || !field)
        return;
    AggregateEvent(
        *this, FceCode, event, data, *field, ScanObj->WordKey, CheckedSum16, false,
        [this] { FoundHere(); }, [this] { SetModified(); });
}

void TLIntGetFceSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::Get<std::int32_t>(data);
    if (phase != kSemPhaseField || ScanObj == nullptr || !field)
        return;
    AggregateEvent(
        *this, FceCode, event, data, *field, ScanObj->LongKey, WrappingSum32, false,
        [this] { FoundHere(); }, [this] { SetModified(); });
}

void TPStrGetFceSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::GetText(data);
    if (phase != kSemPhaseField || ScanObj == nullptr || !field)
        return;
    std::string& key = ScanObj->KeyText;
    switch (event) {
    case kSemEventLoad:
        key = *field;
        FoundHere();
        break;
    case kSemEventScan:
        // No key text matches an empty field only, which the empty string does.
        if (FceCode == kFceFind && !Found)
            Found = (*field == key);
        break;
    case kSemEventStore: {
        const std::string stored = semfield::FitText(data, key);
        // An equal field leaves the record's flag as it was: other fields may have changed it.
        if (*field != stored)
            SetModified();
        semfield::PutText(data, stored);
        FoundHere();
        break;
    }
    default:
        break;
    }
}

void RegisterAggregateSemantics() {
    RegisterClass<TGetFceSem>();
    RegisterClass<TByteGetFceSem>();
    RegisterClass<TWordGetFceSem>();
    RegisterClass<TLIntGetFceSem>();
    RegisterClass<TPStrGetFceSem>();
}

} // namespace panolcd
