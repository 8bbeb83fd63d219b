#include "framework/records/casefields.h"

#include "framework/records/fieldtest_util.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::ByteField;
using testing::ByteLimField;
using testing::Bytes;
using testing::Fields;
using testing::NoTrBuff;
using testing::SemLog;
using testing::WordField;

class NestedFieldTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        // Variants of 4 bytes with transfer sizes 4, 9 and 6, and one of 5 bytes.
        AddType("VarA", Fields(WordField(0x0101), WordField(0x0202)));
        AddType("VarB", Fields(ByteLimField(0x0B), ByteLimField(0x0B), ByteLimField(0x0B),
                               NoTrBuff(ByteField(0xB4))));
        AddType("VarC", Fields(ByteLimField(0x0C), ByteLimField(0x0C), NoTrBuff(ByteField(0xC3)),
                               NoTrBuff(ByteField(0xC4))));
        AddType("VarD", Fields(ByteField(0xD1), ByteField(0xD2), ByteField(0xD3), ByteField(0xD4),
                               ByteField(0xD5)));
        // Variants whose first byte is the selector: 3 bytes, transfer sizes 3 and 5.
        AddType("SelA", Fields(ByteField(0xA0), WordField(0x1111)));
        AddType("SelB", Fields(ByteLimField(0xB0), WordField(0x2222)));
        AddType("Inner", Fields(ByteField(5), WordField(0x0606)));
    }

    static constexpr std::int16_t kVarA = 0, kVarB = 1, kVarC = 2, kVarD = 3, kSelA = 4, kSelB = 5,
                                  kInner = 6;

    static std::unique_ptr<TByteCaseTDscr> ByteCaseT(std::uint8_t defaultSelector) {
        auto d = Create<TByteCaseTDscr>();
        d->RecTypeIx = kVarA;
        d->DefaultSelector = defaultSelector;
        d->AssignTable = Create<TByteDscrAssTab>();
        d->AssignTable->PutTabItem(1, kVarA);
        d->AssignTable->PutTabItem(2, kVarB);
        d->AssignTable->PutTabItem(3, kVarC);
        return d;
    }

    static std::unique_ptr<TByteCaseTypeDscr> ByteCaseType(std::uint8_t defaultSelector) {
        auto d = Create<TByteCaseTypeDscr>();
        d->RecTypeIx = kSelA;
        d->DefaultSelector = defaultSelector;
        d->AssignTable = Create<TByteDscrAssTab>();
        d->AssignTable->PutTabItem(1, kSelA);
        d->AssignTable->PutTabItem(2, kSelB);
        return d;
    }

    static std::unique_ptr<TCompoundTDscr> Compound(std::int16_t recTypeIx) {
        auto d = Create<TCompoundTDscr>();
        d->RecTypeIx = recTypeIx;
        d->Caption = "In:";
        return d;
    }
};

class CaseFieldTest : public NestedFieldTest {};
class CompoundFieldTest : public NestedFieldTest {};

TEST_F(CaseFieldTest, ByteCaseTSizesAreTheSelectorAndTheLargestVariant) {
    auto d = ByteCaseT(1);
    EXPECT_EQ(d->GetFieldSize(), 5);
    EXPECT_EQ(d->GetTrBuffSize(), 10);
    d->Flags |= fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    EXPECT_TRUE(Reported().empty());
}

TEST_F(CaseFieldTest, ByteCaseTChecksVariantLengthsOnce) {
    auto d = ByteCaseT(1);
    d->AssignTable->PutTabItem(4, kVarD);
    EXPECT_EQ(d->GetFieldSize(), 5);
    EXPECT_EQ(d->GetFieldSize(), 5);
    EXPECT_EQ(Reported(), std::vector<std::string>{"# ByteAssTab[$04] DscrLng=$0005<> $0004"});
}

TEST_F(CaseFieldTest, ByteCaseTWithoutDefaultVariant) {
    auto d = ByteCaseT(1);
    d->RecTypeIx = 40;
    Bytes data = {0xEE, 0xEE};
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    d->InitFieldValue(data.data());
    EXPECT_EQ(data, (Bytes{0xEE, 0xEE}));
    EXPECT_EQ(Reported(), std::vector<std::string>{"# TByteCaseTDscr.GetFieldSize DefaultLen=0"});
}

TEST_F(CaseFieldTest, ByteCaseTInitialisesTheSelectedVariant) {
    const std::pair<std::uint8_t, Bytes> cases[] = {
        {1, {1, 1, 1, 2, 2}},
        {2, {2, 0x0B, 0x0B, 0x0B, 0xB4}},
        {3, {3, 0x0C, 0x0C, 0xC3, 0xC4}},
        {9, {9, 1, 1, 2, 2}}, // no variant: the default one
    };
    for (const auto& [selector, expected] : cases) {
        Bytes data(6, 0xEE);
        ByteCaseT(selector)->InitFieldValue(data.data());
        Bytes field(data.begin(), data.begin() + 5);
        EXPECT_EQ(field, expected) << int(selector);
        EXPECT_EQ(data[5], 0xEE);
    }
}

TEST_F(CaseFieldTest, ByteCaseTTransferBuffer) {
    auto d = ByteCaseT(2);
    Bytes data(5);
    d->InitFieldValue(data.data());
    Bytes buffer(10, 0xEE);
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{2, 0x0B, 0, 200, 0x0B, 0, 200, 0x0B, 0, 200}));

    data = {1, 1, 1, 2, 2};
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{1, 1, 1, 2, 2, 0, 0, 0, 0, 0}));

    bool modified = false;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_FALSE(modified);
    buffer[2] = 0x77;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(data, (Bytes{1, 1, 0x77, 2, 2}));

    // A new selector: the record takes it and the new variant's defaults.
    modified = false;
    buffer[0] = 3;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(data, (Bytes{3, 0x0C, 0x0C, 0xC3, 0xC4}));
    d->FreeTrBuffRec(buffer.data());
}

TEST_F(CaseFieldTest, ByteCaseTTextsShowTheVariant) {
    auto d = ByteCaseT(1);
    d->Caption = "V:";
    d->LineWidth = 1; // the variant's fields decide the widths
    const std::pair<Bytes, std::string> cases[] = {
        {{1, 1, 1, 2, 2}, "V:  257  514"},
        {{2, 7, 8, 9, 10}, "V:  7  8  9 10"},
        {{200, 1, 0, 1, 0}, "V:    1    1"}, // no variant: the default one
    };
    for (const auto& [data, text] : cases)
        EXPECT_EQ(testing::LineText(*d, data), text);
    d->Flags |= fNoLineCaption;
    EXPECT_EQ(testing::LineText(*d, {1, 1, 0, 1, 0}), "    1    1");
    Bytes csv = {1, 1, 0, 1, 0};
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::CSV, csv), "    1;    1;");
}

TEST_F(CaseFieldTest, ByteCaseTWithoutAssignTableUsesTheDefaultVariant) {
    auto d = ByteCaseT(2);
    d->AssignTable.reset();
    EXPECT_EQ(d->GetTrBuffSize(), 5);
    Bytes data(5);
    d->InitFieldValue(data.data());
    EXPECT_EQ(data, (Bytes{2, 1, 1, 2, 2}));
}

TEST_F(CaseFieldTest, ByteCaseTypeSizesAndDefaults) {
    auto d = ByteCaseType(7);
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(d->GetTrBuffSize(), 5); // the largest variant, not the default one
    Bytes data(4, 0xEE);
    d->InitFieldValue(data.data());
    EXPECT_EQ(data, (Bytes{7, 0x11, 0x11, 0xEE}));
    EXPECT_TRUE(Reported().empty());
}

TEST_F(CaseFieldTest, ByteCaseTypeTransferBufferFollowsTheSelector) {
    auto d = ByteCaseType(1);
    Bytes data = {2, 0x22, 0x22};
    Bytes buffer(5, 0xEE);
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{2, 0, 200, 0x22, 0x22}));
    data = {1, 0x33, 0x33};
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{1, 0x33, 0x33, 0, 0}));
    bool modified = false;
    buffer[1] = 0x44;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(data, (Bytes{1, 0x44, 0x33}));
    EXPECT_EQ(testing::LineText(*d, {2, 1, 0}), "  2    1");
    EXPECT_EQ(testing::LineText(*d, {1, 1, 0}), "  1    1");
}

TEST_F(CaseFieldTest, ByteCaseTypeWithoutDefaultVariant) {
    auto d = ByteCaseType(1);
    d->RecTypeIx = -1;
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(Reported(),
              std::vector<std::string>{"# TByteCaseTypeDscr.GetFieldSize DefaultLen=0"});
}

TEST_F(CaseFieldTest, AVariantLargerThanTheFieldStaysInside) {
    auto d = ByteCaseType(1);
    d->AssignTable->PutTabItem(3, kVarD); // 5 bytes in a 3-byte field
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(Reported(), std::vector<std::string>{"# ByteAssTab[$03] DscrLng=$0005<> $0003"});
    Bytes data = {3, 0xEE, 0xEE, 0x99, 0x99};
    Bytes buffer(5, 0xEE);
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{3, 0xEE, 0xEE, 0, 0}));
    buffer = {3, 1, 2, 3, 4};
    bool modified = false;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_EQ(data, (Bytes{3, 1, 2, 0x99, 0x99}));
}

TEST_F(CaseFieldTest, ACaseFieldInARecord) {
    AddType("WithCase", Fields(ByteField(0x42)));
    TypeAt(7).Insert(ByteCaseT(2));
    auto record = Create<TDscrRecObj>();
    record->Create("WithCase", -1);
    EXPECT_EQ(record->RecData, (Bytes{0x42, 2, 0x0B, 0x0B, 0x0B, 0xB4}));
    EXPECT_EQ(record->GetTrBuffSize(), 11);
    Bytes buffer(11);
    record->PutDataToTrBuff(buffer.data());
    EXPECT_EQ(buffer, (Bytes{0x42, 2, 0x0B, 0, 200, 0x0B, 0, 200, 0x0B, 0, 200}));
}

TEST_F(CompoundFieldTest, TheNestedRecordInTheFieldsBytes) {
    auto d = Compound(kInner);
    d->LineWidth = 1;
    EXPECT_EQ(d->GetFieldSize(), 3);
    EXPECT_EQ(d->GetTrBuffSize(), 3);
    Bytes data(4, 0xEE);
    d->InitFieldValue(data.data());
    EXPECT_EQ(data, (Bytes{5, 6, 6, 0xEE}));
    EXPECT_EQ(testing::LineText(*d, data), "In:  5 1542");
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::CSV, data), "  5; 1542;");
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::CWin, data), "In:  5 1542");
    d->Flags |= fNoJoinCaption;
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::Join, data), "  5 1542");
    EXPECT_EQ(testing::FormText(*d, FieldTextForm::Join, data, 4), "  5 ");

    Bytes buffer(3);
    d->PutDataToTrBuff(data.data(), buffer.data());
    EXPECT_EQ(buffer, (Bytes{5, 6, 6}));
    buffer[0] = 9;
    bool modified = false;
    d->GetDataFromTrBuff(data.data(), buffer.data(), modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(data, (Bytes{9, 6, 6, 0xEE}));
    d->FreeTrBuffRec(buffer.data());

    d->Flags |= fNoTrBuff;
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    EXPECT_TRUE(Reported().empty());
}

TEST_F(CompoundFieldTest, AMissingRecordTypeIsReportedOnce) {
    auto d = Compound(30);
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetFieldSize(), 0);
    EXPECT_EQ(d->GetTrBuffSize(), 0);
    EXPECT_EQ(testing::LineText(*d, {}), "In:");
    EXPECT_EQ(Reported(), std::vector<std::string>{"# TCompoundTDscr.GetFieldSize"});
}

TEST_F(CompoundFieldTest, NestedFieldsRunSemanticsAndHearEvents) {
    TypeAt(kInner).EventEvaluators = testing::Evaluators({3});
    TypeAt(kInner).Field(1)->Evaluators = testing::Evaluators({3});
    AddType("Outer", Fields(ByteField(1)));
    TypeAt(7).Insert(Compound(kInner));
    testing::InstallRecordingSemantics(4);
    auto record = Create<TDscrRecObj>();
    record->Create("Outer", -1);
    EXPECT_EQ(record->RecData, (Bytes{1, 5, 6, 6}));
    SemLog().clear();
    record->RecordEvent(kRecEventWriteOut);
    EXPECT_EQ(SemLog(), (std::vector<std::string>{"id3 phase5 event3 record data6"}));
}

TEST_F(CompoundFieldTest, ARecordTypeThatNestsItselfEnds) {
    AddType("Loop", Fields(ByteField(1)));
    TypeAt(7).Insert(Compound(7));
    auto record = Create<TDscrRecObj>();
    record->Create("Loop", -1);
    EXPECT_EQ(record->DataSize(), TypeAt(7).GetRecSize());
    std::string text;
    record->GetLineAStr(text, 255);
    record->RecordEvent(kRecEventWriteOut);
    Bytes buffer(record->GetTrBuffSize());
    record->PutDataToTrBuff(buffer.data());
}

} // namespace
} // namespace panolcd
