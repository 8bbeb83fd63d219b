#include "framework/persistence/collection.h"

#include "framework/persistence/objstream.h"

#include <cstdint>
#include <utility>

namespace panolcd {
namespace {

// An object record takes at least its class index.
constexpr std::int64_t kMinRecordSize = 2;

} // namespace

namespace {

// Items of collections destroyed while another collection frees its items. Freeing them there,
// by recursion, would take stack in proportion to the depth of the nesting; the outermost
// collection frees them one after another instead.
thread_local std::vector<TrbCollection::Item>* pendingFrees = nullptr;

} // namespace

TrbCollection::~TrbCollection() {
    if (pendingFrees != nullptr) {
        for (Item& item : items_)
            pendingFrees->push_back(std::move(item));
        return;
    }
    std::vector<Item> pending;
    pendingFrees = &pending;
    // Front to back, as FreeAll does; the items of nested collections after them.
    for (Item& item : items_)
        item.reset();
    for (std::size_t i = 0; i < pending.size(); ++i) {
        Item item = std::move(pending[i]);
        item.reset(); // may append the items of a collection it held
    }
    pendingFrees = nullptr;
}

TrbStreamable* TrbCollection::At(int index) const {
    if (index < 0 || index >= Count()) {
        IndexError(index);
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)].get();
}

void TrbCollection::Grow() {
    const int delta = limit_ > 8 ? 16 : (limit_ > 4 ? 8 : 4);
    SetLimit(limit_ + delta);
}

void TrbCollection::AtInsert(int index, Item&& item) {
    if (index < 0 || index > Count()) {
        IndexError(index);
        return;
    }
    if (Count() == limit_)
        Grow();
    if (Count() >= limit_) { // no room left to grow into
        IndexError(index);
        return;
    }
    items_.insert(items_.begin() + index, std::move(item));
}

int TrbCollection::Insert(Item&& item) {
    const int index = Count();
    AtInsert(index, std::move(item));
    return index;
}

TrbCollection::Item TrbCollection::AtDelete(int index) {
    if (index < 0 || index >= Count()) {
        IndexError(index);
        return nullptr;
    }
    Item item = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
    return item;
}

std::vector<TrbCollection::Item> TrbCollection::DeleteAll() {
    std::vector<Item> removed = std::exchange(items_, {});
    SetLimit(0);
    return removed;
}

int TrbCollection::IndexOf(const TrbStreamable* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)].get() == item)
            return i;
    return -1;
}

void TrbCollection::AtFree(int index) {
    if (At(index) == nullptr)
        return;
    FreeItem(AtDelete(index));
}

void TrbCollection::FreeObj(const TrbStreamable* item) {
    const int index = IndexOf(item);
    // A sorted IndexOf may name another object with an equal key; that one stays.
    if (index >= 0 && At(index) != item)
        return;
    AtFree(index);
}

void TrbCollection::FreeAll() {
    for (Item& item : items_)
        FreeItem(std::move(item));
    DeleteAll();
}

void TrbCollection::Exchange(int index1, int index2) {
    if (index1 < 0 || index1 >= Count()) {
        IndexError(index1);
        return;
    }
    if (index2 < 0 || index2 >= Count()) {
        IndexError(index2);
        return;
    }
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TrbCollection::SetLimit(int limit) {
    if (limit < Count() || limit > kMaxLimit) {
        IndexError(limit);
        return;
    }
    if (limit == limit_)
        return;
    limit_ = limit;
    if (limit_ == 0)
        items_.shrink_to_fit();
}

void TrbCollection::SetCount(int count) {
    if (count < 0 || count > kMaxLimit) {
        IndexError(count);
        return;
    }
    if (count > limit_)
        SetLimit(count);
    items_.resize(static_cast<std::size_t>(count));
}

void TrbCollection::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::int32_t>(Count());
    for (const Item& item : items_)
        stream.Put(item.get());
}

void TrbCollection::LoadFromStream(TrbObjStream& stream) {
    const std::int32_t count = stream.ReadNum<std::int32_t>();
    stream.RequireRemaining(count, kMinRecordSize);
    for (std::int32_t i = 0; i < count; ++i) {
        Item item = stream.Get();
        Insert(std::move(item)); // a refused item is still ours here and is freed
    }
}

void TrbSortedCollection::SaveToStream(TrbObjStream& stream) const {
    stream.WriteBool(duplicates_);
    TrbCollection::SaveToStream(stream);
}

void TrbSortedCollection::LoadFromStream(TrbObjStream& stream) {
    duplicates_ = stream.ReadBool();
    TrbCollection::LoadFromStream(stream);
}

bool TrbSortedCollection::Search(KeyRef key, int& index) const {
    int lo = 0;
    int hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const auto mid =
            static_cast<int>((static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) >> 1);
        const int c = Compare(KeyOf(At(mid)), key);
        if (c < 0) {
            lo = mid + 1;
            continue;
        }
        hi = mid - 1;
        if (c == 0) {
            found = true;
            if (!duplicates_)
                lo = mid;
        }
    }
    index = lo;
    return found;
}

int TrbSortedCollection::Insert(Item&& item) {
    int index = 0;
    if (!Search(KeyOf(item.get()), index) || duplicates_)
        AtInsert(index, std::move(item));
    return index;
}

int TrbSortedCollection::IndexOf(const TrbStreamable* item) const {
    int index = 0;
    if (!Search(KeyOf(item), index))
        return -1;
    if (!duplicates_)
        return index;
    while (index < Count() && At(index) != item)
        ++index;
    return index < Count() ? index : -1;
}

} // namespace panolcd
