// CSV export and import of register map records: lines of initiator values, file masks, the
// maximum record count.

#include "app/startup.h"
#include "common/shortstring.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/csvexchange.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "support/test_context.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace panolcd::testing {
namespace {

constexpr std::size_t kSymbolOffset = 4; // after AddrReg, TypReg, BitOffs_SSize

class CSVExchange : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        map_ = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    }
    static std::string Line(int address, const std::string& symbol) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "$%04X", address);
        return std::string(hex) + ";$01;$00;'" + symbol + "';'%d';\r\n";
    }
    std::string Symbols() const {
        std::string all;
        for (int i = 0; i < map_->Count(); ++i)
            all += LoadShortString(map_->Record(i)->RecData.data() + kSymbolOffset, 16) + ",";
        return all;
    }
    std::unique_ptr<TDataBase> map_;
};

TEST_F(CSVExchange, ImportsOneRecordPerLine) {
    const auto file = WriteFile("P.MAP", Line(0x10, "R1") + Line(0x12, "R2") + Line(0x20, "B"));
    ASSERT_TRUE(ImportCSV(file.string(), {}, *map_, -1, -1, -1));
    EXPECT_EQ(Symbols(), "R1,R2,B,");
    EXPECT_EQ(map_->Record(2)->RecData[0], 0x20);
    EXPECT_EQ(map_->Record(2)->RecData[2], 0x01);
}

TEST_F(CSVExchange, AMaskImportsItsFilesInNameOrder) {
    WriteFile("b.map", Line(2, "B"));
    WriteFile("A.MAP", Line(1, "A"));
    WriteFile("c.txt", Line(3, "C"));
    EXPECT_EQ(ListMaskFiles((TempDir() / "*.MaP").string()).size(), 2u);
    ASSERT_TRUE(ImportCSV((TempDir() / "?.map").string(), {(TempDir() / "c.txt").string()}, *map_,
                          -1, -1, -1));
    EXPECT_EQ(Symbols(), "A,B,C,");
}

TEST_F(CSVExchange, ReadingStopsAtTheMaximumCountAndKeepsWhatWasRead) {
    const int max = map_->Descriptor()->MaxRecords;
    std::string text;
    for (int i = 0; i <= max; ++i)
        text += Line(i, "R");
    EXPECT_FALSE(ImportCSV(WriteFile("BIG.MAP", text).string(), {}, *map_, -1, -1, -1));
    EXPECT_EQ(map_->Count(), max);
    ASSERT_FALSE(User().shown.empty());
    EXPECT_EQ(User().shown.back().text,
              Cz("Další záznamy nelze založit, dosaženo max. počtu záznamů DB."));
}

TEST_F(CSVExchange, AFileOfExactlyTheMaximumCountIsReadWhole) {
    const int max = map_->Descriptor()->MaxRecords;
    // Line ends of every kind, and blank lines after the last record.
    for (const char* tail : {"", "\r\n\r\n", "\n\n"}) {
        std::string text;
        for (int i = 0; i < max; ++i) {
            std::string line = Line(i, "R" + std::to_string(i));
            if (i % 3 == 1)
                line.replace(line.size() - 2, 2, "\n");
            else if (i % 3 == 2)
                line.replace(line.size() - 2, 2, "\r");
            text += line;
        }
        User().shown.clear();
        auto map = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
        EXPECT_TRUE(ImportCSV(WriteFile("FULL.MAP", text + tail).string(), {}, *map, -1, -1, -1));
        EXPECT_EQ(map->Count(), max);
        EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
        ASSERT_GT(map->Count(), 2);
        EXPECT_EQ(LoadShortString(map->Record(max - 1)->RecData.data() + kSymbolOffset, 16),
                  "R" + std::to_string(max - 1));
    }
}

TEST_F(CSVExchange, ABadLineNamesTheFileAndCommitsNothingOfIt) {
    const auto file = WriteFile("BAD.MAP", Line(1, "A") + "$0002;$01;x\r\n");
    EXPECT_FALSE(ImportCSV(file.string(), {}, *map_, -1, -1, -1));
    EXPECT_EQ(map_->Count(), 0);
    ASSERT_FALSE(User().shown.empty());
    EXPECT_EQ(User().shown.back().text, file.string() + " Err");
}

TEST_F(CSVExchange, ExportWritesTheHeaderAndOneLinePerRecord) {
    ASSERT_TRUE(
        ImportCSV(WriteFile("P.MAP", Line(1, "A") + Line(2, "B")).string(), {}, *map_, -1, -1, -1));
    const auto out = (TempDir() / "OUT.CSV").string();
    ASSERT_TRUE(ExportCSV(out, *map_, "\"AddrReg\";"));
    const std::string text = ReadFile(out);
    EXPECT_EQ(text.rfind("\"AddrReg\";\r\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

} // namespace
} // namespace panolcd::testing
