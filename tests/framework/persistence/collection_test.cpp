#include "framework/persistence/collection.h"
#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"

#include <functional>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

class TKeyItem : public TrbStreamable {
public:
    static inline int live = 0;
    TKeyItem() { ++live; }
    explicit TKeyItem(int k) : key(k) { ++live; }
    TKeyItem(const TKeyItem&) = delete;
    ~TKeyItem() override { --live; }
    int key = 0;

    std::string ClassName() const override { return "TCollKeyItem"; }
    void SaveToStream(TrbObjStream& s) const override { s.WriteNum<std::int32_t>(key); }
    void LoadFromStream(TrbObjStream& s) override { key = s.ReadNum<std::int32_t>(); }
};

class TKeyedColl : public TrbSortedCollection {
public:
    std::string ClassName() const override { return "TCollKeyedColl"; }
    KeyRef KeyOf(const TrbStreamable* item) const override {
        return &static_cast<const TKeyItem*>(item)->key;
    }
    int Compare(KeyRef a, KeyRef b) const override {
        return *static_cast<const int*>(a) - *static_cast<const int*>(b);
    }
};

// Counts calls of the IndexError hook.
class TWatchedColl : public TrbCollection {
public:
    mutable int indexErrors = 0;
    void IndexError(int) const override { ++indexErrors; }
};

std::vector<int> Keys(const TrbCollection& coll) {
    std::vector<int> keys;
    for (int i = 0; i < coll.Count(); ++i)
        keys.push_back(coll.At(i) ? static_cast<TKeyItem*>(coll.At(i))->key : -1);
    return keys;
}

template <class C, class R = std::initializer_list<int>> void Fill(C& coll, const R& keys) {
    for (int key : keys)
        coll.Insert(std::make_unique<TKeyItem>(key));
}

std::unique_ptr<TrbStreamable> RoundTrip(const TrbStreamable& object) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(&object);
    stream.Close();
    stream.OpenRead();
    return stream.Get();
}

class CollectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterPersistenceClasses();
        RegisterClass<TKeyItem>();
        RegisterClass<TKeyedColl>();
    }
    void TearDown() override { EXPECT_EQ(TKeyItem::live, 0); }
};

TEST_F(CollectionTest, GrowsThroughTheDesignedCapacities) {
    TrbCollection coll;
    std::vector<int> limits;
    for (int i = 0; i < 33; ++i) {
        coll.Insert(nullptr);
        if (limits.empty() || limits.back() != coll.Limit())
            limits.push_back(coll.Limit());
    }
    EXPECT_EQ(limits, (std::vector<int>{4, 8, 16, 32, 48}));
    EXPECT_EQ(coll.Count(), 33);
}

TEST_F(CollectionTest, BadIndicesCallTheHookAndChangeNothing) {
    const std::vector<std::pair<const char*, std::function<void(TWatchedColl&)>>> cases = {
        {"At(-1)", [](auto& c) { EXPECT_EQ(c.At(-1), nullptr); }},
        {"At(Count)", [](auto& c) { EXPECT_EQ(c.At(c.Count()), nullptr); }},
        {"AtInsert(Count+1)",
         [](auto& c) {
             TrbCollection::Item item = std::make_unique<TKeyItem>(9);
             c.AtInsert(c.Count() + 1, std::move(item));
             EXPECT_NE(item, nullptr); // the caller keeps a refused item
         }},
        {"AtInsert(-1)", [](auto& c) { c.AtInsert(-1, nullptr); }},
        {"AtDelete(Count)", [](auto& c) { EXPECT_EQ(c.AtDelete(c.Count()), nullptr); }},
        {"AtFree(-1)", [](auto& c) { c.AtFree(-1); }},
        {"Exchange(0, Count)", [](auto& c) { c.Exchange(0, c.Count()); }},
        {"SetLimit below Count", [](auto& c) { c.SetLimit(c.Count() - 1); }},
        {"SetLimit above max", [](auto& c) { c.SetLimit(TrbCollection::kMaxLimit + 1); }},
        {"SetCount(-1)", [](auto& c) { c.SetCount(-1); }},
        {"SetCount above max", [](auto& c) { c.SetCount(TrbCollection::kMaxLimit + 1); }},
    };
    for (const auto& [what, action] : cases) {
        SCOPED_TRACE(what);
        TWatchedColl coll;
        Fill(coll, {1, 2, 3});
        action(coll);
        EXPECT_EQ(coll.indexErrors, 1);
        EXPECT_EQ(Keys(coll), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(coll.Limit(), 4);
    }
}

TEST_F(CollectionTest, RemovingItems) {
    TrbCollection coll;
    Fill(coll, {1, 2, 3, 4});
    coll.Insert(nullptr);
    coll.AtFree(4); // a nil item stays
    EXPECT_EQ(coll.Count(), 5);
    const auto removed = coll.AtDelete(0);
    EXPECT_EQ(static_cast<TKeyItem*>(removed.get())->key, 1);
    coll.AtFree(0);
    EXPECT_EQ(Keys(coll), (std::vector<int>{3, 4, -1}));
    coll.Exchange(0, 2);
    EXPECT_EQ(coll.IndexOf(nullptr), 0);
    TKeyItem stranger(3);
    coll.FreeObj(&stranger);
    coll.FreeObj(coll.At(1));
    EXPECT_EQ(Keys(coll), (std::vector<int>{-1, 3}));
    EXPECT_EQ(coll.IndexOf(&stranger), -1);

    const auto items = coll.DeleteAll();
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(coll.Count(), 0);
    EXPECT_EQ(coll.Limit(), 0);
}

TEST_F(CollectionTest, SetCountAddsNilSlotsAndDestroysDroppedItems) {
    TrbCollection coll;
    Fill(coll, {1, 2});
    coll.SetCount(6);
    EXPECT_EQ(Keys(coll), (std::vector<int>{1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(coll.Limit(), 6);
    coll.SetCount(1);
    EXPECT_EQ(TKeyItem::live, 1);
    coll.FreeAll();
    EXPECT_EQ(TKeyItem::live, 0);
    EXPECT_EQ(coll.Limit(), 0);
}

TEST_F(CollectionTest, SortedInsertOrdersAndRefusesDuplicates) {
    TKeyedColl coll;
    Fill(coll, {30, 10, 20});
    TrbCollection::Item duplicate = std::make_unique<TKeyItem>(20);
    EXPECT_EQ(coll.Insert(std::move(duplicate)), 1);
    EXPECT_NE(duplicate, nullptr);
    EXPECT_EQ(Keys(coll), (std::vector<int>{10, 20, 30}));

    coll.SetDuplicates(true);
    auto* second = duplicate.get();
    EXPECT_EQ(coll.Insert(std::move(duplicate)), 1); // before the equal keys
    EXPECT_EQ(coll.At(1), second);
    EXPECT_EQ(Keys(coll), (std::vector<int>{10, 20, 20, 30}));
}

TEST_F(CollectionTest, SearchFindsKeysAndInsertionPoints) {
    struct Case {
        bool duplicates;
        std::vector<int> keys;
        int key;
        bool found;
        int index;
    };
    const Case cases[] = {
        {false, {}, 5, false, 0},
        {false, {10, 20, 30}, 20, true, 1},
        {false, {10, 20, 30}, 5, false, 0},
        {false, {10, 20, 30}, 25, false, 2},
        {false, {10, 20, 30}, 40, false, 3},
        {true, {10, 20, 20, 20, 30}, 20, true, 1},
        {true, {20, 20, 20, 20, 20}, 20, true, 0},
        {true, {10, 20, 20, 30}, 25, false, 3},
        // Without Duplicates the first hit ends the search.
        {false, {20, 20, 20, 20, 20}, 20, true, 2},
    };
    for (const Case& c : cases) {
        TKeyedColl coll;
        coll.SetDuplicates(true);
        Fill(coll, c.keys);
        coll.SetDuplicates(c.duplicates);
        int index = -9;
        EXPECT_EQ(coll.Search(&c.key, index), c.found) << c.key;
        EXPECT_EQ(index, c.index) << c.key;
    }
}

TEST_F(CollectionTest, SortedIndexOfAndFreeObj) {
    TKeyedColl coll;
    coll.SetDuplicates(true);
    Fill(coll, {10, 20, 20, 20});
    TKeyItem stranger(20);
    EXPECT_EQ(coll.IndexOf(coll.At(3)), 3);
    EXPECT_EQ(coll.IndexOf(&stranger), -1);

    coll.SetDuplicates(false);
    // Without Duplicates IndexOf names the equal key, yet FreeObj frees only the object itself.
    EXPECT_EQ(coll.IndexOf(&stranger), 1);
    coll.FreeObj(&stranger);
    EXPECT_EQ(coll.Count(), 4);
    coll.FreeObj(coll.At(1));
    EXPECT_EQ(coll.Count(), 3);
}

TEST_F(CollectionTest, BaseSortedCollectionKeepsInsertionOrder) {
    TrbSortedCollection coll;
    Fill(coll, {3, 1, 2});
    EXPECT_EQ(Keys(coll), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(coll.IndexOf(coll.At(0)), -1); // "less" for every pair never finds a key
}

TEST_F(CollectionTest, StreamRoundTrip) {
    TrbCollection coll;
    Fill(coll, {5, 4});
    coll.Insert(nullptr);
    const auto copy = StreamableAs<TrbCollection>(RoundTrip(coll));
    EXPECT_EQ(Keys(*copy), (std::vector<int>{5, 4, -1}));

    TKeyedColl sorted;
    sorted.SetDuplicates(true);
    Fill(sorted, {7, 7});
    const auto sortedCopy = StreamableAs<TKeyedColl>(RoundTrip(sorted));
    EXPECT_TRUE(sortedCopy->Duplicates());
    EXPECT_EQ(Keys(*sortedCopy), (std::vector<int>{7, 7}));
}

TEST_F(CollectionTest, LoadingWithoutDuplicatesFreesTheRefusedItems) {
    TKeyedColl sorted;
    sorted.SetDuplicates(true);
    Fill(sorted, {7, 3, 7});
    sorted.SetDuplicates(false);
    const auto copy = StreamableAs<TKeyedColl>(RoundTrip(sorted));
    EXPECT_EQ(Keys(*copy), (std::vector<int>{3, 7}));
    EXPECT_EQ(TKeyItem::live, 5);
}

TEST_F(CollectionTest, LoadingKeepsItemsAlreadyPresent) {
    TKeyedColl source;
    Fill(source, {2});
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    source.SaveToStream(stream);
    stream.Close();
    stream.OpenRead();
    TKeyedColl target;
    Fill(target, {1, 3});
    target.LoadFromStream(stream);
    EXPECT_EQ(Keys(target), (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace panolcd
