#include "framework/records/semsetters.h"

#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/datetime.h"
#include "framework/records/recordobject.h"
#include "framework/records/semfielddata.h"

#include <optional>

namespace panolcd {
namespace {

// The time to stamp, or nullopt when nothing is to be stamped: outside a store over a field,
// for a record that is not modified when only modified ones are stamped, or when the clock
// shows a time no ZetTime holds.
std::optional<std::uint32_t> StampTime(const TSemantics& sem, int phase, int event,
                                       bool onlyIfModified) {
    if (phase != kSemPhaseField || event != kSemEventStore)
        return std::nullopt;
    if (onlyIfModified && (sem.CurRec == nullptr || !sem.CurRec->IsModified()))
        return std::nullopt;
    const LocalDateTime now = EnvCtx().clock->Now();
    // Two-second steps, as the packed file date-time keeps them.
    const DateTimeParts parts{now.year, now.month,  now.day,
                              now.hour, now.minute, now.second - now.second % 2};
    return PackZetTime(parts);
}

} // namespace

void TDevIxSetSem::Evaluate(int phase, int event, SemData data) {
    const std::size_t offset = ByteOffset();
    // The identifier kind needs its whole 32-bit field.
    const std::size_t needed = offset == 0 ? 1 : 4;
    if (phase != kSemPhaseField || data.size() < needed)
        return;
    std::uint8_t& field = data[offset];
    if (event == kSemEventLoad) {
        DevIx = field;
        Found = true;
    } else if (event == kSemEventStore) {
        if (field != DevIx) {
            SetModified();
            field = DevIx;
        }
        Found = true;
    }
}

void TZet2000UrovenSetSem::Evaluate(int phase, int event, SemData data) {
    if (phase != kSemPhaseField || event != kSemEventStore || data.empty())
        return;
    if (data[0] != kLevel) {
        SetModified();
        data[0] = kLevel;
    }
    Found = true;
}

void TStrTimeSetSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteNum<std::uint8_t>(MaxLen);
    stream.WriteBool(OnlyIfModified);
}

void TStrTimeSetSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    MaxLen = stream.ReadNum<std::uint8_t>();
    OnlyIfModified = stream.ReadBool();
}

void TStrTimeSetSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::GetText(data);
    if (!field)
        return;
    const auto time = StampTime(*this, phase, event, OnlyIfModified);
    if (!time)
        return;
    const std::string text =
        semfield::FitText(data, CutShortString(ZetTimeText(*time), MaxLen == 0 ? 0 : MaxLen - 1u));
    if (*field != text) {
        semfield::PutText(data, text);
        SetModified();
    }
    Found = true;
}

void TZetTimeSetSem::SaveToStream(TrbObjStream& stream) const {
    TSemantics::SaveToStream(stream);
    stream.WriteBool(OnlyIfModified);
}

void TZetTimeSetSem::LoadFromStream(TrbObjStream& stream) {
    TSemantics::LoadFromStream(stream);
    OnlyIfModified = stream.ReadBool();
}

void TZetTimeSetSem::Evaluate(int phase, int event, SemData data) {
    const auto field = semfield::Get<std::uint32_t>(data);
    if (!field)
        return;
    const auto time = StampTime(*this, phase, event, OnlyIfModified);
    if (!time)
        return;
    if (*field != *time) {
        semfield::Put(data, *time);
        SetModified();
    }
    Found = true;
}

void RegisterSetterSemantics() {
    RegisterClass<TDevIxSetSem>();
    RegisterClass<TIdentMupSetSem>();
    RegisterClass<TZet2000UrovenSetSem>();
    RegisterClass<TStrTimeSetSem>();
    RegisterClass<TZetTimeSetSem>();
}

} // namespace panolcd
