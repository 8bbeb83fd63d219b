#include "framework/records/recordobject.h"

#include "framework/environment/envcontext.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::ByteField;
using testing::ByteLimField;
using testing::Bytes;
using testing::Fields;
using testing::SemLog;
using testing::WordField;

// A record object class of its own, to see the class rule of copies.
class TNarrowRecObj : public TDscrRecObj {
public:
    std::string ClassName() const override { return "TNarrowRecObj"; }

protected:
    bool TakesFrom(const TrbStreamable& source) const override {
        return dynamic_cast<const TNarrowRecObj*>(&source) != nullptr;
    }
};

// Counts the transfer slots released.
class TFreeCountingField : public TByteRecFieldDscr {
public:
    static inline int freed = 0;
    std::string ClassName() const override { return "TFreeCountingField"; }
    void FreeTrBuffRec(std::uint8_t* /*buffer*/) const override { ++freed; }
};

class ScriptedDialogs final : public DialogPort {
public:
    DialogResult result = DialogResult::Ok;
    std::string formName;
    Bytes seen;
    Bytes answer; // written into the buffer when not empty

    DialogResult RunDialog(const std::string& name, std::uint8_t* trBuff,
                           std::size_t size) override {
        formName = name;
        seen.assign(trBuff, trBuff + size);
        if (!answer.empty())
            std::copy(answer.begin(), answer.end(), trBuff);
        return result;
    }
};

class RecordObjectTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        // 12 bytes: 1 + 1 + 2 + 8 (a text of 7 characters).
        AddType("Twelve", Fields(ByteField(0x11), ByteLimField(0x22), WordField(0x4433),
                                 testing::TextField(8, "ABCDEFG", 7)));
        AddType("Pair", Fields(ByteField(1), ByteField(2)));
        AddType("Empty", {});
        TypeAt(1).EditFormName = "D_PAIR";
        TypeAt(1).RecAttrs = 0x81;
    }

    static std::unique_ptr<TDscrRecObj> Record(std::string_view name, std::int16_t index = -1) {
        auto record = Create<TDscrRecObj>();
        record->Create(name, index);
        return record;
    }

    static const Bytes kTwelve;
};

const Bytes RecordObjectTest::kTwelve = {0x11, 0x22, 0x33, 0x44, 7,   'A',
                                         'B',  'C',  'D',  'E',  'F', 'G'};

TEST_F(RecordObjectTest, CreateLaysOutDefaults) {
    auto record = Record("twelve");
    EXPECT_EQ(record->RecData, kTwelve);
    EXPECT_EQ(record->DataSize(), 12);
    EXPECT_EQ(record->RecTypeIx, 0);
    EXPECT_TRUE(record->Modified);
    EXPECT_EQ(record->ResolveRecType(), &TypeAt(0));
    EXPECT_TRUE(Reported().empty());
}

TEST_F(RecordObjectTest, CreateWithoutRecordTypeReports) {
    auto record = Record("Nobody");
    EXPECT_FALSE(record->HasData());
    EXPECT_EQ(record->ResolveRecType(), nullptr);
    EXPECT_EQ(Reported(), std::vector<std::string>{"# TDscrRecObj.RunCreate: RecTypeDscr=nil"});
    std::string text = "x";
    EXPECT_EQ(record->GetLineAStr(text, 255), 0u);
    EXPECT_EQ(text, "");
    EXPECT_EQ(record->GetTrBuffSize(), 0);
    EXPECT_EQ(record->EditFormName(), "");
    EXPECT_FALSE(record->TestRecAttr(0));
}

TEST_F(RecordObjectTest, CreateFromData) {
    const Bytes source = {1, 2, 3, 4, 3, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'};
    struct Case {
        const char* type;
        std::size_t size;
        bool noSource;
        Bytes data;
        bool failed;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        // Bytes 10 and 11 keep their defaults.
        {"Twelve", 10, false, {1, 2, 3, 4, 3, 'a', 'b', 'c', 'd', 'e', 'F', 'G'}, false, {}},
        {"Twelve", 14, false, {1, 2, 3, 4, 3, 'a', 'b', 'c', 'd', 'e', 'f', 'g'}, false, {}},
        {"Twelve", 12, true, {}, true, {"RecPtr=nil"}},
        {"Twelve", 0, false, {}, true, {"DscrRecSize > RecSize $000C> $0000"}},
        {"Empty", 5, false, {}, true, {"DscrRecSize < RecSize $0000< $0005"}},
        {"Nobody",
         5,
         false,
         {},
         true,
         {"# TDscrRecObj.RunCreate: RecTypeDscr=nil", "DscrRecSize < RecSize $0000< $0005"}},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        auto record = Create<TDscrRecObj>();
        bool failed = !c.failed;
        record->CreateFromData(c.type, -1, c.noSource ? nullptr : source.data(), c.size, failed);
        EXPECT_EQ(record->RecData, c.data) << c.type << " " << c.size;
        EXPECT_EQ(failed, c.failed) << c.type << " " << c.size;
        EXPECT_EQ(Reported(), c.reports) << c.type << " " << c.size;
        EXPECT_TRUE(record->Modified);
    }
}

TEST_F(RecordObjectTest, StreamData) {
    auto record = Record("Pair");
    EXPECT_EQ(testing::StreamData(*record), (Bytes{4, 'P', 'a', 'i', 'r', 1, 0, 2, 0, 1, 2}));
    EXPECT_FALSE(record->Modified); // writing clears it
    auto empty = Create<TDscrRecObj>();
    EXPECT_EQ(testing::StreamData(*empty), (Bytes{0, 0xFF, 0xFF, 0, 0}));

    auto loaded = StreamableAs<TDscrRecObj>(testing::SaveAndLoad(*Record("Pair")));
    EXPECT_EQ(loaded->RecData, (Bytes{1, 2}));
    EXPECT_EQ(loaded->RecTypeName, "Pair");
    EXPECT_EQ(loaded->RecTypeIx, 1);
    EXPECT_FALSE(loaded->Modified);
}

// A stream with a record object, then a marker word.
Bytes StreamOf(const Bytes& recordData) {
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    auto record = Create<TDscrRecObj>();
    record->RecTypeName = "Pair";
    record->RecTypeIx = -1;
    record->RecData = recordData;
    stream.Put(record.get());
    stream.WriteNum<std::uint16_t>(0xBEEF);
    stream.Close();
    return stream.ReleaseBuffer();
}

std::unique_ptr<TDscrRecObj> ReadRecord(const Bytes& bytes, std::uint16_t& marker) {
    TrbMemoryObjStream stream(bytes);
    stream.OpenRead();
    auto record = stream.GetAs<TDscrRecObj>();
    marker = stream.ReadNum<std::uint16_t>();
    stream.Close();
    return record;
}

TEST_F(RecordObjectTest, LoadNormalisesTheDataSize) {
    struct Case {
        Bytes stored;
        Bytes loaded;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {{7, 8}, {7, 8}, {}},
        {{}, {1, 2}, {}}, // no data: defaults
        {{7}, {7, 2}, {"# TDscrRecObj.Load: DataSize $0001<> RecSize $0002"}},
        {{7, 8, 9}, {7, 8}, {"# TDscrRecObj.Load: DataSize $0003<> RecSize $0002"}},
    };
    for (const Case& c : cases) {
        User().shown.clear();
        std::uint16_t marker = 0;
        auto record = ReadRecord(StreamOf(c.stored), marker);
        EXPECT_EQ(marker, 0xBEEF);
        EXPECT_EQ(record->RecData, c.loaded);
        EXPECT_EQ(record->RecTypeIx, 1);
        EXPECT_FALSE(record->Modified);
        EXPECT_EQ(Reported(), c.reports);
    }
}

TEST_F(RecordObjectTest, ARecordOfAnUnknownTypeKeepsItsBytes) {
    Types().FreeAll();
    const Bytes bytes = StreamOf({7, 8, 9});
    std::uint16_t marker = 0;
    auto record = ReadRecord(bytes, marker);
    EXPECT_EQ(marker, 0xBEEF); // the rest of the stream reads in step
    EXPECT_EQ(record->RecData, (Bytes{7, 8, 9}));
    EXPECT_EQ(Reported(), std::vector<std::string>{"# TDscrRecObj.Load: RecTypeDscr=nil"});
    std::string text;
    EXPECT_EQ(record->GetCSV_AStr(text, 255), 0u);

    TrbMemoryObjStream again;
    again.OpenWrite();
    again.Put(record.get());
    again.WriteNum<std::uint16_t>(0xBEEF);
    again.Close();
    EXPECT_EQ(again.Bytes(), bytes);

    // Once the type is known, the kept bytes are fitted to it before use.
    User().shown.clear();
    AddType("Pair", Fields(ByteField(1), ByteField(2)));
    EXPECT_EQ(record->GetCSV_AStr(text, 255), 8u);
    EXPECT_EQ(text, "  7;  8;");
    EXPECT_EQ(Reported(), std::vector<std::string>{
                              "# TDscrRecObj.ResolveRecType: DataSize $0003<> RecSize $0002"});
}

TEST_F(RecordObjectTest, AssignToRules) {
    auto source = Record("Pair");
    source->RecData = {5, 6};

    auto same = Record("Pair");
    same->ClearModified();
    same->Assign(*source);
    EXPECT_EQ(same->RecData, (Bytes{5, 6}));
    EXPECT_TRUE(same->IsModified());
    same->ClearModified();
    same->Assign(*source); // equal bytes: not modified
    EXPECT_FALSE(same->IsModified());

    auto resized = Record("Pair");
    resized->RecData = {1, 2, 3};
    resized->Assign(*source);
    EXPECT_EQ(resized->RecData, (Bytes{1, 2, 3}));

    auto other = Record("Twelve");
    other->ClearModified();
    other->Assign(*source);
    EXPECT_EQ(other->RecTypeIx, 1);
    EXPECT_EQ(other->RecTypeName, "Pair");
    EXPECT_EQ(other->ResolveRecType(), &TypeAt(1));
    EXPECT_EQ(other->RecData, (Bytes{5, 6}));
    EXPECT_TRUE(other->IsModified());

    auto noData = Create<TDscrRecObj>();
    auto target = Record("Pair");
    target->Assign(*noData);
    EXPECT_EQ(target->RecData, (Bytes{1, 2}));

    source->Assign(*source); // itself: nothing
    EXPECT_EQ(Reported(), (std::vector<std::string>{"TDscrRecObj.AssignTo DscrRecSize<> Err",
                                                    "TDscrRecObj.AssignTo DscrRecPtr=nil Err"}));
}

TEST_F(RecordObjectTest, AssignToKeepsModifiedForEqualBlocksOfAnotherType) {
    auto source = Record("Pair");
    auto target = Create<TDscrRecObj>();
    target->RecTypeIx = 5;
    target->RecData = {1, 2};
    target->ClearModified();
    target->Assign(*source);
    EXPECT_EQ(target->RecTypeIx, 1);
    EXPECT_FALSE(target->IsModified());
}

TEST_F(RecordObjectTest, AssignToChecksClasses) {
    auto record = Record("Pair");
    auto collection = Create<TrbCollection>();
    try {
        record->Assign(*collection);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TrbCollection to a TDscrRecObj");
    }
    auto narrow = Create<TNarrowRecObj>();
    try {
        narrow->Assign(*record);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TDscrRecObj to a TNarrowRecObj");
    }
    narrow->Create("Pair", -1);
    narrow->RecData = {3, 4};
    record->Assign(*narrow); // a descendant may be copied into its base
    EXPECT_EQ(record->RecData, (Bytes{3, 4}));
}

TEST_F(RecordObjectTest, GetIntoATargetCopiesThroughAssignTo) {
    auto stored = Record("Pair");
    stored->RecData = {9, 9};
    TrbMemoryObjStream stream;
    stream.OpenWrite();
    stream.Put(stored.get());
    stream.Close();
    stream.OpenRead();
    auto target = Record("Pair");
    EXPECT_TRUE(stream.GetInto(*target));
    EXPECT_EQ(target->RecData, (Bytes{9, 9}));
}

TEST_F(RecordObjectTest, RecordAttributes) {
    auto record = Record("Pair");
    const std::pair<int, bool> cases[] = {
        {0, true}, {1, false}, {7, true}, {8, false}, {-1, false}};
    for (const auto& [bit, set] : cases)
        EXPECT_EQ(record->TestRecAttr(bit), set) << bit;
}

TEST_F(RecordObjectTest, InitRecValuesRestoresDefaults) {
    auto record = Record("Pair");
    record->RecData = {7, 7};
    record->InitRecValues();
    EXPECT_EQ(record->RecData, (Bytes{1, 2}));
}

TEST_F(RecordObjectTest, TextsAndTransferBuffer) {
    auto record = Record("Twelve");
    std::string text;
    EXPECT_EQ(record->GetLineAStr(text, 255, ColumnOrder("\x04\x01")), 10u);
    EXPECT_EQ(text, "ABCDEFG 17");
    EXPECT_EQ(record->GetJoinAStr(text, 6), 6u);
    EXPECT_EQ(text, " 17 34");
    EXPECT_EQ(record->GetCWinAStr(text, 255), 18u);
    EXPECT_EQ(record->GetCSV_AStr(text, 255), 24u);
    EXPECT_EQ(text, " 17; 34;17459;\"ABCDEFG\";");

    ASSERT_EQ(record->GetTrBuffSize(), 1 + 3 + 2 + 8);
    Bytes buffer(14, 0xEE);
    record->PutDataToTrBuff(buffer.data());
    EXPECT_EQ(buffer,
              (Bytes{0x11, 0x22, 0, 200, 0x33, 0x44, 7, 'A', 'B', 'C', 'D', 'E', 'F', 'G'}));
    record->ClearModified();
    record->GetDataFromTrBuff(buffer.data());
    EXPECT_FALSE(record->IsModified());
    buffer[0] = 0x99;
    record->GetDataFromTrBuff(buffer.data());
    EXPECT_TRUE(record->IsModified());
    EXPECT_EQ(record->RecData[0], 0x99);
}

TEST_F(RecordObjectTest, EditRecordRunsTheRegisteredDialog) {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& port = *dialogs;
    EnvCtx().dialogs = std::move(dialogs);
    Types().AtFree(1);
    auto pair = testing::RecordType("Pair", {});
    pair->Insert(Create<TFreeCountingField>());
    pair->Insert(ByteField(2));
    pair->EditFormName = "D_PAIR";
    Types().AtInsert(1, std::move(pair));

    struct Case {
        DialogResult result;
        Bytes answer;
        Bytes data;
        bool modified;
    };
    const Case cases[] = {
        {DialogResult::Ok, {5, 6}, {5, 6}, true},
        {DialogResult::Ok, {0, 2}, {0, 2}, false},
        {DialogResult::Cancel, {5, 6}, {0, 2}, false}, // not OK: the buffer is not taken back
        {DialogResult::None, {}, {0, 2}, false},
    };
    for (const Case& c : cases) {
        auto record = Record("Pair");
        record->ClearModified();
        port.result = c.result;
        port.answer = c.answer;
        TFreeCountingField::freed = 0;
        EXPECT_EQ(record->EditRecord(), c.result);
        EXPECT_EQ(port.formName, "D_PAIR");
        EXPECT_EQ(port.seen, (Bytes{0, 2}));
        EXPECT_EQ(record->RecData, c.data);
        EXPECT_EQ(record->IsModified(), c.modified);
        EXPECT_EQ(TFreeCountingField::freed, 1);
    }
}

TEST_F(RecordObjectTest, WithoutAUserInterfaceNoDialogRuns) {
    auto record = Record("Pair");
    EXPECT_EQ(record->EditRecord(), DialogResult::None);
    EXPECT_EQ(record->RecData, (Bytes{1, 2}));
}

TEST_F(RecordObjectTest, EventTwoFollowsCreationLoadingAndInit) {
    TypeAt(1).EventEvaluators = testing::Evaluators({6});
    TypeAt(1).Field(0)->Evaluators = testing::Evaluators({6});
    testing::InstallRecordingSemantics(7);
    const std::vector<std::string> oneRun = {"id6 phase5 event2 record data1"};
    auto record = Record("Pair");
    EXPECT_EQ(SemLog(), oneRun);
    SemLog().clear();
    auto loaded = testing::SaveAndLoad(*record);
    EXPECT_EQ(SemLog(), oneRun);
    SemLog().clear();
    record->InitRecValues();
    EXPECT_EQ(SemLog(), oneRun);
    SemLog().clear();
    bool failed = false;
    const Bytes source = {1, 2};
    record->CreateFromData("Pair", -1, source.data(), 2, failed);
    EXPECT_TRUE(SemLog().empty()); // a full copy is no new record of defaults
}

} // namespace
} // namespace panolcd
