#include "framework/records/semsorters.h"

#include "framework/persistence/classregistry.h"
#include "framework/records/semfielddata.h"

namespace panolcd {
namespace {

// The identifier's bytes in the order given, from most to least significant.
std::optional<std::uint32_t> IdentKey(SemData data, int b0, int b1, int b2, int b3) {
    if (data.size() < 4)
        return std::nullopt;
    const auto at = [&data](int i) { return std::uint32_t{data[static_cast<std::size_t>(i)]}; };
    return at(b0) << 24 | at(b1) << 16 | at(b2) << 8 | at(b3);
}

// Phase 5 collects the text key of the field, phase 2 sorts.
template <class Sorter>
void RunTextSorter(Sorter& sem, int phase, int event, SemData data, void (TScanObjColl::*sort)()) {
    if (event != kSemEventScan || sem.ScanColl == nullptr)
        return;
    if (phase == kSemPhaseDBEnd) {
        (sem.ScanColl->*sort)();
        return;
    }
    if (phase != kSemPhaseField)
        return;
    if (const auto key = sem.GetStrSorterKey(data))
        sem.ScanColl->Add(std::make_unique<TScanObject>(0, *key, sem.CurRec, sem.CurDB, 0));
}

} // namespace

void TNumSorterSem::Evaluate(int phase, int event, SemData data) {
    if (event != kSemEventScan || ScanColl == nullptr)
        return;
    if (phase == kSemPhaseDBEnd) {
        Sort(*ScanColl);
        return;
    }
    if (phase != kSemPhaseField)
        return;
    const auto key = GetSortKey(data);
    if (!key)
        return;
    const bool word = KeyIsWord();
    ScanColl->Add(std::make_unique<TScanObject>(word ? static_cast<std::uint16_t>(*key) : 0, "",
                                                CurRec, CurDB,
                                                word ? 0 : static_cast<std::int32_t>(*key)));
}

std::optional<std::uint32_t> TByteSorterSem::GetSortKey(SemData data) const {
    return semfield::Get<std::uint8_t>(data);
}

std::optional<std::uint32_t> TWordSorterSem::GetSortKey(SemData data) const {
    return semfield::Get<std::uint16_t>(data);
}

std::optional<std::uint32_t> TLIntSorterSem::GetSortKey(SemData data) const {
    return semfield::Get<std::uint32_t>(data);
}

std::optional<std::uint32_t> TDWordSorterSem::GetSortKey(SemData data) const {
    return semfield::Get<std::uint32_t>(data);
}

std::optional<std::uint32_t> TIdentCKSorterSem::GetSortKey(SemData data) const {
    return IdentKey(data, 0, 1, 2, 3);
}

std::optional<std::uint32_t> TIdentDevSorterSem::GetSortKey(SemData data) const {
    return IdentKey(data, 2, 0, 1, 3);
}

std::optional<std::uint32_t> TIdentTypSorterSem::GetSortKey(SemData data) const {
    return IdentKey(data, 3, 2, 0, 1);
}

std::optional<std::string> TStrSorterSem::GetStrSorterKey(SemData data) const {
    return semfield::GetText(data);
}

void TStrSorterSem::Evaluate(int phase, int event, SemData data) {
    RunTextSorter(*this, phase, event, data, &TScanObjColl::QuickSort_Pch);
}

std::optional<std::string> TAnsiStrSorterSem::GetStrSorterKey(SemData data) const {
    return semfield::GetText(data);
}

void TAnsiStrSorterSem::Evaluate(int phase, int event, SemData data) {
    RunTextSorter(*this, phase, event, data, &TScanObjColl::QuickSort_AnsiPch);
}

void RegisterSorterSemantics() {
    RegisterClass<TByteSorterSem>();
    RegisterClass<TWordSorterSem>();
    RegisterClass<TLIntSorterSem>();
    RegisterClass<TDWordSorterSem>();
    RegisterClass<TIdentCKSorterSem>();
    RegisterClass<TIdentDevSorterSem>();
    RegisterClass<TIdentTypSorterSem>();
    RegisterClass<TStrSorterSem>();
    RegisterClass<TAnsiStrSorterSem>();
}

} // namespace panolcd
