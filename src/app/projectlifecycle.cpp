#include "app/projectlifecycle.h"

#include "app/projectstore.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/conversions.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/programfiles.h"
#include "framework/records/database.h"
#include "framework/windows/windowscontext.h"
#include "project/projectmodel.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace panolcd {
namespace {

constexpr char kLcdExt[] = ".LCD";
constexpr char kPrgExt[] = ".PRG";
constexpr char kPriExt[] = ".PRI";
constexpr char kLcdTemplateExt[] = ".LC$";
constexpr char kPrgTemplateExt[] = ".PR$";

bool HasExt(const std::string& name, const char* ext) {
    return SameTextAscii(ExtractFileExt(name), ext);
}

// The program saved with a project: beside it, a template's as a template.
std::string ProgramNameFor(const std::string& project) {
    return ChangeFileExt(project, HasExt(project, kLcdTemplateExt) ? kPrgTemplateExt : kPrgExt);
}

bool FileExists(const std::string& name) {
    std::error_code ec;
    return std::filesystem::exists(ToFsPath(name), ec);
}

TFileCmdRec& Rec(FileRecId record) {
    return WindowsCtx().fileCmds.Of(record);
}

} // namespace

bool AcceptFileName(const std::string& name) {
    if (name.size() <= TFileCmdRec::kNameCap)
        return true;
    MsgBox("", LongFileNameText(name), mb::kIconError | mb::kOk);
    return false;
}

std::string SaveNameFor(const FileChoice& choice, bool project) {
    const std::string& name = choice.fileName;
    const std::string ext = ExtractFileExt(name);
    // What the chosen filter writes; "all files" keeps what was typed.
    std::string wanted;
    bool templateFilter = false;
    switch (choice.filterIndex) {
    case saveFilter::kLcd:
    case saveFilter::kPrg:
        wanted = project ? kLcdExt : kPrgExt;
        break;
    case saveFilter::kLcdTemplate:
    case saveFilter::kPrgTemplate:
        templateFilter = true;
        wanted = project ? kLcdTemplateExt : kPrgTemplateExt;
        break;
    default:
        if (ext.empty())
            return name + (project ? kLcdExt : kPrgExt);
        break;
    }
    const bool isTemplateExt = HasExt(name, kLcdTemplateExt) || HasExt(name, kPrgTemplateExt);
    const bool isKnownExt = isTemplateExt || HasExt(name, kLcdExt) || HasExt(name, kPrgExt);
    if (wanted.empty()) {
        // "All files": only a project or program extension of the wrong kind is changed.
        if (!isKnownExt)
            return name;
        templateFilter = isTemplateExt;
        wanted = project ? (templateFilter ? kLcdTemplateExt : kLcdExt)
                         : (templateFilter ? kPrgTemplateExt : kPrgExt);
    }
    if (SameTextAscii(ext, wanted))
        return name;
    if (ext.empty() || isKnownExt)
        return ChangeFileExt(name, wanted);
    return name + wanted;
}

ProjectLifeCycle::ProjectLifeCycle(MainFormPort& port, ProjectStore& store,
                                   const std::string& programFile)
    : LcdTemplateName(ChangeFileExt(programFile, kLcdTemplateExt)),
      PrgTemplateName(ChangeFileExt(programFile, kPrgTemplateExt)), port_(port), store_(store),
      programDir_(ExtractFilePath(programFile)) {}

WorkMode ProjectLifeCycle::Mode() const {
    if (ProjectColl() != nullptr)
        return WorkMode::LcdProject;
    return Rec(FileRecId::Prg).FileName.empty() ? WorkMode::Nothing : WorkMode::BareProgram;
}

std::string ProjectLifeCycle::ReopenName() const {
    std::string name;
    if (const TDataBase* project = ProjectColl())
        name = project->DBFileName;
    else if (!SameTextAscii(Rec(FileRecId::Prg).FileName, kNonameFile))
        name = Rec(FileRecId::Prg).FileName;
    return name.empty() ? unopened_ : name;
}

std::uint32_t ProjectLifeCycle::Announce(FileRecId record, const std::string& name,
                                         std::uint8_t command) {
    Rec(record).Set(name, command);
    return port_.BroadcastFileCmd(record);
}

std::uint32_t ProjectLifeCycle::AnnounceCommand(FileRecId record, std::uint8_t command) {
    Rec(record).Command = command;
    return port_.BroadcastFileCmd(record);
}

// New project: close, choose a template, then open it once this action has returned.
void ProjectLifeCycle::NewProjectAction() {
    if (!CloseProjectAction())
        return;
    const auto choice = port_.AskFile(FileDialogKind::ProjectTemplateOpen, programDir_, "", 1);
    if (!choice || !AcceptFileName(choice->fileName))
        return;
    if (HasExt(choice->fileName, kPrgTemplateExt)) {
        PrgTemplateName = choice->fileName;
        port_.PostProjectCmd(ProjectCmd::NewPrg);
        return;
    }
    if (HasExt(choice->fileName, kLcdTemplateExt))
        LcdTemplateName = choice->fileName;
    port_.PostProjectCmd(ProjectCmd::NewLcd);
}

void ProjectLifeCycle::OpenProjectAction() {
    if (CloseProjectAction())
        port_.PostProjectCmd(ProjectCmd::OpenDialog);
}

bool ProjectLifeCycle::QuerySave() {
    // An editor whose save did not happen stops the rest: nothing more is asked.
    if ((AnnounceCommand(FileRecId::Prg, fcAskSave) & kSaveNotDone) != 0 ||
        (AnnounceCommand(FileRecId::Ed, fcAskSave) & kSaveNotDone) != 0)
        return false;
    if (ProjectColl() == nullptr)
        return true;
    // Asked whenever a project is open, changed or not.
    if (MsgBox("", Utf8ToCp1250("Uložit projekt"), mb::kIconQuestion | mb::kYesNo) !=
        MsgResult::Yes)
        return true;
    return SaveProjectAction();
}

void ProjectLifeCycle::DiscardProject() {
    if (ProjectColl() == nullptr)
        return;
    // Windows showing its records must not outlive it.
    port_.CloseProjectWindows();
    CloseProject();
}

bool ProjectLifeCycle::CloseProjectAction() {
    if (!QuerySave())
        return false;
    DiscardProject();
    Announce(FileRecId::Pri, "", fcCloseNoAsk);
    Announce(FileRecId::Prg, "", fcCloseNoAsk);
    Announce(FileRecId::Ed, "", fcCloseNoAsk);
    unopened_.clear();
    return true;
}

bool ProjectLifeCycle::QueryExit() {
    return QuerySave();
}

void ProjectLifeCycle::RunProjectCmd(ProjectCmd command, const std::string& lastProject) {
    switch (command) {
    case ProjectCmd::ShowProject:
        if (ProjectColl() != nullptr)
            OpenLcdProject("");
        else
            OpenProgram("");
        return;
    case ProjectCmd::NewLcd:
        OpenLcdTemplate();
        return;
    case ProjectCmd::NewPrg:
        OpenPrgTemplate();
        return;
    case ProjectCmd::OpenDialog: {
        const auto choice =
            port_.AskFile(FileDialogKind::ProjectOpen, EnvCtx().app.WorkDir, "", saveFilter::kLcd);
        if (choice && AcceptFileName(choice->fileName))
            OpenFromDialogChoice(choice->fileName);
        return;
    }
    case ProjectCmd::OpenLast:
        unopened_.clear();
        if (!AcceptFileName(lastProject))
            return;
        if (HasExt(lastProject, kLcdExt)) {
            port_.SetLcdToolbarsVisible(true);
            OpenLcdProject(FileExistsAnyCase(lastProject) ? ExistingSpelling(lastProject)
                                                          : LcdTemplateName);
        } else {
            DiscardProject();
            if (HasExt(lastProject, kPrgExt)) {
                port_.SetLcdToolbarsVisible(false);
                OpenProgram(FileExistsAnyCase(lastProject) ? ExistingSpelling(lastProject)
                                                           : PrgTemplateName);
            }
        }
        // A missing or damaged file is named again at exit, so that it can be retried.
        if (ReopenName().empty() && (HasExt(lastProject, kLcdExt) || HasExt(lastProject, kPrgExt)))
            unopened_ = lastProject;
        return;
    }
}

// A template chosen in the open dialog starts a new project from it, as New project does.
void ProjectLifeCycle::OpenFromDialogChoice(const std::string& fileName) {
    if (HasExt(fileName, kLcdExt)) {
        port_.SetLcdToolbarsVisible(true);
        OpenLcdProject(fileName);
        return;
    }
    if (HasExt(fileName, kLcdTemplateExt)) {
        LcdTemplateName = fileName;
        OpenLcdTemplate();
        return;
    }
    DiscardProject();
    if (HasExt(fileName, kPrgTemplateExt)) {
        PrgTemplateName = fileName;
        OpenPrgTemplate();
        return;
    }
    if (HasExt(fileName, kPrgExt)) {
        port_.SetLcdToolbarsVisible(false);
        OpenProgram(fileName);
    }
}

void ProjectLifeCycle::OpenLcdTemplate() {
    port_.SetLcdToolbarsVisible(true);
    const std::string prgTemplate = ChangeFileExt(LcdTemplateName, kPrgTemplateExt);
    if (FileExistsAnyCase(prgTemplate))
        PrgTemplateName = ExistingSpelling(prgTemplate);
    OpenLcdProject(ExistingSpelling(LcdTemplateName));
    if (FileExistsAnyCase(PrgTemplateName))
        OpenProgram(ExistingSpelling(PrgTemplateName));
}

void ProjectLifeCycle::OpenPrgTemplate() {
    port_.SetLcdToolbarsVisible(false);
    OpenProgram(ExistingSpelling(PrgTemplateName));
}

void ProjectLifeCycle::OpenLcdProject(const std::string& name) {
    if (!name.empty()) {
        // The actions close the project before they open another; should one still be open,
        // its windows must not outlive it.
        DiscardProject();
        if (!FileExistsAnyCase(name)) {
            // A missing file (the template included) starts the content of a new project.
            NewProject();
            if (TDataBase* project = ProjectColl())
                project->ClearModified();
        } else if (const std::string file = ExistingSpelling(name); store_.Load(file)) {
            TDataBase* project = ProjectColl();
            if (!SameTextAscii(file, LcdTemplateName)) {
                if (project != nullptr)
                    project->DBFileName = file;
                Announce(FileRecId::Prg, ExistingSpelling(ChangeFileExt(file, kPrgExt)), fcLoad);
                Announce(FileRecId::Pri, ExistingSpelling(ChangeFileExt(file, kPriExt)), fcLoad);
            } else {
                if (project != nullptr)
                    project->DBFileName.clear();
                Announce(FileRecId::Prg, kNonameFile, fcRenameNoname);
                Announce(FileRecId::Pri, "", fcCloseIfUnnamed);
            }
            if (project != nullptr)
                project->ClearModified();
        }
    }
    ShowRootWindow();
}

void ProjectLifeCycle::ShowRootWindow() {
    const BusyCursorGuard busy(&port_);
    if (port_.RaiseRootWindow())
        return;
    TDataBase* project = ProjectColl();
    if (project == nullptr)
        return; // nothing to show: the load failed and said why
    port_.CreateRootWindow(*project, RootRecord(project));
}

void ProjectLifeCycle::OpenProgram(const std::string& name) {
    const BusyCursorGuard busy(&port_);
    TFileCmdRec& prg = Rec(FileRecId::Prg);
    if (!name.empty())
        prg.Set(name, fcLoad);
    else
        prg.Command = fcCloseIfUnnamed;
    if (port_.RaisePrgEditor()) {
        if (!name.empty())
            port_.BroadcastFileCmd(FileRecId::Prg);
    } else if (!prg.FileName.empty()) {
        port_.CreatePrgEditor();
    }
    if (!name.empty() && SameTextAscii(name, PrgTemplateName))
        Announce(FileRecId::Prg, kNonameFile, fcRenameNoname);
}

bool ProjectLifeCycle::ProgramEditorReady() {
    if (port_.HasPrgEditor())
        return true;
    // Only the program's editor writes a bare program; without one nothing would be saved.
    MsgBox("", Utf8ToCp1250("Program nelze uložit: není otevřen v editoru programu."),
           mb::kIconError | mb::kOk);
    return false;
}

bool ProjectLifeCycle::CommitPendingEdits() {
    return (port_.BroadcastEditCmd(ecCommitEdits) & kCommitRefused) == 0;
}

bool ProjectLifeCycle::SaveInPlace() {
    if (TDataBase* project = ProjectColl()) {
        if (!CommitPendingEdits() || !store_.Save(project->DBFileName))
            return false;
        AnnounceCommand(FileRecId::Prg, fcSave);
        AnnounceCommand(FileRecId::Ed, fcSave);
        if (TDataBase* saved = ProjectColl())
            saved->ClearModified();
        port_.BroadcastEditCmd(ecAfterSave);
        return true;
    }
    if (!ProgramEditorReady())
        return false;
    AnnounceCommand(FileRecId::Prg, fcSave);
    AnnounceCommand(FileRecId::Ed, fcSave);
    return true;
}

bool ProjectLifeCycle::SaveAs(const std::string& name) {
    if (!AcceptFileName(name))
        return false;
    OpenProgram("");
    TDataBase* project = ProjectColl();
    if (project == nullptr) {
        if (!ProgramEditorReady())
            return false;
        Announce(FileRecId::Prg, name, fcSaveAs);
        AnnounceCommand(FileRecId::Ed, fcSave);
        return true;
    }
    if (!CommitPendingEdits() || !store_.Save(name))
        return false;
    if (TDataBase* saved = ProjectColl())
        saved->DBFileName = name;
    Announce(FileRecId::Prg, ExistingSpelling(ProgramNameFor(name)), fcSaveAs);
    AnnounceCommand(FileRecId::Ed, fcSave);
    if (TDataBase* saved = ProjectColl())
        saved->ClearModified();
    port_.BroadcastEditCmd(ecAfterSave);
    return true;
}

bool ProjectLifeCycle::MayReplace(const FileChoice& choice, const std::string& name) {
    std::vector<std::pair<std::string, std::string>> replaced; // {file, what it is now}
    // The dialog asked about the name as chosen when it existed.
    if (name != choice.fileName || !FileExists(name)) {
        const TDataBase* project = ProjectColl();
        replaced.emplace_back(name, project != nullptr ? project->DBFileName
                                                       : Rec(FileRecId::Prg).FileName);
    }
    if (ProjectColl() != nullptr)
        replaced.emplace_back(ProgramNameFor(name), Rec(FileRecId::Prg).FileName);
    for (const auto& [file, own] : replaced) {
        if (!FileExistsAnyCase(file) || ExistingSpelling(file) == ExistingSpelling(own))
            continue;
        if (MsgBox("",
                   "Soubor " + FileNameText(ExistingSpelling(file)) +
                       Utf8ToCp1250(" existuje. Přepsat?"),
                   mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
            return false;
    }
    return true;
}

bool ProjectLifeCycle::AskSaveName(const std::string& initialDir, const std::string& fileName) {
    const bool project = ProjectColl() != nullptr;
    const auto choice = port_.AskFile(FileDialogKind::ProjectSave, initialDir, fileName,
                                      project ? saveFilter::kLcd : saveFilter::kPrg);
    if (!choice)
        return false;
    const std::string name = SaveNameFor(*choice, project);
    // One file of a name: a spelling in other letters replaces the file that is there.
    return MayReplace(*choice, name) && SaveAs(ExistingSpelling(name));
}

bool ProjectLifeCycle::SaveProjectAction() {
    if (const TDataBase* project = ProjectColl()) {
        const std::string name = project->DBFileName;
        if (name.empty())
            return AskSaveName(EnvCtx().app.WorkDir, "");
        // The installed sample is the program's, not the user's: it is saved elsewhere.
        if (IsInstalledFile(EnvCtx().settings, name))
            return AskSaveName(EnvCtx().app.WorkDir, ExtractFileName(name));
        if (FileExistsAnyCase(name))
            return SaveInPlace();
        // The file was deleted meanwhile: propose its old place.
        return AskSaveName(ExtractFilePath(name), ExtractFileName(name));
    }
    const std::string program = Rec(FileRecId::Prg).FileName;
    if (program.empty() || SameTextAscii(program, kNonameFile))
        return AskSaveName(EnvCtx().app.WorkDir, "");
    if (FileExistsAnyCase(program))
        return SaveInPlace();
    return AskSaveName(ExtractFilePath(program), ExtractFileName(program));
}

bool ProjectLifeCycle::SaveProjectAsAction() {
    return AskSaveName(EnvCtx().app.WorkDir, "");
}

} // namespace panolcd
