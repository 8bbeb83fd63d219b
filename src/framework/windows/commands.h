#pragma once
// The commands the main window and its child windows exchange: edit commands, the capability
// bits a child declares, deferred project commands and the file command records.

#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

// kWmEditCmd WParam.
enum EditCmd : std::uint32_t {
    ecCut = 3,
    ecCopy = 4,
    ecPaste = 5,
    ecDelete = 6,
    ecHelp = 10,
    ecCommitEdits = 11,     // broadcast: take pending edits into the records
    ecAfterSave = 12,       // broadcast: the project was written
    ecBankFileWritten = 20, // broadcast: a bank's file was written anew; who shows it redraws
    ecOrigSize = 30,
};

// The reply of a window to ecCommitEdits whose pending edits were refused (the user was told
// why). Replies of a broadcast are OR-ed, so one refusing window stops the save or generation.
inline constexpr std::uint32_t kCommitRefused = 1;
// The reply of an editor window to a file command whose save the user asked for did not happen
// (cancelled or failed): what was to follow, such as closing, stops.
inline constexpr std::uint32_t kSaveNotDone = 2;

// The capability word a child writes when asked (kWmQueryEditCaps).
namespace cap {
inline constexpr std::uint32_t kCut = 0x08;
inline constexpr std::uint32_t kCopy = 0x10;
inline constexpr std::uint32_t kPaste = 0x20;
inline constexpr std::uint32_t kDelete = 0x40;
inline constexpr std::uint32_t kHelp = 0x400;
inline constexpr std::uint32_t kOrigSize = 0x40000000;
} // namespace cap

// kWmProjectCmd WParam: what the main window does once the posting action has returned.
enum class ProjectCmd : std::uint32_t {
    ShowProject = 0,
    NewLcd = 1,
    NewPrg = 2,
    OpenDialog = 3,
    OpenLast = 4,
};

// The command byte of a file command record.
enum FileCmd : std::uint8_t {
    fcCloseIfUnnamed = 0,
    fcLoad = 1,
    fcAskSaveLoad = 2,
    fcReload = 3,
    fcSave = 4,
    fcSaveAs = 5,
    fcAskSave = 6,
    fcSaveClose = 7,
    fcSaveAsClose = 8,
    fcClose = 9,
    fcCloseNoAsk = 10,
    fcRenameNoname = 11,
    fcClearErrMark = 12,
};

// A file name and a command for the editor windows.
struct TFileCmdRec {
    static constexpr std::size_t kNameCap = 254;

    std::string FileName; // Windows-1250, at most kNameCap characters
    std::uint8_t Command = fcCloseIfUnnamed;

    // The name is cut to kNameCap; callers refuse longer names before they get here.
    void Set(std::string_view name, std::uint8_t command);
};

// Which record a kWmFileCmd broadcast announces (its LParam).
enum class FileRecId : std::uint32_t {
    Prg = 1,   // the PRG editor: the program of the project or the bare program
    Pri = 2,   // the PRI viewer: the generated include file
    Ed = 3,    // every general editor
    Saved = 4, // every editor: the file just saved or generated
    // Every general editor: the shared settings changed (no file record; the settings entry
    // holds them).
    EdSettings = 5,
};

struct FileCmdRecs {
    TFileCmdRec Prg;
    TFileCmdRec Pri;
    TFileCmdRec Ed;
    TFileCmdRec Saved;

    TFileCmdRec& Of(FileRecId id);
};

// The name of a program made from a template, until Save as names it.
inline constexpr char kNonameFile[] = "Noname";

} // namespace panolcd
