// The records the property dialogs of the screen objects edit, and those of the screen window's
// alignment and size dialogs. Each record's edit form is the dialog that edits it; the layouts
// are the ones the objects fill their dialogs with.

#include "project/dbtypes.h"
#include "schema/fieldbuilders.h"
#include "schema/schemaparts.h"

#include <string_view>

namespace panolcd::schema {
namespace {

constexpr std::uint16_t kSymbolSize = 17;
constexpr std::uint16_t kTextSize = 255;

FieldPtr Symbol(std::string_view name) {
    return StringField(name, kSymbolSize, kHidden);
}

FieldPtr Number(std::string_view name) {
    return LongField(name, kHidden);
}

// Font bank, position, symbolic position, then the text or the parameter list.
std::unique_ptr<TRecordTypeDscr> TextDialog(std::string_view name, std::string_view dialog) {
    return RecordType(name, dialog, false,
                      Fields(BankRefField("FntNum", kDBFontBanks, kSemNumberSorter, 0),
                             Number("X1"), Number("Y1"), Symbol("SymX1"), Symbol("SymY1"),
                             StringField("ObjText", kTextSize, kHidden)));
}

// Options, two corners (or a corner and a size), the six symbols, the comment.
std::unique_ptr<TRecordTypeDscr> CornerDialog(std::string_view name, std::string_view dialog) {
    return RecordType(name, dialog, false,
                      Fields(WordField("Options", kHidden), Number("X1"), Number("Y1"),
                             Number("X2"), Number("Y2"), Symbol("SymX1"), Symbol("SymY1"),
                             Symbol("SymX2"), Symbol("SymY2"), Symbol("SymDx"), Symbol("SymDy"),
                             StringField("GrComment", kTextSize, kHidden)));
}

std::unique_ptr<TRecordTypeDscr> GraphDialog(std::string_view name, std::string_view dialog) {
    return RecordType(name, dialog, false,
                      Fields(EnumField("GraphType", kEnumGraphType, kHidden), Number("X1"),
                             Number("Y1"), Number("X2"), Number("Y2"), Symbol("SymX1"),
                             Symbol("SymY1"), Symbol("SymX2"), Symbol("SymY2"),
                             StringField("GraphData", kTextSize, kHidden)));
}

} // namespace

std::unique_ptr<TRecordTypeDscr> DialogRecordType(RecType type) {
    switch (type) {
    case kRecDlgText:
        return TextDialog("TLCDObjTextPropDlgRec", "TLCDObjTextProp_Dlg");
    case kRecDlgPrintLine:
        return TextDialog("TLCDObjPrintLinePropDlgRec", "TLCDObjPrintLineProp_Dlg");
    case kRecDlgEdit:
        return TextDialog("TLCDObjEditPropDlgRec", "TLCDObjEditProp_Dlg");
    case kRecDlgEditP:
        return TextDialog("TLCDObjEditPPropDlgRec", "TLCDObjEditPProp_Dlg");
    case kRecDlgPoint:
        return RecordType("TLCDObjPointPropDlgRec", "TPointProperties_Dlg", false,
                          Fields(Number("X1"), Number("Y1"), Symbol("SymX1"), Symbol("SymY1"),
                                 StringField("GrComment", kTextSize, kHidden)));
    case kRecDlgLine:
        return CornerDialog("TLCDObjLinePropDlgRec", "TLineProperties_Dlg");
    case kRecDlgRect:
        return CornerDialog("TLCDObjRectPropDlgRec", "TRectangleProperties_Dlg");
    case kRecDlgCircle:
        return RecordType("TLCDObjCirclePropDlgRec", "TCircleProperties_Dlg", false,
                          Fields(Number("CentreX"), Number("CentreY"), Number("RadiusR"),
                                 Symbol("SymX1"), Symbol("SymY1"), Symbol("SymX2"),
                                 StringField("GrComment", kTextSize, kHidden)));
    case kRecDlgGraph:
        return GraphDialog("TLCDGraphObjPropDlgRec", "TLCDGraphObjPropDlg");
    case kRecDlgGraphXY:
        return GraphDialog("TLCDGraphXYObjPropDlgRec", "TLCDGraphXYObjPropDlg");
    case kRecDlgBar:
        return RecordType("TLCDBarObjPropDlgRec", "TLCDBarObjPropDlg", false,
                          Fields(EnumField("BarDirection", kEnumBarDirection, kHidden),
                                 WordField("Options", kHidden), Number("X1"), Number("Y1"),
                                 Number("X2"), Number("Y2"), Symbol("SymX1"), Symbol("SymY1"),
                                 Symbol("SymX2"), Symbol("SymY2"), Symbol("SymDx"), Symbol("SymDy"),
                                 StringField("BarData", kTextSize, kHidden)));
    case kRecDlgCaseBmp:
        return RecordType(
            "TLCDCaseBmpObjPropDlgRec", "TRefProjCaseBmpLookUp_Dlg", false,
            Fields(BankRefField("BmpNum", kDBBitmapBanks, kSemNumberSorter, kNoBankNum),
                   StringField("Comment", kTextSize, kHidden)));
    case kRecDlgAlignment:
        return RecordType("TAlignmentDlgRec", "TAlignment_Dlg", false,
                          Fields(EnumField("HorzMode", kEnumHorzAlign, kHidden),
                                 EnumField("VertMode", kEnumVertAlign, kHidden)));
    case kRecDlgSingleAlign:
        return RecordType("TSingleAlignDlgRec", "TSingleAlign_Dlg", false,
                          Fields(EnumField("HorzCentre", kEnumCentre, kHidden),
                                 EnumField("VertCentre", kEnumCentre, kHidden)));
    case kRecDlgAlignSize:
        return RecordType("TAlignSizeDlgRec", "TAlignSize_Dlg", false,
                          Fields(EnumField("WidthMode", kEnumSizeMode, kHidden),
                                 EnumField("HeightMode", kEnumSizeMode, kHidden),
                                 Number("NewWidth"), Number("NewHeight")));
    // The screen record's leading fields, as its parameters dialog edits them.
    case kRecDlgScreenParameters:
        return RecordType(
            "TScrParamDlgRec", "TRefProjBmpLookUp_Dlg", false,
            Fields(ByteField("ScrNum", kHidden), StringField("ScrSymb", kSymbolSize, kHidden),
                   StringField("ScrName", 64, kHidden),
                   BankRefField("BmpNum", kDBBitmapBanks, kSemNumberSorter, kNoBankNum)));
    case kRecDlgScreenHelp:
        return RecordType(
            "TScrHlpParamDlgRec", "TRefProjHlpBmpLookUp_Dlg", false,
            Fields(BankRefField("HlpBmpNum", kDBBitmapBanks, kSemNumberSorter, kNoBankNum)));
    default:
        return nullptr;
    }
}

} // namespace panolcd::schema
