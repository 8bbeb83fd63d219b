// The editor's commands and key maps: bookmarks, persistent blocks, typing beyond a line's end,
// trailing blanks, the classic prefixes, paste and move block.

#include "editor/editcore.h"

#include "support/test_context.h"

#include <functional>

namespace panolcd::testing {
namespace {

class FakeClipboard final : public EditorClipboard {
public:
    std::string text;
    std::string Text() override { return text; }
    void SetText(const std::string& t) override { text = t; }
};

using Key = KeyStroke::Key;

KeyStroke Ctrl(char letter, bool shift = false) {
    return {Key::Char, letter, shift, true, false};
}

class EditorCommands : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        editor.clipboard = &clipboard;
    }
    void Type(std::string_view text) {
        for (const char c : text)
            editor.KeyDown({Key::Char, c, false, false, false});
    }
    std::string Text() const { return editor.Text().AllText(); }

    SmartEditCore editor;
    FakeClipboard clipboard;
};

TEST_F(EditorCommands, ABookmarkTogglesOnItsLineAndMovesToAnother) {
    editor.InsertText("one\r\ntwo\r\nthree");
    editor.SetCaretOffset(1);
    editor.ToggleBookmark(3);
    EXPECT_EQ(editor.BookmarkOffset(3), 1);
    editor.SetCaretOffset(2);
    editor.ToggleBookmark(3); // the same line: cleared
    EXPECT_EQ(editor.BookmarkOffset(3), TextBuffer::kNone);
    editor.ToggleBookmark(3);
    editor.SetCaretOffset(7);
    editor.ToggleBookmark(3); // another line: moved
    EXPECT_EQ(editor.BookmarkOffset(3), 7);
    editor.SetCaretOffset(0);
    editor.InsertText("xx"); // bookmarks follow the text
    EXPECT_EQ(editor.BookmarkOffset(3), 9);
    editor.GotoBookmark(3);
    EXPECT_EQ(editor.CaretOffset(), 9u);
    EXPECT_EQ(editor.BookmarkOffset(10), TextBuffer::kNone);
    editor.ToggleBookmark(-1); // outside 0..9: nothing
}

TEST_F(EditorCommands, PersistentBlocksSurviveMovesOnlyWhenOn) {
    for (const bool persistent : {true, false}) {
        editor.Clear();
        editor.InsertText("abcdef");
        if (persistent)
            editor.options |= eo::kPersistentBlocks;
        else
            editor.options &= ~eo::kPersistentBlocks;
        editor.SetCaretOffset(1);
        editor.Move(1, true);
        editor.Move(1, true);
        EXPECT_EQ(editor.SelectedText(), "bc");
        editor.Move(1, false);
        EXPECT_EQ(editor.HasSelection(), persistent) << persistent;
    }
}

TEST_F(EditorCommands, TypingBeyondTheLineEndPadsItAndLeftLinesLoseTrailingBlanks) {
    editor.InsertText("ab\r\ncd");
    editor.SetCaretOffset(2);
    for (int i = 0; i < 3; ++i)
        editor.Move(1, false);
    EXPECT_EQ(editor.VirtualBlanks(), 3);
    Type("x");
    EXPECT_EQ(Text(), "ab   x\r\ncd");

    // Trailing blanks typed on a line go when the caret leaves it.
    Type("  ");
    editor.Move(5, false);
    EXPECT_EQ(Text(), "ab   x\r\ncd");
    // A line only passed over keeps them; with eoKeepBlanks a changed one does too.
    editor.Clear();
    editor.InsertText("a  \r\nb");
    editor.Text().modified = false;
    editor.SetCaretOffset(0);
    editor.Move(5, false);
    editor.Move(4, false);
    EXPECT_EQ(Text(), "a  \r\nb");
    editor.options |= eo::kKeepBlanks;
    editor.SetCaretOffset(6);
    Type("c  ");
    editor.Move(4, false);
    EXPECT_EQ(Text(), "a  \r\nbc  ");
}

TEST_F(EditorCommands, TheClassicPrefixesAndKeys) {
    editor.keyMapping = KeyMapping::Classic;
    editor.InsertText("one two three");
    editor.SetCaretOffset(4);
    editor.KeyDown(Ctrl('K'));
    EXPECT_EQ(editor.PrefixState(), 1);
    editor.KeyDown(Ctrl('B')); // block begin, with Ctrl too
    editor.SetCaretOffset(8);
    editor.KeyDown(Ctrl('K'));
    editor.KeyDown({Key::Char, 'k', false, false, false}); // block end, alone
    EXPECT_EQ(editor.SelectedText(), "two ");
    editor.KeyDown(Ctrl('K'));
    editor.KeyDown({Key::Char, '1', false, false, false});
    EXPECT_EQ(editor.BookmarkOffset(1), 8);
    editor.KeyDown(Ctrl('Q'));
    editor.KeyDown({Key::Char, 'r', false, false, false}); // text start
    EXPECT_EQ(editor.CaretOffset(), 0u);
    editor.KeyDown(Ctrl('Q'));
    editor.KeyDown({Key::Char, '1', false, false, false});
    EXPECT_EQ(editor.CaretOffset(), 8u);
    editor.KeyDown(Ctrl('A')); // a word left, not select all
    EXPECT_EQ(editor.CaretOffset(), 4u);
    EXPECT_EQ(editor.PrefixState(), 0);
    editor.KeyDown(Ctrl('K'));
    editor.KeyDown({Key::Char, 'y', false, false, false}); // delete block
    EXPECT_EQ(Text(), "one three");
    // An unknown key after a prefix ends it and does nothing else.
    editor.KeyDown(Ctrl('K'));
    editor.KeyDown({Key::Char, 'z', false, false, false});
    EXPECT_EQ(editor.PrefixState(), 0);
    EXPECT_EQ(Text(), "one three");
    // Ctrl+Y deletes the line.
    editor.KeyDown(Ctrl('Y'));
    EXPECT_EQ(Text(), "");
}

TEST_F(EditorCommands, PasteWritesCrLfAndMoveBlockLandsWhereTheCaretIs) {
    clipboard.text = "a\nb\r\nc";
    editor.RunCommand(13);
    EXPECT_EQ(Text(), "a\r\nb\r\nc");
    EXPECT_EQ(editor.Text().LineCount(), 2u);

    editor.Clear();
    editor.InsertText("abcXYZdef");
    editor.SelectRange(0, 3);
    editor.SetCaretOffset(9); // after the block
    editor.RunCommand(16);
    EXPECT_EQ(Text(), "XYZdefabc");
    EXPECT_EQ(editor.SelectedText(), "abc");
    editor.SelectRange(0, 3);
    editor.SetCaretOffset(1); // inside it: nowhere to go
    editor.RunCommand(16);
    EXPECT_EQ(Text(), "XYZdefabc");
    // Undo takes the move back in one step.
    editor.SelectRange(6, 9);
    editor.SetCaretOffset(0);
    editor.RunCommand(16);
    EXPECT_EQ(Text(), "abcXYZdef");
    editor.options &= ~eo::kGroupUndo;
    EXPECT_TRUE(editor.Undo());
    EXPECT_EQ(Text(), "XYZdefabc");
}

// Smart tab goes to the next word start above; Backspace in leading blanks goes back to the
// indentation of the nearest line above that is indented less.
TEST_F(EditorCommands, SmartTabAndBackspaceFollowTheLinesAbove) {
    editor.options |= eo::kSmartTab | eo::kBackspaceUnindents;
    editor.options &= ~eo::kAutoIndent;
    editor.InsertText("if a then\r\n    x:=1;\r\n");
    editor.RunCommand(8); // under "x:=1;"
    EXPECT_EQ(editor.CaretColumn(), 4);
    editor.RunCommand(8); // that line offers no more: further up, under "then"
    EXPECT_EQ(editor.CaretColumn(), 5);
    editor.RunCommand(8); // no line offers a word beyond: the next tab stop
    EXPECT_EQ(editor.CaretColumn(), 8);
    editor.RunCommand(1); // back to the indentation of "    x:=1;" (4)
    EXPECT_EQ(editor.CaretColumn(), 4);
    editor.RunCommand(1); // and to "if a then" (0)
    EXPECT_EQ(editor.CaretColumn(), 0);
    EXPECT_EQ(Text(), "if a then\r\n    x:=1;\r\n");
}

TEST_F(EditorCommands, IndentCaseAndLineCommands) {
    editor.InsertText("ab\r\n\r\ncd");
    editor.SelectRange(0, editor.Text().Length());
    editor.RunCommand(22);
    EXPECT_EQ(Text(), "  ab\r\n\r\n  cd"); // empty lines stay
    editor.RunCommand(23);
    EXPECT_EQ(Text(), "ab\r\n\r\ncd");
    editor.SetCaretOffset(1);
    editor.RunCommand(33);
    EXPECT_EQ(Text(), "AB\r\n\r\ncd");
    editor.RunCommand(29);
    EXPECT_EQ(editor.SelectedText(), "AB\r\n");
    editor.RunCommand(6);
    EXPECT_EQ(Text(), "\r\ncd");
    editor.readOnly = true;
    editor.RunCommand(6);
    EXPECT_EQ(Text(), "\r\ncd");
}

// Delete at or beyond a line's end pads the line up to the caret and joins the next one, also
// when the padding reaches past where the text used to end.
TEST_F(EditorCommands, DeleteBeyondTheLineEndPadsAndJoinsTheNextLine) {
    const struct {
        const char* text;
        int column; // on the first line
        const char* joined;
    } cases[] = {
        {"ab\r\nc", 2, "abc"},
        {"ab\r\nc", 3, "ab c"},
        {"ab\r\nc", 6, "ab    c"}, // padded past the text's old end
        {"ab\r\nc\r\nd", 9, "ab       c\r\nd"},
        {"ab\r\ncdefgh", 4, "ab  cdefgh"},
    };
    for (const auto& c : cases) {
        editor.Clear();
        editor.InsertText(c.text);
        editor.SetCaret(0, 0);
        for (int i = 0; i < c.column; ++i)
            editor.Move(1, false);
        editor.KeyDown({Key::Delete, 0, false, false, false});
        EXPECT_EQ(Text(), c.joined) << c.text << " at " << c.column;
        EXPECT_EQ(editor.CaretLine(), 0) << c.text << " at " << c.column;
        EXPECT_EQ(editor.CaretColumn(), c.column) << c.text << " at " << c.column;
        EXPECT_EQ(editor.VirtualBlanks(), 0);
        // One undo step takes padding and join back.
        EXPECT_TRUE(editor.Undo());
        EXPECT_EQ(Text(), c.text);
    }
}

// The caret placed anywhere (a click, a search hit, a bookmark) stands on real text: blanks it had
// beyond a line's end are not typed where it went.
TEST_F(EditorCommands, ACaretPlacedElsewhereLeavesItsVirtualBlanksBehind) {
    const std::function<void()> places[] = {
        [&] { editor.SetCaretOffset(4); },
        [&] { editor.SetCaret(0, 1); },
        [&] { editor.GotoBookmark(0); },
    };
    for (const auto& place : places) {
        editor.Clear();
        editor.InsertText("ab\r\ncd");
        editor.SetCaretOffset(4);
        editor.ToggleBookmark(0);
        editor.SetCaretOffset(2);
        editor.Move(1, false);
        editor.Move(1, false);
        ASSERT_EQ(editor.VirtualBlanks(), 2);
        place();
        EXPECT_EQ(editor.VirtualBlanks(), 0);
        Type("x");
        EXPECT_EQ(Text(), "ab\r\nxcd");
    }
}

// Indenting and unindenting a block keep the caret on the character it stood on.
TEST_F(EditorCommands, IndentAndUnindentKeepTheCaretOnItsText) {
    const struct {
        std::size_t caret;    // in "abc\r\ndef\r\nghi", the block covering lines 0..2
        std::size_t indented; // in "  abc\r\n  def\r\n  ghi"
    } cases[] = {{0, 2}, {1, 3}, {5, 9}, {7, 11}, {12, 18}, {13, 19}};
    for (const auto& c : cases) {
        editor.Clear();
        editor.InsertText("abc\r\ndef\r\nghi");
        editor.SelectRange(0, editor.Text().Length());
        editor.SetCaretOffset(c.caret);
        const std::string at = editor.Text().Text(c.caret, 1); // empty at the end
        editor.KeyDown(Ctrl('K'));
        editor.KeyDown({Key::Char, 'i', false, false, false});
        EXPECT_EQ(Text(), "  abc\r\n  def\r\n  ghi");
        EXPECT_EQ(editor.CaretOffset(), c.indented) << c.caret;
        EXPECT_EQ(editor.Text().Text(editor.CaretOffset(), 1), at) << c.caret;
        editor.KeyDown(Ctrl('K'));
        editor.KeyDown({Key::Char, 'u', false, false, false});
        EXPECT_EQ(Text(), "abc\r\ndef\r\nghi");
        EXPECT_EQ(editor.CaretOffset(), c.caret) << c.caret;
    }
    // A caret inside removed blanks stays at the line's new start.
    editor.Clear();
    editor.InsertText("    x\r\ny");
    editor.SelectRange(0, editor.Text().Length());
    editor.SetCaretOffset(1);
    editor.RunCommand(23);
    EXPECT_EQ(Text(), "  x\r\ny");
    EXPECT_EQ(editor.CaretOffset(), 0u);
}

// Undo and redo are commands that change the text: a read-only text keeps it.
TEST_F(EditorCommands, UndoAndRedoLeaveAReadOnlyTextAlone) {
    Type("one");
    editor.RunCommand(7);
    Type("two");
    editor.options &= ~eo::kGroupUndo;
    ASSERT_TRUE(editor.Undo());
    const std::string before = Text();
    editor.readOnly = true;
    const KeyStroke altBackspace{Key::Backspace, 0, false, false, true};
    const KeyStroke altShiftBackspace{Key::Backspace, 0, true, false, true};
    const std::function<void()> attempts[] = {
        [&] { editor.RunCommand(10); },        [&] { editor.RunCommand(11); },
        [&] { editor.KeyDown(altBackspace); }, [&] { editor.KeyDown(altShiftBackspace); },
        [&] { EXPECT_FALSE(editor.Undo()); },  [&] { EXPECT_FALSE(editor.Redo()); },
    };
    for (const auto& attempt : attempts) {
        attempt();
        EXPECT_EQ(Text(), before);
    }
    editor.keyMapping = KeyMapping::Default;
    editor.KeyDown(Ctrl('Z'));
    editor.KeyDown(Ctrl('Z', true));
    EXPECT_EQ(Text(), before);
    // The history is kept for when the text may change again.
    editor.readOnly = false;
    EXPECT_TRUE(editor.Redo());
    EXPECT_EQ(Text(), "one\r\ntwo");
}

} // namespace
} // namespace panolcd::testing
