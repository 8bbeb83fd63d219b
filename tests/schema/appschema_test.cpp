// The application description the build writes (panolcd.APP), loaded as the program loads it.

#include "app/startup.h"
#include "common/littleendian.h"
#include "designer/objectdialogs.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/appdatastream.h"
#include "framework/records/assigntable.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/enumtypes.h"
#include "framework/records/fielddscr.h"
#include "framework/records/initiator.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/recordtype.h"
#include "framework/records/semantics.h"
#include "project/dbtypes.h"
#include "project/objectrecord.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <filesystem>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

using namespace schema;

class AppSchemaTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(kGenerated);
    }
    static constexpr const char* kGenerated = PANOLCD_GENERATED_APP_FILE;

    static TRecordTypeDscr& Type(std::int16_t index) {
        TRecordTypeDscr* type = EnvCtx().app.AppData->RecTypesDscrColl->RecordTypeAt(index);
        EXPECT_NE(type, nullptr) << index;
        return *type;
    }
    static std::string LoadError(const std::filesystem::path& file) {
        try {
            EnvCtx().app.LoadAppData(file.string());
        } catch (const std::exception& e) {
            return e.what();
        }
        return "loaded";
    }
};

TEST_F(AppSchemaTest, RecordTypesHaveTheLayoutSizesAndWindowBuffers) {
    struct Case {
        RecType type;
        const char* name;
        const char* editForm;
        std::uint16_t recSize;
        std::uint16_t trBuffSize;
    };
    const Case cases[] = {
        {kRecRoot, "TLcUDBRoot_DBRec", "F_LCROOT", 201, 209},
        {kRecFontBank, "TDBProjFnt_DBRec", "F_PRJFNT", 297, 297},
        {kRecBitmapBank, "TDBProjBmp_DBRec", "F_PRJBMP", 256, 256},
        {kRecScreen, "TDBProjScr_DBRec", "LCD_DISP", 91, 0},
        {kRecRegister, "TDBProjMap_DBRec", "F_PRJMAP", 54, 58},
        {kRecObject, "TDBLCDScr_DBRec", "", 385, 0},
        {kRecObjectEnum, "TDBLCDScr_Enum_DBRec", "F_LCENUM", 385, 410},
        {kRecObjectCase, "TDBLCDScr_CmdCase_DBRec", "F_LCCASE", 385, 399},
        {kRecObjectOnKey, "TDBLCDScr_CmdOnKey_DBRec", "F_LONKEY", 385, 399},
        {kRecObjectWait, "TDBLCDScr_CmdWait_DBRec", "F_CMWAIT", 385, 399},
        {kRecObjectEditEnter, "TDBLCDScr_EditEnter_DBRec", "F_EENTER", 385, 399},
        {kRecObjectCaseBmp, "TDBLCDScr_CaseBMP_DBRec", "", 385, 0},
        {kRecCaseVariant, "TLcDBCaseConst_DBRec", "F_CASECO", 82, 86},
        {kRecOnKeyVariant, "TLcDBOnKeyConst_DBRec", "F_ONKEYC", 272, 272},
        {kRecEnumVariant, "TLcDBEnumConst_DBRec", "F_ENUMC", 272, 272},
    };
    ASSERT_EQ(EnvCtx().app.AppData->RecTypesDscrColl->Count(), kRecTypeCount);
    for (const Case& c : cases) {
        std::int16_t index = -1;
        TRecordTypeDscr* found = AppRecordType(c.name, index);
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_EQ(index, c.type) << c.name;
        EXPECT_EQ(found->EditFormName, c.editForm) << c.name;
        EXPECT_EQ(found->GetRecSize(), c.recSize) << c.name;
        if (c.trBuffSize != 0) {
            EXPECT_EQ(found->GetTrBuffSize(), c.trBuffSize) << c.name;
        }
    }
}

// Field offsets of the layouts that the designer, windows and generator address directly.
TEST_F(AppSchemaTest, FieldsLieAtTheirOffsets) {
    struct Case {
        RecType type;
        const char* field;
        std::size_t offset;
        std::uint16_t size;
    };
    const Case cases[] = {
        {kRecRoot, "PrgBankNum", 192, 1},
        {kRecRoot, "RegisterMap", 199, 2},
        {kRecFontBank, "FontPreviewStr", 256, 41},
        {kRecScreen, "BmpNum", 82, 1},
        {kRecScreen, "LayerMask", 84, 4},
        {kRecScreen, "Objects", 89, 2},
        {kRecRegister, "RegSymbName", 4, 17},
        {kRecRegister, "RegFormat", 21, 33},
        {kRecObject, "Param", 4, 4},
        {kRecObjectEnum, "FntNum", 4, 1},
        {kRecObjectCase, "ParamHi", 6, 2},
        {kRecObjectWait, "X1", 10, 4},
        {kRecObjectOnKey, "SymX1", 26, 17},
        {kRecObjectEditEnter, "SymDy", 111, 17},
        {kRecObjectCaseBmp, "ObjText", 128, 255},
        {kRecObjectEnum, "SubDBLink", 383, 2},
        {kRecCaseVariant, "CaseLayer", 17, 1},
        {kRecEnumVariant, "EnumConstStr", 17, 255},
        // The dialog records, as the objects fill them.
        {kRecDlgText, "ObjText", 43, 255},
        {kRecDlgEditP, "SymY1", 26, 17},
        {kRecDlgPoint, "GrComment", 42, 255},
        {kRecDlgLine, "Y2", 14, 4},
        {kRecDlgRect, "GrComment", 120, 255},
        {kRecDlgCircle, "GrComment", 63, 255},
        {kRecDlgGraph, "GraphData", 85, 255},
        {kRecDlgBar, "X1", 3, 4},
        {kRecDlgBar, "BarData", 121, 255},
        {kRecDlgCaseBmp, "Comment", 1, 255},
        {kRecDlgAlignSize, "NewHeight", 6, 4},
    };
    for (const Case& c : cases) {
        TRecordTypeDscr& type = Type(c.type);
        std::size_t offset = 0;
        bool found = false;
        for (int i = 0; i < type.Count() && !found; ++i) {
            const TRecFieldTypeDscr* field = type.Field(i);
            if (field->FieldName == c.field) {
                found = true;
                EXPECT_EQ(offset, c.offset) << c.field;
                EXPECT_EQ(field->GetFieldSize(), c.size) << c.field;
            }
            offset += field->GetFieldSize();
        }
        EXPECT_TRUE(found) << c.field << " in " << type.RecTypeName;
    }
}

TEST_F(AppSchemaTest, EveryPropertyDialogHasItsRecord) {
    for (int kind = kObjPoint; kind <= kObjCaseBmp; ++kind) {
        const auto dialog = ObjectDialogOf(static_cast<std::uint8_t>(kind));
        if (!dialog)
            continue; // edited in its own window
        std::int16_t index = -1;
        TRecordTypeDscr* type =
            EnvCtx().app.AppData->RecTypesDscrColl->GetRecordTypeDscr(dialog->recordType, index);
        ASSERT_NE(type, nullptr) << dialog->recordType;
        EXPECT_EQ(type->GetRecSize(), dialog->recordSize) << dialog->recordType;
    }
}

TEST_F(AppSchemaTest, DescriptorsAgreeWithRecordTypesAndInitiators) {
    const TDataBaseDscrColl& coll = *EnvCtx().app.AppData->DataBaseDscrColl;
    EXPECT_TRUE(coll.TestAllTypeDscrs());
    EXPECT_TRUE(EnvCtx().app.AppData->TestDataBaseDscrColl());
    EXPECT_TRUE(User().shown.empty());
    for (const std::uint16_t type :
         {kDBRoot, kDBFontBanks, kDBBitmapBanks, kDBScreens, kDBRegisterMap, kDBScreenObjects,
          kDBCaseVariants, kDBOnKeyVariants, kDBEnumVariants}) {
        const TDataBaseDscrObj* dscr = AppDataBaseDscr(type);
        ASSERT_NE(dscr, nullptr) << type;
        EXPECT_EQ(dscr->HasFlag(kDBGlobalRoot), type == kDBRoot) << type;
        EXPECT_EQ(dscr->Name.find_first_of("}'\""), std::string::npos) << dscr->Name;
        int index = 0;
        std::string name;
        EXPECT_TRUE(dscr->Iniciators->TestUniqueHeaderNames(index, name, 16)) << name;
    }
    EXPECT_EQ(coll.Count(), 9);
}

TEST_F(AppSchemaTest, ObjectKindPicksTheRecordType) {
    const TDataBaseDscrObj* objects = AppDataBaseDscr(kDBScreenObjects);
    const std::pair<std::uint8_t, RecType> cases[] = {
        {0, kRecObject},         {2, kRecObject},           {10, kRecObject},
        {11, kRecObjectEnum},    {12, kRecObjectCase},      {13, kRecObjectOnKey},
        {14, kRecObjectWait},    {15, kRecObjectEditEnter}, {18, kRecObject},
        {19, kRecObjectCaseBmp}, {200, kRecObject},
    };
    for (const auto& [kind, type] : cases) {
        std::vector<std::uint8_t> record(ObjectRecordView::kSize, 0);
        record[0] = kind;
        EXPECT_EQ(objects->RecTypeIxOf(record), type) << int(kind);
    }
}

// The project file's columns: names, classes and token forms are the file format.
TEST_F(AppSchemaTest, InitiatorsNameTheProjectFileColumns) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {kDBRoot, "ProjectName:P128 TermObjName:P64 PrgBankNum:B FontBanks:D BitmapBanks:D "
                  "Screens:D RegisterMap:D"},
        {kDBFontBanks, "FontNum:B FontFileName:P255 FontPreviewStr:P41"},
        {kDBBitmapBanks, "BmpNum:B BmpFileName:P255"},
        {kDBScreens, "ScrNum:B ScrSymb:P17 ScrName:P64 BmpNum:B HlpBmpNum:B LayerMask:L "
                     "ScrFlags:B Objects:D"},
        {kDBRegisterMap, "AddrReg:W TypReg:B BitOffs_SSize:B RegSymbName:P17 RegFormat:P33"},
        {kDBScreenObjects, "Kind:B Layer:B HomeLayer:B Flags:B Param:L Options:W X1:L Y1:L X2:L "
                           "Y2:L SymX1:P17 SymY1:P17 SymX2:P17 SymY2:P17 SymDx:P17 SymDy:P17 "
                           "ObjText:P255 SubDBLink:D"},
        {kDBCaseVariants, "CaseConstSym:P17 CaseLayer:B CaseConstComment:P64"},
        {kDBOnKeyVariants, "OnKeyConstSym:P17 OnKeyConstCode:P255"},
        {kDBEnumVariants, "EnumConstSym:P17 EnumConstStr:P255"},
    };
    for (const auto& [type, expected] : cases) {
        const TRecIniciatorColl& columns = *AppDataBaseDscr(type)->Iniciators;
        std::string described;
        for (int i = 0; i < columns.Count(); ++i) {
            TRecElIniciatorObj* column = columns.Iniciator(i);
            described += (i ? " " : "") + column->IniName() + ":";
            if (dynamic_cast<TByteElIniciatorObj*>(column)) {
                described += "B";
            } else if (dynamic_cast<TWordElIniciatorObj*>(column)) {
                described += "W";
            } else if (auto* dword = dynamic_cast<TDWordElIniciatorObj*>(column)) {
                described += dword->Kind == 0 ? "L" : "?";
            } else if (auto* text = dynamic_cast<TPStrElIniciatorObj*>(column)) {
                described += "P" + std::to_string(text->StoredSize);
                EXPECT_EQ(text->RecordChar, '\'');
                EXPECT_EQ(text->FileChar, '`');
            } else if (dynamic_cast<TDBPtrElIniciatorObj*>(column)) {
                described += "D";
            }
        }
        EXPECT_EQ(described, expected) << type;
    }
}

TEST_F(AppSchemaTest, EnumerationTypesNameLayersKindsAndRegisterTypes) {
    std::int16_t index = -1;
    const TEnumTypeDefStrings* layers = AppFindEnumStrings("encaselayers", index);
    ASSERT_NE(layers, nullptr);
    EXPECT_EQ(index, kEnumCaseLayers);
    EXPECT_EQ(layers->Count(), 28);
    EXPECT_EQ(layers->EnumValueText(3), "Case 1");
    EXPECT_EQ(layers->EnumValueText(30), "Case 28");
    EXPECT_EQ(layers->EnumValueText(2), "$02");
    EXPECT_EQ(layers->EnumValueText(31), "$1F");
    EXPECT_EQ(layers->EnumValueOfItem(0), 3);
    EXPECT_EQ(layers->EnumValueOfItem(27), 30);

    const std::pair<const char*, EnumType> names[] = {{"EnTypReg", kEnumRegisterType},
                                                      {"EnObjKind", kEnumObjectKind},
                                                      {"EnLayer", kEnumLayer},
                                                      {"EnGraphType", kEnumGraphType},
                                                      {"EnBarDirection", kEnumBarDirection}};
    for (const auto& [name, expected] : names) {
        EXPECT_NE(AppFindEnumStrings(name, index), nullptr) << name;
        EXPECT_EQ(index, expected) << name;
    }
    EXPECT_EQ(AppEnumStrings(kEnumObjectKind)->EnumValueText(12), "CmdCase");
    EXPECT_EQ(AppEnumStrings(kEnumObjectKind)->EnumValueText(0), "$00");
    EXPECT_EQ(AppEnumStrings(kEnumLayer)->EnumValueText(2), "GR");
    EXPECT_EQ(AppEnumStrings(kEnumLayer)->EnumValueText(4), "Case 2");
    EXPECT_EQ(AppEnumStrings(kEnumGraphType)->EnumValueText(1), Cz("Čárový"));
    EXPECT_EQ(AppEnumStrings(kEnumBarDirection)->EnumValueText(3), "Vpravo");
}

TEST_F(AppSchemaTest, NewScreenRecordsShowNoBitmapAndTheBasicLayers) {
    std::vector<std::uint8_t> record(ScreenRecordView::kSize, 0xAA);
    Type(kRecScreen).InitRecordValues(record.data(), record.size());
    EXPECT_EQ(record[82], 255);
    EXPECT_EQ(record[83], 255);
    EXPECT_EQ(ReadLE<std::uint32_t>(record.data() + 84), 0x80000007u);
    EXPECT_EQ(ReadLE<std::int16_t>(record.data() + 89), -1);
}

// Numbering, uniqueness and ordering of bank numbers, run as the filters and lookups run them.
TEST_F(AppSchemaTest, SemanticsNumberCompareAndSortBankNumbers) {
    auto banks = TDataBase::New(nullptr, kDBBitmapBanks, 0, 0);
    for (const std::uint8_t number : {3, 255, 5, 3}) {
        auto record = TDBRecordObj::New("", 0, kRecBitmapBank);
        record->RecData[0] = number;
        banks->Insert(std::move(record));
    }
    auto candidate = TDBRecordObj::New("", 0, kRecBitmapBank);
    TScanObject key;
    TScanObjColl found;
    auto run = [&](std::int16_t id, bool collect) {
        TSemantics* semantics = AppSemantics(id);
        semantics->ResetAll();
        semantics->ScanObj = &key;
        semantics->ScanColl = collect ? &found : nullptr;
        candidate->RunRecSemantics(id, 0);
        semantics->ResetResults();
        banks->RunDBSemantics(id, 1);
        return semantics;
    };

    candidate->RecData[0] = 0;
    run(kSemNumberMaxNo255, false)->ResetAll();
    EXPECT_EQ(key.WordKey, 5); // 255 is no bank

    candidate->RecData[0] = 3;
    run(kSemNumberEqual, true)->ResetAll();
    EXPECT_EQ(found.Count(), 2);

    found.FreeAll();
    run(kSemNumberSorter, true)->ResetAll();
    std::string order;
    for (int i = 0; i < found.Count(); ++i)
        order += std::to_string(found.ScanAt(i)->WordKey) + " ";
    EXPECT_EQ(order, "3 3 5 255 ");
}

TEST_F(AppSchemaTest, NewScreenIsNamedAfterItsNumber) {
    auto screen = TDBRecordObj::New("", 0, kRecScreen);
    TScanObject key;
    key.WordKey = 0x0107; // the number is the low byte
    TSemantics* semantics = AppSemantics(kSemScreenName);
    semantics->ResetAll();
    semantics->ScanObj = &key;
    screen->RunRecSemantics(kSemScreenName, 2);
    semantics->ResetAll();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(screen->RecData.data() + 19),
                          screen->RecData[18]),
              "Obrazovka 7");
    EXPECT_TRUE(screen->Modified);
}

TEST_F(AppSchemaTest, WritingTheLoadedDescriptionGivesTheSameBytes) {
    const std::filesystem::path copy = TempDir() / "again.APP";
    WriteAppData(copy.string(), EnvCtx().app.AppData.get(), nullptr);
    EXPECT_EQ(ReadFile(copy), ReadFile(kGenerated));
}

TEST_F(AppSchemaTest, DamagedFilesFailWithTheirMessages) {
    const std::string good = ReadFile(kGenerated);
    auto damaged = [&](const char* name, std::size_t at, const std::string& bytes) {
        std::string content = good;
        content.replace(at, bytes.size(), bytes);
        return WriteFile(name, content);
    };
    const std::size_t tableAt = good.find("TEnumTypesColl");
    ASSERT_NE(tableAt, std::string::npos);
    EnvCtx().app.ReleaseAppData();

    EXPECT_EQ(LoadError(damaged("sig.APP", 0, "X")), "Invalid RBSTREAM Header");
    EXPECT_EQ(LoadError(damaged("user.APP", 17, "AppDatX")), "Invalid AppData Stream UserHeader");
    EXPECT_EQ(LoadError(damaged("reserved.APP", 24, "reserved")), "loaded");
    EnvCtx().app.ReleaseAppData();
    EXPECT_EQ(LoadError(damaged("class.APP", tableAt, "TEnumTypesCoxl")),
              "Class TEnumTypesCoxl not found");
    EXPECT_EQ(LoadError(WriteFile("short.APP", good.substr(0, good.size() - 1))),
              "Stream read error");
    const std::filesystem::path missing = TempDir() / "missing.APP";
    EXPECT_EQ(LoadError(missing), "Cannot open file " + missing.string());
}

} // namespace
} // namespace panolcd::testing
