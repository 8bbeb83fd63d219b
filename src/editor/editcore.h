#pragma once
// The editor's model without widgets: the text, the caret in display columns (tabs expanded),
// the block, the editing primitives that record themselves for undo, the commands built on them,
// and find, replace and incremental search. The control paints it and feeds it keys.

#include "editor/edithistory.h"
#include "editor/textbuffer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

// Option bits (TSmartEditOption ordinals).
namespace eo {
inline constexpr std::uint32_t kInsertMode = 1u << 0;
inline constexpr std::uint32_t kGroupUndo = 1u << 5;
inline constexpr std::uint32_t kPersistentBlocks = 1u << 7;
inline constexpr std::uint32_t kKeepBlanks = 1u << 3;
inline constexpr std::uint32_t kCreateBackupFile = 1u << 18;
inline constexpr std::uint32_t kUndoAfterSave = 1u << 16;
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

    std::uint32_t options = 0x9EA7;
    int tabSize = 8;
    bool readOnly = false;
    std::string fileName = "Noname";
    EditorPrompts* prompts = nullptr;

    std::size_t CaretOffset() const { return caret_; }
    std::int32_t CaretLine();
    // The display column: tabs expanded to the next multiple of the tab size.
    std::int32_t CaretColumn();
    // Caret moves are undo steps, as every command is: the records replay relative to the
    // caret. Clamped: a line past the last is the last, a column past the line's end is its end.
    void SetCaretOffset(std::size_t offset);
    void SetCaret(std::int32_t column, std::int32_t line);

    bool HasSelection() const { return text_.blockBegin < text_.blockEnd; }
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

    void Load(const std::string& name);
    void Save(const std::string& name);

    // Search. Find and FindNext tell the user when nothing is found.
    TSearchSettings search;
    TReplaceSettings replace;
    bool Find();
    bool FindNext();
    // Replaces the hits of the replace settings as one undo step; the number replaced.
    int Replace(bool all);
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
    // Runs a command as one undo step; a command that fails takes its own changes back.
    void Command(std::uint8_t kind, const std::function<void()>& body);
    std::size_t OffsetAt(std::int32_t column, std::int32_t line);
    std::optional<std::pair<std::size_t, std::size_t>> SearchRange(std::uint8_t flags);
    bool SearchFrom(std::size_t from, std::size_t to, std::uint8_t flags, bool report,
                    bool caretAtStart);

    TextBuffer text_;
    TEditHistory history_;
    std::size_t caret_ = 0;
    std::string incrementalText_;
    std::optional<std::array<std::int32_t, 64>> incremental_;
};

} // namespace panolcd
