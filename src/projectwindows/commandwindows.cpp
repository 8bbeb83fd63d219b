#include "projectwindows/commandwindows.h"

#include "framework/dataentry/checks.h"
#include "framework/dataentry/compound.h"
#include "framework/dataentry/enumvalidators.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/refvalidators.h"
#include "framework/dataentry/stringedits.h"
#include "framework/windows/commands.h"
#include "framework/windows/udbedit.h"
#include "project/dbtypes.h"
#include "project/objectrecord.h"
#include "project/projectrecords.h"

#include <algorithm>

namespace panolcd {
namespace {

// Field sizes with the length byte.
constexpr auto kSymbolSize = static_cast<std::uint16_t>(kObjSymbolCap + 1);
constexpr auto kTextSize = static_cast<std::uint16_t>(kObjTextCap + 1);
constexpr auto kCommentSize =
    static_cast<std::uint16_t>(CaseVariantRecordView::kCaseConstCommentCap + 1);

// Terminal statements: lines broken by CR LF.
CharSet CodeChars() {
    CharSet chars = PrintableChars();
    chars.set('\n');
    chars.set('\r');
    return chars;
}

template <class V> std::unique_ptr<V> Make() {
    return std::make_unique<V>();
}

std::unique_ptr<TCtrlValidator> Text(std::uint16_t size, bool code = false) {
    auto validator = code ? std::make_unique<TTrStringMemo_Validator>()
                          : std::make_unique<TTrStringEdit_Validator>();
    validator->DefAttributs(0, size, code ? CodeChars() : PrintableChars());
    return validator;
}

std::unique_ptr<TCtrlValidator> Enumeration(std::int32_t high = 255) {
    auto validator = Make<TTrEnumCombo_Validator>();
    validator->DefAttributs(0, 0, high);
    return validator;
}

std::unique_ptr<TCtrlValidator> Word() {
    auto validator = Make<TTrWordEdit_Validator>();
    validator->DefAttributs(0);
    return validator;
}

std::unique_ptr<TCtrlValidator> Integer() {
    auto validator = Make<TTrIntegerEdit_Validator>();
    validator->DefAttributs(0);
    return validator;
}

// The screen object record, field by field, as the window of `kind` shows it.
std::vector<PanelField> ObjectPanel(CommandWindowKind kind, TUDBEdit_Validator& edit) {
    std::vector<PanelField> fields;
    for (int i = 0; i < 3; ++i) // Kind, Layer, HomeLayer
        fields.push_back(Hidden(Enumeration()));
    auto flags = Make<TTrByteEdit_Validator>();
    flags->DefAttributs(0);
    fields.push_back(Hidden(std::move(flags)));

    switch (kind) {
    case CommandWindowKind::Case:
    case CommandWindowKind::OnKey:
        fields.push_back(Hidden(Word()));
        fields.push_back(Hidden(Word()));
        break;
    case CommandWindowKind::Wait: {
        auto timeout = Make<TTrLIntEdit_Validator>();
        timeout->DefAttributs(0, 0, 2147483647);
        PanelField field = Shown(std::move(timeout), PanelControl::Edit, "EditPan_WaitTimeout_Edit",
                                 "Časová prodleva ");
        field.after = "[s]";
        fields.push_back(std::move(field));
        break;
    }
    case CommandWindowKind::EditEnter: {
        auto param = Make<TTrLIntEdit_Validator>();
        param->DefAttributs(0, 0, 2147483647);
        fields.push_back(Hidden(std::move(param)));
        break;
    }
    default: {
        auto font = Make<TTrRefByteLookUpCombo_Validator>();
        font->DefAttributs(vfDefaultIfEmpty, 0);
        // Bytes 5..7 of the parameter have no transfer slot: they stay as the record has them.
        fields.push_back(Shown(std::move(font), PanelControl::Combo, "EditPan_FntNum_ComboBox",
                               "Soubor fontu pro výpis"));
        break;
    }
    }

    if (kind == CommandWindowKind::Case) {
        auto entry = Make<TTrWordChecks_Validator>();
        entry->DefAttributs(0, 0x0001, true);
        fields.push_back(Shown(std::move(entry), PanelControl::CheckBox,
                               "EditPan_OnEntryCase_CheckBox", "Vstupní blok"));
    } else {
        fields.push_back(Hidden(Word()));
    }

    const bool isEnum = kind == CommandWindowKind::Enum;
    fields.push_back(isEnum ? Shown(Integer(), PanelControl::Edit, "EditPan_X1_Edit", "Pozice X1")
                            : Hidden(Integer()));
    fields.push_back(isEnum ? Shown(Integer(), PanelControl::Edit, "EditPan_Y1_Edit", "Pozice Y1")
                            : Hidden(Integer()));
    fields.push_back(Hidden(Integer()));
    fields.push_back(Hidden(Integer()));

    fields.push_back(
        isEnum ? Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_SymX1_Edit", "Symbol X1")
               : Hidden(Text(kSymbolSize)));
    fields.push_back(
        isEnum ? Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_SymY1_Edit", "Symbol Y1")
               : Hidden(Text(kSymbolSize)));
    fields.push_back(Hidden(Text(kSymbolSize)));
    fields.push_back(Hidden(Text(kSymbolSize)));
    if (kind == CommandWindowKind::Case) {
        PanelField variable = Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_SymDx_Edit",
                                    "Identifikátor řídící proměnné");
        variable.before = "case";
        variable.after = "of";
        fields.push_back(std::move(variable));
    } else if (isEnum) {
        fields.push_back(Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_SymDx_EnumVar_Edit",
                               "Identifikátor proměnné typu Enum"));
    } else {
        fields.push_back(Hidden(Text(kSymbolSize)));
    }
    fields.push_back(isEnum ? Shown(Text(kSymbolSize), PanelControl::Edit,
                                    "EditPan_SymDy_PrevSym_Edit", "Hodnota typu Enum pro náhled")
                            : Hidden(Text(kSymbolSize)));

    switch (kind) {
    case CommandWindowKind::Case:
        fields.push_back(Shown(Text(kTextSize), PanelControl::Edit, "EditPan_ObjText_Edit",
                               "Komentář k řídící proměnné"));
        break;
    case CommandWindowKind::OnKey:
        fields.push_back(
            Shown(Text(kTextSize), PanelControl::Edit, "EditPan_ObjText_Edit", "Komentář"));
        break;
    case CommandWindowKind::Wait:
        fields.push_back(Shown(Text(kTextSize, true), PanelControl::Memo,
                               "EditPan_WaitStatement_Memo", "Kód příkazu Wait"));
        break;
    case CommandWindowKind::EditEnter:
        fields.push_back(Shown(Text(kTextSize, true), PanelControl::Memo,
                               "EditPan_EEnterStatement_Memo", "Kód příkazu EditEnter"));
        break;
    default:
        fields.push_back(Hidden(Text(kTextSize)));
        break;
    }

    auto link = Make<TTrDBPtrButt_Validator>();
    link->DefAttributs(0, &edit);
    fields.push_back(Hidden(std::move(link)));
    return fields;
}

std::vector<PanelField> VariantPanel(CommandWindowKind kind) {
    std::vector<PanelField> fields;
    switch (kind) {
    case CommandWindowKind::CaseVariant: {
        fields.push_back(Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_CaseConstSym_Edit",
                               "Hodnota řídící proměnné"));
        fields.push_back(Shown(Enumeration(), PanelControl::Combo, "EditPan_CaseLayer_ComboBox",
                               "Vrstva s objekty varianty"));
        fields.push_back(Shown(Text(kCommentSize), PanelControl::Edit,
                               "EditPan_CaseConstComment_Edit", "Komentář k variantě"));
        auto closing = Make<TTrEmpty_Validator>();
        closing->DefAttributs(vfNoData);
        fields.push_back(Hidden(std::move(closing)));
        break;
    }
    case CommandWindowKind::OnKeyVariant:
        fields.push_back(Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_OnKeyConstSym_Edit",
                               "Hodnota Key"));
        fields.push_back(Shown(Text(kTextSize, true), PanelControl::Memo,
                               "EditPan_OnKeyConstCode_Memo", "Kód varianty příkazu OnKey"));
        break;
    default:
        fields.push_back(Shown(Text(kSymbolSize), PanelControl::Edit, "EditPan_EnumConstSym_Edit",
                               "Hodnota výčtového typu"));
        fields.push_back(Shown(Text(kTextSize), PanelControl::Edit, "EditPan_EnumConstStr_Edit",
                               "Textová representace hodnoty"));
        break;
    }
    return fields;
}

} // namespace

const std::vector<CommandWindowDef>& CommandWindows() {
    using K = CommandWindowKind;
    static const std::vector<CommandWindowDef> windows = {
        {K::Case, "TDBLCDScr_CmdCase_MDIChild", "Parametry objektu příkazu Case", "F_LCCASE",
         kDBScreenObjects, 399, kDBCaseVariants, "Hodnota ř. prom.   Vrstva  Komentář k variantě",
         ListFrame::Bevel, nullptr, true, 8},
        {K::OnKey, "TDBLCDScr_CmdOnKey_MDIChild", "Parametry objektu příkazu OnKey", "F_LONKEY",
         kDBScreenObjects, 399, kDBOnKeyVariants, "Hodnota Key   Kód varianty příkazu OnKey",
         ListFrame::Notebook, "OnKey", false, 10},
        {K::Wait, "TDBLCDScr_CmdWait_MDIChild", "Parametry objektu příkazu Wait", "F_CMWAIT",
         kDBScreenObjects, 399, 0, nullptr, ListFrame::None, nullptr, false, 12},
        {K::EditEnter, "TDBLCDScr_EditEnter_MDIChild", "Parametry objektu příkazu EditEnter",
         "F_EENTER", kDBScreenObjects, 399, 0, nullptr, ListFrame::None, nullptr, false, 13},
        {K::Enum, "TDBLCDScr_Enum_MDIChild", "Parametry objektu Enum", "F_LCENUM", kDBScreenObjects,
         410, kDBEnumVariants, "Enum hodnota     Textový řetězec hodnoty", ListFrame::Notebook,
         "Enum", false, 14},
        {K::CaseVariant, "TLcDBCaseConst_MDIChild", "Varianta příkazu Case", "F_CASECO",
         kDBCaseVariants, 86, 0, nullptr, ListFrame::None, nullptr, true, 9},
        {K::OnKeyVariant, "TLcDBOnKeyConst_MDIChild", "Varianta příkazu OnKey", "F_ONKEYC",
         kDBOnKeyVariants, 272, 0, nullptr, ListFrame::None, nullptr, true, 11},
        {K::EnumVariant, "TLcDBEnumConst_MDIChild", "Representace hodnoty výčtového typu",
         "F_ENUMC", kDBEnumVariants, 272, 0, nullptr, ListFrame::None, nullptr, true, 15},
    };
    return windows;
}

const CommandWindowDef* FindCommandWindow(std::string_view formName) {
    for (const CommandWindowDef& def : CommandWindows()) {
        if (def.formName == formName)
            return &def;
    }
    return nullptr;
}

bool IsObjectWindow(const CommandWindowDef& def) {
    return def.dbTypeId == kDBScreenObjects;
}

std::uint32_t EditCapsOf(const CommandWindowDef& def) {
    return IsObjectWindow(def) ? kCommandObjectCaps : kCommandVariantCaps;
}

bool TakesEditCommand(const CommandWindowDef& def, std::uint32_t code) {
    switch (code) {
    case ecHelp:
    case ecCommitEdits:
    case ecOrigSize:
        return true;
    case ecCut:
    case ecCopy:
    case ecPaste:
    case ecDelete:
        return def.variantDbTypeId != 0;
    default:
        return false;
    }
}

std::vector<PanelField> PanelFieldsOf(const CommandWindowDef& def, TUDBEdit_Validator& edit) {
    return IsObjectWindow(def) ? ObjectPanel(def.kind, edit) : VariantPanel(def.kind);
}

ListResized ResizeVariantList(const LayoutRect& savedFrame, const LayoutRect& savedList,
                              int clientHeight) {
    ListResized sized{savedFrame, savedList};
    sized.frame.Height = std::max(clientHeight - savedFrame.Top - 2, savedFrame.Height / 2);
    sized.list.Height = savedList.Height + (sized.frame.Height - savedFrame.Height);
    return sized;
}

} // namespace panolcd
