#pragma once
// What the main window's logic needs of the window system: the child windows it finds, creates
// and messages, the file dialogs and the toolbars. The Qt main window implements
// it; tests fake it.

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

// The kind of the active child window, as far as the main window tells kinds apart.
enum class ChildKind { None, Screen, PrgEditor, PriViewer, GeneralEditor, Other };

// A screen design window as the main window's layer, zoom and insertion commands use it.
class ScreenWindowOps {
public:
    virtual ~ScreenWindowOps() = default;
    virtual int Zoom() const = 0;
    virtual void SetZoom(int zoom) = 0;
    // Bit n set: layer n shown.
    virtual std::uint32_t VisibleLayers() const = 0;
    virtual void ShowLayer(int layer) = 0;
    virtual void HideLayer(int layer) = 0;
    virtual void HideLayers(std::uint32_t mask) = 0;
    // Bit 7: help-screen mode.
    virtual std::uint8_t Flags() const = 0;
    virtual void SetHelpMode(bool on) = 0;
    virtual void InsertObject(std::uint8_t layer, std::uint8_t homeLayer, std::uint8_t helpFlag,
                              std::uint8_t kind) = 0;
    // Deletes every object on the visible layers.
    virtual void DeleteVisibleObjects() = 0;
    virtual void ClearScreenBitmap() = 0;
    virtual void SelectedToBack() = 0;
};

// The main window is also the host of the record windows (transfer buffer, busy cursor).
class MainFormPort : public RecordWindowHost {
public:
    // Queued: runs once the current action and its dialogs have returned.
    virtual void PostProjectCmd(ProjectCmd command) = 0;
    // Synchronous: every window has acted when these return.
    virtual void BroadcastFileCmd(FileRecId record) = 0;
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

    virtual ChildKind ActiveChild() const = 0;
    // The active child when it is a screen design window.
    virtual ScreenWindowOps* ActiveScreen() = 0;
};

} // namespace panolcd
