// The main window's rules without widgets: layers, zoom, object insertion, enabled actions,
// status texts and the generation command.

#include "app/mainformcontroller.h"

#include "app/mainactions.h"
#include "app/mainform_fakes.h"
#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/windows/windowscontext.h"
#include "project/projectmodel.h"
#include "support/test_context.h"

#include <filesystem>

namespace panolcd::testing {
namespace {

class Controller : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        controller_ =
            std::make_unique<MainFormController>(form_, store_, (TempDir() / "panolcd").string());
        controller_->LoadCaseLayerList();
        form_.active = ChildKind::Screen;
    }
    void TearDown() override {
        controller_.reset();
        CloseProjectColl();
        ContextTest::TearDown();
    }
    FakeScreen& Screen() { return form_.screen; }

    FakeMainForm form_;
    TestStore store_;
    std::unique_ptr<MainFormController> controller_;
};

TEST_F(Controller, LayerButtonsApplyToTheActiveScreen) {
    EXPECT_EQ(controller_->CaseLayerNames().size(), 28u);
    EXPECT_EQ(controller_->ChosenCaseEntry(), 0);
    Screen().layers = 0xFFFFFFFFu;
    controller_->SetLayerButton(0, false);
    EXPECT_EQ(Screen().layers, 0x80000006u); // BMP and every case layer off, 31 stays
    controller_->ChooseCaseEntry(2);         // Case is up: nothing applied
    EXPECT_EQ(Screen().layers, 0x80000006u);
    controller_->SetCaseButton(true);
    EXPECT_EQ(Screen().layers, 0x80000026u);
    EXPECT_TRUE(controller_->CaseWindowVisible());
    controller_->ChooseCaseEntry(27);
    EXPECT_EQ(Screen().layers, 0xC0000006u);
    controller_->CaseWindowClosed();
    EXPECT_FALSE(controller_->Buttons().caseLayer);
    EXPECT_FALSE(controller_->CaseWindowVisible());
    EXPECT_EQ(Screen().layers, 0x80000006u);
}

TEST_F(Controller, LayerStateOfAScreenShowsOnTheButtons) {
    controller_->ShowLayerState(0x80000022u, 0x80);
    EXPECT_TRUE(controller_->Buttons().help);
    EXPECT_FALSE(controller_->Buttons().bmp);
    EXPECT_TRUE(controller_->Buttons().txt);
    EXPECT_TRUE(controller_->Buttons().caseLayer);
    EXPECT_EQ(controller_->ChosenCaseEntry(), 2);
    controller_->ShowLayerState(0x7, 0);
    EXPECT_FALSE(controller_->Buttons().caseLayer);
    EXPECT_FALSE(controller_->CaseWindowVisible());
}

TEST_F(Controller, ZoomCycle) {
    const std::pair<int, int> steps[] = {{1, 2}, {2, 4}, {4, 1}, {3, 3}};
    for (const auto& [from, to] : steps) {
        controller_->SetZoom(from);
        Screen().zoom = 0;
        controller_->ZoomCycle();
        EXPECT_EQ(controller_->CurrentZoom(), to);
        EXPECT_EQ(Screen().zoom, to); // re-applied also when unchanged
    }
}

TEST_F(Controller, InsertedObjectsGoToTheirLayer) {
    struct Case {
        const char* action;
        bool caseDown;
        int entry;
        bool help;
        const char* expected; // empty: nothing inserted
    } const cases[] = {
        {"LCDObjText_Action", false, 0, false, "insert 7 1/1 0"},
        {"LCDObjText_Action", true, 2, false, "insert 7 5/1 0"},
        {"LCDObjLine_Action", true, -1, true, "insert 3 3/2 128"},
        {"LCDObjEnum_Action", true, 2, false, "insert 11 1/1 0"},
        {"LCDObjOnKey_Action", true, 4, false, "insert 13 7/1 0"},
        {"LCDObjCaseBMP_Action", false, 2, false, ""},
        {"LCDObjCaseBMP_Action", true, 2, false, "insert 19 5/5 0"},
    };
    for (const Case& c : cases) {
        controller_->SetCaseButton(c.caseDown);
        controller_->ChooseCaseEntry(c.entry);
        controller_->SetHelpButton(c.help);
        Screen().log.clear();
        EXPECT_EQ(controller_->InsertObject(c.action), *c.expected != '\0') << c.action;
        EXPECT_EQ(Screen().log,
                  *c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{})
            << c.action;
        EXPECT_EQ(controller_->ActionEnabled("LCDObjCaseBMP_Action"), c.caseDown);
    }
    form_.active = ChildKind::GeneralEditor;
    EXPECT_FALSE(controller_->InsertObject("LCDObjText_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("LCDObjText_Action"));
}

TEST_F(Controller, ClearAllClearsTheBitmapOnlyWhenItsLayerIsShown) {
    controller_->ClearAllObjects();
    EXPECT_EQ(Screen().log, (std::vector<std::string>{"delete visible", "clear bitmap"}));
    Screen().log.clear();
    Screen().layers = 0x2;
    controller_->ClearAllObjects();
    EXPECT_EQ(Screen().log, (std::vector<std::string>{"delete visible"}));
}

TEST_F(Controller, ActionsFollowTheActiveChildAndWhatIsOpen) {
    form_.active = ChildKind::None;
    controller_->ActiveChildChanged(cap::kCut | cap::kPaste, true);
    EXPECT_EQ(controller_->EditCaps(), 0u); // no child: no capabilities
    EXPECT_FALSE(controller_->ActionEnabled("EditCut_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("WindowCloseAll_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("SaveProject_Action"));
    EXPECT_TRUE(controller_->ActionEnabled("GenPRI_Action"));
    EXPECT_TRUE(controller_->ActionEnabled("Compile_Action"));

    form_.active = ChildKind::PrgEditor;
    controller_->ActiveChildChanged(0x478, false);
    EXPECT_TRUE(controller_->ActionEnabled("EditCut_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("EditPaste_Action")); // no text on the clipboard
    controller_->SetClipboardHasText(true);
    EXPECT_TRUE(controller_->ActionEnabled("EditPaste_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("OrigFormSize_Action"));
    EXPECT_TRUE(controller_->ActionEnabled("WindowCloseOthers_Action"));
    EXPECT_FALSE(controller_->ActionEnabled("ZoomChange_Action"));
    EXPECT_TRUE(controller_->HelpGoesToChild());

    WindowsCtx().fileCmds.Prg.Set("X.PRG", fcLoad);
    EXPECT_TRUE(controller_->ActionEnabled("SaveProject_Action"));
}

TEST_F(Controller, ActiveScreenSetsButtonsAndZoom) {
    Screen().layers = 0x80000011u;
    Screen().zoom = 4;
    controller_->SetPanel(1, "[1,2]");
    controller_->ActiveChildChanged(cap::kOrigSize, false);
    EXPECT_EQ(controller_->Panel(1), "");
    EXPECT_EQ(controller_->CurrentZoom(), 4);
    EXPECT_EQ(controller_->ChosenCaseEntry(), 1);
    EXPECT_TRUE(controller_->ActionEnabled("OrigFormSize_Action"));
    Screen().zoom = 3; // not a zoom of the buttons: kept as it was
    controller_->ActiveChildChanged(0, false);
    EXPECT_EQ(controller_->CurrentZoom(), 4);
}

TEST_F(Controller, StatusTexts) {
    controller_->ShowCursorPosition(12, -3);
    EXPECT_EQ(controller_->Panel(1), "[12,-3]");
    controller_->ShowObjectInfo(1, 2, 3, 4, std::string(70, 'd'));
    EXPECT_EQ(controller_->Panel(2), "[1,2,3,4] " + std::string(63, 'd'));

    form_.active = ChildKind::PrgEditor;
    EditorStatus editor;
    editor.caretLine = 9;
    editor.caretColumn = 0;
    editor.modified = true;
    controller_->RefreshStatus(&editor);
    EXPECT_EQ(controller_->Panel(1), "10: 1");
    EXPECT_EQ(controller_->Panel(2), Cz("Vkládání | Změněn"));
    editor.overwrite = true;
    editor.modified = false;
    editor.incrementalSearch = true;
    editor.searchText = "abc";
    controller_->RefreshStatus(&editor);
    EXPECT_EQ(controller_->Panel(2), Cz("Přepisování"));
    EXPECT_EQ(controller_->Panel(3), Cz("Hledá se: abc"));
    editor.readOnly = true;
    controller_->RefreshStatus(&editor);
    EXPECT_EQ(controller_->Panel(2), Cz("Pouze ke čtení"));

    form_.active = ChildKind::Other;
    controller_->RefreshStatus(nullptr);
    EXPECT_EQ(controller_->Panel(1), "");
    EXPECT_EQ(controller_->Panel(2), "");
}

TEST_F(Controller, GenerationNeedsASavedProject) {
    controller_->GeneratePri(); // no project: nothing at all
    EXPECT_TRUE(User().shown.empty());
    NewProject();
    controller_->GeneratePri();
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, Cz("Projekt je třeba nejdříve uložit"));
    EXPECT_EQ(User().shown[0].kind, MsgKind::Information);

    // An installed sample's place is not written either.
    std::filesystem::create_directories(TempDir() / "share/examples");
    EnvCtx().settings.dataDir = (TempDir() / "share").string() + "/";
    ASSERT_TRUE(store_.Save((TempDir() / "share/examples/GEN.LCD").string()));
    controller_->GeneratePri();
    ASSERT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(User().shown[1].text, Cz("Projekt je třeba nejdříve uložit"));
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "share/examples/GEN.PRI"));
    EnvCtx().settings.dataDir.clear();

    const std::string file = (TempDir() / "GEN.LCD").string();
    ASSERT_TRUE(store_.Save(file));
    form_.Take();
    controller_->GeneratePri();
    const std::string pri = (TempDir() / "GEN.PRI").string();
    EXPECT_TRUE(std::filesystem::exists(pri));
    EXPECT_TRUE(std::filesystem::exists(TempDir() / "GEN.T10"));
    EXPECT_EQ(form_.Take(), (std::vector<std::string>{"edit 11", "file Pri '" + pri + "' 1",
                                                      "file Saved '" + pri + "' 3"}));
}

TEST_F(Controller, EveryMenuAndToolbarEntryIsAnAction) {
    for (const auto& groups : {MainMenus(), SubMenus(), ToolBars()}) {
        for (const MainMenuDef& menu : groups) {
            for (std::string_view entry : menu.entries) {
                if (entry == "-")
                    continue;
                if (entry.front() == '>')
                    EXPECT_NE(FindSubMenu(entry.substr(1)), nullptr) << entry;
                else
                    EXPECT_NE(FindMainAction(entry), nullptr) << entry;
            }
        }
    }
    EXPECT_EQ(FindMainAction("EditorReplace_Action")->shortcut, "Ctrl+A");
    EXPECT_EQ(FindMainAction("EditorFindNext_Action")->shortcut, "Ctrl+L");
    EXPECT_EQ(FindMainAction("EditorIncFind_Action")->shortcut, "Ctrl+E");
    EXPECT_EQ(InsertActions().size(), 18u);
}

} // namespace
} // namespace panolcd::testing
