// The records of the project tree: root, banks, screens, register map and the variants of the
// command objects.

#include "framework/records/fieldflags.h"
#include "project/dbtypes.h"
#include "schema/fieldbuilders.h"
#include "schema/schemaparts.h"

namespace panolcd::schema {
namespace {

std::unique_ptr<TRecordTypeDscr> Root() {
    return RecordType(
        "TLcUDBRoot_DBRec", "F_LCROOT", true,
        Fields(StringField("ProjectName", 128, First(40)), StringField("TermObjName", 64, Next(20)),
               ByteField("PrgBankNum", Next(3)), LinkField("FontBanks", kDBFontBanks),
               LinkField("BitmapBanks", kDBBitmapBanks), LinkField("Screens", kDBScreens),
               LinkField("RegisterMap", kDBRegisterMap)));
}

std::unique_ptr<TRecordTypeDscr> FontBank() {
    return RecordType("TDBProjFnt_DBRec", "F_PRJFNT", false,
                      Fields(WithSemantics(ByteField("FontNum", First(3)),
                                           {kSemNumberMax, kSemNumberEqual, kSemNumberSorter}),
                             StringField("FontFileName", 255, Next(40)),
                             StringField("FontPreviewStr", 41, kHidden, "ABC123")));
}

std::unique_ptr<TRecordTypeDscr> BitmapBank() {
    return RecordType("TDBProjBmp_DBRec", "F_PRJBMP", false,
                      Fields(WithSemantics(ByteField("BmpNum", First(3)),
                                           {kSemNumberMaxNo255, kSemNumberEqual, kSemNumberSorter}),
                             StringField("BmpFileName", 255, Next(60))));
}

std::unique_ptr<TRecordTypeDscr> Screen() {
    return RecordType(
        "TDBProjScr_DBRec", "LCD_DISP", true,
        Fields(WithSemantics(ByteField("ScrNum", First(3)),
                             {kSemNumberMax, kSemNumberEqual, kSemNumberSorter}),
               StringField("ScrSymb", 17, Next(16)),
               WithSemantics(StringField("ScrName", 64, Next(63)), {kSemScreenName}),
               BankRefField("BmpNum", kDBBitmapBanks, kSemNumberSorter, kNoBankNum),
               BankRefField("HlpBmpNum", kDBBitmapBanks, kSemNumberSorter, kNoBankNum),
               DWordField("LayerMask", kHidden, kNewScreenLayers), ByteField("ScrFlags", kHidden),
               LinkField("Objects", kDBScreenObjects)));
}

// Columns under the card header "Addr  TypReg     BSs Identifikátor    Formát".
std::unique_ptr<TRecordTypeDscr> Register() {
    return RecordType("TDBProjMap_DBRec", "F_PRJMAP", false,
                      Fields(WordField("AddrReg", First(5, fHex)),
                             EnumField("TypReg", kEnumRegisterType, Next(10)),
                             ByteField("BitOffs_SSize", Next(3)),
                             StringField("RegSymbName", 17, Next(16)),
                             StringField("RegFormat", 33, Next(32))));
}

std::unique_ptr<TRecordTypeDscr> CaseVariant() {
    return RecordType("TLcDBCaseConst_DBRec", "F_CASECO", false,
                      Fields(StringField("CaseConstSym", 17, First(16)),
                             EnumField("CaseLayer", kEnumCaseLayers, Next(10), kFirstCaseLayer),
                             StringField("CaseConstComment", 64, Next(40))));
}

std::unique_ptr<TRecordTypeDscr> OnKeyVariant() {
    return RecordType("TLcDBOnKeyConst_DBRec", "F_ONKEYC", false,
                      Fields(StringField("OnKeyConstSym", 17, First(16)),
                             CodeField("OnKeyConstCode", 255, Next(60))));
}

std::unique_ptr<TRecordTypeDscr> EnumVariant() {
    return RecordType("TLcDBEnumConst_DBRec", "F_ENUMC", false,
                      Fields(StringField("EnumConstSym", 17, First(16)),
                             StringField("EnumConstStr", 255, Next(60))));
}

} // namespace

std::unique_ptr<TRecordTypeDscr> ProjectRecordType(RecType type) {
    switch (type) {
    case kRecRoot:
        return Root();
    case kRecFontBank:
        return FontBank();
    case kRecBitmapBank:
        return BitmapBank();
    case kRecScreen:
        return Screen();
    case kRecRegister:
        return Register();
    case kRecCaseVariant:
        return CaseVariant();
    case kRecOnKeyVariant:
        return OnKeyVariant();
    case kRecEnumVariant:
        return EnumVariant();
    default:
        return nullptr;
    }
}

} // namespace panolcd::schema
