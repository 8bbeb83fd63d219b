#include "framework/persistence/collection.h"
#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class TPoint : public TrbStreamable {
public:
    int x;
    int y;
    std::string ClassName() const override { return "TPersistPoint"; }
    void InitDefaults() override { y = 99; }
    void SaveToStream(TrbObjStream& s) const override {
        s.WriteNum<std::int32_t>(x);
        s.WriteNum<std::int32_t>(y);
    }
    void LoadFromStream(TrbObjStream& s) override {
        x = s.ReadNum<std::int32_t>();
        y = s.ReadNum<std::int32_t>();
    }
    void Assign(const TrbStreamable& source) override {
        const auto& p = *StreamableAs<TPoint>(&source);
        x = p.x;
        y = p.y;
    }
};

class TBrokenSave : public TPoint {
public:
    std::string ClassName() const override { return "TPersistBroken"; }
    void SaveToStream(TrbObjStream&) const override { throw Exception("disk on fire"); }
};

// Writable but never registered, so it cannot be read back.
class TUnregistered : public TPoint {
public:
    std::string ClassName() const override { return "TPersistUnregistered"; }
};

template <class E, class F> void ExpectError(F&& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.what(), message);
    }
}

class StreamableTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterPersistenceClasses();
        RegisterClass<TPoint>();
        RegisterClass<TBrokenSave>();
    }
};

TEST_F(StreamableTest, RegistryIgnoresLetterCaseAndToleratesRepeats) {
    RegisterPersistenceClasses();
    EXPECT_EQ(ClassRegistry::Construct("trbSORTEDcollection")->ClassName(), "TrbSortedCollection");
    const auto point = StreamableAs<TPoint>(ClassRegistry::Construct("TPersistPoint"));
    EXPECT_EQ(point->x, 0);
    EXPECT_EQ(point->y, 0); // constructed only: defaults are not set yet
    EXPECT_EQ(ClassRegistry::Find("TNobody"), nullptr);
    ExpectError<EClassNotFound>([] { ClassRegistry::Lookup("TNobody"); },
                                "Class TNobody not found");
}

TEST_F(StreamableTest, CreateSetsDefaultsAndCreateCopyAssigns) {
    const auto point = Create<TPoint>();
    EXPECT_EQ(point->y, 99);
    point->x = 4;
    const auto copy = CreateCopy<TPoint>(*point);
    EXPECT_EQ(copy->x, 4);
    EXPECT_EQ(copy->ObjectText(), "");

    TrbCollection coll;
    ExpectError<Exception>([&] { coll.Assign(*point); },
                           "Cannot assign a TPersistPoint to a TrbCollection");
}

TEST_F(StreamableTest, TypedAccessFailsOnlyForAnotherClass) {
    TrbSortedCollection sorted;
    TrbCollection* asBase = &sorted;
    EXPECT_EQ(StreamableAs<TrbCollection>(asBase), &sorted);
    EXPECT_EQ(StreamableAs<TPoint>(static_cast<TrbStreamable*>(nullptr)), nullptr);
    ExpectError<EInvalidCast>([&] { StreamableAs<TPoint>(asBase); }, "Invalid class typecast");

    TPoint point{};
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(&point);
    stream.Put(nullptr);
    stream.Close();
    stream.OpenRead();
    ExpectError<EInvalidCast>([&] { stream.GetAs<TrbCollection>(); }, "Invalid class typecast");
    EXPECT_EQ(stream.GetAs<TrbCollection>(), nullptr);
}

TEST_F(StreamableTest, CloneIsDeep) {
    TrbCollection coll;
    auto point = Create<TPoint>();
    point->x = 12;
    coll.Insert(std::move(point));
    const auto clone = CloneAs(coll);
    ASSERT_EQ(clone->Count(), 1);
    EXPECT_NE(clone->At(0), coll.At(0));
    EXPECT_EQ(StreamableAs<TPoint>(clone->At(0))->x, 12);
    EXPECT_EQ(StreamableAs<TPoint>(clone->At(0))->y, 99);
}

TEST_F(StreamableTest, CloneOfAnUnwritableObjectIsNil) {
    TrbCollection coll;
    coll.Insert(Create<TBrokenSave>());
    EXPECT_EQ(CloneStreamable(coll), nullptr);
}

TEST_F(StreamableTest, CloneReadFailuresPropagate) {
    TUnregistered object{};
    ExpectError<EClassNotFound>([&] { CloneStreamable(object); },
                                "Class TPersistUnregistered not found");
}

} // namespace
} // namespace panolcd
