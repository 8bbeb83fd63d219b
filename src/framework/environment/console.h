#pragma once
// The text model behind the diagnostic window: a grid of Cols x Rows one-byte cells used as a
// ring of rows, with a cursor. Widgets draw it; it knows nothing about painting.

#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

enum class ConsoleLineBreak { CRLF, CR, LF };

class Console {
public:
    explicit Console(int cols = 80, int rows = 25);

    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    // Resizes the grid; the text is cleared.
    void SetSize(int cols, int rows);

    ConsoleLineBreak LineBreak() const { return lineBreak_; }
    void SetLineBreak(ConsoleLineBreak lineBreak) { lineBreak_ = lineBreak; }

    void Write(std::string_view bytes);
    void Clear();

    // Row `row` as shown (0 is the top row), always Cols() bytes.
    const std::string& RowText(int row) const;
    int CursorCol() const { return cursorCol_; }
    int CursorRow() const { return cursorRow_; }

    // What changed since the last call, for repainting.
    struct Changes {
        std::vector<bool> dirtyRows; // by shown row
        int scrolledRows = 0;        // rows the ring rotated
        int beeps = 0;
        bool Any() const;
    };
    Changes TakeChanges();

private:
    std::string& Cells(int row);
    void NewRow();
    void MarkDirty(int row);

    int cols_;
    int rows_;
    ConsoleLineBreak lineBreak_ = ConsoleLineBreak::CRLF;
    std::vector<std::string> ring_;
    int firstRow_ = 0; // index in ring_ of the top row
    int cursorCol_ = 0;
    int cursorRow_ = 0;
    Changes changes_;
};

// How a channel window reacts to the trace messages: write, write a line, clear.
// A line is cut to 253 characters before CR LF is added, so it never loses its line end.
void ApplyTraceMessage(Console& console, int message, const std::string* text);

} // namespace panolcd
