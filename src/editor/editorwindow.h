#pragma once
// The editor windows without widgets: the PRG editor, the PRI viewer and the general editors.
// Each hosts a Vorn-Basic editor; this is what they do with it on the main window's file
// commands and their own actions: load, reload, save, save as (renaming the program's include),
// the questions before work could be lost, insert file, error location, line jump, line numbers,
// read-only and options. The Qt window supplies the port: caption, repaint, close, the file
// dialogs and the broadcasts.

#include "common/paths.h"
#include "editor/editcore.h"
#include "editor/vornbasic.h"
#include "framework/windows/commands.h"

#include <cstdint>
#include <optional>
#include <string>

namespace panolcd {

class TPanoEditNameObject;

enum class EditorWindowKind { Prg, Pri, General };

struct EditorWindowTraits {
    const char* captionPrefix;
    FileRecId record;
    const char* initialName;
    bool readOnly;
    int helpTopic;
    std::uint32_t editCaps;
};
const EditorWindowTraits& TraitsOf(EditorWindowKind kind);

class EditorWindowPort {
public:
    virtual ~EditorWindowPort() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // The editor changed from outside: caret into view, repaint.
    virtual void RefreshEditor() = 0;
    // Closes the window; its close query runs (see CanClose).
    virtual void CloseWindow() = 0;
    // The save dialog; nullopt when cancelled.
    virtual std::optional<std::string> AskSaveFileName(const std::string& initialDir,
                                                       const std::string& fileName) = 0;
    // The insert-file dialog; nullopt when cancelled.
    virtual std::optional<std::string> AskInsertFileName(const std::string& initialDir) = 0;
    // Through the main window to every window.
    virtual void Broadcast(FileRecId record) = 0;
};

class VornEditWindow {
public:
    // `settings` is the window's settings entry; without one the class defaults serve and
    // option changes are not stored.
    VornEditWindow(EditorWindowKind kind, SmartEditCore& editor, VornBasicSyntax& syntax,
                   EditorWindowPort& port, TPanoEditNameObject* settings);

    // Applies the settings, sets the viewer read-only and loads the initial name (an empty
    // text).
    void Start();

    EditorWindowKind Kind() const { return kind_; }
    const EditorWindowTraits& Traits() const { return TraitsOf(kind_); }
    std::uint32_t EditCaps() const { return Traits().editCaps; }
    const std::string& FileName() const { return editor_.FileName(); }
    bool IsNoname() const;

    // kWmEditCmd: cut, copy, paste, delete; the help topic for ecHelp (0 otherwise).
    int EditCommand(std::uint32_t command);
    // kWmFileCmd for the record of `record`.
    // kSaveNotDone when a save the command asked about did not happen, else 0.
    std::uint32_t FileCommand(FileRecId record);

    void LoadFile(const std::string& name);
    // General editor: an empty text under this name.
    void NewFile(const std::string& name);
    void ReloadOwnFile();
    // Only a modified text is written; false when writing failed. `fromMain`: Save of the main
    // window or of a file command, which asks for a name for "Noname".
    bool Save(bool fromMain);
    bool SaveAs(const std::string& name);
    bool SaveAsWithDialog();
    // False when the user wanted to save and it did not happen (failed or cancelled).
    bool AskToSave();
    // The window became active: when another program changed its file since the window read or
    // wrote it, the user chooses between the file and the window's text.
    void CheckFileOnDisk();
    // The close query: asks unless told not to; refuses only when a wanted save did not happen.
    bool CanClose();
    void CloseWithoutAsking();
    void InsertFile();

    // Compiler errors: line is 1-based (0 means the first), begin a column; begin < 0 or
    // end < begin removes the mark. Clamped to the text.
    void ShowErrorLocation(std::int32_t line, std::int32_t begin, std::int32_t end);
    void RemoveErrorMark();
    // The go-to-line dialog's maximum and start value, and the jump (1-based, clamped).
    std::int32_t LineJumpMaximum() const;
    std::int32_t LineJumpValue();
    void LineJump(std::int32_t line);

    bool LineNumbersShown() const { return editor_.lineNumbers != ShowLineNumbers::Hidden; }
    void ToggleLineNumbers();
    void ToggleReadOnly();
    // The options dialog's record; after it was confirmed, ApplyOptions stores it and, for a
    // general editor, hands it to every other general editor.
    TSmartEditorSettings Settings() const { return editor_.Settings(); }
    void ApplyOptions(const TSmartEditorSettings& settings);

    // Set before a close that must not ask.
    bool noQuery = false;

private:
    void SetCaptionTo(const std::string& name);
    // Saves under `name` (renaming the program's include) and tells the other windows; a
    // failure is reported. Its own file changed by another program is asked about first.
    bool WriteTo(const std::string& name, bool renameInclude);
    // The window's file was written by someone else (`cause` says who): reload or keep the
    // window's text as unsaved, as the user answers.
    void OfferReload(const FileStamp& now, const char* cause);
    void RememberFileOnDisk();
    void Announce(FileRecId record);
    std::string InitialDir() const;
    void ApplySettings(const TSmartEditorSettings& settings);

    EditorWindowKind kind_;
    SmartEditCore& editor_;
    VornBasicSyntax& syntax_;
    EditorWindowPort& port_;
    TPanoEditNameObject* settings_;
    ShowLineNumbers lineNumbersMode_ = ShowLineNumbers::Hidden;
    bool sending_ = false;
    // The file as this window last read or wrote it (none for "Noname"), and the version last
    // asked about, so that the question is not repeated on every activation.
    std::optional<FileStamp> diskStamp_;
    FileStamp askedStamp_;
};

} // namespace panolcd
