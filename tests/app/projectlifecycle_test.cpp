// The project life cycle against a recording main window: start-up with and without PRJ, the
// mode transitions, saving unnamed, deleted and template projects, the close query and the
// file commands that keep the editors in step.

#include "app/projectlifecycle.h"

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

using Log = std::vector<std::string>;

class LifeCycle : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        EnvCtx().app.WorkDir = Path("");
        cycle_ = std::make_unique<ProjectLifeCycle>(form_, store_, Path("panolcd"));
    }
    void TearDown() override {
        cycle_.reset();
        CloseProjectColl();
        ContextTest::TearDown();
    }
    std::string Path(const std::string& name) const { return (TempDir() / name).string(); }
    // A saved project file of the given name.
    void MakeProject(const std::string& name) {
        NewProject();
        ASSERT_TRUE(store_.Save(Path(name)));
        CloseProjectColl();
        store_.saved.clear();
    }
    void Choose(const std::string& name, int filter = 1) {
        form_.answers.push_back(FileChoice{Path(name), filter});
    }

    FakeMainForm form_;
    TestStore store_;
    std::unique_ptr<ProjectLifeCycle> cycle_;
};

TEST_F(LifeCycle, StartUpReopensWhatPrjNames) {
    MakeProject("JOB.LCD");
    WriteFile("job.prg", "x");
    WriteFile("DAMAGED.LCD", "not a project");
    struct Case {
        std::string prj;
        WorkMode mode;
        std::string fileName; // of the project
        std::string program;
        std::string reopen; // what PRJ is written back as
    };
    const Case cases[] = {
        {"", WorkMode::Nothing, "", "", ""},
        {"JOB.LCD", WorkMode::LcdProject, "JOB.LCD", "job.prg", "JOB.LCD"},
        // The template's new content, or its program, stands in; the name is kept for a retry.
        {"MISSING.LCD", WorkMode::LcdProject, "", "", "MISSING.LCD"},
        {"MISSING.PRG", WorkMode::BareProgram, "", "Noname", "MISSING.PRG"},
        {"DAMAGED.LCD", WorkMode::Nothing, "", "", "DAMAGED.LCD"}, // said why
        {"NOTES.TXT", WorkMode::Nothing, "", "", ""},
    };
    for (const Case& c : cases) {
        CloseProjectColl();
        WindowsCtx().fileCmds = FileCmdRecs{};
        User().shown.clear();
        cycle_->RunProjectCmd(ProjectCmd::OpenLast, c.prj.empty() ? "" : Path(c.prj));
        EXPECT_EQ(cycle_->Mode(), c.mode) << c.prj;
        if (c.mode == WorkMode::LcdProject) {
            EXPECT_EQ(ProjectColl()->DBFileName, c.fileName.empty() ? "" : Path(c.fileName));
        }
        const std::string program = WindowsCtx().fileCmds.Prg.FileName;
        EXPECT_EQ(program, c.program.empty() || c.program == "Noname" ? c.program : Path(c.program))
            << c.prj;
        EXPECT_EQ(cycle_->ReopenName(), c.reopen.empty() ? "" : Path(c.reopen)) << c.prj;
        EXPECT_EQ(User().shown.size(), c.prj == "DAMAGED.LCD" ? 1u : 0u) << c.prj;
    }
}

TEST_F(LifeCycle, AKeptNameGivesWayToWhatTheUserOpensSavesOrCloses) {
    MakeProject("JOB.LCD");
    cycle_->RunProjectCmd(ProjectCmd::OpenLast, Path("MISSING.LCD"));
    Choose("SAVED.LCD");
    EXPECT_TRUE(cycle_->SaveProjectAsAction());
    EXPECT_EQ(cycle_->ReopenName(), Path("SAVED.LCD"));

    cycle_->RunProjectCmd(ProjectCmd::OpenLast, Path("MISSING.PRG"));
    User().answers = {MsgResult::No};
    EXPECT_TRUE(cycle_->CloseProjectAction());
    EXPECT_EQ(cycle_->ReopenName(), "");

    cycle_->RunProjectCmd(ProjectCmd::OpenLast, Path("MISSING.LCD"));
    User().answers = {MsgResult::No};
    Choose("JOB.LCD");
    cycle_->OpenProjectAction();
    cycle_->RunProjectCmd(ProjectCmd::OpenDialog);
    EXPECT_EQ(cycle_->ReopenName(), Path("JOB.LCD"));
}

TEST_F(LifeCycle, OpeningAProjectAnnouncesItsProgramAndIncludeFile) {
    MakeProject("JOB.LCD");
    cycle_->OpenLcdProject(Path("JOB.LCD"));
    EXPECT_EQ(form_.Take(), (Log{"file Prg '" + Path("JOB.PRG") + "' 1",
                                 "file Pri '" + Path("JOB.PRI") + "' 1", "create root"}));
    EXPECT_FALSE(ProjectColl()->IsModified());
    cycle_->OpenLcdProject("");
    EXPECT_EQ(form_.Take(), (Log{"raise root"}));
    // Opening another file while one is open first closes the old project's windows.
    cycle_->OpenLcdProject(Path("JOB.LCD"));
    EXPECT_EQ(form_.Take().front(), "close project windows");
}

TEST_F(LifeCycle, TheTemplateOpensAsAnUnnamedProjectFromNewAndFromTheOpenDialog) {
    MakeProject("panolcd.LC$");
    for (const bool fromOpenDialog : {false, true}) {
        CloseProjectColl();
        form_.Take();
        if (fromOpenDialog) {
            Choose("panolcd.LC$");
            cycle_->RunProjectCmd(ProjectCmd::OpenDialog);
        } else {
            cycle_->RunProjectCmd(ProjectCmd::NewLcd);
        }
        ASSERT_NE(ProjectColl(), nullptr);
        EXPECT_EQ(ProjectColl()->DBFileName, "");
        EXPECT_EQ(WindowsCtx().fileCmds.Prg.FileName, "Noname");
        EXPECT_EQ(WindowsCtx().fileCmds.Prg.Command, fcRenameNoname);
        EXPECT_EQ(WindowsCtx().fileCmds.Pri.Command, fcCloseIfUnnamed);
    }
}

TEST_F(LifeCycle, ModeTransitions) {
    MakeProject("JOB.LCD");
    WriteFile("PROG.PRG", "x");
    EXPECT_EQ(cycle_->Mode(), WorkMode::Nothing);

    Choose("JOB.LCD");
    cycle_->OpenProjectAction();
    EXPECT_EQ(form_.Take(), (Log{"file Prg '' 6", "file Ed '' 6", "file Pri '' 10",
                                 "file Prg '' 10", "file Ed '' 10", "post 3"}));
    cycle_->RunProjectCmd(ProjectCmd::OpenDialog);
    EXPECT_EQ(cycle_->Mode(), WorkMode::LcdProject);

    User().answers = {MsgResult::No};
    Choose("PROG.PRG");
    cycle_->OpenProjectAction();
    cycle_->RunProjectCmd(ProjectCmd::OpenDialog);
    EXPECT_EQ(cycle_->Mode(), WorkMode::BareProgram);
    EXPECT_EQ(cycle_->ReopenName(), Path("PROG.PRG"));

    EXPECT_TRUE(cycle_->CloseProjectAction());
    EXPECT_EQ(cycle_->Mode(), WorkMode::Nothing);

    // New project with a PRG template chosen.
    Choose("other.pr$");
    cycle_->NewProjectAction();
    EXPECT_EQ(cycle_->PrgTemplateName, Path("other.pr$"));
    EXPECT_EQ(form_.log.back(), "post 2");
    cycle_->RunProjectCmd(ProjectCmd::NewPrg);
    EXPECT_EQ(cycle_->Mode(), WorkMode::BareProgram);
    EXPECT_EQ(WindowsCtx().fileCmds.Prg.FileName, "Noname");
}

TEST_F(LifeCycle, CloseQueryAlwaysAsksAndAFailedSaveKeepsTheProject) {
    MakeProject("JOB.LCD");
    cycle_->OpenLcdProject(Path("JOB.LCD"));
    form_.Take();

    User().answers = {MsgResult::Yes};
    store_.failSave = true;
    EXPECT_FALSE(cycle_->CloseProjectAction());
    ASSERT_NE(ProjectColl(), nullptr);
    EXPECT_EQ(User().shown.back().text, Cz("Uložit projekt"));
    EXPECT_EQ(form_.Take(),
              (Log{"file Prg '" + Path("JOB.PRG") + "' 6", "file Ed '' 6", "edit 11"}));

    // Leaving the program asks too: No lets it end, a save that fails keeps it open.
    User().answers = {MsgResult::Yes};
    EXPECT_FALSE(cycle_->QueryExit());
    User().answers = {MsgResult::No};
    EXPECT_TRUE(cycle_->QueryExit());
    EXPECT_EQ(User().shown.size(), 3u);
    ASSERT_NE(ProjectColl(), nullptr);
    form_.Take();

    // An editor whose own save did not happen keeps the project open, and nothing more is asked.
    form_.fileReply = kSaveNotDone;
    EXPECT_FALSE(cycle_->CloseProjectAction());
    EXPECT_FALSE(cycle_->QueryExit());
    EXPECT_EQ(User().shown.size(), 3u);
    EXPECT_EQ(form_.Take(), (Log{"file Prg '" + Path("JOB.PRG") + "' 6",
                                 "file Prg '" + Path("JOB.PRG") + "' 6"}));
    form_.fileReply = 0;

    // Asked again right after a save; Yes saves in place, then the project closes.
    store_.failSave = false;
    User().answers = {MsgResult::Yes};
    EXPECT_TRUE(cycle_->CloseProjectAction());
    EXPECT_EQ(ProjectColl(), nullptr);
    EXPECT_EQ(store_.saved, (Log{Path("JOB.LCD")}));
    EXPECT_EQ(form_.Take(),
              (Log{"file Prg '" + Path("JOB.PRG") + "' 6", "file Ed '' 6", "edit 11",
                   "file Prg '" + Path("JOB.PRG") + "' 4", "file Ed '' 4", "edit 12",
                   "close project windows", "file Pri '' 10", "file Prg '' 10", "file Ed '' 10"}));
    EXPECT_EQ(User().shown.size(), 4u);
}

TEST_F(LifeCycle, SavingUnnamedDeletedAndTemplateProjects) {
    cycle_->RunProjectCmd(ProjectCmd::NewLcd); // no template on disk: new content
    ASSERT_NE(ProjectColl(), nullptr);
    form_.Take();

    // Unnamed: asked in the working directory; a template name writes the program as .PR$.
    Choose("MINE.LC$", 3);
    EXPECT_TRUE(cycle_->SaveProjectAction());
    Log log = form_.Take();
    EXPECT_EQ(log.front(), "ask 1 '" + Path("") + "' '' 1");
    EXPECT_NE(std::find(log.begin(), log.end(), "file Prg '" + Path("MINE.PR$") + "' 5"),
              log.end());
    EXPECT_TRUE(std::filesystem::exists(Path("MINE.LC$")));
    EXPECT_EQ(ProjectColl()->DBFileName, Path("MINE.LC$"));

    // Deleted from disk: asked with its old directory and name; a cancel saves nothing.
    std::filesystem::remove(Path("MINE.LC$"));
    EXPECT_FALSE(cycle_->SaveProjectAction());
    EXPECT_EQ(form_.Take().front(), "ask 1 '" + Path("") + "' 'MINE.LC$' 1");

    // A failed write keeps the old name and the modified flag.
    store_.failSave = true;
    ProjectColl()->DBModified = true;
    Choose("OTHER.LCD");
    EXPECT_FALSE(cycle_->SaveProjectAsAction());
    EXPECT_EQ(ProjectColl()->DBFileName, Path("MINE.LC$"));
    EXPECT_TRUE(ProjectColl()->IsModified());
}

TEST_F(LifeCycle, TheInstalledSampleIsSavedElsewhere) {
    std::filesystem::create_directories(TempDir() / "share/examples");
    MakeProject("share/examples/DEMO.LCD");
    const std::string installed = ReadFile(Path("share/examples/DEMO.LCD"));
    EnvCtx().settings.dataDir = Path("share") + "/";
    cycle_->OpenLcdProject(Path("share/examples/DEMO.LCD"));
    form_.Take();

    // Save and the close question's yes ask for a place, starting in the work folder.
    EXPECT_FALSE(cycle_->SaveProjectAction());
    EXPECT_EQ(form_.Take().front(), "ask 1 '" + Path("") + "' 'DEMO.LCD' 1");
    User().answers = {MsgResult::Yes};
    cycle_->QueryExit();
    EXPECT_NE(form_.Take().back().find("ask 1 "), std::string::npos);
    EXPECT_TRUE(store_.saved.empty());

    Choose("MINE.LCD");
    EXPECT_TRUE(cycle_->SaveProjectAction());
    EXPECT_EQ(store_.saved, (Log{Path("MINE.LCD")}));
    EXPECT_EQ(ProjectColl()->DBFileName, Path("MINE.LCD"));
    EXPECT_EQ(ReadFile(Path("share/examples/DEMO.LCD")), installed);
}

TEST_F(LifeCycle, ARefusedCommitStopsTheSave) {
    MakeProject("JOB.LCD");
    const std::string before = ReadFile(Path("JOB.LCD"));
    cycle_->OpenLcdProject(Path("JOB.LCD"));
    ProjectColl()->DBModified = true;
    form_.commitReply = kCommitRefused;
    form_.Take();
    EXPECT_FALSE(cycle_->SaveProjectAction());
    Choose("NEW.LCD");
    EXPECT_FALSE(cycle_->SaveProjectAsAction());
    EXPECT_TRUE(store_.saved.empty());
    EXPECT_EQ(ProjectColl()->DBFileName, Path("JOB.LCD"));
    EXPECT_TRUE(ProjectColl()->IsModified());
    EXPECT_EQ(ReadFile(Path("JOB.LCD")), before);
    EXPECT_FALSE(std::filesystem::exists(Path("JOB.~CD")));
    EXPECT_FALSE(std::filesystem::exists(Path("NEW.LCD")));
    for (const std::string& line : form_.Take())
        EXPECT_NE(line, "edit 12") << "announced as saved";
}

TEST_F(LifeCycle, ABareProgramWithoutItsEditorIsNotReportedSaved) {
    WriteFile("PROG.PRG", "x");
    cycle_->OpenProgram(Path("PROG.PRG"));
    form_.prgEditor = false; // no editor window holds it
    form_.editorWindows = false;
    form_.Take();
    EXPECT_FALSE(cycle_->SaveProjectAction());
    Choose("COPY.PRG", 2);
    EXPECT_FALSE(cycle_->SaveProjectAsAction());
    ASSERT_EQ(User().shown.size(), 2u);
    EXPECT_EQ(User().shown[0].kind, MsgKind::Error);
    for (const std::string& line : form_.Take())
        EXPECT_EQ(line.rfind("file Prg", 0), std::string::npos) << line;
}

TEST_F(LifeCycle, ABareProgramIsNeverSavedIntoAProjectFile) {
    WriteFile("PROG.PRG", "x");
    cycle_->OpenProgram(Path("PROG.PRG"));
    form_.Take();
    Choose("COPY.LCD", 1);
    EXPECT_TRUE(cycle_->SaveProjectAsAction());
    EXPECT_EQ(form_.Take(), (Log{"ask 1 '" + Path("") + "' '' 2",
                                 "file Prg '" + Path("COPY.PRG") + "' 5", "file Ed '' 4"}));
    EXPECT_TRUE(store_.saved.empty());
}

TEST_F(LifeCycle, SaveAsAsksBeforeReplacingWhatTheDialogDidNotAskAbout) {
    struct Case {
        const char* typed; // the dialog asked about this name when it existed
        int filter;
        std::vector<MsgResult> answers;
        Log asked;         // files asked about
        const char* saved; // the file written; nullptr: nothing saved
    } const cases[] = {
        {"NEW1.prg",
         saveFilter::kLcd,
         {MsgResult::Yes, MsgResult::Yes},
         {"NEW1.LCD", "NEW1.PRG"},
         "NEW1.LCD"},
        {"NEW1.prg", saveFilter::kLcd, {MsgResult::No}, {"NEW1.LCD"}, nullptr},
        {"NEW1.prg",
         saveFilter::kLcd,
         {MsgResult::Yes, MsgResult::No},
         {"NEW1.LCD", "NEW1.PRG"},
         nullptr},
        {"NEW1.LCD", saveFilter::kLcd, {MsgResult::No}, {"NEW1.PRG"}, nullptr},
        {"NEW1",
         saveFilter::kAll,
         {MsgResult::Yes, MsgResult::Yes},
         {"NEW1.LCD", "NEW1.PRG"},
         "NEW1.LCD"},
        {"new1.lcd",
         saveFilter::kLcd,
         {MsgResult::Yes, MsgResult::Yes},
         {"NEW1.LCD", "NEW1.PRG"},
         "NEW1.LCD"}, // one file of a name, whatever the letter case it was typed in
        // The project's own file and program are not asked about again.
        {"JOB.LCD", saveFilter::kLcd, {}, {}, "JOB.LCD"},
        {"job.lcd", saveFilter::kLcd, {}, {}, "JOB.LCD"},
        {"FRESH.LCD", saveFilter::kLcd, {}, {}, "FRESH.LCD"},
    };
    for (const Case& c : cases) {
        CloseProjectColl();
        MakeProject("JOB.LCD");
        WriteFile("JOB.PRG", "own");
        WriteFile("NEW1.LCD", "old project");
        WriteFile("NEW1.PRG", "old program");
        std::filesystem::remove(Path("FRESH.LCD"));
        cycle_->OpenLcdProject(Path("JOB.LCD"));
        form_.Take();
        User().shown.clear();
        User().answers.assign(c.answers.begin(), c.answers.end());
        store_.saved.clear();
        Choose(c.typed, c.filter);
        EXPECT_EQ(cycle_->SaveProjectAsAction(), c.saved != nullptr) << c.typed;
        Log asked;
        for (const ShownMessage& shown : User().shown)
            asked.push_back(shown.text);
        Log expected;
        for (const std::string& file : c.asked)
            expected.push_back("Soubor " + Path(file) + Cz(" existuje. Přepsat?"));
        EXPECT_EQ(asked, expected) << c.typed;
        EXPECT_EQ(store_.saved, c.saved ? Log{Path(c.saved)} : Log{}) << c.typed;
        if (!c.saved) {
            EXPECT_EQ(ReadFile(Path("NEW1.LCD")), "old project");
            EXPECT_EQ(ProjectColl()->DBFileName, Path("JOB.LCD"));
            for (const std::string& line : form_.Take())
                EXPECT_EQ(line.find("' 5"), std::string::npos) << "program saved: " << line;
        }
    }

    // A bare program saved as another: the replaced program is asked about.
    CloseProjectColl();
    WriteFile("PROG.PRG", "x");
    cycle_->OpenProgram(Path("PROG.PRG"));
    User().shown.clear();
    User().answers = {MsgResult::No};
    Choose("NEW1.lcd", saveFilter::kPrg);
    EXPECT_FALSE(cycle_->SaveProjectAsAction());
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Soubor " + Path("NEW1.PRG") + Cz(" existuje. Přepsat?"));
}

TEST_F(LifeCycle, SaveNameFollowsTheChosenFilter) {
    struct Case {
        const char* name;
        int filter;
        bool project;
        const char* expected;
    } const cases[] = {
        {"a", saveFilter::kLcd, true, "a.LCD"},
        {"a.lcd", saveFilter::kLcd, true, "a.lcd"},
        {"a.prg", saveFilter::kPrg, true, "a.LCD"},
        {"a.lcd", saveFilter::kLcd, false, "a.PRG"},
        {"a.LC$", saveFilter::kAll, false, "a.PR$"},
        {"a", saveFilter::kPrgTemplate, false, "a.PR$"},
        {"a.txt", saveFilter::kAll, false, "a.txt"},
        {"a", saveFilter::kAll, true, "a.LCD"},
        {"a.v1", saveFilter::kLcd, true, "a.v1.LCD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SaveNameFor(FileChoice{c.name, c.filter}, c.project), c.expected) << c.name;
}

TEST_F(LifeCycle, LongFileNamesAreRefusedNotCut) {
    const std::string longName = Path(std::string(260, 'x') + ".LCD");
    cycle_->RunProjectCmd(ProjectCmd::OpenLast, longName);
    EXPECT_EQ(cycle_->Mode(), WorkMode::Nothing);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].kind, MsgKind::Error);
}

} // namespace
} // namespace panolcd::testing
