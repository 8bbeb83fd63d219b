#include "framework/records/appdata.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdatastream.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/enumtest_util.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/parrecords.h"
#include "framework/records/recordscontext.h"
#include "framework/records/recordtest_util.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::ByteField;
using testing::EnumType;
using testing::Fields;
using testing::RecordType;
using testing::TransferTable;
using testing::WordField;

// Written under the name of the description, with a field of another class.
class WrongFieldAppData : public TrbStreamable {
public:
    int wrongField = 0;
    std::string ClassName() const override { return "TAppData"; }
    void SaveToStream(TrbObjStream& stream) const override {
        const TrbCollection other;
        for (int i = 0; i < 5; ++i)
            stream.Put(i == wrongField ? &other : nullptr);
    }
    void LoadFromStream(TrbObjStream&) override {}
};

class AppDataTest : public testing::RecordContextTest {
protected:
    void SetUp() override {
        RecordContextTest::SetUp();
        EnvCtx().app.AppData.reset();
        good_ = FromFsPath(TempDir() / "good.APP");
        WriteAppData(good_, Description().get(), ParRecs().get());
    }

    // Enumeration types, one record type, no database descriptors, one parameter record type.
    static std::unique_ptr<TAppData> Description() {
        auto app = std::make_unique<TAppData>();
        app->AppEnumTypesColl = Create<TEnumTypesColl>();
        auto layers = EnumType("EnCaseLayers", {"Dole", "Nahore"});
        layers->Strings->Transfer = TransferTable(0, {{1, 0}, {2, 1}});
        app->AppEnumTypesColl->Insert(std::move(layers));
        app->RecTypesDscrColl = Create<TRecTypesDscrColl>();
        app->RecTypesDscrColl->Insert(RecordType("TParRec", Fields(ByteField(5), WordField(7))));
        app->DataBaseDscrColl = Create<TDataBaseDscrColl>();
        app->ParRecTypesColl = Create<TParRecTypesColl>();
        app->ParRecTypesColl->Insert(Create<TRecIniciatorColl>());
        return app;
    }

    // One data element with records at LA 0 and 2. Made while a description is held.
    static std::unique_ptr<TParRecData> ParRecs() {
        auto held = Description();
        std::swap(EnvCtx().app.AppData, held);
        auto data = Create<TParRecData>();
        auto element = Create<TParRecColl>();
        for (int la = 0; la < 3; ++la) {
            if (la == 1) {
                element->Insert(nullptr);
                continue;
            }
            auto record = Create<TParRecordObj>();
            record->Create("TParRec", -1);
            record->ParCaption = "Rec" + std::to_string(la);
            record->DTMSize = 2;
            element->Insert(std::move(record));
        }
        data->Insert(std::move(element));
        std::swap(EnvCtx().app.AppData, held);
        return data;
    }

    // Two top-level objects of any class, as a description file.
    static void WriteObjects(const std::string& file, const TrbStreamable* first,
                             const TrbStreamable* second) {
        TAppDataStream stream(file);
        stream.OpenWrite();
        stream.Put(first);
        stream.Put(second);
        stream.Close();
    }

    // The message of the failure, or empty when the file loaded.
    static std::string Load(const std::string& file) {
        try {
            EnvCtx().app.LoadAppData(file);
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    std::string Variant(const std::string& name, std::string bytes) const {
        return FromFsPath(WriteFile(name, bytes));
    }

    std::string good_;
};

TEST_F(AppDataTest, FileLayoutAndRoundTrip) {
    const std::string bytes = ReadFile(good_);
    ASSERT_GT(bytes.size(), 34u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("RBSTREAM\0\0\1\0", 12));
    EXPECT_EQ(bytes.substr(16, 16), std::string("\7AppData\0\0\0\0\0\0\0\0", 16));

    ASSERT_EQ(Load(good_), "");
    std::int16_t index = 0;
    const TEnumTypeDefStrings* layers = AppFindEnumStrings("encaselayers", index);
    ASSERT_NE(layers, nullptr);
    EXPECT_EQ(layers->EnumValueText(2), "Nahore");
    ASSERT_NE(AppParRecTypesColl(), nullptr);
    EXPECT_EQ(AppParRecTypesColl()->Count(), 1);
    EXPECT_TRUE(EnvCtx().app.AppData->TestDataBaseDscrColl());
    EXPECT_FALSE(TAppData().TestDataBaseDscrColl());
    TParRecData* data = AppParRecData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->DataElement(0)->Record(2)->DataSize(), 3); // typed by the loaded description

    const std::string again = FromFsPath(TempDir() / "again.APP");
    WriteAppData(again, EnvCtx().app.AppData.get(), data);
    EXPECT_EQ(ReadFile(again), bytes);
}

TEST_F(AppDataTest, FailuresAndWhatStaysHeld) {
    const std::string bytes = ReadFile(good_);
    const auto patched = [&](std::size_t offset, char value) {
        std::string b = bytes;
        b[offset] = value;
        return b;
    };
    std::string unknownClass = bytes;
    unknownClass.replace(unknownClass.rfind("TAppData"), 8, "TAppDatX");

    const std::string wrongTop = FromFsPath(TempDir() / "top.APP");
    const TEnumTypesColl other;
    WriteObjects(wrongTop, &other, nullptr);
    struct Case {
        std::string file;
        std::string message;
    };
    const std::string missing = FromFsPath(TempDir() / "none.APP");
    // Sizes stored for a record type that its fields do not take.
    const auto wrongSize = [&](const char* name, std::uint16_t rec, std::uint16_t trBuff) {
        auto app = Description();
        app->RecTypesDscrColl->RecordTypeAt(0)->RecSize = rec;
        app->RecTypesDscrColl->RecordTypeAt(0)->TrBuffSize = trBuff;
        const std::string file = FromFsPath(TempDir() / name);
        WriteAppData(file, app.get(), nullptr);
        return file;
    };
    const Case cases[] = {
        {missing, "Cannot open file " + missing},
        {Variant("sig.APP", patched(0, 'X')), "Invalid RBSTREAM Header"},
        {Variant("ver.APP", patched(10, 2)), "Invalid RBSTREAM Header"},
        {Variant("len.APP", patched(16, 6)), "Invalid AppData Stream UserHeader"},
        {Variant("text.APP", patched(23, 'A')), "Invalid AppData Stream UserHeader"},
        {Variant("class.APP", unknownClass), "Class TAppDatX not found"},
        {Variant("short.APP", bytes.substr(0, 40)), "Stream read error"},
        {Variant("tiny.APP", bytes.substr(0, 20)), "Stream read error"},
        {wrongTop, "Invalid class typecast"},
        {wrongSize("rec.APP", 9, 0),
         "damaged description: record type TParRec: stored record size 9, its fields take 3"},
        {wrongSize("tr.APP", 3, 1),
         "damaged description: record type TParRec: stored transfer size 1, its fields take 3"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Load(good_), "");
        EXPECT_EQ(Load(c.file), c.message) << c.file;
        EXPECT_EQ(EnvCtx().app.AppData, nullptr) << c.file;
        EXPECT_EQ(AppParRecData(), nullptr) << c.file;
    }

    for (int field = 0; field < 5; ++field) {
        WrongFieldAppData wrong;
        wrong.wrongField = field;
        WriteObjects(wrongTop, &wrong, nullptr);
        EXPECT_EQ(Load(wrongTop), "Invalid class typecast") << field;
        EXPECT_EQ(EnvCtx().app.AppData, nullptr);
    }

    // A description read completely stays when the object after it fails.
    WriteObjects(wrongTop, Description().get(), &other);
    EXPECT_EQ(Load(wrongTop), "Invalid class typecast");
    ASSERT_NE(EnvCtx().app.AppData, nullptr);
    EXPECT_EQ(EnvCtx().app.AppData->AppEnumTypesColl->Count(), 1);
    EXPECT_EQ(AppParRecData(), nullptr);
}

TEST_F(AppDataTest, ReservedBytesAreNotCheckedAndNoneLoads) {
    std::string bytes = ReadFile(good_);
    bytes.replace(24, 8, "reserved");
    EXPECT_EQ(Load(Variant("reserved.APP", bytes)), "");
    EXPECT_NE(AppParRecData(), nullptr);

    const std::string empty = FromFsPath(TempDir() / "empty.APP");
    WriteAppData(empty, nullptr, nullptr);
    EXPECT_EQ(Load(empty), "");
    EXPECT_EQ(EnvCtx().app.AppData, nullptr);
    std::int16_t index = 5;
    EXPECT_EQ(AppFindEnumStrings("EnCaseLayers", index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(AppRecTypesColl(), nullptr);
    EXPECT_EQ(AppParRecTypesColl(), nullptr);
    EXPECT_EQ(AppParRecData(), nullptr);
}

TEST_F(AppDataTest, NotReplacedWhileDatabasesExist) {
    ASSERT_EQ(Load(good_), "");
    const TAppData* held = EnvCtx().app.AppData.get();
    RecordsCtx().instMan.AllocInstAdr();
    EXPECT_NE(Load(good_), "");
    EXPECT_EQ(EnvCtx().app.AppData.get(), held);
    RecordsCtx().instMan.ResetInstAdr();
    EXPECT_EQ(Load(good_), "");
}

TEST_F(AppDataTest, FailedWriteKeepsTheExistingFile) {
    const std::string before = ReadFile(good_);
    // A directory in the way of the file being written makes the write fail.
    std::filesystem::create_directories(TempDir() / "good.APP.new" / "x");
    EXPECT_THROW(WriteAppData(good_, nullptr, nullptr), EFCreateError);
    EXPECT_EQ(ReadFile(good_), before);
}

} // namespace
} // namespace panolcd
