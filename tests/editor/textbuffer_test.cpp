// The editor's text store: the capacities a file may fill, line counting on LF, the offsets that
// follow every change, the line states, and the atomic save with the editor's safety copy.

#include "editor/textbuffer.h"

#include "common/paths.h"
#include "support/test_context.h"

#include <filesystem>
#include <random>

#include <csignal>

#include <sys/resource.h>

namespace panolcd::testing {
namespace {

class EditorText : public ContextTest {
protected:
    std::string Load(const std::string& name, const std::string& bytes) {
        return FromFsPath(WriteFile(name, bytes));
    }
    TextBuffer text;
};

TEST_F(EditorText, FilesLoadUpToTheCapacitiesAndNotOneByteMore) {
    struct Case {
        std::string bytes;
        bool loads;
    };
    const Case cases[] = {
        {std::string(TextBuffer::kMaxLoadBytes, 'a'), true},
        {std::string(TextBuffer::kMaxLoadBytes + 1, 'a'), false},
        {std::string(TextBuffer::kMaxLineFeeds, '\n'), true},
        {std::string(TextBuffer::kMaxLineFeeds + 1, '\n'), false},
    };
    for (const Case& c : cases) {
        const std::string file = Load("T.PRG", c.bytes);
        if (c.loads) {
            text.Load(file);
            EXPECT_EQ(text.Length(), c.bytes.size());
            continue;
        }
        try {
            text.Load(file);
            ADD_FAILURE() << c.bytes.size() << " bytes loaded";
        } catch (const ESmartEditError& e) {
            EXPECT_EQ(e.what(), TextTooLongMessage());
        }
        EXPECT_EQ(text.Length(), 0u);
        EXPECT_EQ(text.LineCount(), 0u);
    }
    // A full text takes no insertion that does not fit, and keeps every byte.
    text.Load(Load("F.PRG", std::string(TextBuffer::kMaxLoadBytes, 'a')));
    EXPECT_THROW(text.Insert(5, "xy"), ESmartEditError);
    EXPECT_EQ(text.Length(), TextBuffer::kMaxLoadBytes);
    text.Insert(5, "x");
    EXPECT_EQ(text.At(5), 'x');
}

TEST_F(EditorText, LinesEndAtLfOrCrLf) {
    text.Load(Load("L.PRG", "one\ntwo\r\n\nlast"));
    ASSERT_EQ(text.LineCount(), 3u);
    const std::pair<const char*, std::size_t> lines[] = {
        {"one", 0}, {"two", 4}, {"", 9}, {"last", 10}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(text.LineStart(i), lines[i].second) << i;
        const std::size_t end = text.LineEnd(i);
        EXPECT_EQ(text.Text(text.LineStart(i), end - text.LineStart(i)), lines[i].first) << i;
        EXPECT_EQ(text.LineOf(lines[i].second), i);
    }
}

// Line starts and counts agree with a plain scan after any sequence of changes, wherever the gap
// happens to stand.
TEST_F(EditorText, LinesFollowRandomChanges) {
    std::mt19937 random(7);
    std::string plain;
    for (int step = 0; step < 400; ++step) {
        const std::size_t at = plain.empty() ? 0 : random() % (plain.size() + 1);
        if (random() % 3 != 0 || plain.empty()) {
            const std::string piece = random() % 2 ? "ab\r\nc" : "\nxyz";
            text.Insert(at, piece);
            plain.insert(at, piece);
        } else {
            const std::size_t count = random() % 6;
            text.Erase(at, count);
            plain.erase(std::min(at, plain.size()), count);
        }
        ASSERT_EQ(text.AllText(), plain) << step;
        const auto feeds = static_cast<std::size_t>(std::count(plain.begin(), plain.end(), '\n'));
        ASSERT_EQ(text.LineCount(), feeds);
        const std::size_t line = random() % (feeds + 1);
        std::size_t start = 0;
        for (std::size_t i = 0; i < line; ++i)
            start = plain.find('\n', start) + 1;
        ASSERT_EQ(text.LineStart(line), start) << step;
    }
}

TEST_F(EditorText, OffsetsFollowInsertsAndDeletes) {
    text.Insert(0, "0123456789");
    struct Case {
        bool insert;
        std::size_t at;
        std::size_t count;
        std::int32_t begin, end, bookmark; // after the change
    } const cases[] = {
        {true, 0, 3, 5, 9, 7},  // before everything: all move
        {true, 2, 3, 5, 9, 7},  // at the block's begin: the begin moves too
        {true, 6, 3, 2, 6, 4},  // at the block's end: the end stays
        {true, 4, 3, 2, 9, 7},  // inside: the end moves, the bookmark at 4 moves
        {false, 0, 1, 1, 5, 3}, // before: all move back
        {false, 3, 5, 2, 3, 3}, // over the end and the bookmark: they collapse to 3
        {false, 1, 9, 1, 1, 1}, // over everything
    };
    for (const Case& c : cases) {
        text.Clear();
        text.Insert(0, "0123456789");
        text.blockBegin = 2;
        text.blockEnd = 6;
        text.bookmarks[3] = 4;
        if (c.insert)
            text.Insert(c.at, std::string(c.count, 'x'));
        else
            text.Erase(c.at, c.count);
        EXPECT_EQ(text.blockBegin, c.begin) << c.insert << c.at;
        EXPECT_EQ(text.blockEnd, c.end) << c.insert << c.at;
        EXPECT_EQ(text.bookmarks[3], c.bookmark) << c.insert << c.at;
        EXPECT_EQ(text.bookmarks[0], TextBuffer::kNone);
    }
}

TEST_F(EditorText, LineStatesMoveWithTheirLines) {
    text.Insert(0, "a\nb\nc");
    text.SetLineState(0, 7);
    text.SetLineState(1, 9);
    text.Insert(0, "x\n"); // a new first line break; the old ones follow
    ASSERT_EQ(text.LineCount(), 3u);
    EXPECT_EQ(text.LineState(0), 0);
    EXPECT_EQ(text.LineState(1), 7);
    EXPECT_EQ(text.LineState(2), 9);
    text.Erase(2, 2); // "a\n"
    EXPECT_EQ(text.LineState(1), 9);
    EXPECT_EQ(text.dirtyFirst, 0);
}

TEST_F(EditorText, SavesAtomicallyWithTheEditorsSafetyCopy) {
    EXPECT_EQ(EditorBackupName("/p/A.PRG"), "/p/A.~PR");
    EXPECT_EQ(EditorBackupName("/p/A"), "/p/A.~");
    const std::string file = Load("A.PRG", "old");
    text.Load(file);
    text.Insert(3, " new");
    text.Save(file, true);
    EXPECT_EQ(ReadFile(TempDir() / "A.PRG"), "old new");
    EXPECT_EQ(ReadFile(TempDir() / "A.~PR"), "old");
    text.Save(file, false);
    EXPECT_EQ(ReadFile(TempDir() / "A.~PR"), "old"); // no new copy without the option

    // A disk that refuses the write keeps the old file, and the editor its text. The file size
    // limit fails the write whoever runs the test (a read-only directory would not stop root).
    const std::string kept = FromFsPath(WriteFile("B.PRG", "kept"));
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit tiny = before;
    tiny.rlim_cur = 4;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    bool refused = false;
    try {
        text.Save(kept, true);
    } catch (const ESmartEditError&) {
        refused = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadFile(TempDir() / "B.PRG"), "kept");
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "B.~PR"));
    EXPECT_EQ(text.AllText(), "old new");
}

} // namespace
} // namespace panolcd::testing
