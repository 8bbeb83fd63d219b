#pragma once
// The project life cycle of the main window: new, open, save, save as and close of LCD projects
// and bare programs, the deferred project commands, and the file command records that keep the
// editor windows in step. Widget-free: the window side is a MainFormPort.

#include "app/mainformports.h"

#include <string>

namespace panolcd {

class ProjectStore;

// What is open, as the toolbars show it.
enum class WorkMode {
    Nothing,     // no project, no program
    LcdProject,  // a project, with its program
    BareProgram, // a program alone
};

class ProjectLifeCycle {
public:
    // `programFile` is one of the program's own files: the templates (.LC$, .PR$) are beside it.
    ProjectLifeCycle(MainFormPort& port, ProjectStore& store, const std::string& programFile);

    // The actions of the "Soubory" menu.
    void NewProjectAction();
    void OpenProjectAction();
    // False when the user's save failed or was cancelled: the project stays open.
    bool CloseProjectAction();
    // False when nothing was saved (cancelled or failed).
    bool SaveProjectAction();
    bool SaveProjectAsAction();
    // The main window's close query: asks about saving. False when a save asked for did not
    // happen (cancelled or failed): the program stays open.
    bool QueryExit();

    // A deferred command, run when the action that posted it has returned. `lastProject` is the
    // PRJ setting (for OpenLast).
    void RunProjectCmd(ProjectCmd command, const std::string& lastProject = {});

    void OpenLcdProject(const std::string& name);
    void OpenProgram(const std::string& name);
    // False when writing failed or was cancelled.
    bool SaveInPlace();
    bool SaveAs(const std::string& name);

    WorkMode Mode() const;
    // What PRJ is written back as: the open project's file name, else the program's name; while
    // a stand-in for a missing or unreadable PRJ is open, the name PRJ held.
    std::string ReopenName() const;

    std::string LcdTemplateName;
    std::string PrgTemplateName;

private:
    // Asks about the editors' and the project's changes. False when the project's save was
    // asked for and did not succeed.
    bool QuerySave();
    void DiscardProject();
    // The OR of the windows' replies.
    std::uint32_t Announce(FileRecId record, const std::string& name, std::uint8_t command);
    std::uint32_t AnnounceCommand(FileRecId record, std::uint8_t command);
    // Asks before Save as replaces a file the save dialog did not ask about: the name adjusted
    // to the kind of work, and the program written beside a project. False on a No.
    bool MayReplace(const FileChoice& choice, const std::string& name);
    bool AskSaveName(const std::string& initialDir, const std::string& fileName);
    void OpenFromDialogChoice(const std::string& fileName);
    void OpenLcdTemplate();
    void OpenPrgTemplate();
    void ShowRootWindow();
    // Takes pending edits of the windows into the records; false when a window refused them.
    bool CommitPendingEdits();
    // True when the PRG editor is there to write a bare program; otherwise says why not.
    bool ProgramEditorReady();

    MainFormPort& port_;
    ProjectStore& store_;
    std::string programDir_;
    // The PRJ that named a missing or unreadable file, kept until the user closes what stands in.
    std::string unopened_;
};

// Refuses (with a message) a file name longer than the file command records hold.
bool AcceptFileName(const std::string& name);

// The name to save under for what the user chose in the save dialog: a project is never written
// into a program file nor a program into a project file; a name without extension takes the
// chosen filter's.
std::string SaveNameFor(const FileChoice& choice, bool project);

} // namespace panolcd
