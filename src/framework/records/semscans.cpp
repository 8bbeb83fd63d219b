#include "framework/records/semscans.h"

#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/datetime.h"
#include "framework/records/semfielddata.h"

#include <optional>

namespace panolcd {
namespace {

constexpr std::uint16_t kRefBase = 100;

template <class T> bool Compares(std::uint8_t op, T f, T r) {
    switch (op) {
    case 0:
        return true;
    case 1:
        return f == r;
    case 2:
        return f < r;
    case 3:
        return f <= r;
    case 4:
        return f > r;
    case 5:
        return f >= r;
    case 6:
        return f != r;
    default:
        return false;
    }
}

// A field value of one ValueType: the number keys or the text.
struct ScanValue {
    std::uint16_t word = 0;
    std::int32_t longKey = 0;
    std::string text;
};

std::optional<ScanValue> ReadValue(std::uint8_t valueType, SemData data) {
    ScanValue value;
    switch (valueType) {
    case 1:
        if (auto v = semfield::Get<std::uint8_t>(data)) {
            value.word = *v;
            return value;
        }
        return std::nullopt;
    case 2:
    case 3:
        if (auto v = semfield::Get<std::uint16_t>(data)) {
            value.word = *v;
            return value;
        }
        return std::nullopt;
    case 4:
    case 5:
        if (auto v = semfield::Get<std::int32_t>(data)) {
            value.longKey = *v;
            return value;
        }
        return std::nullopt;
    case 7:
        if (auto v = semfield::GetText(data)) {
            value.text = std::move(*v);
            return value;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Without a reference (operator 0 only) the reference is never read.
bool Matches(std::uint8_t valueType, std::uint8_t op, const ScanValue& f, const TScanObject* r) {
    if (op == 0)
        return true;
    switch (valueType) {
    case 1:
        return Compares<std::uint8_t>(op, static_cast<std::uint8_t>(f.word),
                                      static_cast<std::uint8_t>(r->WordKey & 0xFF));
    case 2:
        return Compares<std::int16_t>(op, static_cast<std::int16_t>(f.word),
                                      static_cast<std::int16_t>(r->WordKey));
    case 3:
        return Compares<std::uint16_t>(op, f.word, r->WordKey);
    case 4:
        return Compares<std::int32_t>(op, f.longKey, r->LongKey);
    case 5:
        return Compares<std::uint32_t>(op, static_cast<std::uint32_t>(f.longKey),
                                       static_cast<std::uint32_t>(r->LongKey));
    case 7:
        return op == 1 && f.text == r->KeyText;
    default:
        return false;
    }
}

} // namespace

void TScanIfSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(ValueType);
    stream.WriteNum<std::uint8_t>(Operator);
}

void TScanIfSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    ValueType = stream.ReadNum<std::uint8_t>();
    Operator = stream.ReadNum<std::uint8_t>();
}

void TScanIfSem::Evaluate(int phase, int event, SemData data) {
    if (phase != kSemPhaseField || ScanColl == nullptr)
        return;
    const auto f = ReadValue(ValueType, data);
    if (!f)
        return;
    if (event == kSemEventLoad) {
        if (ScanObj == nullptr)
            return;
        if (ValueType <= 3)
            ScanObj->WordKey = f->word;
        else if (ValueType <= 5)
            ScanObj->LongKey = f->longKey;
        else
            ScanObj->KeyText = f->text;
        FoundHere();
    } else if (event == kSemEventScan) {
        if (ScanObj == nullptr && Operator != 0)
            return;
        Found = Matches(ValueType, Operator, *f, ScanObj);
        if (Found)
            ScanColl->Add(
                std::make_unique<TScanObject>(f->word, f->text, CurRec, CurDB, f->longKey));
    }
}

void TRefVUScanSem::Evaluate(int phase, int event, SemData data) {
    const auto f = semfield::Get<std::uint16_t>(data);
    if (phase != kSemPhaseField || ScanColl == nullptr || !f)
        return;
    const bool refers = *f >= kRefBase;
    const std::uint16_t number = refers ? static_cast<std::uint16_t>(*f - kRefBase) : 0;
    if (event == kSemEventLoad) {
        if (ScanObj == nullptr)
            return;
        ScanObj->WordKey = number;
        Found = refers;
        FoundDB = CurDB;
        FoundRec = CurRec;
    } else if (event == kSemEventScan) {
        if (refers)
            ScanColl->Add(std::make_unique<TScanObject>(number, "", CurRec, CurDB, 0));
        Found = refers;
    }
}

void TAcceptDWFSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(CompareKind);
    stream.WriteNum<std::uint32_t>(LowLimit);
    stream.WriteNum<std::uint32_t>(HighLimit);
}

void TAcceptDWFSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    CompareKind = stream.ReadNum<std::uint8_t>();
    LowLimit = stream.ReadNum<std::uint32_t>();
    HighLimit = stream.ReadNum<std::uint32_t>();
}

void TAcceptDWFSem::Evaluate(int phase, int event, SemData data) {
    const auto v = semfield::Get<std::uint32_t>(data);
    if (phase != kSemPhaseField || event != kSemEventScan || !v)
        return;
    switch (CompareKind) {
    case 0:
    case 1:
    case 3:
        Found = LowLimit <= *v && *v <= HighLimit;
        break;
    case 2:
        Found = CompareZetTime(LowLimit, *v) <= 0 && CompareZetTime(*v, HighLimit) <= 0;
        break;
    default:
        break;
    }
    FoundRec = CurRec;
}

void RegisterScanSemantics() {
    RegisterClass<TScanIfSem>();
    RegisterClass<TRefVUScanSem>();
    RegisterClass<TAcceptDWFSem>();
}

} // namespace panolcd
