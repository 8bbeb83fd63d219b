#include "framework/records/recordtype.h"

#include "framework/environment/envcontext.h"
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
using testing::TextField;
using testing::WordField;

class RecordTypeTest : public testing::RecordContextTest {};

TEST_F(RecordTypeTest, SizesOfZeroAreComputedOnFirstUseAndKept) {
    auto type = testing::RecordType(
        "R", Fields(ByteField(1), ByteLimField(2), WordField(3), TextField(5, "ab", 4)));
    EXPECT_EQ(type->RecSize, 0);
    EXPECT_EQ(type->GetRecSize(), 1 + 1 + 2 + 5);
    EXPECT_EQ(type->RecSize, 9);
    EXPECT_EQ(type->GetTrBuffSize(), 1 + 3 + 2 + 5);
    EXPECT_EQ(type->TrBuffSize, 11);
    // A cached size is trusted.
    type->RecSize = 20;
    EXPECT_EQ(type->GetRecSize(), 20);
}

TEST_F(RecordTypeTest, StreamData) {
    auto type = testing::RecordType("ABC", {});
    type->EditFormName = "F1";
    type->RecAttrs = 0x81;
    type->RecSize = 8;
    type->TrBuffSize = 0x102;
    EXPECT_EQ(testing::StreamData(*type), (Bytes{0,   0,    0, 0, 3, 'A', 'B',  'C',  2,    'F',
                                                 '1', 0x81, 8, 0, 2, 1,   0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(RecordTypeTest, ItemsThatAreNoFieldDescriptorsAreRefused) {
    auto type = testing::RecordType("R", {});
    type->Insert(Create<TrbCollection>());
    EXPECT_THROW(testing::SaveAndLoad(*type), EInvalidCast);
}

TEST_F(RecordTypeTest, TheCollectionComputesSizesBeforeItIsStored) {
    AddType("A", Fields(ByteField(1), WordField(2)));
    EXPECT_EQ(TypeAt(0).RecSize, 0);
    auto loaded = StreamableAs<TRecTypesDscrColl>(testing::SaveAndLoad(Types()));
    EXPECT_EQ(TypeAt(0).RecSize, 3);
    EXPECT_EQ(TypeAt(0).TrBuffSize, 3);
    EXPECT_EQ(loaded->RecordTypeAt(0)->RecSize, 3);
    EXPECT_EQ(loaded->RecordTypeAt(0)->TrBuffSize, 3);
}

TEST_F(RecordTypeTest, GetRecordTypeDscrByIndexOrName) {
    for (const char* name : {"Alfa", "Beta", "Gama", "Delta"})
        AddType(name, {});
    struct Case {
        const char* name;
        std::int16_t index;
        const char* found; // nullptr: none
        std::int16_t indexAfter;
    };
    const Case cases[] = {
        {"Alfa", 3, "Delta", 3},      // a valid index wins over the name
        {"gAMA", -1, "Gama", 2},      // by name, letter case ignored
        {"beta", 4, "Beta", 1},       // beyond the end: by name
        {"Epsilon", -1, nullptr, -1}, // none: index untouched
        {"Epsilon", 9, nullptr, 9},
    };
    for (const Case& c : cases) {
        std::int16_t index = c.index;
        const TRecordTypeDscr* type = Types().GetRecordTypeDscr(c.name, index);
        if (c.found == nullptr)
            EXPECT_EQ(type, nullptr) << c.name;
        else
            EXPECT_EQ(type == nullptr ? "" : type->RecTypeName, c.found) << c.name;
        EXPECT_EQ(index, c.indexAfter) << c.name;
        std::int16_t appIndex = c.index;
        EXPECT_EQ(AppRecordType(c.name, appIndex), type);
        EXPECT_EQ(appIndex, c.indexAfter);
    }
}

TEST_F(RecordTypeTest, WithoutApplicationDescriptionNoRecordTypeIsFound) {
    EnvCtx().app.AppData.reset();
    std::int16_t index = 0;
    EXPECT_EQ(AppRecordType("A", index), nullptr);
    EXPECT_EQ(AppRecordTypeAt(0), nullptr);
    EXPECT_EQ(AppRecordTypeSize(0), std::nullopt);
}

class RecordTextTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        AddType("T", Fields(ByteField(7), WordField(300), TextField(4, "xyz", 4)));
        data_ = Bytes(TypeAt(0).GetRecSize());
        TypeAt(0).InitRecordValues(data_.data(), data_.size());
    }
    std::string Line(ColumnOrder order, std::size_t capacity = 255) {
        std::string text = "old";
        const std::size_t length =
            TypeAt(0).GetLineAStr(data_.data(), data_.size(), text, capacity, order);
        EXPECT_EQ(length, text.size());
        return text;
    }
    Bytes data_;
};

TEST_F(RecordTextTest, DefaultsAreLaidOutWithRunningOffsets) {
    EXPECT_EQ(data_, (Bytes{7, 0x2C, 0x01, 3, 'x', 'y', 'z'}));
}

TEST_F(RecordTextTest, ColumnOrders) {
    struct Case {
        std::string order;
        bool given;
        std::string text;
    };
    const Case cases[] = {
        {"", false, "  7  300xyz "},
        {"\x02\x01", true, "  300  7"},    // field 3 left out
        {"\x03\x03\x01", true, "xyz   7"}, // the first position of a number holds its text
        {"", true, ""},
        {std::string(64, '\x01'), true, "  7"},
        {std::string(65, '\x01'), true, ""},
        {"\x09\x00", true, ""}, // numbers without fields
    };
    for (const Case& c : cases) {
        const ColumnOrder order = c.given ? ColumnOrder(c.order) : ColumnOrder();
        EXPECT_EQ(Line(order), c.text) << c.order.size();
    }
    EXPECT_EQ(Line({}, 5), "  7  ");
}

TEST_F(RecordTextTest, AColumnSlotHoldsAtMost79Characters) {
    auto type = testing::RecordType(
        "Long", Fields(TextField(120, std::string(100, 'a'), 100), ByteField(5)));
    Bytes data(type->GetRecSize());
    type->InitRecordValues(data.data(), data.size());
    std::string text;
    type->GetJoinAStr(data.data(), data.size(), text, 255, ColumnOrder("\x01\x02"));
    EXPECT_EQ(text, std::string(79, 'a') + "  5");
    type->GetJoinAStr(data.data(), data.size(), text, 255);
    EXPECT_EQ(text, std::string(100, 'a') + "  5");
}

TEST_F(RecordTextTest, TheFourForms) {
    std::string text;
    EXPECT_EQ(TypeAt(0).GetCWinAStr(data_.data(), data_.size(), text, 255), 12u);
    EXPECT_EQ(text, "  7  300xyz ");
    EXPECT_EQ(TypeAt(0).GetCSV_AStr(data_.data(), data_.size(), text, 255), 17u);
    EXPECT_EQ(text, "  7;  300;\"xyz \";");
    EXPECT_EQ(TypeAt(0).GetJoinAStr(data_.data(), data_.size(), text, 255, ColumnOrder("\x03")),
              4u);
    EXPECT_EQ(text, "xyz ");
}

TEST_F(RecordTextTest, TheCollectionAnswersByNameOrIndex) {
    std::string text;
    EXPECT_EQ(Types().GetDscrRecLineAStr("t", -1, ColumnOrder("\x02"), 255, text, data_.data()),
              5u);
    EXPECT_EQ(text, "  300");
    EXPECT_EQ(Types().GetDscrRecJoinAStr("", 0, {}, 4, text, data_.data()), 4u);
    EXPECT_EQ(text, "  7 ");
    EXPECT_EQ(Types().GetDscrRecCWinAStr("T", -1, 255, text, data_.data()), 12u);
    EXPECT_EQ(Types().GetDscrRecCSV_AStr("T", -1, 255, text, data_.data()), 17u);
    text = "kept?";
    EXPECT_EQ(Types().GetDscrRecCSV_AStr("X", -1, 255, text, data_.data()), 0u);
    EXPECT_EQ(text, "");
    std::uint8_t attrs = 9;
    TypeAt(0).RecAttrs = 0x05;
    EXPECT_TRUE(Types().GetDscrRecAttrSetOK("T", -1, attrs));
    EXPECT_EQ(attrs, 0x05);
    EXPECT_FALSE(Types().GetDscrRecAttrSetOK("X", -1, attrs));
    EXPECT_EQ(Types().GetDscrRecTypeSize("T", -1), 7);
    EXPECT_EQ(Types().GetDscrRecTypeSize("X", -1), 0);
    EXPECT_EQ(Types().GetDscrRecordTrBuffSize("T", -1), 7);
    EXPECT_EQ(Types().GetDscrRecordTrBuffSize("X", 5), 0);

    Bytes fresh(7, 0xEE);
    Types().InitDscrRecordValues("T", -1, fresh.data());
    EXPECT_EQ(fresh, data_);
    Types().InitDscrRecordValues("X", -1, fresh.data()); // nothing to do
}

TEST_F(RecordTextTest, TransferBufferWalk) {
    auto type = testing::RecordType(
        "Tr", Fields(ByteLimField(5), NoTrBuff(ByteField(6)), WordField(0x1234)));
    AddType("Tr", {});
    Types().AtFree(1);
    Types().Insert(std::move(type));
    Bytes data(4);
    Types().InitDscrRecordValues("Tr", -1, data.data());
    EXPECT_EQ(data, (Bytes{5, 6, 0x34, 0x12}));
    ASSERT_EQ(Types().GetDscrRecordTrBuffSize("Tr", -1), 5);
    Bytes buffer(5, 0xEE);
    Types().PutDscrDataToTrBuff("Tr", -1, buffer.data(), data.data());
    EXPECT_EQ(buffer, (Bytes{5, 0, 200, 0x34, 0x12}));

    bool modified = false;
    Types().GetDscrDataFromTrBuff("Tr", -1, modified, buffer.data(), data.data());
    EXPECT_FALSE(modified);
    buffer[3] = 0x99;
    Types().GetDscrDataFromTrBuff("Tr", -1, modified, buffer.data(), data.data());
    EXPECT_TRUE(modified);
    EXPECT_EQ(data, (Bytes{5, 6, 0x99, 0x12}));
    Types().FreeDscrAllTrBuffRec("Tr", -1, buffer.data());
}

TEST_F(RecordTextTest, AWalkNeverLeavesItsBlock) {
    // A stored size smaller than the fields: the fields beyond it are left alone.
    auto type = testing::RecordType("Small", Fields(ByteField(1), WordField(0x0202)));
    type->RecSize = 2;
    type->TrBuffSize = 2;
    Bytes data = {0xAA, 0xBB, 0xCC};
    type->InitRecordValues(data.data(), type->GetRecSize());
    EXPECT_EQ(data, (Bytes{1, 0xBB, 0xCC}));
    Bytes buffer = {0, 0xDD, 0xDD};
    type->PutDataToTrBuff(data.data(), type->GetRecSize(), buffer.data(), type->GetTrBuffSize());
    EXPECT_EQ(buffer, (Bytes{1, 0xDD, 0xDD}));
    std::string text;
    type->GetLineAStr(data.data(), type->GetRecSize(), text, 255);
    EXPECT_EQ(text, "  1");
}

TEST_F(RecordTypeTest, SemanticsRunInPhasesWithTheManagerTold) {
    auto type = testing::RecordType("S", Fields(ByteField(4), ByteField(5)));
    type->Field(0)->Evaluators = testing::Evaluators({7});
    type->Field(1)->Evaluators = testing::Evaluators({8});
    type->RecEvaluators = testing::Evaluators({7, 8});
    type->EventEvaluators = testing::Evaluators({8, 7});
    AddType("S", {});
    Types().AtFree(0);
    Types().Insert(std::move(type));

    // Without a semantics manager nothing runs.
    auto record = Create<TDscrRecObj>();
    record->Create("S", -1);
    EXPECT_TRUE(SemLog().empty());

    TSemManColl& manager = testing::InstallRecordingSemantics(9);
    record->RunRecSemantics(7, 3);
    EXPECT_EQ(SemLog(), (std::vector<std::string>{
                            "id7 phase3 event3 record",
                            "id7 phase5 event3 record data4",
                            "id7 phase4 event3 record",
                        }));
    EXPECT_EQ(manager.GetSemantics(7)->CurRec, nullptr);
    SemLog().clear();
    record->RecordEvent(kRecEventWriteOut);
    EXPECT_EQ(SemLog(), (std::vector<std::string>{
                            "id8 phase3 event3 record",
                            "id8 phase5 event3 record data5",
                            "id8 phase4 event3 record",
                            "id7 phase3 event3 record",
                            "id7 phase5 event3 record data4",
                            "id7 phase4 event3 record",
                        }));
    // An identifier that names no semantics runs nothing.
    SemLog().clear();
    TypeAt(0).Field(0)->Evaluators = testing::Evaluators({20});
    record->RunRecSemantics(20, 3);
    EXPECT_TRUE(SemLog().empty());
}

TEST_F(RecordTypeTest, WithoutRecordEvaluatorsOnlyTheFieldsRun) {
    AddType("S", Fields(ByteField(4)));
    TypeAt(0).Field(0)->Evaluators = testing::Evaluators({7});
    testing::InstallRecordingSemantics(8);
    auto record = Create<TDscrRecObj>();
    record->Create("S", -1);
    record->RunRecSemantics(7, 2);
    EXPECT_EQ(SemLog(), (std::vector<std::string>{"id7 phase5 event2 record data4"}));
}

TEST_F(RecordTypeTest, EventEvaluatorsMustNameTheirIds) {
    auto type = testing::RecordType("E", {});
    type->EventEvaluators = Create<TrbCollection>();
    EXPECT_THROW(testing::SaveAndLoad(*type), EInvalidCast);
}

// Logs the first byte each database pointer pass sees.
class TPointerProbe : public TWordRecFieldDscr {
public:
    std::string ClassName() const override { return "TPointerProbe"; }
    void CheckDBPtr(TDBColl* /*databases*/, std::uint8_t* data, int& status) const override {
        status += data[0];
    }
    void LinkDBPtr(TDataBase* /*database*/, TDBRecordObj* /*record*/,
                   std::uint8_t* data) const override {
        SemLog().push_back("link " + std::to_string(data[0]));
    }
    void EnsureDBPtr(TDataBase* /*database*/, TDBRecordObj* /*record*/,
                     std::uint8_t* data) const override {
        SemLog().push_back("ensure " + std::to_string(data[0]));
    }
};

TEST_F(RecordTypeTest, DatabasePointerPassesUseRunningOffsets) {
    AddType("Inner", Fields(ByteField(0)));
    TypeAt(0).Insert(Create<TPointerProbe>());
    auto compound = Create<TCompoundTDscr>();
    compound->RecTypeIx = 0;
    AddType("Outer", Fields(Create<TPointerProbe>(), std::move(compound)));
    Bytes data = {10, 0, 20, 30, 0};
    int status = 1;
    TypeAt(1).CheckDBPtrs(nullptr, data.data(), data.size(), status);
    EXPECT_EQ(status, 1 + 10 + 30);
    TypeAt(1).LinkDBPtrs(nullptr, nullptr, data.data(), data.size());
    TypeAt(1).EnsureDBPtrs(nullptr, nullptr, data.data(), data.size());
    EXPECT_EQ(SemLog(), (std::vector<std::string>{"link 10", "link 30", "ensure 10", "ensure 30"}));
}

// Every class registered here survives a save, load and save byte for byte.
TEST_F(RecordTypeTest, EveryRegisteredClassRoundTripsByteIdentically) {
    AddType("V", Fields(ByteField(1), WordField(2)));

    auto compound = Create<TCompoundTDscr>();
    compound->FieldName = "Cmp";
    compound->Caption = "Vno\xF8"
                        "en\xFD";
    compound->RecTypeIx = 0;
    compound->Evaluators = testing::Evaluators({1, 2});

    auto abstractCase = Create<TAbstractCaseTypeDscr>();
    abstractCase->RecTypeIx = 3;
    abstractCase->AssignTable = Create<TWordDscrAssTab>();
    abstractCase->AssignTable->PutTabItem(-5, 2);

    auto byteCaseType = Create<TByteCaseTypeDscr>();
    byteCaseType->RecTypeIx = 0;
    byteCaseType->DefaultSelector = 0xA5;
    byteCaseType->AssignTable = Create<TByteDscrAssTab>();
    byteCaseType->AssignTable->PutTabItem(4, 0);

    auto caseT = Create<TCaseTDscr>();
    caseT->RecTypeIx = 1;

    auto byteCaseT = Create<TByteCaseTDscr>();
    byteCaseT->RecTypeIx = 0;
    byteCaseT->DefaultSelector = 2;
    byteCaseT->AssignTable = Create<TByteDscrAssTab>();
    byteCaseT->AssignTable->PutTabItem(2, 0);

    auto type = testing::RecordType("All", Fields(ByteField(9), std::move(compound),
                                                  std::move(byteCaseType), std::move(byteCaseT)));
    type->EditFormName = "F_ALL";
    type->RecAttrs = 1;
    type->EventEvaluators = testing::Evaluators({3});
    type->RecEvaluators = testing::Evaluators({4, 5});

    auto record = Create<TDscrRecObj>();
    record->Create("V", -1);
    record->RecData = {0x10, 0x20, 0x30};

    const std::vector<const TrbStreamable*> objects = {
        type.get(),  &Types(),    record.get(), abstractCase.get(),
        caseT.get(), type->At(1), type->At(2),  type->At(3)};
    for (const TrbStreamable* object : objects) {
        const auto [first, second] = testing::SaveLoadSave(*object);
        EXPECT_EQ(first, second) << object->ClassName();
    }
    for (const char* name :
         {"TRecordTypeDscr", "TRecTypesDscrColl", "TDscrRecObj", "TCompoundTDscr",
          "TAbstractCaseTypeDscr", "TByteCaseTypeDscr", "TCaseTDscr", "TByteCaseTDscr"}) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
}

} // namespace
} // namespace panolcd
