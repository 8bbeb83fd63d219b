#include "framework/persistence/collection.h"
#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"
#include "support/test_context.h"

#include <functional>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

using ByteVec = std::vector<std::uint8_t>;

// A streamable with a number and a name; N selects its class name.
template <int N> class TTagged : public TrbStreamable {
public:
    static inline int live = 0;
    TTagged() { ++live; }
    TTagged(const TTagged&) = delete;
    ~TTagged() override { --live; }

    std::int32_t number = 0;
    std::string name;

    std::string ClassName() const override {
        static const char* const names[] = {"TStreamItem", "TCItem", "TbItem"};
        return names[N];
    }
    void InitDefaults() override { name = "?"; }
    void SaveToStream(TrbObjStream& s) const override {
        s.WriteNum(number);
        s.WriteStr(name);
    }
    void LoadFromStream(TrbObjStream& s) override {
        number = s.ReadNum<std::int32_t>();
        name = s.ReadStr();
    }
    void Assign(const TrbStreamable& source) override {
        const auto& other = *StreamableAs<TTagged>(&source);
        number = other.number;
        name = other.name;
    }
};
using TStreamItem = TTagged<0>;

struct B {
    ByteVec v;
    B& raw(std::string_view s) {
        v.insert(v.end(), s.begin(), s.end());
        return *this;
    }
    B& i16(int x) { return raw(std::string{char(x & 0xFF), char((x >> 8) & 0xFF)}); }
    B& i32(std::int64_t x) { return i16(int(x & 0xFFFF)).i16(int((x >> 16) & 0xFFFF)); }
    B& str(std::string_view s) { return raw(std::string(1, char(s.size()))).raw(s); }
    B& header(int offset) { return raw("RBSTREAM").i32(0x10000).i32(offset); }
};

template <class E, class F> void ExpectError(F&& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.what(), message);
    }
}

ByteVec Written(const std::function<void(TrbObjStream&)>& fill) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    fill(stream);
    stream.Close();
    return stream.Bytes();
}

class ObjStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterPersistenceClasses();
        RegisterClass<TStreamItem>();
        RegisterClass<TTagged<1>>();
        RegisterClass<TTagged<2>>();
    }
};

TEST_F(ObjStreamTest, EmptyStreamIsTwentyBytes) {
    EXPECT_EQ(Written([](TrbObjStream&) {}), B().header(16).i32(0).v);
}

TEST_F(ObjStreamTest, OneEmptyCollectionIsFortyTwoBytes) {
    TrbCollection empty;
    const ByteVec bytes = Written([&](TrbObjStream& s) { s.Put(&empty); });
    EXPECT_EQ(bytes, B().header(22).i16(0).i32(0).i32(1).i16(0).str("TrbCollection").v);
    EXPECT_EQ(bytes.size(), 42u);
}

TEST_F(ObjStreamTest, NilRecordLeavesTheTargetAlone) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(nullptr);
    stream.Put(nullptr);
    stream.Close();
    EXPECT_EQ(stream.Bytes(), B().header(20).i16(-1).i16(-1).i32(0).v);

    stream.OpenRead();
    EXPECT_EQ(stream.Get(), nullptr);
    TStreamItem target;
    target.number = 7;
    EXPECT_FALSE(stream.GetInto(target));
    EXPECT_EQ(target.number, 7);
}

TEST_F(ObjStreamTest, ClassesNumberedByFirstUseTableInCaseInsensitiveNameOrder) {
    TTagged<1> c;
    TTagged<2> b1, b2;
    const ByteVec bytes = Written([&](TrbObjStream& s) {
        s.Put(&c);
        s.Put(&b1);
        s.Put(&b2);
    });
    // Records: TCItem gets index 0, TbItem 1 (reused by the second TbItem); "TbItem" sorts
    // before "TCItem" only when letter case is ignored.
    const ByteVec records = B().i16(0).i32(0).str("").i16(1).i32(0).str("").i16(1).i32(0).str("").v;
    const ByteVec expected =
        B().header(16 + int(records.size()))
            .raw({reinterpret_cast<const char*>(records.data()), records.size()})
            .i32(2)
            .i16(1)
            .str("TbItem")
            .i16(0)
            .str("TCItem")
            .v;
    EXPECT_EQ(bytes, expected);

    TrbMemoryObjStream reader(bytes);
    reader.OpenRead();
    EXPECT_EQ(reader.Get()->ClassName(), "TCItem");
    EXPECT_EQ(reader.Get()->ClassName(), "TbItem");
}

TEST_F(ObjStreamTest, PlainValuesRoundTrip) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.WriteNum<std::int8_t>(-2);
    stream.WriteNum<std::uint16_t>(0xBEEF);
    stream.WriteNum<double>(2.5);
    stream.WriteBool(true);
    stream.WriteStr(std::string(300, 'x'));
    stream.WritePChar("");
    stream.WritePChar(std::string("ab\0cd", 5));
    stream.Close();
    const ByteVec& bytes = stream.Bytes();
    // The long texts: empty is a zero length alone, and a text ends at its first zero byte.
    EXPECT_EQ(ByteVec(bytes.begin() + 16 + 1 + 2 + 8 + 1 + 256, bytes.end() - 4),
              B().i32(0).i32(2).raw("ab").v);

    stream.OpenRead();
    EXPECT_EQ(stream.ReadNum<std::int8_t>(), -2);
    EXPECT_EQ(stream.ReadNum<std::uint16_t>(), 0xBEEF);
    EXPECT_EQ(stream.ReadNum<double>(), 2.5);
    EXPECT_TRUE(stream.ReadBool());
    EXPECT_EQ(stream.ReadStr(), std::string(255, 'x'));
    EXPECT_EQ(stream.ReadPChar(), "");
    EXPECT_EQ(stream.ReadPChar(), "ab");

    TrbMemoryObjStream zero(B().header(16 + 7).i32(3).raw(std::string("a\0b", 3)).i32(0).v);
    zero.OpenRead();
    EXPECT_EQ(zero.ReadPChar(), "a");
}

TEST_F(ObjStreamTest, HeaderIsValidated) {
    const ByteVec good = B().header(16).i32(0).v;
    const std::vector<std::pair<const char*, ByteVec>> cases = {
        {"signature", B().raw("RBSTREAN").i32(0x10000).i32(16).i32(0).v},
        {"version", B().raw("RBSTREAM").i32(0x10001).i32(16).i32(0).v},
        {"offset 0 (never closed)", B().header(0).i32(0).v},
        {"offset inside header", B().header(15).i32(0).v},
        {"negative offset", B().header(-16).i32(0).v},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        TrbMemoryObjStream stream(bytes);
        ExpectError<ErbObjStreamInvalid>([&] { stream.OpenRead(); }, "Invalid RBSTREAM Header");
        EXPECT_EQ(stream.ClassTableOffset(), 0); // the held header is not replaced
    }
    TrbMemoryObjStream stream(good);
    EXPECT_NO_THROW(stream.OpenRead());
}

TEST_F(ObjStreamTest, UnfinishedWriteIsRefused) {
    TStreamItem item;
    TrbMemoryObjStream writer;
    writer.OpenWrite();
    writer.Put(&item);
    TrbMemoryObjStream reader(writer.Bytes());
    ExpectError<ErbObjStreamInvalid>([&] { reader.OpenRead(); }, "Invalid RBSTREAM Header");
}

TEST_F(ObjStreamTest, OperationsOutsideTheirModeFail) {
    TStreamItem item;
    const std::vector<std::pair<const char*, std::function<void(TrbMemoryObjStream&)>>> cases = {
        {"Get while closed", [](auto& s) { s.Get(); }},
        {"Put while closed", [&](auto& s) { s.Put(&item); }},
        {"Get while writing", [](auto& s) { s.OpenWrite(), s.Get(); }},
        {"Put while reading", [&](auto& s) { s.OpenRead(), s.Put(nullptr); }},
        {"OpenRead while reading", [](auto& s) { s.OpenRead(), s.OpenRead(); }},
        {"OpenRead while writing", [](auto& s) { s.OpenWrite(), s.OpenRead(); }},
        {"OpenWrite while writing", [](auto& s) { s.OpenWrite(), s.OpenWrite(); }},
    };
    for (const auto& [what, action] : cases) {
        SCOPED_TRACE(what);
        TrbMemoryObjStream stream(B().header(16).i32(0).v);
        ExpectError<ErbObjStreamWrongMode>([&] { action(stream); }, "RBStream Mode Err");
        EXPECT_NO_THROW(stream.Close());
        EXPECT_EQ(stream.Mode(), StreamMode::Closed);
    }
}

TEST_F(ObjStreamTest, EveryTruncationFailsWithReadError) {
    TrbCollection coll;
    coll.Insert(Create<TStreamItem>());
    coll.Insert(nullptr);
    const ByteVec bytes = Written([&](TrbObjStream& s) { s.Put(&coll); });
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        TrbMemoryObjStream stream(ByteVec(bytes.begin(), bytes.begin() + long(length)));
        ExpectError<EReadError>([&] { stream.OpenRead(); }, "Stream read error");
    }
}

TEST_F(ObjStreamTest, DamagedCountsFailWithReadError) {
    const auto collectionWithCount = [](std::int64_t count) {
        return B().header(22).i16(0).i32(count).i32(1).i16(0).str("TrbCollection").v;
    };
    const auto textWithLength = [](std::int64_t length) {
        return B().header(24).i32(length).raw("abcd").i32(0).v;
    };
    const std::vector<std::pair<const char*, std::function<void(TrbObjStream&)>>> cases = {
        {"class table count", [](auto&) {}},
        {"collection count", [](auto& s) { s.Get(); }},
        {"long text length", [](auto& s) { s.ReadPChar(); }},
    };
    const std::vector<std::vector<ByteVec>> damaged = {
        {B().header(16).i32(0x7FFFFFFF).v, B().header(16).i32(-1).v},
        {collectionWithCount(0x7FFFFFFF), collectionWithCount(-5), collectionWithCount(11)},
        {textWithLength(0x7FFFFFFF), textWithLength(-1), textWithLength(9)},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        for (const ByteVec& bytes : damaged[i]) {
            SCOPED_TRACE(cases[i].first);
            TrbMemoryObjStream stream(bytes);
            ExpectError<EReadError>(
                [&] {
                    stream.OpenRead();
                    cases[i].second(stream);
                },
                "Stream read error");
        }
    }
}

TEST_F(ObjStreamTest, NestingIsBoundedAndDeepTreesAreFreedWithoutRecursion) {
    const auto nested = [](int depth) {
        B b;
        b.header(16 + 6 * depth);
        for (int level = 0; level < depth; ++level)
            b.i16(0).i32(level + 1 < depth ? 1 : 0);
        return b.i32(1).i16(0).str("TrbCollection").v;
    };
    for (const int depth : {TrbObjStream::kMaxNesting, TrbObjStream::kMaxNesting + 1, 20000}) {
        SCOPED_TRACE(depth);
        TrbMemoryObjStream stream(nested(depth));
        stream.OpenRead();
        if (depth <= TrbObjStream::kMaxNesting)
            EXPECT_NE(stream.Get(), nullptr);
        else
            ExpectError<EReadError>([&] { stream.Get(); }, "Stream read error");
    }
    // Built in memory, a tree may nest deeper than any stream; freeing it takes no stack.
    auto root = std::make_unique<TrbCollection>();
    TrbCollection* inner = root.get();
    for (int level = 0; level < 200000; ++level) {
        auto child = std::make_unique<TrbCollection>();
        TrbCollection* next = child.get();
        inner->Insert(std::move(child));
        inner->Insert(Create<TStreamItem>());
        inner = next;
    }
    EXPECT_EQ(TStreamItem::live, 200000);
    root.reset();
    EXPECT_EQ(TStreamItem::live, 0);
}

TEST_F(ObjStreamTest, ClassIndicesOutsideTheTableFail) {
    TrbMemoryObjStream table(B().header(16).i32(1).i16(5).str("TrbCollection").v);
    ExpectError<EListError>([&] { table.OpenRead(); }, "List index out of bounds (5)");

    for (int index : {1, 7, -2}) {
        TrbMemoryObjStream record(B().header(18).i16(index).i32(1).i16(0).str("TrbCollection").v);
        record.OpenRead();
        ExpectError<EListError>([&] { record.Get(); },
                                "List index out of bounds (" + std::to_string(index) + ")");
    }
}

TEST_F(ObjStreamTest, UnknownClassFailsAtOpen) {
    for (const char* name : {"TNobody", ""}) {
        TrbMemoryObjStream stream(
            B().header(16).i32(2).i16(0).str("trbcollection").i16(1).str(name).v);
        ExpectError<EClassNotFound>([&] { stream.OpenRead(); },
                                    std::string("Class ") + name + " not found");
    }
}

TEST_F(ObjStreamTest, MemoryBufferLivesUntilTheNextWrite) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.WriteNum<std::int32_t>(42);
    stream.Close();
    stream.OpenRead();
    EXPECT_EQ(stream.ReadNum<std::int32_t>(), 42);
    stream.Close();
    stream.OpenRead(); // rewinds
    EXPECT_EQ(stream.ReadNum<std::int32_t>(), 42);
    stream.Close();
    stream.OpenWrite();
    stream.Close();
    EXPECT_EQ(stream.Bytes().size(), 20u);

    EXPECT_EQ(stream.ReleaseBuffer().size(), 20u);
    ExpectError<ErbObjStream>([&] { stream.OpenRead(); }, "MemoryStream=nil");
    EXPECT_EQ(stream.Mode(), StreamMode::Closed);
}

class TWrappingStream : public TrbMemoryObjStream {
public:
    using TrbMemoryObjStream::TrbMemoryObjStream;
    std::vector<std::string> seen;

protected:
    void StreamError(std::exception_ptr error) override {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            seen.push_back(e.what());
            throw Exception(std::string("APP: ") + e.what());
        }
    }
};

TEST_F(ObjStreamTest, FailuresPassThroughStreamError) {
    TWrappingStream stream(ByteVec{'R', 'B'});
    ExpectError<Exception>([&] { stream.OpenRead(); }, "APP: Stream read error");
    ExpectError<Exception>([&] { stream.OpenWrite(); }, "APP: RBStream Mode Err");
    EXPECT_EQ(stream.seen, (std::vector<std::string>{"Stream read error", "RBStream Mode Err"}));
}

TEST_F(ObjStreamTest, GetIntoAssignsAndFreesTheLoadedObject) {
    TStreamItem item;
    item.number = 5;
    TrbCollection coll;
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(&item);
    stream.Put(&item);
    stream.Close();
    stream.OpenRead();
    const int before = TStreamItem::live;
    TStreamItem target;
    EXPECT_TRUE(stream.GetInto(target));
    EXPECT_EQ(target.number, 5);
    ExpectError<Exception>([&] { stream.GetInto(coll); },
                           "Cannot assign a TStreamItem to a TrbCollection");
    EXPECT_EQ(TStreamItem::live, before + 1);
}

TEST_F(ObjStreamTest, DestroyingAnOpenStreamSwallowsCloseErrors) {
    TStreamItem item;
    auto stream = std::make_unique<TrbMemoryObjStream>();
    stream->OpenWrite();
    stream->Put(&item);
    stream->ReleaseBuffer(); // Close can no longer write its class table
    EXPECT_NO_THROW(stream.reset());
}

class ObjStreamFileTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterClass<TStreamItem>();
    }
    std::string PathOf(const char* name) const { return (TempDir() / name).string(); }
};

TEST_F(ObjStreamFileTest, RoundTripAndCloseOnDestruction) {
    const std::string path = PathOf("DATA.STR");
    TrbSortedCollection coll;
    auto item = Create<TStreamItem>();
    item->number = -3;
    coll.Insert(std::move(item));
    {
        TrbFileObjStream stream(path);
        stream.OpenWrite();
        stream.Put(&coll);
        stream.WriteStr("end");
    } // never closed explicitly

    TrbFileObjStream stream(path);
    stream.OpenRead();
    const auto copy = stream.GetAs<TrbSortedCollection>();
    ASSERT_EQ(copy->Count(), 1);
    EXPECT_EQ(StreamableAs<TStreamItem>(copy->At(0))->number, -3);
    EXPECT_EQ(stream.ReadStr(), "end");
    stream.Close();
    EXPECT_EQ(stream.GetStream(), nullptr);
}

TEST_F(ObjStreamFileTest, OpenFailuresNameTheFile) {
    const std::string missing = PathOf("MISSING.STR");
    const std::string noDir = PathOf("NODIR/NEW.STR");
    TrbFileObjStream reader(missing);
    ExpectError<EFOpenError>([&] { reader.OpenRead(); }, "Cannot open file " + missing);
    EXPECT_EQ(reader.Mode(), StreamMode::Closed);
    TrbFileObjStream writer(noDir);
    ExpectError<EFCreateError>([&] { writer.OpenWrite(); }, "Cannot create file " + noDir);
    EXPECT_EQ(TrbFileObjStream(std::string(300, 'n')).FileName(), std::string(254, 'n'));
}

TEST_F(ObjStreamFileTest, FailedFlushIsAWriteErrorButNotFromTheDestructor) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TStreamItem item;
    {
        TrbFileObjStream stream("/dev/full");
        stream.OpenWrite();
        stream.Put(&item);
        ExpectError<EWriteError>([&] { stream.Close(); }, "Stream write error");
    }
    auto stream = std::make_unique<TrbFileObjStream>("/dev/full");
    stream->OpenWrite();
    EXPECT_NO_THROW(stream.reset());
}

} // namespace
} // namespace panolcd
