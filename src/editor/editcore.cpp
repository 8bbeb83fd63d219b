#include "editor/editcore.h"

#include "common/cp1250.h"
#include "common/format.h"

#include <algorithm>

namespace panolcd {
namespace {

bool MatchesAt(const TextBuffer& text, std::string_view find, std::size_t at, bool matchCase) {
    for (std::size_t i = 0; i < find.size(); ++i) {
        const char c = text.At(at + i);
        if (matchCase ? c != find[i] : Cp1250Upper(c) != Cp1250Upper(find[i]))
            return false;
    }
    return true;
}

constexpr std::size_t kIncrementalMax = 63;

} // namespace

std::optional<std::size_t> FindInText(const TextBuffer& text, std::string_view find,
                                      std::uint8_t flags, std::size_t from, std::size_t to) {
    to = std::min(to, text.Length());
    if (find.empty() || from >= to || to - from < find.size())
        return std::nullopt;
    const bool matchCase = (flags & sf::kMatchCase) != 0;
    const bool words = (flags & sf::kWholeWords) != 0;
    const auto accepted = [&](std::size_t at) {
        if (!MatchesAt(text, find, at, matchCase))
            return false;
        if (!words)
            return true;
        // The range's ends count as non-word characters.
        const bool before = at > from && IsWordChar(text.At(at - 1));
        const std::size_t end = at + find.size();
        const bool after = end < to && IsWordChar(text.At(end));
        return !before && !after;
    };
    const std::size_t last = to - find.size();
    // Candidates are the bytes that can start a match, found by a table over the two runs of
    // the gap buffer as they lie in memory.
    std::array<bool, 256> starts{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        starts[static_cast<std::size_t>(b)] =
            matchCase ? c == find[0] : Cp1250Upper(c) == Cp1250Upper(find[0]);
    }
    const std::string_view runs[2] = {text.Before(), text.After()};
    const std::size_t bases[2] = {0, text.Before().size()};
    const auto candidate = [&](std::size_t at) {
        const std::size_t run = at < bases[1] ? 0 : 1;
        return starts[static_cast<unsigned char>(runs[run][at - bases[run]])];
    };
    if ((flags & sf::kBackwards) == 0) {
        for (int run = 0; run < 2; ++run) {
            const std::size_t begin = std::max(from, bases[run]);
            const std::size_t end = std::min(last + 1, bases[run] + runs[run].size());
            const char* data = runs[run].data();
            for (std::size_t at = begin; at < end; ++at) {
                if (starts[static_cast<unsigned char>(data[at - bases[run]])] && accepted(at))
                    return at;
            }
        }
        return std::nullopt;
    }
    for (std::size_t at = last + 1; at-- > from;) {
        if (candidate(at) && accepted(at))
            return at;
    }
    return std::nullopt;
}

SmartEditCore::SmartEditCore() : syntax_(std::make_unique<EditorSyntax>()) {
    elementMap = syntax_->DefaultElementMap(0);
}

std::int32_t SmartEditCore::CaretLine() {
    caret_ = std::min(caret_, text_.Length());
    return static_cast<std::int32_t>(text_.LineOf(caret_));
}

std::int32_t SmartEditCore::CaretColumn() {
    caret_ = std::min(caret_, text_.Length());
    return ColumnOf(caret_);
}

void SmartEditCore::Clear() {
    text_.Clear();
    history_.Clear();
    caret_ = 0;
    virtual_ = 0;
    prefix_ = 0;
    changedLine_ = -1;
    incremental_.reset();
    fileName_.clear();
    UpdateHighlightActive();
}

void SmartEditCore::SetCaretOffset(std::size_t offset) {
    MoveCaret(offset);
}

void SmartEditCore::SetCaret(std::int32_t column, std::int32_t line) {
    Command(kUndoMove, [&] { MoveTo(OffsetAt(column, line)); });
}

std::size_t SmartEditCore::OffsetAt(std::int32_t column, std::int32_t line) {
    const auto clamped = static_cast<std::size_t>(
        std::clamp<std::int64_t>(line, 0, static_cast<std::int64_t>(text_.LineCount())));
    std::size_t at = text_.LineStart(clamped);
    const std::size_t end = text_.LineEnd(clamped);
    std::int32_t col = 0;
    while (at < end && col < column) {
        col = text_.At(at) == '\t' ? (col / tabSize + 1) * tabSize : col + 1;
        if (col > column)
            break;
        ++at;
    }
    return at;
}

void SmartEditCore::SelectRange(std::size_t begin, std::size_t end) {
    text_.blockBegin = static_cast<std::int32_t>(std::min(begin, text_.Length()));
    text_.blockEnd = static_cast<std::int32_t>(std::min(end, text_.Length()));
}

void SmartEditCore::HideSelection() {
    text_.blockBegin = text_.blockEnd = static_cast<std::int32_t>(caret_);
}

std::string SmartEditCore::SelectedText() const {
    if (!HasSelection())
        return {};
    return text_.Text(static_cast<std::size_t>(text_.blockBegin),
                      static_cast<std::size_t>(text_.blockEnd - text_.blockBegin));
}

EditState SmartEditCore::CurrentState() const {
    auto& self = const_cast<SmartEditCore&>(*this);
    return {self.CaretColumn(), self.CaretLine(), text_.blockBegin, text_.blockEnd, text_.modified};
}

void SmartEditCore::Command(std::uint8_t kind, const std::function<void()>& body) {
    history_.BeginCommand(CurrentState());
    history_.SetCommandKind(kind);
    try {
        body();
    } catch (...) {
        // What the command changed before it failed goes back, so the text is as it was.
        if (history_.CloseCommand(CurrentState())) {
            history_.BeginCommand(CurrentState());
            history_.Undo(*this, false);
            history_.CloseCommand(CurrentState());
        }
        throw;
    }
    history_.CloseCommand(CurrentState());
}

// ---- primitives

void SmartEditCore::InsertAt(std::size_t offset, std::string_view bytes) {
    text_.Insert(offset, bytes);
    const auto feeds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (feeds > 0)
        syntax_->LinesInserted(text_.LineOf(offset), feeds);
}

void SmartEditCore::InsertBeforeCaret(std::string_view bytes) {
    InsertAt(caret_, bytes);
    caret_ += bytes.size();
    history_.Record(EditPrimitive::InsertedBefore, static_cast<std::uint32_t>(bytes.size()));
}

void SmartEditCore::InsertAfterCaret(std::string_view bytes) {
    InsertAt(caret_, bytes);
    history_.Record(EditPrimitive::InsertedAfter, static_cast<std::uint32_t>(bytes.size()));
}

void SmartEditCore::DeleteBeforeCaret(std::size_t count) {
    count = std::min(count, caret_);
    if (count == 0)
        return;
    const std::string bytes = text_.Text(caret_ - count, count);
    text_.Erase(caret_ - count, count);
    caret_ -= count;
    history_.Record(EditPrimitive::DeletedBefore, 0, bytes);
}

void SmartEditCore::DeleteAfterCaret(std::size_t count) {
    const std::string bytes = text_.Text(caret_, count);
    if (bytes.empty())
        return;
    text_.Erase(caret_, bytes.size());
    history_.Record(EditPrimitive::DeletedAfter, 0, bytes);
}

void SmartEditCore::OverwriteAtCaret(std::string_view bytes, bool caretAfter) {
    // Undoing a typed-over run: the caret stands after it; the old bytes go back in its place.
    if (caretAfter)
        MoveCaretTo(caret_ >= bytes.size() ? caret_ - bytes.size() : 0);
    const std::string old = text_.Text(caret_, bytes.size());
    text_.Erase(caret_, old.size());
    InsertAt(caret_, bytes);
    history_.Record(EditPrimitive::OverwroteStays, 0, old);
}

void SmartEditCore::MoveCaretTo(std::size_t offset) {
    offset = std::min(offset, text_.Length());
    if (offset == caret_)
        return;
    history_.Record(EditPrimitive::CaretMoved, static_cast<std::uint32_t>(caret_));
    caret_ = offset;
}

void SmartEditCore::RestoreView(const EditState& state, bool block) {
    if (block) {
        text_.blockBegin = state.blockBegin;
        text_.blockEnd = state.blockEnd;
    }
    caret_ = OffsetAt(state.column, state.line);
}

// ---- commands

void SmartEditCore::TypeChar(char c) {
    BeforeCommand();
    if (readOnly)
        return;
    if ((options & eo::kPersistentBlocks) == 0 && HasSelection()) {
        if ((options & eo::kOverwriteBlocks) != 0)
            RunCommand(15);
        else
            HideSelection();
    }
    const std::int32_t lineBefore = CaretLine();
    Command(kUndoInsert, [&] {
        // Typed beyond the line's end: the line is padded up to the caret first.
        FillVirtualBlanks();
        const bool overwrite = (options & eo::kInsertMode) == 0;
        const char at = caret_ < text_.Length() ? text_.At(caret_) : '\n';
        if (!overwrite || at == '\r' || at == '\n') {
            InsertBeforeCaret(std::string_view(&c, 1));
            return;
        }
        const std::string old(1, at);
        text_.Erase(caret_, 1);
        InsertAt(caret_, std::string_view(&c, 1));
        ++caret_;
        history_.Record(EditPrimitive::OverwroteMoves, 0, old);
    });
    AfterCommand(-1, lineBefore, true);
}

void SmartEditCore::InsertText(std::string_view text) {
    if (readOnly || text.empty())
        return;
    Command(kUndoInsert, [&] { InsertBeforeCaret(text); });
}

void SmartEditCore::Backspace() {
    if (readOnly || caret_ == 0)
        return;
    Command(kUndoDelete, [&] {
        // A line break goes whole.
        const bool crlf =
            caret_ >= 2 && text_.At(caret_ - 1) == '\n' && text_.At(caret_ - 2) == '\r';
        DeleteBeforeCaret(crlf ? 2 : 1);
    });
}

void SmartEditCore::DeleteChar() {
    if (readOnly || caret_ >= text_.Length())
        return;
    Command(kUndoDelete, [&] {
        const bool crlf =
            text_.At(caret_) == '\r' && caret_ + 1 < text_.Length() && text_.At(caret_ + 1) == '\n';
        DeleteAfterCaret(crlf ? 2 : 1);
    });
}

void SmartEditCore::DeleteSelection() {
    if (readOnly || !HasSelection())
        return;
    Command(kUndoDelete, [&] {
        const auto begin = static_cast<std::size_t>(text_.blockBegin);
        const auto count = static_cast<std::size_t>(text_.blockEnd - text_.blockBegin);
        MoveCaretTo(begin);
        DeleteAfterCaret(count);
    });
}

void SmartEditCore::MoveCaret(std::size_t offset) {
    // On the offset itself: virtual blanks stay where the caret was.
    Command(kUndoMove, [&] { MoveTo(offset); });
}

bool SmartEditCore::Undo() {
    // Nothing to undo is no command: it must not empty the redo list. A read-only text keeps
    // both lists for when it may change again.
    if (readOnly || history_.UndoCount() == 0)
        return false;
    bool done = false;
    history_.BeginCommand(CurrentState());
    done = history_.Undo(*this, (options & eo::kGroupUndo) != 0);
    history_.CloseCommand(CurrentState());
    return done;
}

bool SmartEditCore::Redo() {
    if (readOnly || history_.RedoCount() == 0)
        return false;
    bool done = false;
    history_.BeginCommand(CurrentState());
    done = history_.Redo(*this);
    history_.CloseCommand(CurrentState());
    return done;
}

void SmartEditCore::Load(const std::string& name) {
    Clear();
    try {
        text_.Load(name);
    } catch (...) {
        // Unnamed after a failed load: Save must ask for a name.
        SetFileName("Noname");
        throw;
    }
    SetFileName(name);
    text_.modified = false;
}

void SmartEditCore::Save(const std::string& name) {
    text_.Save(name, (options & eo::kCreateBackupFile) != 0);
    SavedAs(name);
}

void SmartEditCore::SavedAs(const std::string& name) {
    SetFileName(name);
    text_.modified = false;
    if ((options & eo::kUndoAfterSave) == 0)
        history_.Clear();
}

// ---- search

std::optional<std::pair<std::size_t, std::size_t>> SmartEditCore::SearchRange(std::uint8_t flags) {
    const bool back = (flags & sf::kBackwards) != 0;
    const bool fromCaret = (flags & sf::kFromCaret) != 0;
    const std::size_t length = text_.Length();
    if ((flags & sf::kSelection) == 0) {
        if (back)
            return std::pair{std::size_t{0}, fromCaret ? caret_ : length};
        return std::pair{fromCaret ? caret_ : 0, length};
    }
    const auto error = [&](const char* utf8) {
        if (prompts != nullptr)
            prompts->Error(Utf8ToCp1250(utf8));
        return std::nullopt;
    };
    if (!HasSelection())
        return error("Nelze hledat, protože není označen žádný text.");
    const auto begin = static_cast<std::size_t>(text_.blockBegin);
    const auto end = static_cast<std::size_t>(text_.blockEnd);
    if (fromCaret && (caret_ < begin || caret_ > end))
        return error("Nelze hledat, protože kurzor je mimo označený text.");
    if (back)
        return std::pair{begin, fromCaret ? caret_ : end};
    return std::pair{fromCaret ? caret_ : begin, end};
}

bool SmartEditCore::SearchFrom(std::size_t from, std::size_t to, std::uint8_t flags, bool report,
                               bool caretAtStart) {
    const std::string& find = search.findText;
    const auto hit = FindInText(text_, find, flags, from, to);
    if (!hit) {
        text_.foundBegin = text_.foundEnd = TextBuffer::kNone;
        if (report && prompts != nullptr)
            prompts->Information(Utf8ToCp1250("Hledaný řetězec '") + find +
                                 Utf8ToCp1250("' nebyl nalezen."));
        return false;
    }
    text_.foundBegin = static_cast<std::int32_t>(*hit);
    text_.foundEnd = static_cast<std::int32_t>(*hit + find.size());
    const bool back = (flags & sf::kBackwards) != 0;
    MoveCaret((back != caretAtStart) ? *hit : *hit + find.size());
    return true;
}

bool SmartEditCore::Find() {
    text_.foundBegin = text_.foundEnd = TextBuffer::kNone;
    if (search.findText.empty())
        return false;
    const auto range = SearchRange(search.flags);
    if (!range)
        return false;
    return SearchFrom(range->first, range->second, search.flags, true, false);
}

bool SmartEditCore::FindNext() {
    if (search.findText.empty())
        return false;
    const std::uint8_t flags = static_cast<std::uint8_t>(search.flags & ~sf::kSelection);
    const bool back = (flags & sf::kBackwards) != 0;
    const std::size_t len = search.findText.size();
    std::size_t from = caret_;
    if (incremental_)
        from = back ? (caret_ >= len ? caret_ - len : 0) : std::min(caret_ + len, text_.Length());
    const bool found =
        back ? SearchFrom(0, from, flags, true, incremental_.has_value())
             : SearchFrom(from, text_.Length(), flags, true, incremental_.has_value());
    return found;
}

int SmartEditCore::Replace(bool all) {
    const std::string find = replace.findText;
    if (find.empty())
        return 0;
    const std::uint8_t flags = replace.flags;
    const auto range = SearchRange(flags);
    if (!range)
        return 0;
    const bool back = (flags & sf::kBackwards) != 0;
    std::size_t lo = range->first;
    std::size_t hi = range->second;
    int replaced = 0;
    bool answeredAll = false;
    Command(kUndoOther, [&] {
        while (true) {
            const auto hit = FindInText(text_, find, flags, lo, hi);
            if (!hit)
                break;
            ReplaceAnswer answer = ReplaceAnswer::Yes;
            if ((flags & sf::kPrompt) != 0 && !answeredAll && prompts != nullptr) {
                text_.foundBegin = static_cast<std::int32_t>(*hit);
                text_.foundEnd = static_cast<std::int32_t>(*hit + find.size());
                MoveCaretTo(*hit);
                answer = prompts->ConfirmReplace(find);
            }
            if (answer == ReplaceAnswer::Cancel)
                break;
            if (answer == ReplaceAnswer::All)
                answeredAll = true;
            text_.foundBegin = text_.foundEnd = TextBuffer::kNone;
            if (answer == ReplaceAnswer::No || readOnly) {
                // Past the hit, so the same hit is never offered again.
                if (back)
                    hi = *hit;
                else
                    lo = *hit + find.size();
            } else {
                MoveCaretTo(*hit);
                DeleteAfterCaret(find.size());
                if (back) {
                    InsertAfterCaret(replace.replaceText);
                    hi = caret_;
                } else {
                    InsertBeforeCaret(replace.replaceText);
                    hi = hi + replace.replaceText.size() - find.size();
                    lo = caret_;
                }
                ++replaced;
            }
            if (!all && !answeredAll)
                break;
        }
    });
    return replaced;
}

std::vector<std::size_t> SmartEditCore::FileReferences(std::string_view name) const {
    std::vector<std::size_t> hits;
    if (name.empty() || readOnly)
        return hits;
    const auto continuesName = [](char c) {
        return IsWordChar(c) || c == '.' || c == '-' || c == '$' || c == '~';
    };
    std::size_t from = 0;
    while (const auto hit = FindInText(text_, name, 0, from, text_.Length())) {
        if (*hit > 0 && continuesName(text_.At(*hit - 1))) {
            from = *hit + 1;
            continue;
        }
        hits.push_back(*hit);
        from = *hit + name.size();
    }
    return hits;
}

int SmartEditCore::SaveRenamingReferences(const std::string& name, std::string_view oldName,
                                          std::string_view newName) {
    const std::vector<std::size_t> hits = FileReferences(oldName);
    if (hits.empty()) {
        Save(name);
        return 0;
    }
    const std::size_t oldSize = oldName.size();
    {
        // Backwards, so that the earlier places stay where they were found.
        TextBuffer renamed = text_;
        for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
            renamed.Erase(*hit, oldSize);
            renamed.Insert(*hit, newName);
        }
        renamed.Save(name, (options & eo::kCreateBackupFile) != 0);
    }
    // The caret follows its text: moved by the replacements before it, kept inside a name.
    std::size_t caret = caret_;
    for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
        if (caret >= *hit + oldSize)
            caret = caret - oldSize + newName.size();
        else if (caret > *hit)
            caret = *hit + std::min(caret - *hit, newName.size());
    }
    Command(kUndoOther, [&] {
        for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
            MoveCaretTo(*hit);
            DeleteAfterCaret(oldSize);
            InsertAfterCaret(newName);
        }
        MoveCaretTo(caret);
    });
    SavedAs(name);
    return static_cast<int>(hits.size());
}

void SmartEditCore::BeginIncrementalSearch() {
    incremental_.emplace();
    incremental_->fill(-1);
    (*incremental_)[0] = static_cast<std::int32_t>(caret_);
    incrementalText_.clear();
}

bool SmartEditCore::IncrementalChar(char c) {
    if (!incremental_ || incrementalText_.size() >= kIncrementalMax)
        return false;
    const std::string candidate = incrementalText_ + c;
    const bool back = (search.flags & sf::kBackwards) != 0;
    const auto start = static_cast<std::size_t>((*incremental_)[incrementalText_.size()]);
    const std::uint8_t flags =
        static_cast<std::uint8_t>(search.flags & (sf::kMatchCase | sf::kBackwards));
    const auto hit = back ? FindInText(text_, candidate, flags, 0,
                                       std::min(start + candidate.size(), text_.Length()))
                          : FindInText(text_, candidate, flags, start, text_.Length());
    if (!hit)
        return false;
    incrementalText_ = candidate;
    search.findText = candidate;
    (*incremental_)[candidate.size()] = static_cast<std::int32_t>(*hit);
    text_.foundBegin = static_cast<std::int32_t>(*hit);
    text_.foundEnd = static_cast<std::int32_t>(*hit + candidate.size());
    MoveCaret(back ? *hit + candidate.size() : *hit);
    return true;
}

void SmartEditCore::IncrementalBackspace() {
    if (!incremental_ || incrementalText_.empty())
        return;
    incrementalText_.pop_back();
    search.findText = incrementalText_;
    const auto at = static_cast<std::size_t>((*incremental_)[incrementalText_.size()]);
    if (incrementalText_.empty()) {
        text_.foundBegin = text_.foundEnd = TextBuffer::kNone;
        MoveCaret(at);
        return;
    }
    text_.foundBegin = static_cast<std::int32_t>(at);
    text_.foundEnd = static_cast<std::int32_t>(at + incrementalText_.size());
    MoveCaret((search.flags & sf::kBackwards) != 0 ? at + incrementalText_.size() : at);
}

void SmartEditCore::EndIncrementalSearch() {
    if (!incremental_)
        return;
    if (text_.foundBegin != TextBuffer::kNone)
        caret_ = static_cast<std::size_t>((search.flags & sf::kBackwards) != 0 ? text_.foundBegin
                                                                               : text_.foundEnd);
    incremental_.reset();
}

} // namespace panolcd
