#pragma once
// The editor's text: 8-bit characters in a gap buffer of 4 MiB, one line-state byte per line
// break for the highlighter, and the offsets that follow every change (the block, the last
// search hit, ten bookmarks). Lines end at LF or CR LF; new breaks are written as CR LF.

#include "common/error.h"
#include "editor/gapstore.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

class ESmartEditError : public Exception {
public:
    using Exception::Exception;
};

// "Text je příliš dlouhý" and "Nedostatek paměti." (Windows-1250).
std::string TextTooLongMessage();
std::string OutOfMemoryMessage();

// The editor's safety copy of a file it saves: A.PRG -> A.~PR, a name without extension -> A.~.
std::string EditorBackupName(std::string_view fileName);

class TextBuffer {
public:
    static constexpr std::size_t kTextCapacity = 0x400000;
    static constexpr std::size_t kStateCapacity = 0x20000;
    // The most a file may bring: bytes and line feeds.
    static constexpr std::size_t kMaxLoadBytes = 0x3FFFFF;
    static constexpr std::size_t kMaxLineFeeds = 0x1FFFF;
    static constexpr int kBookmarks = 10;
    static constexpr std::int32_t kNone = -1;

    TextBuffer();

    std::size_t Length() const { return text_.Size(); }
    char At(std::size_t offset) const { return text_.At(offset); }
    std::string Text(std::size_t offset, std::size_t count) const {
        return text_.Text(offset, count);
    }
    std::string AllText() const;
    // The text before and after the store's gap, for scans that need no joined copy.
    std::string_view Before() const { return text_.Before(); }
    std::string_view After() const { return text_.After(); }
    // The number of line feeds: the last line is LineCount().
    std::size_t LineCount() const { return lineFeeds_; }
    // Line feeds before `offset`: the line it lies on.
    std::size_t LineOf(std::size_t offset);
    // The offset line `line` starts at (clamped to the last line).
    std::size_t LineStart(std::size_t line);
    // The line's end: its CR LF or LF, or the text's end.
    std::size_t LineEnd(std::size_t line);
    std::uint8_t LineState(std::size_t lineFeed) const {
        return static_cast<std::uint8_t>(states_.At(lineFeed));
    }
    void SetLineState(std::size_t lineFeed, std::uint8_t state);
    void MarkAllDirty() { MarkDirty(0, lineFeeds_); }

    // Raise ESmartEditError when the text or its line breaks do not fit; nothing changes then.
    void Insert(std::size_t offset, std::string_view bytes);
    void Erase(std::size_t offset, std::size_t count);
    void Clear();

    // The file's whole content, or ESmartEditError (too long, unreadable) and an empty text.
    void Load(const std::string& fileName);
    // Writes the text atomically beside the old version; with `backup` the old version is kept
    // under EditorBackupName. On failure ESmartEditError, and file and text stay as they were.
    void Save(const std::string& fileName, bool backup) const;

    // Offsets that follow the text; kNone when unset.
    std::int32_t blockBegin = 0, blockEnd = 0;
    std::int32_t foundBegin = kNone, foundEnd = kNone;
    std::array<std::int32_t, kBookmarks> bookmarks;
    bool modified = false;
    // The lines whose state must be recomputed: first .. last; last < 0 means none.
    std::int64_t dirtyFirst = 0, dirtyLast = -1;

private:
    void MoveGap(std::size_t offset);
    void MarkDirty(std::size_t first, std::size_t last);

    GapStore text_;
    GapStore states_;
    std::size_t lineFeeds_ = 0;
    // Line feeds before the text store's gap.
    std::size_t gapLine_ = 0;
};

} // namespace panolcd
