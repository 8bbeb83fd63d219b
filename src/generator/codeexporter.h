#pragma once
// The one output object of the code generator: keeps the indentation and whether the next text
// starts a line, and writes through the text writer (which keeps the previous file as the
// safety copy and only puts a completely written file in place).

#include "framework/exchange/txwrfile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

inline constexpr int kMaxIndent = 128;
inline constexpr std::size_t kMaxLineLength = 255;

class TCodeExporter {
public:
    bool AtLineStart = false;
    std::string IndentStr;
    std::unique_ptr<TTxWrFile> OutFile;
    struct CutLine {
        std::size_t number; // 1-based
        std::string text;   // the whole line as it would have been
    };
    // Lines with a text cut to kMaxLineLength since the output was opened.
    std::vector<CutLine> CutLines;

    void OpenOutput(std::string_view path);
    // Closes and forgets the writer; the writer's error text, empty when the file was written.
    std::string CloseOutput();
    // New indentation = old + delta, kept within 0..kMaxIndent.
    void Indent(int delta);
    void ExportText(std::string_view text);
    void ExportLine(std::string_view text);
    // How many characters the next text can have before the line cut takes them.
    std::size_t LineRoom() const;

private:
    void Export(std::string_view text, bool lineEnd);

    std::string pending_; // the line written so far, to report it whole when it is cut
    std::size_t lineNumber_ = 1;
    bool cut_ = false;
};

} // namespace panolcd
