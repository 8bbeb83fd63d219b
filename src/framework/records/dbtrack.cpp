#include "framework/records/dbtrack.h"

namespace panolcd {

std::unique_ptr<TDBTrackObj> TDBTrackObj::Owning(std::unique_ptr<TrbCollection> collection,
                                                 std::int32_t value) {
    auto entry = std::make_unique<TDBTrackObj>();
    entry->collection_ = collection.get();
    entry->owned_ = std::move(collection);
    entry->Value = value;
    return entry;
}

std::unique_ptr<TDBTrackObj> TDBTrackObj::Borrowing(TrbCollection* collection, std::int32_t value) {
    auto entry = std::make_unique<TDBTrackObj>();
    entry->borrowed_ = true;
    entry->collection_ = collection;
    entry->Value = value;
    return entry;
}

void TDBTrackStack::PushDBTrackObj(std::unique_ptr<TDBTrackObj> entry) {
    Insert(std::move(entry));
}

std::unique_ptr<TDBTrackObj> TDBTrackStack::PopDBTrackObj() {
    if (Empty())
        return nullptr;
    return StreamableAs<TDBTrackObj>(AtDelete(Count() - 1));
}

TDBTrackObj* TDBTrackStack::GetTopDBTrackObj() const {
    return Empty() ? nullptr : dynamic_cast<TDBTrackObj*>(At(Count() - 1));
}

} // namespace panolcd
