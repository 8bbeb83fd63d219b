#pragma once
// The editor's undo and redo: every command becomes one compact byte-coded record of the
// operations that reverse it, newest first, followed by the caret and block values to restore.
// Single characters and small caret moves take one-byte forms.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

// What a record restores besides the text.
struct EditState {
    std::int32_t column = 0;
    std::int32_t line = 0;
    std::int32_t blockBegin = 0;
    std::int32_t blockEnd = 0;
    bool modified = false;
};

// The editor as the history replays on it. The replayed operations are recorded again, as any
// change is, so an undo becomes a redo record and a redo an undo record.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual EditState CurrentState() const = 0;
    virtual void DeleteBeforeCaret(std::size_t count) = 0;
    virtual void DeleteAfterCaret(std::size_t count) = 0;
    virtual void InsertBeforeCaret(std::string_view bytes) = 0;
    virtual void InsertAfterCaret(std::string_view bytes) = 0;
    virtual void OverwriteAtCaret(std::string_view bytes, bool moveCaret) = 0;
    virtual void MoveCaretTo(std::size_t offset) = 0;
    virtual void SetModifiedFlag(bool modified) = 0;
    // After a replay: the block (when the record held one) and the caret, scrolled into view.
    virtual void RestoreView(const EditState& state, bool block) = 0;
};

// The primitives, by the operation that reverses them.
enum class EditPrimitive : std::uint8_t {
    InsertedBefore = 9,  // N bytes were inserted before the caret
    InsertedAfter = 11,  // N bytes were inserted after the caret
    DeletedBefore = 13,  // these bytes before the caret were deleted
    DeletedAfter = 15,   // these bytes after the caret were deleted
    OverwroteStays = 17, // these bytes were overwritten, the caret stayed
    OverwroteMoves = 19, // these bytes were overwritten, the caret moved over them
    CaretMoved = 21,     // the caret stood at this offset
};

// The command kinds undo groups by.
inline constexpr std::uint8_t kUndoOther = 0;
inline constexpr std::uint8_t kUndoInsert = 1;
inline constexpr std::uint8_t kUndoDelete = 2;
inline constexpr std::uint8_t kUndoMove = 3;
inline constexpr std::uint8_t kUndoSelect = 4;

// A primitive of the command in progress.
struct PendingEdit {
    EditPrimitive kind;
    std::uint32_t value;
    std::string bytes;
};

class TEditHistory {
public:
    static constexpr std::size_t kHeaderBytes = 9;
    static constexpr int kDefaultLimit = 2048;

    void BeginCommand(const EditState& before);
    // One primitive of the command in progress; `value` is the count or the offset.
    void Record(EditPrimitive kind, std::uint32_t value, std::string_view bytes = {});
    void SetCommandKind(std::uint8_t kind) { kind_ = kind; }
    // Closes the command's record; false when it held nothing and was dropped.
    bool CloseCommand(const EditState& after);

    // Replays the newest undo record, with `group` also the older ones of the same kind. The
    // replay is its own command: begin and close it around the call.
    bool Undo(EditTarget& target, bool group);
    bool Redo(EditTarget& target);
    void Clear();

    void SetLimit(int limit) { limit_ = limit; }
    int Limit() const { return limit_; }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    bool Replaying() const { return replayingUndo_ || replayingRedo_; }
    // The newest undo record's bytes, for tests and diagnostics.
    const std::vector<std::uint8_t>* NewestUndo() const {
        return undo_.empty() ? nullptr : &undo_.front();
    }

    // One record as the history stores it.
    static std::vector<std::uint8_t> Encode(std::uint8_t kind, const std::vector<PendingEdit>& ops,
                                            const EditState& before, const EditState& after);

private:
    void Replay(const std::vector<std::uint8_t>& record, EditTarget& target);

    std::deque<std::vector<std::uint8_t>> undo_; // newest first
    std::deque<std::vector<std::uint8_t>> redo_;
    std::vector<PendingEdit> pending_; // oldest first; written newest first
    EditState before_;
    std::uint8_t kind_ = kUndoOther;
    int limit_ = kDefaultLimit;
    bool replayingUndo_ = false;
    bool replayingRedo_ = false;
};

} // namespace panolcd
