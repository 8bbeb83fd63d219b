#include "framework/dataentry/refvalidators.h"

#include "framework/dataentry/fakecontrol.h"
#include "framework/environment/envcontext.h"
#include "framework/records/dbtest_util.h"
#include "framework/records/recordscontext.h"
#include "framework/records/semsorters.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::FakeControl;
using Bytes = std::vector<std::uint8_t>;
using namespace testing; // kBanks, kBankRec, kRootRec

class FakePanelHost final : public PanelHost {
public:
    Bytes buffer = Bytes(14, 0xAA);
    std::vector<std::string> calls;
    TrBuffer PanelBuffer(int panel) override {
        calls.push_back("buffer " + std::to_string(panel));
        return buffer;
    }
    void ShowPanel(int panel) override { calls.push_back("show " + std::to_string(panel)); }
    void ClearPanel(int panel) override { calls.push_back("clear " + std::to_string(panel)); }
};

// A root record whose bank database holds banks 3, 1 and 2, keyed by a byte sorter.
class RefValidatorTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        TypeAt(kBankRec).Field(0)->Evaluators = Evaluators({0});
        auto manager = Create<TSemManColl>();
        manager->Insert(Create<TByteSorterSem>());
        EnvCtx().app.AppData->SemanticsManager = std::move(manager);
        root_ = Rec(kRootRec);
        banks_ = &Nest(*root_, DB(kBanks));
        for (const std::uint8_t key : {3, 1, 2})
            Add(*banks_, Rec(kBankRec)).RecData[0] = key;
    }

    Bytes Slot(std::uint8_t value, bool withRecord = true) const {
        Bytes slot(kRefByteSlotSize);
        slot[0] = value;
        const std::uint16_t params[5] = {0, kBanks, 0, 0xFFFF, 0};
        for (std::size_t i = 0; i < 5; ++i)
            WriteLE(slot.data() + 1 + 2 * i, params[i]);
        WriteLE<std::uint32_t>(slot.data() + 11,
                               withRecord ? RecordsCtx().handles.Register(root_.get()) : 0);
        return slot;
    }
    std::string Shown() { return User().shown.empty() ? "" : User().shown.back().text; }

    std::unique_ptr<TDBRecordObj> root_;
    TDataBase* banks_ = nullptr;
};

TEST_F(RefValidatorTest, LookUpComboListsTheCandidatesInKeyOrder) {
    TTrRefByteLookUpCombo_Validator v;
    FakeControl combo(ControlKind::ComboBox);
    combo.dropDownList = true;
    Bytes buffer = Slot(2);
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"  1", "  2", "  3"}));
    EXPECT_EQ(combo.itemIndex, 1);
    EXPECT_EQ(AppSemantics(0)->ScanColl, nullptr); // the semantics is left reset
    combo.itemIndex = 2;
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer[0], 3);
    combo.Type("200");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer[0], 200);
    combo.Type("256");
    EXPECT_FALSE(rv.ValidateAndStore());
    EXPECT_EQ(Shown(), "LookUp Validate Err");
    EXPECT_EQ(buffer, Slot(200));
}

TEST_F(RefValidatorTest, AValueWithoutCandidateShowsAsNoneAndIsKept) {
    // 255 (none) and 9 (a bank deleted meanwhile) name no candidate.
    for (const std::uint8_t value : {255, 9}) {
        TTrRefByteLookUpCombo_Validator v;
        FakeControl combo(ControlKind::ComboBox);
        combo.dropDownList = true;
        Bytes buffer = Slot(value);
        TRecordValidator rv;
        rv.TransferTo({&combo}, {&v}, buffer);
        EXPECT_EQ(combo.itemIndex, -1);
        EXPECT_EQ(combo.Text(), TTrRefByteLookUpCombo_Validator::NoneText());
        EXPECT_TRUE(rv.ValidateAndStore()) << Shown();
        EXPECT_EQ(buffer[0], value);
        combo.itemIndex = 0; // another choice is still taken
        EXPECT_TRUE(rv.ValidateAndStore());
        EXPECT_EQ(buffer[0], 1);
    }
}

TEST_F(RefValidatorTest, EditableComboShowsKeys) {
    TTrRefByteLookUpCombo_Validator v;
    v.DefAttributs(vfHex, 0);
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(9);
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"$01", "$02", "$03"}));
    EXPECT_EQ(combo.text, "$09");
    combo.Type("$02");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer[0], 2);
}

TEST_F(RefValidatorTest, EmptyListTakesTheDefaultOnlyWhenAllowed) {
    TTrRefByteLookUpCombo_Validator v;
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(9, false);
    TRecordValidator rv;
    for (const std::uint16_t flags : {0, 0x100}) {
        v.DefAttributs(flags, 255);
        rv.TransferTo({&combo}, {&v}, buffer);
        EXPECT_TRUE(v.Candidates().empty());
        combo.Type("x");
        EXPECT_EQ(rv.ValidateAndStore(), flags != 0);
    }
    EXPECT_EQ(buffer[0], 255);
}

TEST_F(RefValidatorTest, EditShowsTheReferencedRecordInItsPanel) {
    FakePanelHost host;
    TTrRefByteEdit_Validator v;
    v.DefAttributs(0, 0, &host, 0, 0, 1, 255);
    FakeControl edit;
    Bytes buffer = Slot(1);
    TRecordValidator rv;
    rv.TransferTo({&edit}, {&v}, buffer);
    EXPECT_EQ(edit.text, "1");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"buffer 0", "show 0"}));
    EXPECT_EQ(RecordsCtx().handles.Resolve(ReadLE<std::uint32_t>(host.buffer.data())), banks_);
    EXPECT_EQ(RecordsCtx().handles.Resolve(ReadLE<std::uint32_t>(host.buffer.data() + 4)),
              banks_->Record(1));
    EXPECT_EQ(Bytes(host.buffer.begin() + 8, host.buffer.end()),
              (Bytes{0xFF, 0xFF, 0, 0, 0xFF, 0xFF}));

    host.calls.clear();
    buffer = Slot(7);
    rv.TransferTo({&edit}, {&v}, buffer);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"clear 0"}));
}

} // namespace
} // namespace panolcd
