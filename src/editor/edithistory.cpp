#include "editor/edithistory.h"

#include "common/error.h"

#include <algorithm>

namespace panolcd {
namespace {

// Opcodes of the records; each long form is followed by its one-byte short form.
constexpr std::uint8_t kEnd = 0;
constexpr std::uint8_t kColumn = 1, kLine = 3, kBlockBegin = 5, kBlockEnd = 7;
constexpr std::uint8_t kModified = 22;

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t& at) {
    if (at + 4 > in.size())
        throw Exception("TEditHistory: record ends inside an operand");
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t{in[at + static_cast<std::size_t>(i)]} << (8 * i);
    at += 4;
    return value;
}

// A value that changed: the short form with end - start when it fits a signed byte.
void PutState(std::vector<std::uint8_t>& out, std::uint8_t opcode, std::int32_t start,
              std::int32_t end) {
    if (start == end)
        return;
    const std::int64_t delta = std::int64_t{end} - start;
    if (delta >= -128 && delta <= 127) {
        out.push_back(static_cast<std::uint8_t>(opcode + 1));
        out.push_back(static_cast<std::uint8_t>(static_cast<std::int8_t>(delta)));
        return;
    }
    out.push_back(opcode);
    Put32(out, static_cast<std::uint32_t>(start));
}

} // namespace

void TEditHistory::BeginCommand(const EditState& before) {
    pending_.clear();
    replayingUndo_ = false;
    replayingRedo_ = false;
    before_ = before;
    kind_ = kUndoOther;
}

void TEditHistory::Record(EditPrimitive kind, std::uint32_t value, std::string_view bytes) {
    pending_.push_back({kind, value, std::string(bytes)});
}

std::vector<std::uint8_t> TEditHistory::Encode(std::uint8_t kind,
                                               const std::vector<PendingEdit>& ops,
                                               const EditState& before, const EditState& after) {
    std::vector<std::uint8_t> record(8, 0); // the links of the record list
    record.push_back(kind);
    const bool movesOnly = std::ranges::all_of(
        ops, [](const PendingEdit& op) { return op.kind == EditPrimitive::CaretMoved; });
    if (!movesOnly) {
        for (auto op = ops.rbegin(); op != ops.rend(); ++op) {
            const auto code = static_cast<std::uint8_t>(op->kind);
            switch (op->kind) {
            case EditPrimitive::InsertedBefore:
            case EditPrimitive::InsertedAfter:
                if (op->value == 1) {
                    record.push_back(static_cast<std::uint8_t>(code + 1));
                } else {
                    record.push_back(code);
                    Put32(record, op->value);
                }
                break;
            case EditPrimitive::CaretMoved:
                record.push_back(code);
                Put32(record, op->value);
                break;
            default:
                if (op->bytes.size() == 1) {
                    record.push_back(static_cast<std::uint8_t>(code + 1));
                } else {
                    record.push_back(code);
                    Put32(record, static_cast<std::uint32_t>(op->bytes.size()));
                }
                record.insert(record.end(), op->bytes.begin(), op->bytes.end());
                break;
            }
        }
    }
    PutState(record, kColumn, before.column, after.column);
    PutState(record, kLine, before.line, after.line);
    PutState(record, kBlockBegin, before.blockBegin, after.blockBegin);
    PutState(record, kBlockEnd, before.blockEnd, after.blockEnd);
    if (before.modified != after.modified) {
        record.push_back(kModified);
        record.push_back(before.modified ? 1 : 0);
    }
    record.push_back(kEnd);
    return record;
}

bool TEditHistory::CloseCommand(const EditState& after) {
    if (!Replaying()) {
        while (!undo_.empty() && static_cast<int>(undo_.size()) >= limit_)
            undo_.pop_back();
        redo_.clear();
        if (limit_ <= 0) {
            pending_.clear();
            return false;
        }
    } else if (replayingRedo_) {
        while (!undo_.empty() && static_cast<int>(undo_.size()) >= limit_)
            undo_.pop_back();
    }
    std::vector<std::uint8_t> record = Encode(kind_, pending_, before_, after);
    pending_.clear();
    const bool undoing = replayingUndo_;
    replayingUndo_ = replayingRedo_ = false;
    // The header and the closing 0 alone: nothing to undo.
    if (record.size() <= kHeaderBytes + 1)
        return false;
    if (undoing)
        redo_.push_front(std::move(record));
    else
        undo_.push_front(std::move(record));
    return true;
}

void TEditHistory::Replay(const std::vector<std::uint8_t>& record, EditTarget& target) {
    EditState state = target.CurrentState();
    bool block = false;
    std::size_t at = kHeaderBytes;
    const auto bytes = [&](std::size_t count) {
        if (at + count > record.size())
            throw Exception("TEditHistory: record ends inside its bytes");
        std::string_view view(reinterpret_cast<const char*>(record.data()) + at, count);
        at += count;
        return view;
    };
    const auto delta = [&]() {
        return static_cast<std::int32_t>(static_cast<std::int8_t>(bytes(1)[0]));
    };
    while (at < record.size()) {
        const std::uint8_t opcode = record[at++];
        switch (opcode) {
        case kEnd:
            target.RestoreView(state, block);
            return;
        case 1:
            state.column = static_cast<std::int32_t>(Get32(record, at));
            break;
        case 2:
            state.column -= delta();
            break;
        case 3:
            state.line = static_cast<std::int32_t>(Get32(record, at));
            break;
        case 4:
            state.line -= delta();
            break;
        case 5:
            state.blockBegin = static_cast<std::int32_t>(Get32(record, at));
            block = true;
            break;
        case 6:
            state.blockBegin -= delta();
            block = true;
            break;
        case 7:
            state.blockEnd = static_cast<std::int32_t>(Get32(record, at));
            block = true;
            break;
        case 8:
            state.blockEnd -= delta();
            block = true;
            break;
        case 9:
            target.DeleteBeforeCaret(Get32(record, at));
            break;
        case 10:
            target.DeleteBeforeCaret(1);
            break;
        case 11:
            target.DeleteAfterCaret(Get32(record, at));
            break;
        case 12:
            target.DeleteAfterCaret(1);
            break;
        case 13:
        case 15:
        case 17:
        case 19:
        case 14:
        case 16:
        case 18:
        case 20: {
            const bool shortForm = opcode % 2 == 0;
            const std::size_t count = shortForm ? 1 : Get32(record, at);
            const std::string_view text = bytes(count);
            const std::uint8_t base = shortForm ? static_cast<std::uint8_t>(opcode - 1) : opcode;
            if (base == 13)
                target.InsertBeforeCaret(text);
            else if (base == 15)
                target.InsertAfterCaret(text);
            else
                target.OverwriteAtCaret(text, base == 19);
            break;
        }
        case 21:
            target.MoveCaretTo(Get32(record, at));
            break;
        case kModified:
            target.SetModifiedFlag(bytes(1)[0] != 0);
            break;
        default:
            throw Exception("TEditHistory: unknown opcode " + std::to_string(opcode));
        }
    }
    throw Exception("TEditHistory: record without end");
}

bool TEditHistory::Undo(EditTarget& target, bool group) {
    if (undo_.empty())
        return false;
    // Stays set until the surrounding command closes: its record goes to the redo list.
    replayingUndo_ = true;
    std::uint8_t kind = 0;
    do {
        const std::vector<std::uint8_t> record = std::move(undo_.front());
        undo_.pop_front();
        kind = record[8];
        Replay(record, target);
    } while (group && !undo_.empty() && undo_.front()[8] == kind);
    return true;
}

bool TEditHistory::Redo(EditTarget& target) {
    if (redo_.empty())
        return false;
    replayingRedo_ = true;
    const std::vector<std::uint8_t> record = std::move(redo_.front());
    redo_.pop_front();
    Replay(record, target);
    return true;
}

void TEditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    pending_.clear();
}

} // namespace panolcd
