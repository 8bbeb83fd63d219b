#include "framework/records/semantics.h"

#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/objstream.h"
#include "framework/records/appdata.h"
#include "framework/records/datetime.h"
#include "framework/records/recordobject.h"
#include "framework/records/semaggregates.h"
#include "framework/records/seminivalues.h"
#include "framework/records/semscans.h"
#include "framework/records/semsetters.h"
#include "framework/records/semsorters.h"

#include <utility>

namespace panolcd {
namespace {

// Quicksort of lo..hi around the key of the middle item, read once. `less` must be a strict
// order; the bounds checks only keep a faulty one from running off the range.
template <class Key, class GetKey, class Less>
void QuickSortRange(TScanObjColl& coll, int lo, int hi, GetKey getKey, Less less) {
    while (lo < hi) {
        const Key pivot = getKey(coll.ScanAt(lo + (hi - lo) / 2));
        int i = lo;
        int j = hi;
        do {
            while (i < hi && less(getKey(coll.ScanAt(i)), pivot))
                ++i;
            while (j > lo && less(pivot, getKey(coll.ScanAt(j))))
                --j;
            if (i <= j) {
                coll.Exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        // The two parts are disjoint, so sorting the smaller one first changes nothing but the
        // depth of recursion.
        if (j - lo < hi - i) {
            if (lo < j)
                QuickSortRange<Key>(coll, lo, j, getKey, less);
            lo = i;
        } else {
            if (i < hi)
                QuickSortRange<Key>(coll, i, hi, getKey, less);
            hi = j;
        }
    }
}

template <class Key, class GetKey, class Less>
void QuickSort(TScanObjColl& coll, GetKey getKey, Less less) {
    if (coll.Count() > 1)
        QuickSortRange<Key>(coll, 0, coll.Count() - 1, getKey, less);
}

std::uint32_t LongOf(const TScanObject* item) {
    return item ? static_cast<std::uint32_t>(item->LongKey) : 0;
}

std::string TextOf(const TScanObject* item) {
    return item ? item->KeyText : std::string();
}

// Identifier bytes 2, 3, 0, 1 from most to least significant.
std::uint32_t IdentOrder(std::uint32_t v) {
    const auto byte = [v](int n) { return (v >> (8 * n)) & 0xFFu; };
    return byte(2) << 24 | byte(3) << 16 | byte(0) << 8 | byte(1);
}

// No text orders before any text.
template <class Compare> auto TextLess(Compare compare) {
    return [compare](const std::string& a, const std::string& b) {
        if (a.empty() || b.empty())
            return a.empty() && !b.empty();
        return compare(a, b) < 0;
    };
}

} // namespace

TScanObject::TScanObject(std::uint16_t wordKey, std::string_view keyText, TDscrRecObj* scanRec,
                         TDataBase* scanDB, std::int32_t longKey)
    : WordKey(wordKey), LongKey(longKey), ScanDB(scanDB), ScanRec(scanRec), KeyText(keyText) {}

void TScanObject::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::uint16_t>(WordKey);
    stream.WriteNum<std::int32_t>(LongKey);
    stream.WritePChar(KeyText);
}

void TScanObject::LoadFromStream(TrbObjStream& stream) {
    WordKey = stream.ReadNum<std::uint16_t>();
    LongKey = stream.ReadNum<std::int32_t>();
    KeyText = stream.ReadPChar();
    ScanDB = nullptr;
    ScanRec = nullptr;
}

void TScanObjColl::LoadFromStream(TrbObjStream& stream) {
    TrbCollection::LoadFromStream(stream);
    for (int i = 0; i < Count(); ++i)
        StreamableAs<TScanObject>(At(i));
}

TScanObject* TScanObjColl::ScanAt(int index) const {
    return dynamic_cast<TScanObject*>(At(index));
}

void TScanObjColl::Add(std::unique_ptr<TScanObject> item) {
    Insert(std::move(item));
}

void TScanObjColl::QuickSort_W() {
    QuickSort<std::uint16_t>(
        *this, [](const TScanObject* item) { return item ? item->WordKey : std::uint16_t{0}; },
        std::less<>());
}

void TScanObjColl::QuickSort_L() {
    QuickSort<std::int32_t>(
        *this, [](const TScanObject* item) { return item ? item->LongKey : 0; }, std::less<>());
}

void TScanObjColl::QuickSort_DW() {
    QuickSort<std::uint32_t>(*this, LongOf, std::less<>());
}

void TScanObjColl::QuickSort_Ident() {
    QuickSort<std::uint32_t>(
        *this, [](const TScanObject* item) { return IdentOrder(LongOf(item)); }, std::less<>());
}

void TScanObjColl::QuickSort_ZetTime() {
    QuickSort<std::uint32_t>(
        *this, LongOf, [](std::uint32_t a, std::uint32_t b) { return CompareZetTime(a, b) < 0; });
}

void TScanObjColl::QuickSort_Pch() {
    QuickSort<std::string>(*this, TextOf, TextLess(CompareTextAscii));
}

void TScanObjColl::QuickSort_AnsiPch() {
    QuickSort<std::string>(*this, TextOf, TextLess(CompareTextCp1250));
}

void TSemantics::ResetAll() {
    ScanObj = nullptr;
    ScanColl = nullptr;
    FoundDB = nullptr;
    FoundRec = nullptr;
    Found = false;
}

void TSemantics::ResetResults() {
    Found = false;
    FoundDB = nullptr;
    FoundRec = nullptr;
}

void TSemantics::FoundHere() {
    Found = true;
    FoundDB = CurDB;
    FoundRec = CurRec;
}

void TSemantics::SetModified() {
    if (CurRec != nullptr)
        CurRec->Modified = true;
}

void TSemManColl::InitDefaults() {
    lastIx_ = -1;
    lastSem_ = nullptr;
}

void TSemManColl::LoadFromStream(TrbObjStream& stream) {
    TrbCollection::LoadFromStream(stream);
    for (int i = 0; i < Count(); ++i)
        StreamableAs<TSemantics>(At(i));
}

TSemantics* TSemManColl::GetSemantics(std::int16_t id) {
    // The cached item is checked against the collection, which may have changed since.
    if (id == lastIx_ && lastSem_ != nullptr && At(id) == lastSem_)
        return lastSem_;
    auto* sem = dynamic_cast<TSemantics*>(At(id));
    if (sem != nullptr) {
        lastIx_ = id;
        lastSem_ = sem;
    }
    return sem;
}

void TSemManColl::SetCurrentRecord(TDscrRecObj* record, std::int16_t id) {
    if (TSemantics* sem = GetSemantics(id))
        sem->CurRec = record;
}

void TSemManColl::EvaluateSem(std::int16_t id, int phase, SemData data, int event) {
    if (TSemantics* sem = GetSemantics(id))
        sem->Evaluate(phase, event, data);
}

void TSemanticEvaluator::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::int16_t>(SemId);
}

void TSemanticEvaluator::LoadFromStream(TrbObjStream& stream) {
    SemId = stream.ReadNum<std::int16_t>();
}

void TSemanticEvaluator::RunEvaluator(std::int16_t id, int phase, SemData data, int event) const {
    if (id != SemId)
        return;
    if (TSemManColl* manager = AppSemanticsManager())
        manager->EvaluateSem(id, phase, data, event);
}

void TSemEvalColl::LoadFromStream(TrbObjStream& stream) {
    TrbCollection::LoadFromStream(stream);
    for (int i = 0; i < Count(); ++i)
        StreamableAs<TSemanticEvaluator>(At(i));
}

void TSemEvalColl::Add(std::int16_t semId) {
    Insert(Create<TSemanticEvaluator>(semId));
}

void TSemEvalColl::RunAllEvaluators(std::int16_t id, int phase, SemData data, int event) const {
    for (int i = 0; i < Count(); ++i) {
        if (const auto* evaluator = dynamic_cast<const TSemanticEvaluator*>(At(i)))
            evaluator->RunEvaluator(id, phase, data, event);
    }
}

std::vector<std::int16_t> TSemEvalColl::EvaluatorIds() const {
    std::vector<std::int16_t> ids;
    for (int i = 0; i < Count(); ++i) {
        if (const auto* evaluator = dynamic_cast<const TSemanticEvaluator*>(At(i)))
            ids.push_back(evaluator->SemId);
    }
    return ids;
}

TSemManColl* AppSemanticsManager() {
    TAppData* app = EnvCtx().app.AppData.get();
    return app ? app->SemanticsManager.get() : nullptr;
}

void RegisterSemanticsClasses() {
    RegisterClass<TScanObject>();
    RegisterClass<TScanObjColl>();
    RegisterClass<TSemantics>();
    RegisterClass<TSemManColl>();
    RegisterClass<TSemanticEvaluator>();
    RegisterClass<TSemEvalColl>();
    RegisterAggregateSemantics();
    RegisterScanSemantics();
    RegisterIniSemantics();
    RegisterSetterSemantics();
    RegisterSorterSemantics();
}

} // namespace panolcd
