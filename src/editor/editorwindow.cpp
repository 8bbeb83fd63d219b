#include "editor/editorwindow.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "editor/editorsettings.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/programfiles.h"
#include "framework/exchange/safetycopy.h"
#include "framework/windows/windowscontext.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace panolcd {
namespace {

const EditorWindowTraits kTraits[] = {
    {"Projekt: ", FileRecId::Prg, "Noname", false, 16, 0x478},
    {"Obrazovky: ", FileRecId::Pri, "noname", true, 7, 0x410},
    {"Editor: ", FileRecId::Ed, "Noname", false, 17, 0x478},
};

// The file part without its extension, with ".PR": C:\A\OLD.PRG gives OLD.PR.
std::string IncludeStem(const std::string& fileName) {
    const std::string name = ExtractFileName(fileName);
    const std::string ext = ExtractFileExt(name);
    return name.substr(0, name.size() - ext.size()) + ".PR";
}

std::optional<std::string> ReadWholeFile(const std::string& name) {
    const std::optional<std::filesystem::path> path = FindExistingFile(name);
    if (!path)
        return std::nullopt;
    std::ifstream in(*path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

const EditorWindowTraits& TraitsOf(EditorWindowKind kind) {
    return kTraits[static_cast<int>(kind)];
}

VornEditWindow::VornEditWindow(EditorWindowKind kind, SmartEditCore& editor,
                               VornBasicSyntax& syntax, EditorWindowPort& port,
                               TPanoEditNameObject* settings)
    : kind_(kind), editor_(editor), syntax_(syntax), port_(port), settings_(settings) {}

void VornEditWindow::Start() {
    SetCaptionTo("");
    const TSmartEditorSettings settings =
        settings_ != nullptr ? settings_->GetSettings() : syntax_.DefaultSettings();
    lineNumbersMode_ = settings.LineNumbers;
    editor_.SetFileName(Traits().initialName);
    ApplySettings(settings);
    editor_.readOnly = Traits().readOnly;
    ReloadOwnFile();
}

bool VornEditWindow::IsNoname() const {
    return SameTextAscii(editor_.FileName(), kNonameFile);
}

void VornEditWindow::SetCaptionTo(const std::string& name) {
    port_.SetCaption(Traits().captionPrefix + name);
}

void VornEditWindow::ApplySettings(const TSmartEditorSettings& settings) {
    const bool readOnly = editor_.readOnly;
    editor_.ApplySettings(settings);
    editor_.readOnly = readOnly;
    port_.RefreshEditor();
}

std::string VornEditWindow::InitialDir() const {
    if (IsNoname() || editor_.FileName().empty())
        return EnvCtx().app.WorkDir;
    return ExtractFilePath(editor_.FileName());
}

void VornEditWindow::Announce(FileRecId record) {
    sending_ = true;
    try {
        port_.Broadcast(record);
    } catch (...) {
        sending_ = false;
        throw;
    }
    sending_ = false;
}

int VornEditWindow::EditCommand(std::uint32_t command) {
    const bool viewer = kind_ == EditorWindowKind::Pri;
    switch (command) {
    case ecCut:
        if (!viewer)
            editor_.RunCommand(14);
        break;
    case ecCopy:
        editor_.RunCommand(12);
        break;
    case ecPaste:
        if (!viewer)
            editor_.RunCommand(13);
        break;
    case ecDelete:
        if (!viewer)
            editor_.RunCommand(15);
        break;
    case ecHelp:
        return Traits().helpTopic;
    default:
        return 0;
    }
    port_.RefreshEditor();
    return 0;
}

std::uint32_t VornEditWindow::FileCommand(FileRecId record) {
    FileCmdRecs& records = WindowsCtx().fileCmds;
    if (record == FileRecId::Saved) {
        const TFileCmdRec& saved = records.Saved;
        if (sending_)
            return 0;
        if (saved.Command == fcReload && SameTextCp1250(editor_.FileName(), saved.FileName)) {
            // Another window wrote this file: unsaved edits here stay unless the user takes it.
            if (editor_.Text().modified)
                OfferReload(StampOfFile(editor_.FileName()), "byl uložen z jiného okna");
            else
                ReloadOwnFile();
        } else if (saved.Command == fcClearErrMark) {
            RemoveErrorMark();
        }
        return 0;
    }
    if (record == FileRecId::EdSettings) {
        if (kind_ == EditorWindowKind::General && !sending_ && settings_ != nullptr) {
            const TSmartEditorSettings settings = settings_->GetSettings();
            lineNumbersMode_ = settings.LineNumbers;
            ApplySettings(settings);
        }
        return 0;
    }
    if (record != Traits().record)
        return 0;
    const TFileCmdRec& own = records.Of(record);
    const bool viewer = kind_ == EditorWindowKind::Pri;
    switch (own.Command) {
    case fcCloseIfUnnamed:
        if (own.FileName.empty())
            CloseWithoutAsking();
        break;
    case fcAskSaveLoad:
        if (!viewer && !AskToSave())
            break;
        [[fallthrough]];
    case fcLoad:
        if (own.FileName.empty())
            port_.CloseWindow();
        else
            LoadFile(own.FileName);
        break;
    case fcReload:
        ReloadOwnFile();
        break;
    case fcSave:
        // An untouched "Noname" has nothing to save, and asking for a name would be a surprise.
        if (!viewer && !(IsNoname() && !editor_.Text().modified))
            Save(true);
        break;
    case fcSaveAs:
        if (!viewer)
            SaveAs(own.FileName);
        break;
    case fcAskSave:
        if (!viewer && !AskToSave())
            return kSaveNotDone;
        break;
    case fcSaveClose:
        if (viewer)
            CloseWithoutAsking();
        else if (Save(true))
            CloseWithoutAsking();
        break;
    case fcSaveAsClose:
        if (viewer)
            CloseWithoutAsking();
        else if (SaveAs(own.FileName))
            CloseWithoutAsking();
        break;
    case fcClose:
        if (viewer)
            CloseWithoutAsking();
        else
            port_.CloseWindow();
        break;
    case fcCloseNoAsk:
        CloseWithoutAsking();
        break;
    case fcRenameNoname:
        editor_.SetFileName(Traits().initialName);
        diskStamp_.reset();
        SetCaptionTo(editor_.FileName());
        break;
    case fcClearErrMark:
        RemoveErrorMark();
        break;
    default:
        break;
    }
    return 0;
}

void VornEditWindow::LoadFile(const std::string& name) {
    editor_.Clear();
    editor_.SetFileName(Traits().initialName);
    SetCaptionTo(kNonameFile);
    if (name.empty()) {
        port_.RefreshEditor();
        return;
    }
    if (FileExistsAnyCase(name)) {
        const std::string existing = ExistingSpelling(name);
        try {
            editor_.Load(existing);
            SetCaptionTo(editor_.FileName());
        } catch (const std::exception&) {
            MsgBox("", "Soubor " + name + Utf8ToCp1250(" nelze načíst"), mb::kIconError);
            editor_.Clear();
            editor_.SetFileName(Traits().initialName);
            SetCaptionTo(kNonameFile);
        }
    } else {
        editor_.SetFileName(name);
        SetCaptionTo(name);
        if (!SameTextAscii(name, kNonameFile))
            MsgBox("", "Soubor " + name + " neexistuje", mb::kIconError);
    }
    RememberFileOnDisk();
    port_.RefreshEditor();
}

void VornEditWindow::NewFile(const std::string& name) {
    editor_.Clear();
    editor_.SetFileName(name);
    SetCaptionTo(name);
    RememberFileOnDisk();
    port_.RefreshEditor();
}

void VornEditWindow::RememberFileOnDisk() {
    if (IsNoname())
        diskStamp_.reset();
    else
        diskStamp_ = StampOfFile(editor_.FileName());
}

void VornEditWindow::CheckFileOnDisk() {
    if (!diskStamp_ || IsNoname())
        return;
    const FileStamp now = StampOfFile(editor_.FileName());
    if (now == *diskStamp_ || now == askedStamp_)
        return;
    if (!now.exists) {
        // Deleted or renamed: the window now holds the only copy.
        diskStamp_ = askedStamp_ = now;
        if (kind_ == EditorWindowKind::Pri)
            return;
        editor_.Text().modified = true;
        port_.RefreshEditor();
        MsgBox("",
               "Soubor " + editor_.FileName() +
                   Utf8ToCp1250(" byl smazán nebo přejmenován jiným programem.\nText okna "
                                "zůstává neuložený, uložením soubor znovu vytvoříte."),
               mb::kIconWarning);
        return;
    }
    if (kind_ == EditorWindowKind::Pri)
        ReloadOwnFile(); // the viewer holds nothing of its own
    else
        OfferReload(now, "byl změněn jiným programem");
}

void VornEditWindow::OfferReload(const FileStamp& now, const char* cause) {
    // Asked once per version, also while the question is open and activations come and go.
    askedStamp_ = now;
    const char* lost = editor_.Text().modified ? ", úpravy v tomto okně se ztratí" : "";
    const std::string question = "Soubor " + editor_.FileName() + " " +
                                 Utf8ToCp1250(std::string(cause) + ".\nAno – načíst jej znovu" +
                                              lost + "\nNe – ponechat text okna jako neuložený");
    if (MsgBox("", question, mb::kIconQuestion | mb::kYesNo) == MsgResult::Yes) {
        ReloadOwnFile();
        return;
    }
    // The window's text wins: the next save writes it without asking again.
    diskStamp_ = now;
    editor_.Text().modified = true;
    port_.RefreshEditor();
}

void VornEditWindow::ReloadOwnFile() {
    const std::string name = editor_.FileName(); // a copy: loading clears it first
    LoadFile(name);
}

bool VornEditWindow::Save(bool fromMain) {
    if (kind_ == EditorWindowKind::Pri)
        return true;
    if (fromMain && IsNoname())
        return SaveAsWithDialog();
    if (!editor_.Text().modified)
        return true;
    if (IsInstalledFile(EnvCtx().settings, editor_.FileName()))
        return SaveAsWithDialog(); // an installed file is never written
    return WriteTo(editor_.FileName(), false);
}

bool VornEditWindow::WriteTo(const std::string& name, bool renameInclude) {
    if (diskStamp_ && SameTextCp1250(name, editor_.FileName())) {
        const FileStamp now = StampOfFile(name);
        if (now.exists && now != *diskStamp_) {
            askedStamp_ = now;
            const MsgResult answer = MsgBox(
                "",
                "Soubor " + name +
                    Utf8ToCp1250(" byl změněn jiným programem.\nAno – přepsat jej textem z "
                                 "tohoto okna\nNe – načíst jej znovu, úpravy v tomto okně se "
                                 "ztratí\nZrušit – neukládat"),
                mb::kIconWarning | mb::kYesNoCancel);
            if (answer == MsgResult::No) {
                ReloadOwnFile(); // the window shows what the file holds: nothing left to save
                return true;
            }
            if (answer != MsgResult::Yes)
                return false;
        }
    }
    const std::optional<ReadOnlyConsent> consent = AskReplaceReadOnly(name);
    if (!consent)
        return false;
    try {
        // The program includes its screens as NAME.PRI: renamed with the program.
        if (renameInclude)
            editor_.SaveRenamingReferences(name, IncludeStem(editor_.FileName()),
                                           IncludeStem(name));
        else
            editor_.Save(name);
    } catch (const std::exception&) {
        MsgBox("", Utf8ToCp1250("Chyba při ukládání souboru ") + name, mb::kIconError);
        port_.RefreshEditor();
        return false;
    }
    SetCaptionTo(editor_.FileName());
    RememberFileOnDisk();
    // Other windows on the same file reload.
    WindowsCtx().fileCmds.Saved.Set(editor_.FileName(), fcReload);
    Announce(FileRecId::Saved);
    port_.RefreshEditor();
    return true;
}

bool VornEditWindow::SaveAs(const std::string& name) {
    if (kind_ == EditorWindowKind::Pri || name.empty())
        return false;
    return WriteTo(name, kind_ == EditorWindowKind::Prg && editor_.Text().Length() > 0 &&
                             (IsNoname() || !SameTextCp1250(editor_.FileName(), name)));
}

bool VornEditWindow::SaveAsWithDialog() {
    const std::optional<std::string> chosen =
        port_.AskSaveFileName(InitialDir(), IsNoname() ? std::string() : editor_.FileName());
    if (!chosen)
        return false;
    return SaveAs(*chosen);
}

bool VornEditWindow::AskToSave() {
    if (kind_ == EditorWindowKind::Pri)
        return true;
    const std::string name = editor_.FileName();
    if (!IsNoname()) {
        if (!editor_.Text().modified)
            return true;
        if (MsgBox("", "Soubor " + name + Utf8ToCp1250(" byl modifikován.\nUložit?"),
                   mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
            return true;
        return Save(false);
    }
    if (MsgBox("", "Soubor " + name + Utf8ToCp1250(" není uložen\nUložit jako..?"),
               mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
        return true;
    return SaveAsWithDialog();
}

bool VornEditWindow::CanClose() {
    if (noQuery)
        return true;
    return AskToSave();
}

void VornEditWindow::CloseWithoutAsking() {
    noQuery = true;
    port_.CloseWindow();
}

void VornEditWindow::InsertFile() {
    if (kind_ == EditorWindowKind::Pri || editor_.readOnly)
        return;
    const std::optional<std::string> chosen = port_.AskInsertFileName(InitialDir());
    if (!chosen || !FileExistsAnyCase(*chosen))
        return;
    const std::optional<std::string> bytes = ReadWholeFile(*chosen);
    if (!bytes) {
        MsgBox("", "Soubor " + *chosen + Utf8ToCp1250(" nelze načíst"), mb::kIconError);
        return;
    }
    try {
        editor_.InsertText(*bytes);
    } catch (const std::exception& e) {
        MsgBox("", e.what(), mb::kIconError); // the text stays as it was
    }
    port_.RefreshEditor();
}

void VornEditWindow::ShowErrorLocation(std::int32_t line, std::int32_t begin, std::int32_t end) {
    if (begin < 0 || end < begin) {
        editor_.HideSelection();
        RemoveErrorMark();
        return;
    }
    const auto last =
        static_cast<std::int32_t>(std::min<std::size_t>(editor_.Text().LineCount(), INT32_MAX));
    const std::int32_t target = std::clamp(line > 0 ? line - 1 : 0, 0, last);
    editor_.SetCaret(begin, target);
    syntax_.SetErrorLine(target);
    syntax_.ShowErrorMark(true);
    port_.RefreshEditor();
}

void VornEditWindow::RemoveErrorMark() {
    if (!syntax_.ErrorMarkShown())
        return;
    syntax_.ShowErrorMark(false);
    port_.RefreshEditor();
}

std::int32_t VornEditWindow::LineJumpMaximum() const {
    return static_cast<std::int32_t>(
        std::min<std::size_t>(editor_.Text().LineCount() + 1, INT32_MAX));
}

std::int32_t VornEditWindow::LineJumpValue() {
    return editor_.CaretLine() + 1;
}

void VornEditWindow::LineJump(std::int32_t line) {
    const std::int32_t target = std::clamp(line, 1, LineJumpMaximum()) - 1;
    editor_.SetCaret(editor_.CaretColumn(), target);
    port_.RefreshEditor();
}

void VornEditWindow::ToggleLineNumbers() {
    if (LineNumbersShown()) {
        editor_.lineNumbers = ShowLineNumbers::Hidden;
    } else {
        editor_.lineNumbers = lineNumbersMode_ == ShowLineNumbers::Hidden
                                  ? ShowLineNumbers::SmallFont
                                  : lineNumbersMode_;
    }
    port_.RefreshEditor();
}

void VornEditWindow::ToggleReadOnly() {
    if (kind_ == EditorWindowKind::Pri)
        return;
    editor_.readOnly = !editor_.readOnly;
    port_.RefreshEditor();
}

void VornEditWindow::ApplyOptions(const TSmartEditorSettings& settings) {
    lineNumbersMode_ = settings.LineNumbers;
    ApplySettings(settings);
    if (settings_ == nullptr)
        return;
    settings_->PutSettings(settings);
    if (kind_ == EditorWindowKind::General)
        Announce(FileRecId::EdSettings);
}

} // namespace panolcd
