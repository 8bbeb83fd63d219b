#include "framework/dataentry/enumvalidators.h"

#include "common/littleendian.h"
#include "framework/dataentry/fakecontrol.h"
#include "framework/records/enumtest_util.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::FakeControl;
using Bytes = std::vector<std::uint8_t>;

// Type 0: "nula", "jedna", "dva"; type 1 maps value 9 to its one item.
class EnumValidatorTest : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        auto types = Create<TEnumTypesColl>();
        types->Insert(testing::EnumType("T0", {"nula", "jedna", "dva"}));
        auto mapped = testing::EnumType("T1", {"devet"});
        mapped->Strings->Transfer = testing::TransferTable(5, {{9, 0}});
        types->Insert(std::move(mapped));
        testing::InstallEnumTypes(std::move(types));
    }

    static Bytes Slot(std::uint8_t value, std::int32_t type) {
        Bytes slot(5);
        slot[0] = value;
        WriteLE(slot.data() + 1, type);
        return slot;
    }
    std::string Shown() { return User().shown.empty() ? "" : User().shown.back().text; }
};

TEST_F(EnumValidatorTest, ComboShowsTheTypeAndChecksTheChoice) {
    TTrEnumCombo_Validator v;
    v.DefAttributs(0, 0, 1);
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(1, 0);
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"nula", "jedna", "dva"}));
    EXPECT_EQ(combo.itemIndex, 1);

    const std::pair<const char*, const char*> refused[] = {
        {"dva", "Enum Err: 2 out of <0;1>"},
        {"x", "Enum Err: Syntaktická chyba v zápisu čísla integer <0;1>"},
        {"7", "Enum Err: Hodnota mimo meze  <0;1>"},
    };
    for (const auto& [typed, message] : refused) {
        combo.Type(typed);
        EXPECT_FALSE(rv.ValidateAndStore()) << typed;
        EXPECT_EQ(Shown(), testing::Cz(message));
    }
    EXPECT_EQ(buffer, Slot(1, 0));
    combo.Type("nula");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, Slot(0, 0));
}

TEST_F(EnumValidatorTest, ValueWithoutItemIsShownInHexAndKeptWhenUntouched) {
    TTrEnumCombo_Validator v;
    v.DefAttributs(0, 0, 2);
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(0x3C, 0);
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.itemIndex, -1);
    EXPECT_EQ(combo.text, "$3C");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, Slot(0x3C, 0));
}

TEST_F(EnumValidatorTest, TransferTableMapsValuesToItems) {
    TTrEnumCombo_Validator v;
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(9, 1);
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.itemIndex, 0);
    buffer[0] = 0;
    combo.itemIndex = 0;
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer[0], 9);
}

TEST_F(EnumValidatorTest, MaskedValuesReplaceOnlyTheirBits) {
    TTrMskEnumCombo_Validator v;
    v.DefAttributs(0, 0, 0x30, 255);
    FakeControl combo(ControlKind::ComboBox);
    Bytes buffer = Slot(0xA5, 0); // bits 0x30 hold 2
    TRecordValidator rv;
    rv.TransferTo({&combo}, {&v}, buffer);
    EXPECT_EQ(combo.itemIndex, 2);
    combo.Type("4"); // more than two bits hold
    EXPECT_FALSE(rv.ValidateAndStore());
    combo.itemIndex = 1;
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, Slot(0x95, 0));
}

TEST_F(EnumValidatorTest, RadioGroupNeedsASelectionInRange) {
    TTrMskEnumRadioGroup_Validator v;
    v.DefAttributs(0, 1, 0x03, 2);
    FakeControl group(ControlKind::RadioGroup);
    Bytes buffer = Slot(0xF0, 0);
    TRecordValidator rv;
    rv.TransferTo({&group}, {&v}, buffer);
    EXPECT_EQ(group.items.size(), 3u);
    EXPECT_EQ(group.itemIndex, 0);
    EXPECT_FALSE(rv.ValidateAndStore());
    EXPECT_EQ(Shown(), "Enum Err: hodnota mimo meze <1;2>");
    group.itemIndex = -1;
    EXPECT_FALSE(rv.ValidateAndStore());
    EXPECT_EQ(Shown(), "Enum Err: ");
    group.itemIndex = 2;
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, Slot(0xF2, 0));
}

} // namespace
} // namespace panolcd
