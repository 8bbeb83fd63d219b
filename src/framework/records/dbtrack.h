#pragma once
// The position stack of the database text exchange: where in which collection a nested read or
// write continues.

#include "framework/persistence/collection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace panolcd {

class TDBTrackObj : public TrbStreamable {
public:
    // The entry frees an owned collection with itself; a borrowed one belongs to someone else.
    static std::unique_ptr<TDBTrackObj> Owning(std::unique_ptr<TrbCollection> collection,
                                               std::int32_t value);
    static std::unique_ptr<TDBTrackObj> Borrowing(TrbCollection* collection, std::int32_t value);

    std::string ClassName() const override { return "TDBTrackObj"; }
    // A position is never stored.
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    bool Borrowed() const { return borrowed_; }
    TrbCollection* Collection() const { return collection_; }
    std::int32_t Value = 0;

private:
    bool borrowed_ = false;
    TrbCollection* collection_ = nullptr;
    std::unique_ptr<TrbCollection> owned_;
};

class TDBTrackStack : public TrbCollection {
public:
    std::string ClassName() const override { return "TDBTrackStack"; }

    bool Empty() const { return Count() == 0; }
    void PushDBTrackObj(std::unique_ptr<TDBTrackObj> entry);
    // The last entry, taken off the stack; nullptr when empty.
    std::unique_ptr<TDBTrackObj> PopDBTrackObj();
    // The last entry, left on the stack; nullptr when empty.
    TDBTrackObj* GetTopDBTrackObj() const;
};

} // namespace panolcd
