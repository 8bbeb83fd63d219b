#pragma once
// Owning collections of streamable objects, the base of most containers. Nil items are allowed.
// Bad indices never raise: they call the IndexError hook and leave the collection unchanged.
//
// Limit is a slot count of its own that grows 4, 8, 16, 32, 48 ... (code may watch or set it);
// the items themselves live in a vector. Destroying a collection frees its items front to back,
// then the items of collections among them, without recursion however deep they nest.

#include "framework/persistence/streamable.h"

#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TrbCollection : public TrbStreamable {
public:
    using Item = std::unique_ptr<TrbStreamable>;
    static constexpr int kMaxLimit = 134217727;

    TrbCollection() = default;
    ~TrbCollection() override;
    TrbCollection(const TrbCollection&) = delete;
    TrbCollection& operator=(const TrbCollection&) = delete;

    std::string ClassName() const override { return "TrbCollection"; }
    // Item count C, then C object records.
    void SaveToStream(TrbObjStream& stream) const override;
    // Inserts each item read through Insert, so a sorted collection orders them and applies its
    // duplicate rule; items already present stay.
    void LoadFromStream(TrbObjStream& stream) override;

    int Count() const { return static_cast<int>(items_.size()); }
    int Limit() const { return limit_; }

    // Nil outside 0..Count-1.
    TrbStreamable* At(int index) const;

    virtual void IndexError(int /*index*/) const {}
    virtual void Grow();
    virtual void FreeItem(Item item) { item.reset(); }
    // Takes the item only when `index` is in 0..Count; otherwise the caller keeps it. (A
    // unique_ptr to a subclass converts to a temporary Item, which is freed when refused.)
    virtual void AtInsert(int index, Item&& item);
    // Base: at the end; returns the index used.
    virtual int Insert(Item&& item);
    // Removes the slot and hands the item back.
    virtual Item AtDelete(int index);
    // Empties the collection (Limit 0) and hands the items back.
    virtual std::vector<Item> DeleteAll();
    // Identity search; -1 when absent.
    virtual int IndexOf(const TrbStreamable* item) const;

    // Frees and removes a non-nil item; a nil item stays in place.
    void AtFree(int index);
    // Frees the identical object only.
    void FreeObj(const TrbStreamable* item);
    void FreeAll();
    void Exchange(int index1, int index2);
    void SetLimit(int limit);
    // New slots are nil; items beyond a reduced count are destroyed (the collection owns them).
    void SetCount(int count);

protected:
    std::vector<Item> items_;
    int limit_ = 0;
};

// Ordered by Compare(KeyOf(item)). The base Compare answers "less" for every pair, so a subclass
// that does not override it keeps insertion order.
class TrbSortedCollection : public TrbCollection {
public:
    using KeyRef = const void*;

    std::string ClassName() const override { return "TrbSortedCollection"; }
    // The Duplicates byte, then the collection data.
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    bool Duplicates() const { return duplicates_; }
    void SetDuplicates(bool duplicates) { duplicates_ = duplicates; }

    // At the key's place. With an equal key present and no Duplicates, the item is refused (the
    // caller keeps it) and the equal item's index is returned.
    int Insert(Item&& item) override;
    // With Duplicates: the identical object among the equal keys, or -1. Without: the index of
    // the equal key, which may hold another object.
    int IndexOf(const TrbStreamable* item) const override;

    virtual KeyRef KeyOf(const TrbStreamable* item) const { return item; }
    virtual int Compare(KeyRef /*key1*/, KeyRef /*key2*/) const { return -1; }
    // Bisection. `index` is the first equal key with Duplicates, the one met without, or the
    // insertion point when the key is absent.
    virtual bool Search(KeyRef key, int& index) const;

protected:
    bool duplicates_ = false;
};

} // namespace panolcd
