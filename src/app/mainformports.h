#pragma once
// What the main window's logic needs of the window system: the child windows it finds, creates
// and messages, the file dialogs and the toolbars. The Qt main window implements
// it; tests fake it.

#include "build/compileresult.h"
#include "framework/windows/childwindow.h"
#include "framework/windows/commands.h"
#include "framework/windows/recordwindow.h"

#include <cstdint>
#include <optional>
#include <string>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

// The file dialogs the main window owns.
enum class FileDialogKind {
    ProjectOpen,         // "Otevření projektu": LCD, PRG, all
    ProjectSave,         // "Uložení projektu": LCD, PRG, LC$, PR$, all
    ProjectTemplateOpen, // "Nový projekt": templates, LC$, PR$, all
    EditorOpen,          // "Otevření souboru": PRG, PRI, TXT, PR$, LC$, INI, all
};

// Filter indexes of the project save dialog, 1-based as the dialog counts them.
namespace saveFilter {
inline constexpr int kLcd = 1;
inline constexpr int kPrg = 2;
inline constexpr int kLcdTemplate = 3;
inline constexpr int kPrgTemplate = 4;
inline constexpr int kAll = 5;
} // namespace saveFilter

struct FileChoice {
    std::string fileName; // Windows-1250
    int filterIndex = 1;  // the filter the user left the dialog with
};

// The main window is also the host of the record windows (transfer buffer, busy cursor).
class MainFormPort : public RecordWindowHost {
public:
    // Queued: runs once the current action and its dialogs have returned.
    virtual void PostProjectCmd(ProjectCmd command) = 0;
    // Synchronous: every window has acted when these return. The OR of the windows' replies
    // (kSaveNotDone for a file command).
    virtual std::uint32_t BroadcastFileCmd(FileRecId record) = 0;
    // The OR of the windows' replies (kCommitRefused for ecCommitEdits).
    virtual std::uint32_t BroadcastEditCmd(EditCmd command) = 0;

    // Nullopt when the user cancelled.
    virtual std::optional<FileChoice> AskFile(FileDialogKind dialog, const std::string& initialDir,
                                              const std::string& fileName, int filterIndex) = 0;

    virtual void SetLcdToolbarsVisible(bool visible) = 0;

    // Restores and raises the project root window; false when none is open.
    virtual bool RaiseRootWindow() = 0;
    virtual void CreateRootWindow(TDataBase& project, TDBRecordObj* rootRecord) = 0;
    // Closes the windows that show project records without asking (the project goes away).
    virtual void CloseProjectWindows() = 0;
    // Restores and raises the PRG editor; false when there is none.
    virtual bool RaisePrgEditor() = 0;
    // Whether a PRG editor window is open.
    virtual bool HasPrgEditor() const = 0;
    // Creates the PRG editor on the file of the PRG file record.
    virtual void CreatePrgEditor() = 0;

    // Brings the editor of the compiler's error forward (opening it when needed) and shows the
    // error there.
    virtual void ShowErrorLocation(const TCompileResult& result) = 0;

    virtual ChildKind ActiveChild() const = 0;
    // The active child when it is a screen design window.
    virtual ScreenWindowOps* ActiveScreen() = 0;
};

} // namespace panolcd
