// The editor's commands, caret movements and key maps.

#include "common/cp1250.h"
#include "editor/editcore.h"

#include <algorithm>

namespace panolcd {
namespace {

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// The commands after which the selection stays without persistent blocks.
bool KeepsSelection(int code) {
    return (code >= 10 && code <= 15) || code == 17 || code == 18 || (code >= 21 && code <= 23) ||
           (code >= 28 && code <= 31);
}

} // namespace

std::string WithCrLfBreaks(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (const char c : text) {
        if (c == '\n' && (lines.empty() || lines.back() != '\r'))
            lines += '\r';
        lines += c;
    }
    return lines;
}

std::int32_t SmartEditCore::ColumnOf(std::size_t offset) {
    const std::size_t start = text_.LineStart(text_.LineOf(offset));
    std::int32_t column = 0;
    for (std::size_t at = start; at < offset; ++at)
        column = text_.At(at) == '\t' ? (column / tabSize + 1) * tabSize : column + 1;
    return column;
}

std::int32_t SmartEditCore::LineIndent(std::size_t line) {
    std::size_t at = text_.LineStart(line);
    const std::size_t end = text_.LineEnd(line);
    while (at < end && (text_.At(at) == ' ' || text_.At(at) == '\t'))
        ++at;
    return ColumnOf(at);
}

bool SmartEditCore::OnlyBlanksBefore(std::size_t offset) {
    const std::size_t start = text_.LineStart(text_.LineOf(offset));
    if (offset == start)
        return false;
    for (std::size_t at = start; at < offset; ++at) {
        if (text_.At(at) != ' ' && text_.At(at) != '\t')
            return false;
    }
    return true;
}

std::optional<std::int32_t> SmartEditCore::NextWordStartAbove(std::size_t line,
                                                              std::int32_t column) {
    // The nearest line above that has a word starting beyond the column; further up while a
    // line offers none.
    for (std::size_t above = line; above-- > 0;) {
        std::size_t at = text_.LineStart(above);
        const std::size_t end = text_.LineEnd(above);
        bool inBlank = true;
        for (; at < end; ++at) {
            const char c = text_.At(at);
            const bool blank = c == ' ' || c == '\t';
            if (!blank && inBlank) {
                const std::int32_t start = ColumnOf(at);
                if (start > column)
                    return start;
            }
            inBlank = blank;
        }
    }
    return std::nullopt;
}

void SmartEditCore::MoveTo(std::size_t offset, std::int32_t virtualBlanks) {
    MoveCaretTo(offset);
    virtual_ = std::max(0, virtualBlanks);
}

std::string SmartEditCore::Padding(std::int32_t from, std::int32_t to) const {
    std::string padding;
    if ((options & eo::kOptimalFill) != 0 && tabSize > 0) {
        for (std::int32_t stop = (from / tabSize + 1) * tabSize; stop <= to; stop += tabSize) {
            padding += '\t';
            from = stop;
        }
    }
    padding.append(static_cast<std::size_t>(std::max(0, to - from)), ' ');
    return padding;
}

void SmartEditCore::FillVirtualBlanks() {
    if (virtual_ <= 0)
        return;
    const std::int32_t column = CaretColumn();
    const std::string blanks = Padding(column, column + virtual_);
    virtual_ = 0;
    InsertBeforeCaret(blanks);
}

std::pair<std::size_t, std::size_t> SmartEditCore::WordAt(std::size_t offset) {
    std::size_t begin = offset;
    std::size_t end = offset;
    while (begin > 0 && IsWordChar(text_.At(begin - 1)))
        --begin;
    while (end < text_.Length() && IsWordChar(text_.At(end)))
        ++end;
    return {begin, end};
}

std::string SmartEditCore::WordAtCaret() {
    const auto [begin, end] = WordAt(caret_);
    return text_.Text(begin, end - begin);
}

std::size_t SmartEditCore::WordLeft(std::size_t offset) {
    while (offset > 0 && !IsWordChar(text_.At(offset - 1)))
        --offset;
    while (offset > 0 && IsWordChar(text_.At(offset - 1)))
        --offset;
    return offset;
}

std::size_t SmartEditCore::WordRight(std::size_t offset) {
    const std::size_t length = text_.Length();
    while (offset < length && IsWordChar(text_.At(offset)))
        ++offset;
    while (offset < length && !IsWordChar(text_.At(offset)) && !IsBreak(text_.At(offset)))
        ++offset;
    return offset;
}

void SmartEditCore::ToggleBookmark(int index) {
    if (index < 0 || index >= TextBuffer::kBookmarks)
        return;
    std::int32_t& mark = text_.bookmarks[static_cast<std::size_t>(index)];
    const std::size_t line = text_.LineOf(caret_);
    if (mark != TextBuffer::kNone && text_.LineOf(static_cast<std::size_t>(mark)) == line)
        mark = TextBuffer::kNone;
    else
        mark = static_cast<std::int32_t>(caret_);
}

void SmartEditCore::GotoBookmark(int index) {
    if (index < 0 || index >= TextBuffer::kBookmarks)
        return;
    const std::int32_t mark = text_.bookmarks[static_cast<std::size_t>(index)];
    if (mark != TextBuffer::kNone)
        Command(kUndoMove, [&] { MoveTo(static_cast<std::size_t>(mark)); });
}

std::int32_t SmartEditCore::BookmarkOffset(int index) const {
    if (index < 0 || index >= TextBuffer::kBookmarks)
        return TextBuffer::kNone;
    return text_.bookmarks[static_cast<std::size_t>(index)];
}

void SmartEditCore::Move(int code, bool extend) {
    BeforeCommand();
    const std::size_t before = caret_;
    const std::int32_t lineBefore = CaretLine();
    Command(kUndoMove, [&] {
        const auto line = static_cast<std::size_t>(CaretLine());
        const std::int32_t column = CaretColumn() + virtual_;
        const auto toColumn = [&](std::size_t target, std::int32_t col) {
            const std::size_t at = OffsetAt(col, static_cast<std::int32_t>(target));
            // Inside a tab the caret stands in its cells only with eoCursorThroughTabs.
            const bool inTab = at < text_.LineEnd(target);
            if (inTab && (options & eo::kCursorThroughTabs) == 0)
                MoveTo(at);
            else
                MoveTo(at, col - ColumnOf(at));
        };
        switch (code) {
        case 0:
            if (virtual_ > 0)
                --virtual_;
            else if (caret_ > 0)
                MoveTo(caret_ >= 2 && text_.At(caret_ - 1) == '\n' && text_.At(caret_ - 2) == '\r'
                           ? caret_ - 2
                           : caret_ - 1);
            break;
        case 1:
            if (caret_ < text_.LineEnd(line))
                MoveTo(caret_ + 1);
            else
                ++virtual_; // beyond the line's end, in virtual blanks
            break;
        case 2:
            MoveTo(WordLeft(caret_));
            break;
        case 3:
            MoveTo(WordRight(caret_));
            break;
        case 4:
            if (line > 0)
                toColumn(line - 1, column);
            break;
        case 5:
            if (line < text_.LineCount())
                toColumn(line + 1, column);
            break;
        case 6:
            MoveTo(text_.LineStart(line));
            break;
        case 7:
            MoveTo(text_.LineEnd(line));
            break;
        case 8:
            toColumn(line > static_cast<std::size_t>(visibleLines) ? line - visibleLines : 0,
                     column);
            break;
        case 9:
            toColumn(std::min<std::size_t>(line + visibleLines, text_.LineCount()), column);
            break;
        case 10:
            toColumn(static_cast<std::size_t>(std::max(0, topLine)), column);
            break;
        case 11:
            toColumn(std::min<std::size_t>(static_cast<std::size_t>(topLine + visibleLines - 1),
                                           text_.LineCount()),
                     column);
            break;
        case 12:
            MoveTo(0);
            break;
        case 13:
            MoveTo(text_.Length());
            break;
        default:
            break;
        }
        if (extend) {
            // The selection runs from where the caret was to where it is.
            const bool fromEdge =
                HasSelection() && (before == static_cast<std::size_t>(text_.blockBegin) ||
                                   before == static_cast<std::size_t>(text_.blockEnd));
            const std::size_t anchor = !fromEdge ? before
                                       : before == static_cast<std::size_t>(text_.blockBegin)
                                           ? static_cast<std::size_t>(text_.blockEnd)
                                           : static_cast<std::size_t>(text_.blockBegin);
            SelectRange(std::min(anchor, caret_), std::max(anchor, caret_));
        }
    });
    if (!extend && (options & eo::kPersistentBlocks) == 0)
        HideSelection();
    AfterCommand(extend ? 18 : -1, lineBefore, false);
}

void SmartEditCore::AfterCommand(int code, std::int32_t lineBefore, bool lineChanged) {
    if ((options & eo::kPersistentBlocks) == 0 && code >= 0 && !KeepsSelection(code))
        HideSelection();
    if (lineChanged)
        changedLine_ = lineBefore;
    const std::int32_t line = CaretLine();
    // A changed line the caret left loses its trailing blanks; one only passed over keeps them.
    if ((options & eo::kKeepBlanks) == 0 && changedLine_ >= 0 && changedLine_ != line &&
        !readOnly) {
        const auto left = static_cast<std::size_t>(changedLine_);
        changedLine_ = -1;
        if (left <= text_.LineCount()) {
            const std::size_t end = text_.LineEnd(left);
            std::size_t start = end;
            while (start > text_.LineStart(left) &&
                   (text_.At(start - 1) == ' ' || text_.At(start - 1) == '\t'))
                --start;
            if (start < end) {
                Command(kUndoDelete, [&] {
                    const std::size_t caret = caret_;
                    MoveCaretTo(start);
                    DeleteAfterCaret(end - start);
                    MoveCaretTo(caret > end ? caret - (end - start) : std::min(caret, start));
                });
            }
        }
    }
    if (line < topLine)
        topLine = line;
    else if (line >= topLine + visibleLines)
        topLine = line - visibleLines + 1;
}

void SmartEditCore::ChangeCase(bool upper) {
    const auto [begin, end] = WordAt(caret_);
    if (begin == end)
        return;
    std::string word = text_.Text(begin, end - begin);
    for (char& c : word)
        c = upper ? Cp1250Upper(c) : Cp1250Lower(c);
    const std::size_t caret = caret_;
    MoveCaretTo(begin);
    OverwriteAtCaret(word, false);
    MoveCaretTo(caret);
}

void SmartEditCore::RunCommand(int code) {
    BeforeCommand();
    const std::int32_t lineBefore = CaretLine();
    const bool changes = code <= 9 || code == 13 || code == 14 || code == 15 || code == 16 ||
                         code == 22 || code == 23 || code == 32 || code == 33;
    if (changes && readOnly)
        return;
    const std::size_t length = text_.Length();
    switch (code) {
    case 10:
        Undo();
        break;
    case 11:
        Redo();
        break;
    case 12:
        if (clipboard != nullptr && HasSelection())
            clipboard->SetText(SelectedText());
        break;
    case 17:
        HideSelection();
        break;
    case 18:
        SelectRange(0, length);
        break;
    case 21:
        options ^= eo::kInsertMode;
        break;
    case 24:
        text_.blockBegin = static_cast<std::int32_t>(caret_);
        break;
    case 25:
        text_.blockEnd = static_cast<std::int32_t>(caret_);
        break;
    case 28: {
        const auto [begin, end] = WordAt(caret_);
        SelectRange(begin, end);
        break;
    }
    case 29: {
        const auto line = static_cast<std::size_t>(CaretLine());
        SelectRange(text_.LineStart(line),
                    line < text_.LineCount() ? text_.LineStart(line + 1) : length);
        break;
    }
    case 30:
        Command(kUndoMove, [&] { MoveTo(static_cast<std::size_t>(text_.blockBegin)); });
        break;
    case 31:
        Command(kUndoMove, [&] { MoveTo(static_cast<std::size_t>(text_.blockEnd)); });
        break;
    default: {
        const std::uint8_t kind = code == 0 || code == 7 || code == 8 || code == 13 ? kUndoInsert
                                  : code == 9 || code == 19 || code == 20           ? kUndoMove
                                  : (code >= 1 && code <= 6) || code == 14 || code == 15
                                      ? kUndoDelete
                                      : kUndoOther;
        Command(kind, [&] {
            const auto line = static_cast<std::size_t>(CaretLine());
            switch (code) {
            case 0:
            case 7: {
                FillVirtualBlanks();
                if (code == 0 && (options & eo::kInsertMode) == 0) {
                    if (line < text_.LineCount())
                        MoveTo(text_.LineStart(line + 1));
                    else {
                        MoveTo(text_.Length());
                        InsertBeforeCaret("\r\n");
                    }
                    break;
                }
                const std::int32_t indent = code == 0 && (options & eo::kAutoIndent) != 0
                                                ? std::min(LineIndent(line), CaretColumn())
                                                : 0;
                InsertBeforeCaret("\r\n");
                if (indent > 0)
                    InsertBeforeCaret(Padding(0, indent));
                break;
            }
            case 1:
                if (virtual_ > 0) {
                    --virtual_;
                } else if ((options & eo::kBackspaceUnindents) != 0 && caret_ > 0 &&
                           OnlyBlanksBefore(caret_)) {
                    // Back to the indentation of the nearest line above that is indented less.
                    const std::int32_t column = CaretColumn();
                    std::int32_t target = 0;
                    for (std::size_t above = line; above-- > 0;) {
                        if (text_.LineEnd(above) == text_.LineStart(above))
                            continue; // empty lines have no indentation
                        const std::int32_t indent = LineIndent(above);
                        if (indent < column) {
                            target = indent;
                            break;
                        }
                    }
                    std::size_t at = caret_;
                    while (at > text_.LineStart(line) && ColumnOf(at) > target)
                        --at;
                    DeleteBeforeCaret(caret_ - at);
                } else if (caret_ > 0) {
                    const bool crlf =
                        caret_ >= 2 && text_.At(caret_ - 1) == '\n' && text_.At(caret_ - 2) == '\r';
                    DeleteBeforeCaret(crlf ? 2 : 1);
                }
                break;
            case 2:
                DeleteBeforeCaret(caret_ - WordLeft(caret_));
                break;
            case 3: {
                // Beyond the line's end: padded up to the caret, then the next line joins.
                FillVirtualBlanks();
                const std::size_t end = text_.Length();
                if (caret_ >= end)
                    break;
                const bool crlf =
                    text_.At(caret_) == '\r' && caret_ + 1 < end && text_.At(caret_ + 1) == '\n';
                DeleteAfterCaret(crlf ? 2 : 1);
                break;
            }
            case 4: {
                const std::size_t end = text_.LineEnd(line);
                if (caret_ >= end) {
                    FillVirtualBlanks();
                    DeleteAfterCaret(line < text_.LineCount() ? text_.LineStart(line + 1) - caret_
                                                              : 0);
                } else {
                    DeleteAfterCaret(std::min(WordRight(caret_), end) - caret_);
                }
                break;
            }
            case 5:
                DeleteAfterCaret(text_.LineEnd(line) - std::min(caret_, text_.LineEnd(line)));
                break;
            case 6: {
                const std::size_t start = text_.LineStart(line);
                const std::size_t next =
                    line < text_.LineCount() ? text_.LineStart(line + 1) : length;
                MoveTo(start);
                DeleteAfterCaret(next - start);
                break;
            }
            case 8: {
                const std::int32_t column = CaretColumn() + virtual_;
                const std::int32_t stop = (column / tabSize + 1) * tabSize;
                if ((options & eo::kInsertMode) == 0) {
                    virtual_ += stop - column;
                    break;
                }
                FillVirtualBlanks();
                if ((options & eo::kSmartTab) != 0) {
                    if (const auto word = NextWordStartAbove(line, column)) {
                        InsertBeforeCaret(
                            std::string(static_cast<std::size_t>(*word - column), ' '));
                        break;
                    }
                }
                if ((options & eo::kUseTabChars) != 0)
                    InsertBeforeCaret("\t");
                else
                    InsertBeforeCaret(std::string(static_cast<std::size_t>(stop - column), ' '));
                break;
            }
            case 9: {
                const std::int32_t column = CaretColumn() + virtual_;
                const std::int32_t stop = column == 0 ? 0 : ((column - 1) / tabSize) * tabSize;
                const std::size_t at = OffsetAt(stop, static_cast<std::int32_t>(line));
                MoveTo(at, stop - ColumnOf(at));
                break;
            }
            case 13:
                if (clipboard != nullptr) {
                    const std::string pasted = WithCrLfBreaks(clipboard->Text());
                    FillVirtualBlanks();
                    InsertBeforeCaret(pasted);
                }
                break;
            case 14:
                if (clipboard != nullptr && HasSelection())
                    clipboard->SetText(SelectedText());
                [[fallthrough]];
            case 15:
                if (HasSelection()) {
                    const auto begin = static_cast<std::size_t>(text_.blockBegin);
                    const auto count = static_cast<std::size_t>(text_.blockEnd - text_.blockBegin);
                    const std::size_t caret = caret_;
                    MoveTo(begin);
                    DeleteAfterCaret(count);
                    // The caret keeps its place relative to the text.
                    MoveTo(caret >= begin + count ? caret - count : std::min(caret, begin));
                }
                break;
            case 16:
                if (HasSelection()) {
                    const auto begin = static_cast<std::size_t>(text_.blockBegin);
                    const auto count = static_cast<std::size_t>(text_.blockEnd - text_.blockBegin);
                    const std::string moved = SelectedText();
                    std::size_t target = caret_;
                    if (target > begin && target < begin + count)
                        break; // inside the block: nowhere to move it
                    MoveTo(begin);
                    DeleteAfterCaret(count);
                    if (target >= begin + count)
                        target -= count; // the block came out before the caret
                    MoveTo(target);
                    InsertAfterCaret(moved);
                    SelectRange(target, target + count);
                }
                break;
            case 19:
            case 20:
            case 26:
            case 27: {
                const int step = code == 19 || code == 26 ? -1 : 1;
                topLine = std::clamp<std::int32_t>(topLine + step, 0,
                                                   static_cast<std::int32_t>(text_.LineCount()));
                const auto caretLine = static_cast<std::int32_t>(line);
                std::int32_t target = caretLine;
                if (code <= 20)
                    target = std::clamp<std::int32_t>(caretLine + step, 0,
                                                      static_cast<std::int32_t>(text_.LineCount()));
                target = std::clamp(target, topLine, topLine + visibleLines - 1);
                if (target != caretLine)
                    MoveTo(OffsetAt(CaretColumn(), target));
                break;
            }
            case 22:
            case 23: {
                if (!HasSelection())
                    break;
                const std::size_t first = text_.LineOf(static_cast<std::size_t>(text_.blockBegin));
                std::size_t last = text_.LineOf(static_cast<std::size_t>(text_.blockEnd));
                if (last > first &&
                    text_.LineStart(last) == static_cast<std::size_t>(text_.blockEnd))
                    --last; // a block ending at a line's start leaves that line alone
                // The caret stays on its character: it follows the blanks put in or taken out
                // before it, and one inside removed blanks goes to where they were.
                std::size_t caret = caret_;
                const std::int32_t virtualBlanks = virtual_;
                for (std::size_t l = first; l <= last; ++l) {
                    const std::size_t start = text_.LineStart(l);
                    MoveTo(start);
                    if (code == 22) {
                        if (text_.LineEnd(l) > start) {
                            InsertAfterCaret(
                                std::string(static_cast<std::size_t>(blockIndent), ' '));
                            if (caret >= start)
                                caret += static_cast<std::size_t>(blockIndent);
                        }
                        continue;
                    }
                    std::size_t end = start;
                    std::int32_t columns = 0;
                    while (end < text_.LineEnd(l) && columns < blockIndent &&
                           (text_.At(end) == ' ' || text_.At(end) == '\t')) {
                        columns =
                            text_.At(end) == '\t' ? (columns / tabSize + 1) * tabSize : columns + 1;
                        ++end;
                    }
                    DeleteAfterCaret(end - start);
                    if (caret > start)
                        caret = caret >= end ? caret - (end - start) : start;
                }
                MoveTo(caret, virtualBlanks);
                break;
            }
            case 32:
            case 33:
                ChangeCase(code == 33);
                break;
            default:
                break;
            }
        });
        break;
    }
    }
    AfterCommand(code, lineBefore, changes);
}

bool SmartEditCore::KeyDown(const KeyStroke& key) {
    using K = KeyStroke::Key;
    if (key.key == K::Shift || key.key == K::Control)
        return false;
    BeforeCommand();
    const char letter = static_cast<char>(Cp1250Upper(key.ch));
    const bool digit = key.ch >= '0' && key.ch <= '9';

    if (incremental_) {
        if (key.key == K::Char && !key.ctrl && !key.alt &&
            static_cast<unsigned char>(key.ch) >= 32 && key.ch != 127) {
            IncrementalChar(key.ch);
            return true;
        }
        if (key.key == K::Backspace) {
            IncrementalBackspace();
            return true;
        }
        if (key.key == K::Char && key.ctrl && letter == 'L') {
            FindNext();
            return true;
        }
        EndIncrementalSearch();
        return true;
    }

    if (prefix_ != 0) {
        const int prefix = prefix_;
        prefix_ = 0;
        if (key.key != K::Char || prefix == 3)
            return true;
        if (prefix == 1) {
            if (digit) {
                ToggleBookmark(key.ch - '0');
                return true;
            }
            const std::pair<char, int> commands[] = {{'B', 24}, {'C', 12}, {'E', 32}, {'F', 33},
                                                     {'I', 22}, {'K', 25}, {'L', 29}, {'T', 28},
                                                     {'U', 23}, {'V', 16}, {'Y', 15}};
            for (const auto& [k, code] : commands) {
                if (letter == k)
                    RunCommand(code);
            }
            return true;
        }
        if (digit) {
            GotoBookmark(key.ch - '0');
            return true;
        }
        const std::pair<char, int> moves[] = {{'C', 13}, {'D', 7}, {'E', 10},
                                              {'R', 12}, {'S', 6}, {'X', 11}};
        for (const auto& [k, code] : moves) {
            if (letter == k)
                Move(code, false);
        }
        if (letter == 'B')
            RunCommand(30);
        else if (letter == 'K')
            RunCommand(31);
        else if (letter == 'Y')
            RunCommand(5);
        return true;
    }

    const bool classic = keyMapping == KeyMapping::Classic;
    const bool s = key.shift;
    switch (key.key) {
    case K::Left:
        Move(key.ctrl ? 2 : 0, s);
        return true;
    case K::Right:
        Move(key.ctrl ? 3 : 1, s);
        return true;
    case K::Up:
        if (key.ctrl)
            RunCommand(classic ? 19 : 26);
        else
            Move(4, s);
        return true;
    case K::Down:
        if (key.ctrl)
            RunCommand(classic ? 20 : 27);
        else
            Move(5, s);
        return true;
    case K::Home:
        Move(!key.ctrl ? 6 : classic ? (s ? 12 : 10) : 12, s);
        return true;
    case K::End:
        Move(!key.ctrl ? 7 : classic ? (s ? 13 : 11) : 13, s);
        return true;
    case K::PageUp:
        Move(!key.ctrl ? 8 : classic ? 12 : 10, s);
        return true;
    case K::PageDown:
        Move(!key.ctrl ? 9 : classic ? 13 : 11, s);
        return true;
    case K::Insert:
        RunCommand(s ? 13 : key.ctrl ? 12 : 21);
        return true;
    case K::Delete:
        RunCommand(s ? 14 : key.ctrl ? 15 : 3);
        return true;
    case K::Backspace:
        RunCommand(key.alt ? (s ? 11 : 10) : key.ctrl ? 2 : 1);
        return true;
    case K::Tab:
        RunCommand(s ? 9 : 8);
        return true;
    case K::Enter:
        RunCommand(0);
        return true;
    case K::Char:
        break;
    default:
        return false;
    }
    if (!key.ctrl) {
        if (key.alt)
            return false;
        const auto b = static_cast<unsigned char>(key.ch);
        if ((b >= 32 && b <= 126) || b >= 128) {
            TypeChar(key.ch);
            return true;
        }
        return false;
    }
    // Ctrl with a letter or digit.
    switch (letter) {
    case 'T':
        RunCommand(4);
        return true;
    case 'Y':
        RunCommand(6);
        return true;
    case 'N':
        RunCommand(7);
        return true;
    case 'L':
        FindNext();
        return true;
    case 'K':
        prefix_ = 1;
        return true;
    case 'Q':
        prefix_ = 2;
        return true;
    case 'O':
        prefix_ = 3;
        return true;
    default:
        break;
    }
    if (classic) {
        const std::pair<char, int> moves[] = {{'A', 2}, {'F', 3}, {'S', 0}, {'D', 1},
                                              {'E', 4}, {'X', 5}, {'R', 8}, {'C', 9}};
        if (letter == 'S' && s) {
            BeginIncrementalSearch();
            return true;
        }
        for (const auto& [k, code] : moves) {
            if (letter == k) {
                Move(code, false);
                return true;
            }
        }
        const std::pair<char, int> commands[] = {{'G', 3}, {'V', 21}, {'W', 26}, {'Z', 27}};
        for (const auto& [k, code] : commands) {
            if (letter == k) {
                RunCommand(code);
                return true;
            }
        }
        return false;
    }
    if (digit) {
        if (s)
            ToggleBookmark(key.ch - '0');
        else
            GotoBookmark(key.ch - '0');
        return true;
    }
    const std::pair<char, int> commands[] = {{'C', 12}, {'X', 14}, {'V', 13}};
    for (const auto& [k, code] : commands) {
        if (letter == k) {
            RunCommand(code);
            return true;
        }
    }
    if (letter == 'Z') {
        RunCommand(s ? 11 : 10);
        return true;
    }
    if (letter == 'E') {
        BeginIncrementalSearch();
        return true;
    }
    if (s && letter == 'I') {
        RunCommand(22);
        return true;
    }
    if (s && letter == 'U') {
        RunCommand(23);
        return true;
    }
    return false;
}

} // namespace panolcd
