#include "framework/dataentry/validator.h"

#include "framework/dataentry/checks.h"
#include "framework/dataentry/compound.h"
#include "framework/dataentry/fakecontrol.h"
#include "framework/dataentry/numberedits.h"
#include "framework/environment/envcontext.h"
#include "framework/records/excvalidators.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace panolcd {
namespace {

using testing::FakeControl;
using Bytes = std::vector<std::uint8_t>;

class RecordValidatorTest : public testing::ContextTest {};

TEST_F(RecordValidatorTest, CountMismatchIsShownAndLeavesTheListEmpty) {
    TTrByteEdit_Validator v[6];
    Bytes buffer(6);
    TRecordValidator rv;
    rv.TransferTo({nullptr}, {&v[0]}, TrBuffer(buffer).first(1));
    rv.TransferTo(std::vector<ValidatorControl*>(5), {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5]},
                  buffer);
    EXPECT_EQ(User().shown.back().text, "# TRecordValidator.TransferTo CNA<>VAA : 4<>5");
    EXPECT_TRUE(rv.Validators().empty());
    EXPECT_TRUE(rv.Buffer().empty());
}

TEST_F(RecordValidatorTest, BufferMustHoldExactlyTheTransferSizes) {
    TTrWordEdit_Validator word;
    Bytes buffer{1, 2, 3};
    TRecordValidator rv;
    EXPECT_THROW(rv.TransferTo({nullptr}, {&word}, buffer), ExcValidators);
    EXPECT_TRUE(rv.Validators().empty());
    EXPECT_EQ(buffer, (Bytes{1, 2, 3}));
    // A slot smaller than the field is refused before anything is read.
    EXPECT_THROW(word.FillToControl(TrBuffer(buffer).first(1)), ExcValidators);
}

TEST_F(RecordValidatorTest, SharedBitsTakeTheirByteOnceAndStoreOnlyTheirMask) {
    TTrByteChecks_Validator bit0, bit1;
    bit0.DefAttributs(0, 0x01, false);
    bit1.DefAttributs(0, 0x02, true);
    TTrWordEdit_Validator word;
    FakeControl box0(ControlKind::CheckBox), box1(ControlKind::CheckBox), edit;
    Bytes buffer{0x81, 0x34, 0x12};
    TRecordValidator rv;
    rv.TransferTo({&box0, &box1, &edit}, {&bit0, &bit1, &word}, buffer);
    EXPECT_EQ(bit0.TrDataSize(), 0);
    EXPECT_EQ(bit1.TrDataSize(), 1);
    EXPECT_EQ(word.DataPtr().data(), buffer.data() + 1);
    EXPECT_TRUE(box0.checked);
    EXPECT_FALSE(box1.checked);
    EXPECT_EQ(edit.text, "4660");
    box0.checked = false;
    box1.checked = true;
    edit.Type("$0102");
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, (Bytes{0x82, 0x02, 0x01}));
}

TEST_F(RecordValidatorTest, WiringFaultsNameTheExpectedControls) {
    FakeControl combo(ControlKind::ComboBox);
    TTrByteEdit_Validator byteEdit;
    TTrCompound_Validator compound;
    TTrEmpty_Validator empty;
    TTrByteRadio_Validator radio;
    const std::vector<std::pair<TCtrlValidator*, std::string>> cases{
        {&byteEdit, "TTrByteEdit_Validator.AssignCtrl <> TEdit.."},
        {&compound, "TTrCompound_Validator.AssignCtrl <> TEdit|TLabel|TButton.."},
        {&empty, "TTrEmpty_Validator.AssignCtrl <> nil"},
        {&radio, "TTrByteRadio_Validator.AssignCtrl <> TRadioButton.."},
    };
    for (const auto& [validator, text] : cases) {
        try {
            validator->AssignCtrl(&combo);
            ADD_FAILURE() << text;
        } catch (const ExcValidators& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        validator->AssignCtrl(nullptr);
        EXPECT_TRUE(validator->Validate());
    }
    TTrLinFceByteEdit_Validator linear;
    try {
        linear.DefAttributs(0, 0, 0, 0, 255);
        ADD_FAILURE();
    } catch (const ExcValidators& e) {
        EXPECT_EQ(std::string(e.what()), "TTrLinFceByteEdit_Validator.DefAttributs FceKoef_a=0");
    }
    EXPECT_EQ(linear.Factor(), 1);
}

TEST_F(RecordValidatorTest, RefusedWholeRecordCheckLeavesTheBufferAsItWas) {
    TTrByteEdit_Validator a, b;
    FakeControl ea, eb;
    Bytes buffer{1, 2};
    TRecordValidator rv;
    Bytes seen;
    bool accept = false;
    rv.OnValidate = [&](TRecordValidator&, TrBuffer copy) {
        seen.assign(copy.begin(), copy.end());
        return accept;
    };
    rv.TransferTo({&ea, &eb}, {&a, &b}, buffer);
    ea.Type("7");
    eb.Type("8");
    EXPECT_FALSE(rv.ValidateAndStore());
    EXPECT_EQ(seen, (Bytes{7, 8}));
    EXPECT_EQ(buffer, (Bytes{1, 2}));
    accept = true;
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, (Bytes{7, 8}));

    eb.Type("x");
    eb.enabled = false;
    EXPECT_FALSE(rv.ValidateAll());
    EXPECT_EQ(rv.FailedControl(), &eb);
    EXPECT_EQ(eb.focused, 0); // a disabled control cannot take the focus

    EXPECT_FALSE(rv.IsModified());
    a.MarkModified();
    EXPECT_TRUE(rv.IsModified());
    rv.ClearModified();
    EXPECT_FALSE(a.IsModified() || rv.IsModified());
}

TEST_F(RecordValidatorTest, ControlStateSetBitsWinAndKeepCtrlLeavesTheControl) {
    TTrByteEdit_Validator a;
    FakeControl edit;
    Bytes buffer{5};
    a.AssignCtrl(&edit);
    a.FillToControl(buffer);
    a.SetCtrlState(kCtrlEmpty | kCtrlReadOnly, kCtrlEmpty | kCtrlVisible | kCtrlEnabled);
    EXPECT_EQ(edit.text, "");
    EXPECT_TRUE(edit.readOnly);
    EXPECT_FALSE(edit.visible);
    EXPECT_FALSE(edit.enabled);
    a.SetCtrlState(kCtrlVisible, kCtrlEmpty | kCtrlTabStop);
    EXPECT_EQ(edit.text, "5");
    EXPECT_TRUE(edit.visible);
    EXPECT_FALSE(edit.tabStop);
    a.CtrlFlags = vfKeepCtrl;
    a.SetCtrlState(kCtrlEmpty, 0);
    EXPECT_EQ(edit.text, "5");
}

class BlockDialogs final : public DialogPort {
public:
    std::string name;
    DialogResult RunDialog(const std::string& formName, std::uint8_t* trBuff,
                           std::size_t size) override {
        name = formName;
        std::fill(trBuff, trBuff + size, 0xEE);
        return DialogResult::Ok;
    }
};

TEST_F(RecordValidatorTest, CompoundDialogStoresIntoItsBlockAndNothingOverwritesIt) {
    auto dialogs = std::make_unique<BlockDialogs>();
    BlockDialogs& port = *dialogs;
    EnvCtx().dialogs = std::move(dialogs);
    TTrCompound_Validator compound, noData;
    compound.DefAttributs(0, 2, std::string(70, 'D'));
    noData.DefAttributs(vfNoData, 2, "D_X");
    TTrByteEdit_Validator after;
    FakeControl button(ControlKind::Button), edit;
    Bytes buffer{1, 2, 3};
    TRecordValidator rv;
    rv.TransferTo({&button, nullptr, &edit}, {&compound, &noData, &after}, buffer);
    EXPECT_EQ(noData.TrDataSize(), 0);
    EXPECT_EQ(noData.RunDialog(), DialogResult::None);
    EXPECT_EQ(compound.RunDialog(), DialogResult::Ok);
    EXPECT_EQ(port.name, std::string(63, 'D'));
    EXPECT_TRUE(rv.ValidateAndStore());
    EXPECT_EQ(buffer, (Bytes{0xEE, 0xEE, 3}));
}

} // namespace
} // namespace panolcd
