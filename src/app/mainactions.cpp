#include "app/mainactions.h"

#include "project/objectrecord.h"

#include <array>

namespace panolcd {
namespace {

using namespace std::string_view_literals;

constexpr MainActionDef A(std::string_view name, std::string_view caption,
                          std::string_view shortcut, std::string_view tooltip,
                          std::string_view status, bool checkable = false) {
    return {name, caption, shortcut, tooltip, status, checkable};
}

const std::array kActions = {
    // Soubory
    A("NewProject_Action", "&Nový projekt", "", "Nový projekt", "Založení souborů nového projektu"),
    A("OpenProject_Action", "&Otevření", "", "Otevření projektu",
      "Otevření existujícího souboru projektu"),
    A("CloseProject_Action", "&Zavření", "", "Uzavření projektu",
      "Uzavření zpracovávaného projektu"),
    A("SaveProject_Action", "&Uložení projektu", "F2", "Uložení projektu",
      "Uložení všech souborů projektu dle jména projektu"),
    A("SaveProjectAs_Action", "Uložení projektu &jako", "", "Uložení projektu jako",
      "Uložení všech souborů projektu pod novým jménem"),
    A("Exit_Action", "&Konec", "Alt+X", "Konec programu", "Ukončí se tento program"),
    // Program
    A("OpenEdPRG_Action", "Otevření editoru &PRG", "F4", "Editor PRG",
      "Otevření okénka editoru programu *.PRG"),
    A("OpenEdPANO_Action", "Otevření &editoru", "Shift+F4", "Editor", "Otevření okénka editoru"),
    A("OpenEdPRI_Action", "Otevření editoru PR&I", "Ctrl+F7", "Prohlížeč PRI",
      "Otevření okénka prohlížeče generovaného souboru *.PRI"),
    A("SavePRG_Action", "&Uložení", "Ctrl+S", "Uložení", "Uložení editovaného souboru"),
    A("SavePRGAs_Action", "Uložení &jako", "", "Uložení jako",
      "Uložení editovaného souboru pod novým jménem"),
    A("EditorOptions_Action", "Editor &možnosti", "", "Editor možnosti",
      "Otevření dialogu s nastavením vlastností editoru"),
    // Editace
    A("EditDel_Action", "Vy&mazat", "", "Vymazání", "Vymazání označeného textu / objektu"),
    A("EditCut_Action", "V&yjmout", "Ctrl+X", "Vystřižení",
      "Vystřihne text / objekt a uloží jej do schránky"),
    A("EditCopy_Action", "&Kopírovat", "Ctrl+C", "Kopírování",
      "Označený text / objekt je zkopírován do schránky"),
    A("EditPaste_Action", "&Vložit", "Ctrl+V", "Vložení",
      "Text / objekt ze schránky je vložen do projektu"),
    A("ImportFileToEditor_Action", "Vložit &soubor", "", "Vložení souboru",
      "Zadaný soubor je vložen na pozici kurzoru"),
    // Hledat
    A("EditorFind_Action", "&Najít", "Ctrl+F", "Najít",
      "Otevře dialog pro zadání hledaného textového řetězce"),
    A("EditorFindNext_Action", "Najít &další", "Ctrl+L", "Najít další",
      "Pokračuje v hledání dříve zadaného textového řetězce"),
    A("EditorReplace_Action", "Na&hradit", "Ctrl+A", "Nahradit",
      "Otevře dialog pro zadání požadované náhrady textového řetězce"),
    A("EditorIncFind_Action", "Postupné &vyhledávání", "Ctrl+E", "Vyhledávání",
      "Otevře režim postupného vyhledávání dle zadávaného textového řetězce"),
    A("EditorGoToLine_Action", "&Přejít na řádku", "Ctrl+G", "Přejít na řádku",
      "Otevře dialog pro zadání cílové řádky, kam má být přesunut kursor"),
    // Window
    A("OpenRootWin_Action", "&Otevření okénka projektu", "F3", "Okénko projektu",
      "Otevře základní okénko projektu"),
    A("MaximizeRestoreMDIChild_Action", "&Maximalizace/Obnovení", "F5", "Max/Obnovení",
      "Vzájemná záměna normální velikosti okénka za maximální a naopak"),
    A("ZoomChange_Action", "&Změna zvětšení", "F6", "Zvětšení",
      "Cyklická záměna zvětšení (1x-2x-4x-1x...) okénka návrhu obrazovky"),
    A("WindowClose_Action", "&Uzavření okénka", "Alt+F3", "Uzavření",
      "Uzavření právě aktivního okénka"),
    A("WindowCloseOthers_Action", "Uzavření o&statních okének", "Shift+F3", "Uzavření ostatních",
      "Uzavře všechna okénka kromě právě aktivního okénka"),
    A("WindowCloseAll_Action", "Uz&avření všech okének", "", "Uzavření všech",
      "Uzavře všechna otevřená okénka programu"),
    A("OrigFormSize_Action", "&Původní velikost", "F11",
      "Nastaví rozměry okénka na původní velikost", "Nastaví rozměry okénka na původní velikost"),
    A("OrigAllFormSize_Action", "Původní ve&likost všech", "Shift+F11",
      "Nastaví původní rozměry všech otevřených okének",
      "Nastaví původní rozměry všech otevřených okének"),
    A("WindowCascade_Action", "Okénka do &kaskády", "", "Kaskáda okének",
      "Uspořádání okének do kaskády"),
    A("WindowTileHorizontal_Action", "Okénka do plochy &horizontálně", "", "Plocha horiz.",
      "Uspořádání okének do plochy horizontálně"),
    A("WindowTileVertical_Action", "Okénka do plochy &vertikálně", "", "Plocha vert.",
      "Uspořádání okének do plochy vertikálně"),
    A("WindowMinimizeAll_Action", "M&inimalizování všech okének", "", "Okénka do icon",
      "Převede všechna okénka do icon při spodním okraji"),
    A("WindowArrange_Action", "Uspořádání i&con", "", "Uspořádání icon",
      "Uspořádání icon při spodním okraji"),
    A("MainFormMaxRestore_Action", "Maximalizace/Obnoveni okénka programu", "Shift+F5", "", ""),
    // ToolBar
    A("HelpScr_Action", "Help", "", "Help obrazovka", "Přepne do režimu editace obrazovky Help",
      true),
    A("BmpLayer_Action", "Bmp vrstva ", "", "Vrstva BMP", "Zapne zobrazení vrstvy bitmap", true),
    A("TextLayer_Action", "Text vrstva", "", "Vrstva TXT",
      "Zapne zobrazení vrstvy textových výpisů", true),
    A("GraphicLayer_Action", "Graphic vrstva", "", "Vrstva Gr",
      "Zapne zobrazení vrstvy vektorové grafiky", true),
    A("CaseLayer_Action", "Case vrstva", "", "Vrstvy CASE", "Zapne zobrazení vybrané vrstvy CASE",
      true),
    A("Zoom1_Action", "Zoom1_Action", "", "Zvětšení 1x",
      "Nastaví zvětšení objektů a plochy 1x, tj. aktuální velikost", true),
    A("Zoom2_Action", "Zoom2_Action", "", "Zvětšení 2x", "Nastaví zvětšení objektů a plochy 2x",
      true),
    A("Zoom4_Action", "Zoom4_Action", "", "Zvětšení 4x", "Nastaví zvětšení objektů a plochy 4x",
      true),
    A("ToBackLCDObj_Action", "Dozadu", "", "Dozadu",
      "Přesune označený objekt dozadu (dle viditelnosti)"),
    A("ClearAllLCDObj_Action", "Vymaže vše", "", "Vymaže vše",
      "Vymazání všech objektů na obrazovce"),
    // LCDObject
    A("LCDObjText_Action", "Text", "", "Text", "Vloží objekt LCD s jednoduchým textem"),
    A("LCDObjPoint_Action", "Point", "", "Point", "Vloží objekt LCD Point (bod)"),
    A("LCDObjLine_Action", "Line", "", "Line", "Vloží objekt LCD line (úsečka)"),
    A("LCDObjRect_Action", "Rect", "", "Rect", "Vloží objekt LCD rect (obdélník)"),
    A("LCDObjFill_Action", "Fill", "", "Fill", "Vloží objekt LCD fill (vyplněný obdélník)"),
    A("LCDObjCircle_Action", "Circle", "", "Circle", "Vloží objekt LCD circle (kružnice)"),
    A("LCDObjPrint_Action", "Print", "", "Print",
      "Vloží objekt LCD print - výpis hodnot proměnných"),
    A("LCDObjEdit_Action", "Edit", "", "Edit", "Vloží objekt LCD edit - editace hodnoty proměnné"),
    A("LCDObjEditP_Action", "EditP", "", "EditP",
      "Vloží objekt LCD editp - editace hodnoty proměnné typu heslo"),
    A("LCDObjGraph_Action", "Graph", "", "Graph", "Vloží objekt LCD graph - graf N-hodnot"),
    A("LCDObjGraphXY_Action", "GraphXY", "", "GraphXY", "Vloží objekt LCD graphxy - graf X,Y"),
    A("LCDObjBar_Action", "Bar", "", "Bar", "Vloží objekt LCD bar - sloupcový graf"),
    A("LCDObjEnum_Action", "Enum", "", "Enum",
      "Vloží objekt LCD enum - výpis textové representace hodnoty výčtového typu"),
    A("LCDObjCase_Action", "Case", "", "Case",
      "Vloží objekt LCD case - jazyková konstrukce příkazu case s parametry"),
    A("LCDObjOnKey_Action", "OnKey", "", "OnKey",
      "Vloží objekt LCD onkey - jazyková konstrukce příkazu onkey s parametry"),
    A("LCDObjWait_Action", "Wait", "", "Wait", "Vloží objekt LCD wait - příkaz jazyka s parametry"),
    A("LCDObjEditEnter_Action", "EditEnter", "", "EditEnter",
      "Vloží objekt LCD editenter - příkaz jazyka s parametry"),
    A("LCDObjCaseBMP_Action", "CaseBMP", "", "CaseBMP",
      "Vloží objekt LCD bmp do case vrstvy - bitmapa ve vrstvě CASE"),
    // ExecToolBar, Nastaveni
    A("GenPRI_Action", "&Generování *.PRI", "F7", "Generování PRI",
      "Vygeneruje include-soubor *.PRI s obrazovkami projektu"),
    A("GenPRIandCompile_Action", "Gen. *.&PRI a překlad", "F8", "Kompilace projektu",
      "Vygeneruje *.PRI a provede kompilaci *.PRG"),
    A("Compile_Action", "Pře&klad PRG", "Shift+F8", "Kompilace programu",
      "Provede kompilaci programu *.PRG"),
    A("RunPRG_Action", "Spuštění P&RG", "F9", "Spuštění PRG",
      "Odstartuje program PRG nebo jeho zavaděč do řídicího systému "),
    A("CompilerCFG_Action", "Spuštění &překladače", "", "Překladač",
      "Nastavení příkazové řádky pro spuštění překladače Vorn-Basicu"),
    A("RunPRGCFG_Action", "Spuštění prog&ramu", "", "Vorn-Procesor",
      "Nastavení příkazové řádky pro spuštění programu"),
    // Help, Special
    A("HelpContent_Action", "&Obsah", "F1", "", ""),
    A("HelpContext_Action", "Dle &kontextu", "Ctrl+F1", "", ""),
    A("FileClipboardToolVisible_Action", "Lišta Soubory, Editace", "", "", "", true),
    A("LayersZoomToolVisible_Action", "Lišta Vrstvy, Operace  s objekty", "", "", "", true),
    A("RunToolBarVisible_Action", "Lišta Operace, Spouštění", "", "", "", true),
    A("LCDObjectsToolVisible_Action", "Lišta Objekty LCD", "", "", "", true),
    A("FlatToolBars_Action", "Plochá tlačítka", "", "", "", true),
    // Items of the menus that have no action of their own.
    A("DiagMask_Action", "Diag. výpisy", "", "Nastavení parametrů diagnostických výpisů",
      "Nastavení parametrů diagnostických výpisů"),
    A("OpenSysWr_Action", "Otevři okénko TXS", "", "Otevře okénko diagnostických výpisů",
      "Otevře okénko diagnostických výpisů"),
    A("About_Action", "&Autorství", "", "Zobrazení verze programu", "Zobrazení verze programu"),
};

constexpr std::array kFilesMenu = {"NewProject_Action"sv,    "OpenProject_Action"sv,
                                   "CloseProject_Action"sv,  "SaveProject_Action"sv,
                                   "SaveProjectAs_Action"sv, "-"sv,
                                   "Exit_Action"sv};
constexpr std::array kProgramMenu = {"OpenEdPRG_Action"sv,
                                     "OpenEdPANO_Action"sv,
                                     "OpenEdPRI_Action"sv,
                                     "-"sv,
                                     "SavePRG_Action"sv,
                                     "SavePRGAs_Action"sv,
                                     "-"sv,
                                     "EditorOptions_Action"sv};
constexpr std::array kEditMenu = {"EditDel_Action"sv,
                                  "EditCut_Action"sv,
                                  "EditCopy_Action"sv,
                                  "EditPaste_Action"sv,
                                  "-"sv,
                                  "ImportFileToEditor_Action"sv};
constexpr std::array kFindMenu = {"EditorFind_Action"sv,
                                  "EditorFindNext_Action"sv,
                                  "EditorReplace_Action"sv,
                                  "EditorIncFind_Action"sv,
                                  "-"sv,
                                  "EditorGoToLine_Action"sv};
constexpr std::array kOperationsMenu = {"GenPRI_Action"sv, "GenPRIandCompile_Action"sv,
                                        "Compile_Action"sv, "RunPRG_Action"sv};
constexpr std::array kSettingsMenu = {"CompilerCFG_Action"sv, "RunPRGCFG_Action"sv,
                                      ">System_Menu"sv, ">ToolBars_Menu"sv};
constexpr std::array kWindowsMenu = {
    "OpenRootWin_Action"sv,        "MaximizeRestoreMDIChild_Action"sv,
    "ZoomChange_Action"sv,         "-"sv,
    "WindowClose_Action"sv,        "WindowCloseOthers_Action"sv,
    "WindowCloseAll_Action"sv,     "OrigFormSize_Action"sv,
    "OrigAllFormSize_Action"sv,    "-"sv,
    "WindowCascade_Action"sv,      "WindowTileHorizontal_Action"sv,
    "WindowTileVertical_Action"sv, "WindowMinimizeAll_Action"sv,
    "WindowArrange_Action"sv};
constexpr std::array kHelpMenu = {"HelpContent_Action"sv, "HelpContext_Action"sv, "-"sv,
                                  "About_Action"sv};
constexpr std::array kSystemMenu = {"DiagMask_Action"sv, "OpenSysWr_Action"sv};
constexpr std::array kToolBarsMenu = {
    "FileClipboardToolVisible_Action"sv, "LayersZoomToolVisible_Action"sv,
    "RunToolBarVisible_Action"sv, "LCDObjectsToolVisible_Action"sv};

const std::array kMenus = {
    MainMenuDef{"Files_Menu", "&Soubory", "", kFilesMenu},
    MainMenuDef{"Program_Menu", "&Program", "", kProgramMenu},
    MainMenuDef{"Edit_Menu", "&Editace", "Příkazy pro práci se schránkou", kEditMenu},
    MainMenuDef{"Find_Menu", "&Hledat", "Příkazy pro změny zobrazení", kFindMenu},
    MainMenuDef{"Operations_Menu", "&Operace", "Operace nad projektem", kOperationsMenu},
    MainMenuDef{"Settings_Menu", "Nas&tavení", "Nastavení parametrů programu", kSettingsMenu},
    MainMenuDef{"Windows_Menu", "O&kénka", "Operace s okénky", kWindowsMenu},
    MainMenuDef{"Help_Menu", "&Nápověda", "Nápověda k programu", kHelpMenu},
};

const std::array kSubMenus = {
    MainMenuDef{"System_Menu", "&Systém", "Pomocné systémové příkazy pro ladění programu",
                kSystemMenu},
    MainMenuDef{"ToolBars_Menu", "&Lišty nástrojů", "Nastavení viditelnosti nástrojových lišt",
                kToolBarsMenu},
};

constexpr std::array kFileClipboardBar = {
    "NewProject_Action"sv, "OpenProject_Action"sv, "SaveProject_Action"sv, "EditDel_Action"sv,
    "EditCut_Action"sv,    "EditCopy_Action"sv,    "EditPaste_Action"sv};
constexpr std::array kRunBar = {"GenPRI_Action"sv, "GenPRIandCompile_Action"sv, "RunPRG_Action"sv};
constexpr std::array kLayersZoomBar = {"HelpScr_Action"sv,      "BmpLayer_Action"sv,
                                       "TextLayer_Action"sv,    "GraphicLayer_Action"sv,
                                       "CaseLayer_Action"sv,    "-"sv,
                                       "Zoom1_Action"sv,        "Zoom2_Action"sv,
                                       "Zoom4_Action"sv,        "-"sv,
                                       "ToBackLCDObj_Action"sv, "ClearAllLCDObj_Action"sv};
constexpr std::array kLcdObjectsBar = {
    "LCDObjText_Action"sv,  "LCDObjPoint_Action"sv,     "LCDObjLine_Action"sv,
    "LCDObjRect_Action"sv,  "LCDObjFill_Action"sv,      "LCDObjCircle_Action"sv,
    "LCDObjPrint_Action"sv, "LCDObjEdit_Action"sv,      "LCDObjEditP_Action"sv,
    "LCDObjGraph_Action"sv, "LCDObjGraphXY_Action"sv,   "LCDObjBar_Action"sv,
    "LCDObjEnum_Action"sv,  "LCDObjCase_Action"sv,      "LCDObjOnKey_Action"sv,
    "LCDObjWait_Action"sv,  "LCDObjEditEnter_Action"sv, "LCDObjCaseBMP_Action"sv};

const std::array kToolBars = {
    MainMenuDef{"FileClipboard_ToolBar", "", "", kFileClipboardBar},
    MainMenuDef{"Run_ToolBar", "", "", kRunBar},
    MainMenuDef{"LayersZoom_ToolBar", "", "", kLayersZoomBar},
    MainMenuDef{"LCDObjects_ToolBar", "", "", kLcdObjectsBar},
};

using R = InsertLayerRule;
const std::array kInsertActions = {
    InsertActionDef{"LCDObjText_Action", kObjText, kTextLayer, R::CaseAware},
    InsertActionDef{"LCDObjPoint_Action", kObjPoint, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjLine_Action", kObjLine, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjRect_Action", kObjRectangle, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjFill_Action", kObjFilledRect, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjCircle_Action", kObjCircle, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjPrint_Action", kObjPrintLine, kTextLayer, R::CaseAware},
    InsertActionDef{"LCDObjEdit_Action", kObjEdit, kTextLayer, R::CaseAware},
    InsertActionDef{"LCDObjEditP_Action", kObjEditP, kTextLayer, R::CaseAware},
    InsertActionDef{"LCDObjGraph_Action", kObjGraph, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjGraphXY_Action", kObjGraphXY, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjBar_Action", kObjBar, kGraphicLayer, R::CaseAware},
    InsertActionDef{"LCDObjEnum_Action", kObjEnum, kTextLayer, R::Fixed},
    InsertActionDef{"LCDObjCase_Action", kObjCmdCase, kTextLayer, R::Fixed},
    InsertActionDef{"LCDObjOnKey_Action", kObjCmdOnKey, kTextLayer, R::CaseAware},
    InsertActionDef{"LCDObjWait_Action", kObjCmdWait, kTextLayer, R::Fixed},
    InsertActionDef{"LCDObjEditEnter_Action", kObjEditEnter, kTextLayer, R::Fixed},
    InsertActionDef{"LCDObjCaseBMP_Action", kObjCaseBmp, kFirstCaseLayer, R::CaseOnly},
};

} // namespace

std::span<const MainActionDef> MainActions() {
    return kActions;
}

const MainActionDef* FindMainAction(std::string_view name) {
    for (const MainActionDef& action : kActions) {
        if (action.name == name)
            return &action;
    }
    return nullptr;
}

std::span<const MainMenuDef> MainMenus() {
    return kMenus;
}

std::span<const MainMenuDef> SubMenus() {
    return kSubMenus;
}

std::span<const MainMenuDef> ToolBars() {
    return kToolBars;
}

const MainMenuDef* FindSubMenu(std::string_view name) {
    for (const MainMenuDef& menu : kSubMenus) {
        if (menu.name == name)
            return &menu;
    }
    return nullptr;
}

std::span<const InsertActionDef> InsertActions() {
    return kInsertActions;
}

const InsertActionDef* FindInsertAction(std::string_view name) {
    for (const InsertActionDef& action : kInsertActions) {
        if (action.name == name)
            return &action;
    }
    return nullptr;
}

} // namespace panolcd
