// The database descriptors of the project tree, with the initiators that name the columns of
// the project file. The initiators fix the file format: their names, order and token forms are
// what project files written by any build must keep.

#include "common/cp1250.h"
#include "framework/persistence/streamable.h"
#include "framework/records/assigntable.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/initiator.h"
#include "framework/records/initiatorcoll.h"
#include "project/bankfilters.h"
#include "project/dbtypes.h"
#include "schema/schemaparts.h"

#include <string>

namespace panolcd::schema {
namespace {

constexpr std::uint16_t kMaxBanks = 256;
constexpr std::uint16_t kMaxRegisters = 2048;
constexpr std::uint16_t kMaxObjects = 4096;
constexpr std::uint16_t kMaxVariants = 256;

// Columns of one database, in record order.
class Columns {
public:
    Columns() : list_(Create<TRecIniciatorColl>()) {}

    Columns& Byte(const char* name, std::uint8_t value = 0) {
        auto column = Named<TByteElIniciatorObj>(name);
        column->Value = value;
        return Add(std::move(column));
    }
    Columns& Word(const char* name) { return Add(Named<TWordElIniciatorObj>(name)); }
    // Any 32-bit pattern round-trips, so negative coordinates and bit 31 of a mask survive.
    Columns& DWord(const char* name, std::uint32_t value = 0) {
        auto column = Named<TDWordElIniciatorObj>(name);
        column->Value = value;
        return Add(std::move(column));
    }
    // A text of `capacity` characters. An apostrophe cannot stand inside a quoted token, so it
    // is written as a backquote.
    Columns& Text(const char* name, std::uint8_t capacity) {
        auto column = Named<TPStrElIniciatorObj>(name);
        column->StoredSize = static_cast<std::uint8_t>(capacity + 1);
        column->RecordChar = '\'';
        column->FileChar = '`';
        return Add(std::move(column));
    }
    Columns& Link(const char* name) { return Add(Named<TDBPtrElIniciatorObj>(name)); }

    std::unique_ptr<TRecIniciatorColl> Take() { return std::move(list_); }

private:
    template <class T> static std::unique_ptr<T> Named(const char* name) {
        auto column = Create<T>();
        column->SetIniName(name);
        return column;
    }
    Columns& Add(std::unique_ptr<TRecElIniciatorObj> column) {
        list_->Insert(std::move(column));
        return *this;
    }

    std::unique_ptr<TRecIniciatorColl> list_;
};

std::unique_ptr<TDataBaseDscrObj> Descriptor(const char* utf8Name, std::uint16_t dbType,
                                             std::uint8_t flags, std::uint16_t maxRecords,
                                             std::uint16_t recSize, RecType recType,
                                             Columns& columns) {
    auto dscr = Create<TDataBaseDscrObj>();
    dscr->Name = Utf8ToCp1250(utf8Name);
    dscr->DB_TypeID = dbType;
    dscr->DBFlags = flags;
    dscr->MaxRecords = maxRecords;
    dscr->RecSize = recSize;
    dscr->DefaultRecTypeIx = recType;
    dscr->Iniciators = columns.Take();
    return dscr;
}

// Sub-databases stay when they become empty: a project keeps its (empty) screen list, a screen
// its object list.
constexpr std::uint8_t kSubDB = kDBKeepEmpty;

std::unique_ptr<TDataBaseDscrObj> ScreenObjects() {
    Columns columns;
    columns.Byte("Kind").Byte("Layer").Byte("HomeLayer").Byte("Flags").DWord("Param");
    columns.Word("Options").DWord("X1").DWord("Y1").DWord("X2").DWord("Y2");
    for (const char* symbol : {"SymX1", "SymY1", "SymX2", "SymY2", "SymDx", "SymDy"})
        columns.Text(symbol, 16);
    columns.Text("ObjText", 254).Link("SubDBLink");
    auto dscr = Descriptor("Objekty obrazovky", kDBScreenObjects, kSubDB, kMaxObjects,
                           ObjectRecordView::kSize, kRecObject, columns);

    // The object kind at offset 0 picks the record type; every other kind is a plain object.
    auto table = Create<TByteDscrAssTab>();
    table->PutTabItem(kObjEnum, kRecObjectEnum);
    table->PutTabItem(kObjCmdCase, kRecObjectCase);
    table->PutTabItem(kObjCmdOnKey, kRecObjectOnKey);
    table->PutTabItem(kObjCmdWait, kRecObjectWait);
    table->PutTabItem(kObjEditEnter, kRecObjectEditEnter);
    table->PutTabItem(kObjCaseBmp, kRecObjectCaseBmp);
    dscr->AssignTable = std::move(table);
    dscr->SelectorOffset = 0;
    return dscr;
}

// The project windows list banks and screens through filter 0.
void AddFilter(TDataBaseDscrObj& dscr, std::unique_ptr<TDBFilterValidator> filter) {
    dscr.Filters = Create<TDBFilterValColl>();
    dscr.Filters->Insert(std::move(filter));
    dscr.LinkFilters();
}

} // namespace

std::unique_ptr<TDataBaseDscrColl> BuildDataBaseDescriptors() {
    auto coll = Create<TDataBaseDscrColl>();

    Columns root;
    root.Text("ProjectName", 127).Text("TermObjName", 63).Byte("PrgBankNum");
    root.Link("FontBanks").Link("BitmapBanks").Link("Screens").Link("RegisterMap");
    coll->Insert(Descriptor("Projekt LCD", kDBRoot, kDBGlobalRoot, 1, RootRecordView::kSize,
                            kRecRoot, root));

    Columns fonts;
    fonts.Byte("FontNum").Text("FontFileName", 254).Text("FontPreviewStr", 40);
    auto fontBanks = Descriptor("Banky fontů", kDBFontBanks, kSubDB, kMaxBanks,
                                FontBankRecordView::kSize, kRecFontBank, fonts);
    AddFilter(*fontBanks,
              std::make_unique<TDBProjFnt_FilterValidator>(kSemNumberMax, kSemNumberEqual));
    coll->Insert(std::move(fontBanks));

    Columns bitmaps;
    bitmaps.Byte("BmpNum").Text("BmpFileName", 254);
    auto bitmapBanks = Descriptor("Banky bitmap", kDBBitmapBanks, kSubDB, kMaxBanks,
                                  BitmapBankRecordView::kSize, kRecBitmapBank, bitmaps);
    // 255 stands for "no bitmap" and does not count as a number in use.
    AddFilter(*bitmapBanks,
              std::make_unique<TDBProjFnt_FilterValidator>(kSemNumberMaxNo255, kSemNumberEqual));
    coll->Insert(std::move(bitmapBanks));

    Columns screens;
    screens.Byte("ScrNum").Text("ScrSymb", 16).Text("ScrName", 63);
    screens.Byte("BmpNum", kNoBankNum)
        .Byte("HlpBmpNum", kNoBankNum)
        .DWord("LayerMask", kNewScreenLayers);
    screens.Byte("ScrFlags").Link("Objects");
    auto screenList = Descriptor("Obrazovky", kDBScreens, kSubDB, kMaxBanks,
                                 ScreenRecordView::kSize, kRecScreen, screens);
    AddFilter(*screenList, std::make_unique<TDBProjScr_FilterValidator>(
                               kSemNumberMax, kSemNumberEqual, kSemScreenName));
    coll->Insert(std::move(screenList));

    Columns registers;
    registers.Word("AddrReg").Byte("TypReg").Byte("BitOffs_SSize");
    registers.Text("RegSymbName", 16).Text("RegFormat", 32);
    coll->Insert(Descriptor("Mapa registrů", kDBRegisterMap, kSubDB, kMaxRegisters,
                            RegisterRecordView::kSize, kRecRegister, registers));

    coll->Insert(ScreenObjects());

    Columns caseVariants;
    caseVariants.Text("CaseConstSym", 16)
        .Byte("CaseLayer", kFirstCaseLayer)
        .Text("CaseConstComment", 63);
    coll->Insert(Descriptor("Varianty Case", kDBCaseVariants, kSubDB, kMaxVariants,
                            CaseVariantRecordView::kSize, kRecCaseVariant, caseVariants));

    Columns onKeyVariants;
    onKeyVariants.Text("OnKeyConstSym", 16).Text("OnKeyConstCode", 254);
    coll->Insert(Descriptor("Varianty OnKey", kDBOnKeyVariants, kSubDB, kMaxVariants,
                            OnKeyVariantRecordView::kSize, kRecOnKeyVariant, onKeyVariants));

    Columns enumVariants;
    enumVariants.Text("EnumConstSym", 16).Text("EnumConstStr", 254);
    coll->Insert(Descriptor("Hodnoty Enum", kDBEnumVariants, kSubDB, kMaxVariants,
                            EnumVariantRecordView::kSize, kRecEnumVariant, enumVariants));
    return coll;
}

} // namespace panolcd::schema
