#include "framework/environment/console.h"

#include "framework/environment/trace.h"

#include <algorithm>

namespace panolcd {

Console::Console(int cols, int rows) : cols_(1), rows_(1) {
    SetSize(cols, rows);
}

void Console::SetSize(int cols, int rows) {
    cols_ = std::max(1, cols);
    rows_ = std::max(1, rows);
    ring_.assign(static_cast<std::size_t>(rows_),
                 std::string(static_cast<std::size_t>(cols_), ' '));
    Clear();
}

bool Console::Changes::Any() const {
    return scrolledRows > 0 || beeps > 0 ||
           std::find(dirtyRows.begin(), dirtyRows.end(), true) != dirtyRows.end();
}

std::string& Console::Cells(int row) {
    return ring_[static_cast<std::size_t>((firstRow_ + row) % rows_)];
}

const std::string& Console::RowText(int row) const {
    return ring_[static_cast<std::size_t>((firstRow_ + std::clamp(row, 0, rows_ - 1)) % rows_)];
}

void Console::MarkDirty(int row) {
    if (changes_.dirtyRows.size() != static_cast<std::size_t>(rows_))
        changes_.dirtyRows.assign(static_cast<std::size_t>(rows_), false);
    changes_.dirtyRows[static_cast<std::size_t>(row)] = true;
}

void Console::NewRow() {
    if (cursorRow_ + 1 < rows_) {
        ++cursorRow_;
        return;
    }
    // The ring rotates: the oldest row goes, the new last row starts blank.
    firstRow_ = (firstRow_ + 1) % rows_;
    Cells(rows_ - 1).assign(static_cast<std::size_t>(cols_), ' ');
    ++changes_.scrolledRows;
    for (int row = 0; row < rows_; ++row)
        MarkDirty(row);
}

void Console::Write(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 32) {
            if (cursorCol_ >= cols_) {
                cursorCol_ = 0;
                NewRow();
            }
            std::size_t run = 0;
            const auto room = static_cast<std::size_t>(cols_ - cursorCol_);
            while (i + run < bytes.size() && run < room &&
                   static_cast<unsigned char>(bytes[i + run]) >= 32)
                ++run;
            Cells(cursorRow_)
                .replace(static_cast<std::size_t>(cursorCol_), run, bytes.substr(i, run));
            cursorCol_ += static_cast<int>(run);
            MarkDirty(cursorRow_);
            i += run;
            continue;
        }
        switch (c) {
        case 7:
            ++changes_.beeps;
            break;
        case 8:
            if (cursorCol_ > 0) {
                --cursorCol_;
                Cells(cursorRow_)[static_cast<std::size_t>(cursorCol_)] = ' ';
                MarkDirty(cursorRow_);
            }
            break;
        case 10:
            NewRow();
            if (lineBreak_ == ConsoleLineBreak::LF)
                cursorCol_ = 0;
            break;
        case 13:
            cursorCol_ = 0;
            if (lineBreak_ == ConsoleLineBreak::CR)
                NewRow();
            break;
        default:
            break;
        }
        ++i;
    }
}

void Console::Clear() {
    for (auto& row : ring_)
        row.assign(static_cast<std::size_t>(cols_), ' ');
    firstRow_ = 0;
    cursorCol_ = 0;
    cursorRow_ = 0;
    for (int row = 0; row < rows_; ++row)
        MarkDirty(row);
}

Console::Changes Console::TakeChanges() {
    Changes taken = std::move(changes_);
    changes_ = Changes{};
    if (taken.dirtyRows.size() != static_cast<std::size_t>(rows_))
        taken.dirtyRows.assign(static_cast<std::size_t>(rows_), false);
    return taken;
}

void ApplyTraceMessage(Console& console, int message, const std::string* text) {
    switch (message) {
    case WM_TRACEWRITE:
        if (text)
            console.Write(std::string_view(*text).substr(0, kTraceTextMax));
        break;
    case WM_TRACELINE:
        if (text)
            console.Write(std::string(std::string_view(*text).substr(0, kTraceTextMax - 2)) +
                          "\r\n");
        break;
    case WM_TRACECLEAR:
        console.Clear();
        break;
    default:
        break;
    }
}

} // namespace panolcd
