#pragma once
// The editor's model without widgets: the text, the caret in display columns (tabs expanded),
// the block, the editing primitives that record themselves for undo, the commands built on them,
// and find, replace and incremental search. The control paints it and feeds it keys.

#include "editor/edithistory.h"
#include "editor/editorsyntax.h"
#include "editor/textbuffer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// Option bits (TSmartEditOption ordinals).
namespace eo {
inline constexpr std::uint32_t kInsertMode = 1u << 0;
inline constexpr std::uint32_t kCursorThroughTabs = 1u << 1;
inline constexpr std::uint32_t kAutoIndent = 1u << 2;
inline constexpr std::uint32_t kKeepBlanks = 1u << 3;
inline constexpr std::uint32_t kUseTabChars = 1u << 4;
inline constexpr std::uint32_t kGroupUndo = 1u << 5;
inline constexpr std::uint32_t kOptimalFill = 1u << 6;
inline constexpr std::uint32_t kPersistentBlocks = 1u << 7;
inline constexpr std::uint32_t kOverwriteBlocks = 1u << 8;
inline constexpr std::uint32_t kBackspaceUnindents = 1u << 9;
inline constexpr std::uint32_t kSmartTab = 1u << 10;
inline constexpr std::uint32_t kRightMarginVisible = 1u << 11;
inline constexpr std::uint32_t kGutterVisible = 1u << 12;
inline constexpr std::uint32_t kSyntaxHighlight = 1u << 13;
inline constexpr std::uint32_t kDoubleClickLine = 1u << 14;
inline constexpr std::uint32_t kActiveScrollBars = 1u << 15;
inline constexpr std::uint32_t kUndoAfterSave = 1u << 16;
inline constexpr std::uint32_t kFindAtCursor = 1u << 17;
inline constexpr std::uint32_t kCreateBackupFile = 1u << 18;
} // namespace eo

// Search flag bits.
namespace sf {
inline constexpr std::uint8_t kMatchCase = 0x01;
inline constexpr std::uint8_t kWholeWords = 0x02;
inline constexpr std::uint8_t kSelection = 0x04;
inline constexpr std::uint8_t kFromCaret = 0x08;
inline constexpr std::uint8_t kBackwards = 0x10;
inline constexpr std::uint8_t kPrompt = 0x20;
} // namespace sf

struct TSearchSettings {
    std::uint8_t flags = 0;
    std::string findText;
};

struct TReplaceSettings {
    std::uint8_t flags = sf::kPrompt;
    std::string findText;
    std::string replaceText;
};

// The answers of the replace confirmation ("&Ano", "&Ne", "Storno", "&Vše").
enum class ReplaceAnswer { Yes, No, Cancel, All };

// What the editor asks of its window: messages and the replace confirmation.
class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;
    virtual void Error(const std::string& text) = 0;       // caption "Chyba"
    virtual void Information(const std::string& text) = 0; // caption "Informace"
    // The hit is the found range, already scrolled to and painted.
    virtual ReplaceAnswer ConfirmReplace(const std::string& findText) = 0;
};

// The text clipboard, Windows-1250; the window converts it for the system.
class EditorClipboard {
public:
    virtual ~EditorClipboard() = default;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
};

enum class KeyMapping { Default = 0, Classic = 1 };

// A key as the control hands it over: a named key, or a character (with `ch`).
struct KeyStroke {
    enum class Key {
        Char,
        Left,
        Right,
        Up,
        Down,
        Home,
        End,
        PageUp,
        PageDown,
        Insert,
        Delete,
        Backspace,
        Tab,
        Enter,
        Escape,
        Shift,
        Control,
        Other
    };
    Key key = Key::Other;
    char ch = 0; // the character, also for Ctrl+letter (the letter) and digits
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Letters of either case (all of Windows-1250's upper half), digits and the underscore.
inline bool IsWordChar(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' ||
           b >= 128;
}

// Text from outside (the clipboard, a drop) with each lone LF made CR LF, as every line break the
// editor writes.
std::string WithCrLfBreaks(std::string_view text);

// Highlighting applies with eoSyntaxHighlight when the file's extension (without the dot, in any
// case) is one of the ";"-separated items of the list; a name without extension never.
bool IsHighlightActive(std::uint32_t options, std::string_view fileName,
                       std::string_view extensions);

// Where `find` matches in `text` between `from` and `to` (forwards from `from`, or backwards:
// the last match ending at or before `to`... see Find). Case and whole-word rules of the search
// flags; no copy of the text is made.
std::optional<std::size_t> FindInText(const TextBuffer& text, std::string_view find,
                                      std::uint8_t flags, std::size_t from, std::size_t to);

class SmartEditCore final : public EditTarget {
public:
    SmartEditCore();

    TextBuffer& Text() { return text_; }
    const TextBuffer& Text() const { return text_; }
    TEditHistory& History() { return history_; }

    // The kind of editor: its elements, schemes and highlighter. The plain one by default; a new
    // one brings its default element map.
    EditorSyntax& Syntax() { return *syntax_; }
    void SetSyntax(std::unique_ptr<EditorSyntax> syntax);
    // Options, tabs, undo limit, view and font, key mapping, extensions and colours. An element
    // map shorter than the kind's element count fills only what it has.
    void ApplySettings(const TSmartEditorSettings& settings);
    TSmartEditorSettings Settings() const;

    // Highlighting: active means the highlighter colours the text; becoming active makes every
    // line state stale.
    bool HighlightActive() const { return highlightActive_; }
    void SetHighlightActive(bool active);
    // Active as the options, the file name and the extension list say.
    void UpdateHighlightActive();
    // Brings the line states up to date as far as the start of `line`.
    void UpdateLineStates(std::size_t line);
    // The element of every character of the line (without its break), as painted: the line's
    // override, the search hit, the selection, then the highlighter.
    std::vector<std::uint8_t> LineElements(std::size_t line);
    // The element painted at a display cell; behind the line's text the blanks' element.
    int ElementAt(std::int32_t column, std::int32_t line);

    std::uint32_t options = 0x9EA7;
    int tabSize = 8;
    bool readOnly = false;
    const std::string& FileName() const { return fileName_; }
    // Without file access; highlighting follows the extension.
    void SetFileName(const std::string& name);
    // The view's settings, painted by the control.
    int gutterWidth = 24;
    ShowLineNumbers lineNumbers = ShowLineNumbers::Hidden;
    int rightMargin = 80;
    std::string fontName = "Courier New";
    int fontSize = 10;
    std::string syntaxExtensions;
    TElementMap elementMap;
    EditorPrompts* prompts = nullptr;

    std::size_t CaretOffset() const { return caret_; }
    std::int32_t CaretLine();
    // The display column: tabs expanded to the next multiple of the tab size.
    std::int32_t CaretColumn();
    // The display column of an offset on its line.
    std::int32_t ColumnOf(std::size_t offset);
    // The offset of a display cell, clamped as SetCaret clamps; the caret stays.
    std::size_t OffsetAt(std::int32_t column, std::int32_t line);
    // Caret moves are undo steps, as every command is: the records replay relative to the
    // caret. Clamped: a line past the last is the last, a column past the line's end is its end.
    void SetCaretOffset(std::size_t offset);
    void SetCaret(std::int32_t column, std::int32_t line);

    // The commands 0..33 and the caret movements 0..13; `extend` makes a movement extend the
    // selection from the caret's old place.
    void RunCommand(int code);
    void Move(int code, bool extend);
    // Interprets a key of the key map in force (with its Ctrl+K, Ctrl+Q, Ctrl+O prefixes and the
    // incremental search); false when the key means nothing to the editor.
    bool KeyDown(const KeyStroke& key);
    int PrefixState() const { return prefix_; }
    // A mouse press ends a prefix and an incremental search.
    void EndKeyState() {
        prefix_ = 0;
        EndIncrementalSearch();
    }
    KeyMapping keyMapping = KeyMapping::Classic;
    EditorClipboard* clipboard = nullptr;
    int blockIndent = 2;
    int visibleLines = 20;
    std::int32_t topLine = 0;
    // Columns the caret stands beyond its line's end.
    std::int32_t VirtualBlanks() const { return virtual_; }

    void ToggleBookmark(int index);
    void GotoBookmark(int index);
    std::int32_t BookmarkOffset(int index) const;

    bool HasSelection() const { return text_.blockBegin < text_.blockEnd; }
    // The word the caret stands in or after; empty when none.
    std::string WordAtCaret();
    void SelectRange(std::size_t begin, std::size_t end);
    void HideSelection();
    std::string SelectedText() const;

    // One undo step each.
    void TypeChar(char c);
    void InsertText(std::string_view text);
    void Backspace();
    void DeleteChar();
    void DeleteSelection();
    void MoveCaret(std::size_t offset); // an undoable caret move
    bool Undo();
    bool Redo();

    // Empty text and history, the caret at the start, no selection, bookmarks or file name.
    void Clear();
    void Load(const std::string& name);
    void Save(const std::string& name);

    // Search. Find and FindNext tell the user when nothing is found.
    TSearchSettings search;
    TReplaceSettings replace;
    bool Find();
    bool FindNext();
    // Replaces the hits of the replace settings as one undo step; the number replaced.
    int Replace(bool all);
    // Save under `name` that renames, as one undo step, every occurrence of a file name in any
    // letter case that does not continue a name before it (OLD.PR in "old.pri", not in
    // "GOLD.PRI"), the caret staying on its text. The text is renamed only once the file was
    // written, so a save that fails leaves it as it was. The number replaced.
    int SaveRenamingReferences(const std::string& name, std::string_view oldName,
                               std::string_view newName);
    // Incremental search: entering, a typed character (false: dropped), Backspace, leaving.
    void BeginIncrementalSearch();
    bool IncrementalChar(char c);
    void IncrementalBackspace();
    void EndIncrementalSearch();
    bool InIncrementalSearch() const { return incremental_.has_value(); }
    const std::string& IncrementalText() const { return incrementalText_; }

    // EditTarget
    EditState CurrentState() const override;
    void DeleteBeforeCaret(std::size_t count) override;
    void DeleteAfterCaret(std::size_t count) override;
    void InsertBeforeCaret(std::string_view bytes) override;
    void InsertAfterCaret(std::string_view bytes) override;
    void OverwriteAtCaret(std::string_view bytes, bool moveCaret) override;
    void MoveCaretTo(std::size_t offset) override;
    void SetModifiedFlag(bool modified) override { text_.modified = modified; }
    void RestoreView(const EditState& state, bool block) override;

private:
    // After a command: the selection hidden unless it keeps it, trailing blanks of a changed
    // line that the caret left, the caret in view.
    void AfterCommand(int code, std::int32_t lineBefore, bool lineChanged);
    void MoveTo(std::size_t offset, std::int32_t virtualBlanks = 0);
    // Blanks from one column to another: tabs and blanks with eoOptimalFill.
    std::string Padding(std::int32_t from, std::int32_t to) const;
    // Pads the line up to the caret's virtual column.
    void FillVirtualBlanks();
    std::pair<std::size_t, std::size_t> WordAt(std::size_t offset);
    std::size_t WordLeft(std::size_t offset);
    std::size_t WordRight(std::size_t offset);
    std::int32_t LineIndent(std::size_t line);
    bool OnlyBlanksBefore(std::size_t offset);
    std::optional<std::int32_t> NextWordStartAbove(std::size_t line, std::int32_t column);
    void ChangeCase(bool upper);
    // Where SaveRenamingReferences replaces, first to last; none for a read-only text.
    std::vector<std::size_t> FileReferences(std::string_view name) const;
    // The file was written under `name`.
    void SavedAs(const std::string& name);

    // Runs a command as one undo step; a command that fails takes its own changes back.
    void Command(std::uint8_t kind, const std::function<void()>& body);
    std::optional<std::pair<std::size_t, std::size_t>> SearchRange(std::uint8_t flags);
    bool SearchFrom(std::size_t from, std::size_t to, std::uint8_t flags, bool report,
                    bool caretAtStart);

    // Every insertion goes through here: the highlighter hears of new lines.
    void InsertAt(std::size_t offset, std::string_view bytes);
    void BeforeCommand() { syntax_->BeforeCommand(); }

    TextBuffer text_;
    TEditHistory history_;
    std::unique_ptr<EditorSyntax> syntax_;
    bool highlightActive_ = false;
    std::string fileName_ = "Noname";
    std::size_t caret_ = 0;
    std::string incrementalText_;
    std::optional<std::array<std::int32_t, 64>> incremental_;
    std::int32_t virtual_ = 0;
    int prefix_ = 0;
    // The line last changed, for trimming its trailing blanks when the caret leaves it.
    std::int64_t changedLine_ = -1;
};

} // namespace panolcd
