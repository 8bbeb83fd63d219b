#include "framework/records/semantics.h"

#include "common/shortstring.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/persistence/classregistry.h"
#include "framework/records/datetime.h"
#include "framework/records/dbtest_util.h"
#include "framework/records/fieldtest_util.h"
#include "framework/records/semaggregates.h"
#include "framework/records/seminivalues.h"
#include "framework/records/semscans.h"
#include "framework/records/semsetters.h"
#include "framework/records/semsorters.h"

#include <gtest/gtest.h>

#include <climits>

namespace panolcd {
namespace {

using testing::Bytes;
using namespace testing; // kObjects, kObjRec, Cz

class SemanticsTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        // The objects' one byte field takes part in semantics 0.
        TypeAt(kObjRec).Field(0)->Evaluators = Evaluators({0});
    }

    // Makes `sem` the description's semantics 0, with a fresh scan object and collection.
    template <class S> S& Install(std::unique_ptr<S> sem) {
        S& kept = *sem;
        auto manager = Create<TSemManColl>();
        manager->Insert(std::move(sem));
        EnvCtx().app.AppData->SemanticsManager = std::move(manager);
        kept.ResetAll();
        kept.ScanObj = &scanObj_;
        kept.ScanColl = &scanColl_;
        return kept;
    }

    std::unique_ptr<TDataBase> Objects(const Bytes& keys) {
        auto db = DB(kObjects, 4);
        for (const std::uint8_t key : keys)
            Add(*db, Rec(kObjRec)).RecData[0] = key;
        return db;
    }

    // A database run emulated over loose fields.
    static void Scan(TSemantics& sem, int event, std::vector<Bytes>& fields) {
        sem.Evaluate(kSemPhaseDBBegin, event, {});
        for (Bytes& field : fields)
            sem.Evaluate(kSemPhaseField, event, field);
        sem.Evaluate(kSemPhaseDBEnd, event, {});
    }

    std::vector<std::uint16_t> WordKeys() const {
        std::vector<std::uint16_t> keys;
        for (int i = 0; i < scanColl_.Count(); ++i)
            keys.push_back(scanColl_.ScanAt(i)->WordKey);
        return keys;
    }

    TScanObject scanObj_;
    TScanObjColl scanColl_;
};

template <class S> std::unique_ptr<S> Fce(std::uint8_t code) {
    auto sem = Create<S>();
    sem->FceCode = code;
    return sem;
}

TEST_F(SemanticsTest, NumberingTakesTheMaximumAndStoresTheNextNumber) {
    auto& sem = Install(Fce<TByteGetFceSem>(kFceMax));
    auto db = Objects({3, 7, 5});
    auto fresh = Rec(kObjRec);
    fresh->RecData[0] = 0;
    fresh->ClearModified();
    fresh->RunRecSemantics(0, kSemEventLoad);
    EXPECT_EQ(scanObj_.WordKey, 0);
    sem.ResetResults();
    db->RunDBSemantics(0, kSemEventScan);
    EXPECT_EQ(scanObj_.WordKey, 7);
    EXPECT_EQ(sem.FoundRec, db->Record(1));
    EXPECT_EQ(sem.FoundDB, db.get());
    EXPECT_EQ(sem.CurDB, nullptr);
    scanObj_.WordKey += 1;
    fresh->RunRecSemantics(0, kSemEventStore);
    EXPECT_EQ(fresh->RecData[0], 8);
    EXPECT_TRUE(fresh->Modified);
}

TEST_F(SemanticsTest, ByteAggregatesOverADatabase) {
    const struct {
        std::uint8_t code;
        Bytes keys;
        std::uint16_t start, result;
        bool found;
    } cases[] = {
        {kFceMaxBelow255, {3, 255, 5}, 0, 5, true},
        {kFceFind, {4, 9, 4}, 9, 9, true},
        {kFceFind, {4, 8}, 9, 9, false},
        {kFceMin, {3, 7, 5}, 255, 3, true},
        {kFceMax, {3, 7}, 9, 9, false},
        {kFceSum, {3, 7, 5}, 0, 15, true},
        {kFceAnd, {3, 7, 5}, 0xFF, 1, true},
        {kFceOr, {3, 7, 5}, 0, 7, true},
        {9, {3}, 4, 4, false},
    };
    for (const auto& c : cases) {
        auto& sem = Install(Fce<TByteGetFceSem>(c.code));
        scanObj_.WordKey = c.start;
        Objects(c.keys)->RunDBSemantics(0, kSemEventScan);
        EXPECT_EQ(scanObj_.WordKey, c.result) << int(c.code);
        EXPECT_EQ(sem.Found, c.found) << int(c.code);
    }
}

TEST_F(SemanticsTest, WiderAggregatesAndTheSumRange) {
    auto& word = Install(Fce<TWordGetFceSem>(kFceMax));
    std::vector<Bytes> words = {{0x00, 0x80}, {0x01, 0x00}};
    Scan(word, kSemEventScan, words);
    EXPECT_EQ(scanObj_.WordKey, 0x8000); // unsigned

    auto& lint = Install(Fce<TLIntGetFceSem>(kFceMax));
    scanObj_.LongKey = INT_MIN;
    std::vector<Bytes> longs = {{0xFB, 0xFF, 0xFF, 0xFF}, {3, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFF}};
    Scan(lint, kSemEventScan, longs);
    EXPECT_EQ(scanObj_.LongKey, 3); // signed

    lint.FceCode = kFceSum;
    scanObj_.LongKey = INT_MAX;
    std::vector<Bytes> one = {{1, 0, 0, 0}};
    Scan(lint, kSemEventScan, one);
    EXPECT_EQ(scanObj_.LongKey, INT_MIN); // wraps

    auto& sum = Install(Fce<TByteGetFceSem>(kFceSum));
    std::vector<Bytes> bytes(300, Bytes{255});
    try {
        Scan(sum, kSemEventScan, bytes);
        ADD_FAILURE() << "no range error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Range check error");
    }
}

TEST_F(SemanticsTest, TextKeyStoreOnlyEverSetsModified) {
    auto& sem = Install(Fce<TPStrGetFceSem>(kFceFind));
    auto record = Create<TDscrRecObj>();
    record->Modified = false;
    sem.CurRec = record.get();
    Bytes field(17);
    scanObj_.KeyText = std::string(255, 'x');
    sem.Evaluate(kSemPhaseField, kSemEventStore, field);
    EXPECT_EQ(field[0], 16); // cut to the field
    EXPECT_TRUE(record->Modified);
    sem.Evaluate(kSemPhaseField, kSemEventStore, field); // equal now: the flag stays
    EXPECT_TRUE(record->Modified);
    record->Modified = false;
    sem.Evaluate(kSemPhaseField, kSemEventStore, field);
    EXPECT_FALSE(record->Modified);
    scanObj_.KeyText.clear();
    Bytes empty(5);
    sem.Evaluate(kSemPhaseField, kSemEventScan, empty); // no text finds the empty field
    EXPECT_TRUE(sem.Found);
}

TEST_F(SemanticsTest, ScanIfCollectsTheMatches) {
    auto ifSem = [] {
        auto sem = Create<TScanIfSem>();
        sem->ValueType = 1;
        sem->Operator = 1;
        return sem;
    };
    auto& sem = Install(ifSem());
    scanObj_.WordKey = 7;
    auto db = Objects({7, 3, 7});
    db->RunDBSemantics(0, kSemEventScan);
    ASSERT_EQ(scanColl_.Count(), 2);
    EXPECT_EQ(scanColl_.ScanAt(0)->ScanRec, db->Record(0));
    EXPECT_EQ(scanColl_.ScanAt(1)->ScanRec, db->Record(2));
    EXPECT_TRUE(sem.Found);

    scanColl_.FreeAll();
    Objects({7, 3})->RunDBSemantics(0, kSemEventScan);
    EXPECT_EQ(scanColl_.Count(), 1);
    EXPECT_FALSE(sem.Found);

    scanColl_.FreeAll();
    sem.Operator = 0;
    sem.ScanObj = nullptr;
    Objects({7, 3, 1})->RunDBSemantics(0, kSemEventScan);
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{7, 3, 1}));

    // 16-bit values compare signed for type 2, unsigned for type 3.
    for (const std::uint8_t type : {2, 3}) {
        auto& typed = Install(ifSem());
        typed.ValueType = type;
        typed.Operator = 2; // <
        scanObj_.WordKey = 0;
        std::vector<Bytes> fields = {{0xFF, 0xFF}};
        Scan(typed, kSemEventScan, fields);
        EXPECT_EQ(typed.Found, type == 2);
        scanColl_.FreeAll();
    }
}

TEST_F(SemanticsTest, ReferenceValuesFromOneHundredAreCollected) {
    auto& sem = Install(Create<TRefVUScanSem>());
    std::vector<Bytes> fields = {{99, 0}, {100, 0}, {250, 0}};
    Scan(sem, kSemEventScan, fields);
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{0, 150}));
    sem.ScanColl = nullptr; // nothing without a collection
    Scan(sem, kSemEventScan, fields);
    EXPECT_EQ(scanColl_.Count(), 2);
}

TEST_F(SemanticsTest, SortsByEachKey) {
    auto fill = [this](std::vector<std::int32_t> longs, std::vector<std::string> texts = {}) {
        scanColl_.FreeAll();
        for (std::size_t i = 0; i < std::max(longs.size(), texts.size()); ++i)
            scanColl_.Add(std::make_unique<TScanObject>(static_cast<std::uint16_t>(i),
                                                        i < texts.size() ? texts[i] : "", nullptr,
                                                        nullptr, i < longs.size() ? longs[i] : 0));
    };
    // Byte 2 decides first: (byte 2 = 2, byte 3 = 1) before (3, 0), though larger as a number.
    fill({0x01020000, 0x00030000});
    scanColl_.QuickSort_Ident();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{0, 1}));
    fill({-1, 1, 0});
    scanColl_.QuickSort_L();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{0, 2, 1}));
    scanColl_.QuickSort_DW();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{2, 1, 0}));
    fill({0x00000002, 0x00050001});
    scanColl_.QuickSort_ZetTime();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{1, 0}));
    fill({}, {"B", "", "a"});
    scanColl_.QuickSort_Pch();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{1, 2, 0}));
    fill({}, {Cz("č"), "d", "C", Cz("Á"), "b", "", "a"});
    scanColl_.QuickSort_AnsiPch();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{5, 6, 3, 4, 2, 0, 1}));
    // The partitioning is not stable: three equal keys come out reversed.
    fill({5, 5, 5});
    scanColl_.QuickSort_L();
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{2, 1, 0}));
}

TEST_F(SemanticsTest, SortersCollectAndSortAtTheEndOfTheRun) {
    auto& sem = Install(Create<TByteSorterSem>());
    auto db = Objects({3, 7, 5});
    db->RunDBSemantics(0, kSemEventScan);
    EXPECT_EQ(WordKeys(), (std::vector<std::uint16_t>{3, 5, 7}));
    EXPECT_EQ(scanColl_.ScanAt(2)->ScanRec, db->Record(1));
    sem.ScanColl = nullptr;
    db->RunDBSemantics(0, kSemEventScan); // without a collection nothing happens

    Bytes ident = {0x11, 0x22, 0x33, 0x44};
    EXPECT_EQ(TIdentCKSorterSem().GetSortKey(ident), 0x11223344u);
    EXPECT_EQ(TIdentDevSorterSem().GetSortKey(ident), 0x33112244u);
    EXPECT_EQ(TIdentTypSorterSem().GetSortKey(ident), 0x44331122u);
    Bytes narrow = {1, 2};
    EXPECT_EQ(TDWordSorterSem().GetSortKey(narrow), std::nullopt);
}

TEST_F(SemanticsTest, SettersWriteTheirByte) {
    auto record = Create<TDscrRecObj>();
    record->Modified = false;
    TDevIxSetSem dev;
    TIdentMupSetSem mup;
    TZet2000UrovenSetSem level;
    for (TSemantics* sem : std::initializer_list<TSemantics*>{&dev, &mup, &level})
        sem->CurRec = record.get();
    dev.DevIx = mup.DevIx = 9;
    Bytes one = {0};
    Bytes ident = {1, 2, 3, 4};
    dev.Evaluate(kSemPhaseField, kSemEventStore, one);
    mup.Evaluate(kSemPhaseField, kSemEventStore, ident);
    EXPECT_EQ(one, Bytes{9});
    EXPECT_EQ(ident, (Bytes{1, 2, 9, 4}));
    Bytes zone = {1, 2, 3};
    mup.Evaluate(kSemPhaseField, kSemEventStore, zone); // no whole identifier
    EXPECT_EQ(zone, (Bytes{1, 2, 3}));
    level.Evaluate(kSemPhaseField, kSemEventStore, one);
    EXPECT_EQ(one, Bytes{1});
    EXPECT_TRUE(record->Modified);
}

TEST_F(SemanticsTest, TimeStampsOnlyModifiedRecordsWhenAsked) {
    Clock().now = {2026, 12, 9, 8, 5, 7};
    const std::uint32_t now = *PackZetTime({2026, 12, 9, 8, 5, 6});
    auto record = Create<TDscrRecObj>();
    record->Modified = false;
    TZetTimeSetSem stamp;
    stamp.OnlyIfModified = true;
    stamp.CurRec = record.get();
    Bytes field(4);
    stamp.Evaluate(kSemPhaseField, kSemEventStore, field);
    EXPECT_EQ(field, Bytes(4));
    record->Modified = true;
    stamp.Evaluate(kSemPhaseField, kSemEventStore, field);
    EXPECT_EQ(ReadLE<std::uint32_t>(field.data()), now);

    TStrTimeSetSem text;
    text.MaxLen = 11;
    Bytes textField(20);
    text.Evaluate(kSemPhaseField, kSemEventStore, textField);
    EXPECT_EQ(LoadShortString(textField.data(), 19), ZetTimeText(now).substr(0, 10));

    Clock().now = {1985, 1, 1, 0, 0, 0};
    Bytes untouched = {1, 2, 3, 4};
    stamp.Evaluate(kSemPhaseField, kSemEventStore, untouched);
    EXPECT_EQ(untouched, (Bytes{1, 2, 3, 4}));
}

TEST_F(SemanticsTest, AcceptsByRange) {
    const std::uint32_t early = *PackZetTime({2000, 1, 1, 18, 0, 0});
    const std::uint32_t late = *PackZetTime({2000, 1, 2, 6, 0, 0});
    const struct {
        std::uint8_t kind;
        std::uint32_t low, high, v;
        bool found;
    } cases[] = {{0, 5, 9, 9, true},
                 {3, 5, 9, 10, false},
                 {1, 5, 0xFFFFFFFF, 0x80000000, true},
                 {2, early, late, *PackZetTime({2000, 1, 2, 1, 0, 0}), true},
                 {2, early, late, *PackZetTime({2000, 1, 1, 12, 0, 0}), false},
                 {4, 0, 0, 5, true}}; // unknown kind: unchanged
    for (const auto& c : cases) {
        TAcceptDWFSem sem;
        sem.CompareKind = c.kind;
        sem.LowLimit = c.low;
        sem.HighLimit = c.high;
        sem.Found = true;
        Bytes field(4);
        WriteLE(field.data(), c.v);
        sem.Evaluate(kSemPhaseField, kSemEventScan, field);
        EXPECT_EQ(sem.Found, c.found) << int(c.kind) << " " << c.v;
    }
}

class IniSemanticsTest : public SemanticsTest {
protected:
    void SetUp() override {
        SemanticsTest::SetUp();
        EnvCtx().app.WorkDir = TempDir().string();
        EnvCtx().app.WorkIniFile = WriteFile("WORK.INI", "[Opt]\nNum=$1F\nBad=abc\n").string();
    }
    std::string Work() const { return ReadFile(EnvCtx().app.WorkIniFile); }
};

TEST_F(IniSemanticsTest, NumbersComeFromAndGoToTheIniFile) {
    TDWAppINISetSem sem;
    sem.IniSection = "Opt";
    sem.IniKey = "Num";
    sem.ReadValueFromINI(false);
    EXPECT_EQ(sem.Value, 31);
    sem.IniKey = "Bad";
    sem.ReadValueFromINI(false);
    EXPECT_EQ(sem.Value, 31);
    sem.ReadValueFromINI(true); // no redirect section: skipped
    Bytes field = {0x2A, 0, 0, 0};
    sem.Evaluate(kSemPhaseField, kSemEventWriteOut, field);
    EXPECT_NE(Work().find("Bad=$0000002A"), std::string::npos);

    // A field narrower than the value is left alone; a byte kind writes its low byte.
    sem.Value = 0x1234;
    Bytes narrow = {7};
    sem.Evaluate(kSemPhaseField, kSemEventStore, narrow);
    EXPECT_EQ(narrow, Bytes{7});
    TByAppINISetSem byteSem;
    byteSem.Value = 0x1234;
    byteSem.Evaluate(kSemPhaseField, kSemEventStore, narrow);
    EXPECT_EQ(narrow, Bytes{0x34});
}

TEST_F(IniSemanticsTest, TextsAreCutAndWrittenInQuotes) {
    TStrAppINISetSem sem;
    sem.IniSection = "Opt";
    sem.IniKey = "Name";
    sem.MaxLen = 9;
    sem.StrValue = " Obrazovka %d";
    sem.FormatKind = 1;
    scanObj_.WordKey = 0x0105;
    sem.ScanObj = &scanObj_;
    Bytes field(30);
    sem.Evaluate(kSemPhaseField, kSemEventStore, field);
    EXPECT_EQ(LoadShortString(field.data(), 29), " Obrazov");
    sem.WriteValueToINI();
    EXPECT_NE(Work().find("Name=' Obrazovka %d'"), std::string::npos);
    sem.StrValue.clear();
    sem.ReadValueFromINI(false);
    EXPECT_EQ(sem.StrValue, " Obrazov");
}

TEST_F(IniSemanticsTest, RedirectsNeedAnExtension) {
    WriteFile("OTHER.INI", "[Opt]\nNum=5\n");
    WriteFile("WORK.INI", "[Redir]\nINIfileFN=OTHER\n[Bad]\nINIfileFN=OTHER.INI\n");
    const std::string& work = EnvCtx().app.WorkIniFile;
    EXPECT_EQ(ResolveIniFile(work, "Redir", true), work);
    EXPECT_EQ(ResolveIniFile(work, "Bad", false), (TempDir() / "OTHER.INI").string());
    EXPECT_EQ(ResolveIniFile(work, "", false), work);

    // A write that fails names the file as an internal error.
    EnvCtx().app.WorkIniFile = (TempDir() / "missing" / "dir" / "W.INI").string();
    TDWAppINISetSem sem;
    sem.IniSection = "Opt";
    sem.IniKey = "Num";
    sem.WriteValueToINI();
    EXPECT_EQ(Reported(), std::vector<std::string>{EnvCtx().app.WorkIniFile});
}

TEST_F(SemanticsTest, ManagerAndEvaluatorsFindOnlyExistingSemantics) {
    auto& sem = Install(Create<TLIntGetFceSem>());
    TSemManColl& manager = *EnvCtx().app.AppData->SemanticsManager;
    EXPECT_EQ(manager.GetSemantics(0), &sem);
    EXPECT_EQ(AppSemantics(0), &sem);
    EXPECT_EQ(manager.GetSemantics(1), nullptr);
    EXPECT_EQ(manager.GetSemantics(-1), nullptr);
    manager.AtFree(0); // the cached item is gone with it
    EXPECT_EQ(manager.GetSemantics(0), nullptr);
    EnvCtx().app.AppData = nullptr;
    EXPECT_EQ(AppSemantics(0), nullptr);
}

TEST_F(SemanticsTest, StreamsExactlyTheirFields) {
    TScanObject scan(0x0102, "ab", nullptr, nullptr, -2);
    EXPECT_EQ(StreamData(scan), (Bytes{2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'a', 'b'}));
    TAcceptDWFSem accept;
    accept.CompareKind = 2;
    accept.LowLimit = 1;
    accept.HighLimit = 0x01020304;
    EXPECT_EQ(StreamData(accept), (Bytes{2, 1, 0, 0, 0, 4, 3, 2, 1}));

    for (const char* name :
         {"TScanObject",        "TScanObjColl",       "TSemantics",         "TSemManColl",
          "TSemanticEvaluator", "TSemEvalColl",       "TGetFceSem",         "TByteGetFceSem",
          "TWordGetFceSem",     "TLIntGetFceSem",     "TPStrGetFceSem",     "TScanIfSem",
          "TRefVUScanSem",      "TDWAppINISetSem",    "TWoAppINISetSem",    "TByAppINISetSem",
          "TStrAppINISetSem",   "TDevIxSetSem",       "TIdentMupSetSem",    "TZet2000UrovenSetSem",
          "TByteSorterSem",     "TWordSorterSem",     "TLIntSorterSem",     "TDWordSorterSem",
          "TIdentCKSorterSem",  "TIdentDevSorterSem", "TIdentTypSorterSem", "TStrSorterSem",
          "TAnsiStrSorterSem",  "TStrTimeSetSem",     "TZetTimeSetSem",     "TAcceptDWFSem"}) {
        auto object = ClassRegistry::Construct(name);
        ASSERT_NE(object, nullptr) << name;
        object->InitDefaults();
        const auto [first, second] = SaveLoadSave(*object);
        EXPECT_EQ(first, second) << name;
    }

    auto ini = Create<TStrAppINISetSem>();
    ini->IniSection = "S";
    ini->MaxLen = 5;
    ini->TextId = -1;
    ini->StrValue = "v";
    EXPECT_EQ(StreamData(*ini), (Bytes{0, 0, 0, 0, 1,    0,    0,    0,    'S', 0,  0,
                                       0, 0, 5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1,   'v'}));
}

TEST(Cp1250CollationTest, LettersIgnoreCaseAndFollowTheirBase) {
    EXPECT_EQ(CompareTextCp1250("abc", "ABC"), 0);
    EXPECT_LT(CompareTextCp1250(Cz("cz"), Cz("ča")), 0);
    EXPECT_EQ(CompareTextCp1250(Cz("Ž"), "{"), 1);
    EXPECT_LT(CompareTextCp1250("9", "a"), 0);
    EXPECT_LT(CompareTextCp1250("a", "ab"), 0);
}

} // namespace
} // namespace panolcd
