#include "framework/records/assigntable.h"

#include "framework/persistence/objstream.h"
#include "framework/persistence/register.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/register.h"
#include "support/test_context.h"

#include <map>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Bytes;

class AssignTableTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterPersistenceClasses();
        RegisterRecordClasses();
    }

    static RecordSizeLookup Sizes(std::map<std::int16_t, std::uint16_t> sizes) {
        return [sizes](std::int16_t ix) -> std::optional<std::uint16_t> {
            const auto found = sizes.find(ix);
            if (found == sizes.end())
                return std::nullopt;
            return found->second;
        };
    }

    std::vector<std::string> Reported() {
        std::vector<std::string> texts;
        for (const auto& m : User().shown)
            texts.push_back(m.text);
        return texts;
    }
};

TEST_F(AssignTableTest, ByteTable) {
    auto t = Create<TByteDscrAssTab>();
    const std::uint8_t five = 5, six = 6, big = 0xAB;
    EXPECT_EQ(t->GetDscrIx(&five), -1);
    t->PutTabItem(5, 3);
    t->PutTabItem(0x1AB, 1); // only the low byte counts
    EXPECT_EQ(t->GetDscrIx(&five), 3);
    EXPECT_EQ(t->GetDscrIx(&six), -1);
    EXPECT_EQ(t->GetDscrIx(&big), 1);

    Bytes expected(512, 0xFF);
    expected[10] = 3;
    expected[11] = 0;
    expected[0x156] = 1;
    expected[0x157] = 0;
    EXPECT_EQ(testing::StreamData(*t), expected);
    auto loaded = StreamableAs<TByteDscrAssTab>(testing::SaveAndLoad(*t));
    EXPECT_EQ(loaded->Table, t->Table);

    EXPECT_TRUE(t->TestDscrLength(10, Sizes({{3, 10}, {1, 10}})));
    EXPECT_TRUE(Reported().empty());
    EXPECT_FALSE(t->TestDscrLength(10, Sizes({{3, 10}, {1, 12}})));
    EXPECT_EQ(Reported(), std::vector<std::string>{"# ByteAssTab[$AB] DscrLng=$000C<> $000A"});
}

TEST_F(AssignTableTest, WordTable) {
    auto t = Create<TWordDscrAssTab>();
    t->PutTabItem(-2, 7);
    t->PutTabItem(0x1234, 1);
    t->PutTabItem(0x1234, 9); // searched in order: the first pair wins
    const Bytes minusTwo = {0xFE, 0xFF}, key = {0x34, 0x12}, other = {0, 0};
    EXPECT_EQ(t->GetDscrIx(minusTwo.data()), 7);
    EXPECT_EQ(t->GetDscrIx(key.data()), 1);
    EXPECT_EQ(t->GetDscrIx(other.data()), -1);
    EXPECT_EQ(testing::StreamData(*t),
              (Bytes{12, 0, 0xFE, 0xFF, 7, 0, 0x34, 0x12, 1, 0, 0x34, 0x12, 9, 0}));
    auto loaded = StreamableAs<TWordDscrAssTab>(testing::SaveAndLoad(*t));
    EXPECT_EQ(loaded->Pairs, t->Pairs);

    // Record type 7 does not exist: size 0.
    EXPECT_FALSE(t->TestDscrLength(4, Sizes({{1, 4}, {9, 4}})));
    EXPECT_EQ(Reported(), std::vector<std::string>{"# WordAssTab[$FFFE] DscrLng=$0000<> $0004"});
}

TEST_F(AssignTableTest, WordTableSkipsTheOddBytesOfADamagedLength) {
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.WriteNum<std::uint16_t>(5);
    out.WriteNum<std::int16_t>(3);
    out.WriteNum<std::int16_t>(4);
    out.WriteNum<std::uint8_t>(0xEE);
    out.WriteNum<std::uint16_t>(0xBEEF);
    out.Close();
    TrbMemoryObjStream in(out.ReleaseBuffer());
    in.OpenRead();
    auto t = Create<TWordDscrAssTab>();
    t->LoadFromStream(in);
    EXPECT_EQ(t->Pairs, (std::vector<TWordDscrAssTab::Pair>{{3, 4}}));
    EXPECT_EQ(in.ReadNum<std::uint16_t>(), 0xBEEF);
}

TEST_F(AssignTableTest, WordTableLengthBeyondTheDataFails) {
    TrbMemoryObjStream out;
    out.OpenWrite();
    out.WriteNum<std::uint16_t>(400);
    out.Close();
    TrbMemoryObjStream in(out.ReleaseBuffer());
    in.OpenRead();
    auto t = Create<TWordDscrAssTab>();
    EXPECT_ANY_THROW(t->LoadFromStream(in));
}

TEST_F(AssignTableTest, BaseMapsNothing) {
    auto t = Create<TDscrAssignTable>();
    const std::uint8_t zero = 0;
    t->PutTabItem(0, 1);
    EXPECT_EQ(t->GetDscrIx(&zero), -1);
    EXPECT_TRUE(t->TestDscrLength(3, Sizes({})));
    EXPECT_TRUE(testing::StreamData(*t).empty());
}

} // namespace
} // namespace panolcd
