// The editor's model: undo records and their one-byte forms, grouping and redo, a failed command
// leaving the text as it was, and find, replace and incremental search on Windows-1250 text.

#include "editor/editcore.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "support/test_context.h"

namespace panolcd::testing {
namespace {

class FakePrompts final : public EditorPrompts {
public:
    std::vector<std::string> errors, informations, asked;
    std::vector<ReplaceAnswer> answers; // used in order; then Yes
    void Error(const std::string& text) override { errors.push_back(text); }
    void Information(const std::string& text) override { informations.push_back(text); }
    ReplaceAnswer ConfirmReplace(const std::string& find) override {
        asked.push_back(find);
        if (answers.empty())
            return ReplaceAnswer::Yes;
        const ReplaceAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

class Editor : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        editor.prompts = &prompts;
    }
    void Type(std::string_view text) {
        for (const char c : text)
            editor.TypeChar(c);
    }
    std::string Text() const { return editor.Text().AllText(); }

    SmartEditCore editor;
    FakePrompts prompts;
};

// A caret move of `delta` columns is kept in one byte when it fits a signed byte, else as the
// start value; undo brings the caret back either way.
TEST_F(Editor, CaretStatesTakeOneByteWhenTheyFit) {
    editor.options &= ~eo::kGroupUndo;
    editor.InsertText(std::string(50000, 'x'));
    struct Case {
        std::int32_t from, to;
        std::size_t stateBytes; // opcode and operand
    } const cases[] = {{300, 172, 2}, {300, 427, 2}, {300, 428, 5}, {0, 40000, 5}};
    for (const Case& c : cases) {
        editor.SetCaret(c.from, 0);
        editor.MoveCaret(static_cast<std::size_t>(c.to));
        const auto* record = editor.History().NewestUndo();
        ASSERT_NE(record, nullptr);
        // Header, the state opcode, the end: a caret move alone keeps no primitive.
        EXPECT_EQ(record->size(), TEditHistory::kHeaderBytes + c.stateBytes + 1) << c.to;
        EXPECT_TRUE(editor.Undo());
        EXPECT_EQ(editor.CaretColumn(), c.from) << c.to;
    }
}

TEST_F(Editor, UndoGroupsWhatIsTypedAndRedoLastsUntilANewEdit) {
    editor.options |= eo::kGroupUndo;
    Type("abc");
    editor.Backspace();
    EXPECT_EQ(Text(), "ab");
    EXPECT_TRUE(editor.Undo()); // the deletion
    EXPECT_EQ(Text(), "abc");
    EXPECT_TRUE(editor.Undo()); // the whole word
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(editor.History().RedoCount(), 2u);
    EXPECT_TRUE(editor.Redo());
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(editor.History().RedoCount(), 1u); // a redo keeps the rest
    EXPECT_EQ(editor.CaretOffset(), 3u);
    Type("d");
    EXPECT_EQ(editor.History().RedoCount(), 0u); // a new edit empties it

    editor.options &= ~eo::kGroupUndo;
    Type("ef");
    EXPECT_TRUE(editor.Undo());
    EXPECT_EQ(Text(), "abcde");

    // With a limit of 0 nothing is kept, and every command still empties the redo list.
    editor.History().SetLimit(0);
    editor.Undo();
    Type("z");
    EXPECT_EQ(editor.History().RedoCount(), 0u);
    EXPECT_FALSE(editor.Undo());
}

TEST_F(Editor, OverwriteAndLineBreaksUndoExactly) {
    editor.InsertText("one\r\ntwo");
    editor.SetCaretOffset(0);
    editor.options &= ~eo::kInsertMode;
    Type("ON");
    EXPECT_EQ(Text(), "ONe\r\ntwo");
    editor.SetCaretOffset(5);
    editor.Backspace(); // the CR LF goes whole
    EXPECT_EQ(Text(), "ONetwo");
    while (editor.Undo()) {
    }
    EXPECT_EQ(Text(), "");
    while (editor.Redo()) {
    }
    EXPECT_EQ(Text(), "ONetwo");
}

TEST_F(Editor, AFailedCommandLeavesTheTextAsItWas) {
    const std::string full(TextBuffer::kMaxLoadBytes, 'a');
    editor.Load(FromFsPath(WriteFile("F.PRG", full)));
    editor.replace = {0, "a", "aa"};
    EXPECT_THROW(editor.Replace(true), ESmartEditError);
    EXPECT_EQ(editor.Text().Length(), full.size());
    EXPECT_EQ(Text(), full);
    EXPECT_THROW(editor.InsertText("xy"), ESmartEditError);
    EXPECT_EQ(Text(), full);
}

TEST_F(Editor, SearchFollowsCaseAndWordRulesAcrossTheGap) {
    editor.InsertText(Utf8ToCp1250("Čára ab xab ab_ ab. ab\r\nčára"));
    struct Case {
        const char* find;
        std::uint8_t flags;
        std::vector<std::size_t> hits;
    } const cases[] = {
        {"ab", sf::kWholeWords, {5, 16, 20}},
        {"ab", 0, {5, 9, 12, 16, 20}},
        {"čára", 0, {0, 24}}, // č matches Č
        {"čára", sf::kMatchCase, {24}},
        {"Čára", sf::kBackwards, {24, 0}}, // backwards, down to offset 0
    };
    for (const Case& c : cases) {
        std::vector<std::size_t> hits;
        const std::string find = Utf8ToCp1250(c.find);
        const bool back = (c.flags & sf::kBackwards) != 0;
        std::size_t lo = 0, hi = editor.Text().Length();
        while (const auto hit = FindInText(editor.Text(), find, c.flags, lo, hi)) {
            hits.push_back(*hit);
            if (back)
                hi = *hit;
            else
                lo = *hit + 1;
        }
        EXPECT_EQ(hits, c.hits) << c.find;
    }
    // A match whose halves lie on both sides of the gap.
    editor.Text().LineOf(6); // the gap now stands inside the first "ab"
    EXPECT_EQ(FindInText(editor.Text(), "ab", 0, 0, editor.Text().Length()), 5u);

    editor.search = {0, "nic"};
    EXPECT_FALSE(editor.Find());
    ASSERT_EQ(prompts.informations.size(), 1u);
    EXPECT_EQ(prompts.informations[0], Utf8ToCp1250("Hledaný řetězec 'nic' nebyl nalezen."));
    editor.search = {sf::kSelection, "ab"};
    editor.HideSelection();
    EXPECT_FALSE(editor.Find());
    EXPECT_EQ(prompts.errors.back(),
              Utf8ToCp1250("Nelze hledat, protože není označen žádný text."));
    editor.search = {0, "ab"};
    editor.SetCaretOffset(0);
    EXPECT_TRUE(editor.Find());
    EXPECT_EQ(editor.Text().foundBegin, 5);
    EXPECT_EQ(editor.CaretOffset(), 7u);
    EXPECT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Text().foundBegin, 9);
}

TEST_F(Editor, ReplaceAllIsOneUndoStepAndNoNeverLoops) {
    editor.InsertText("a-a-a");
    editor.replace = {0, "a", "bb"};
    EXPECT_EQ(editor.Replace(true), 3);
    EXPECT_EQ(Text(), "bb-bb-bb");
    EXPECT_TRUE(editor.Undo());
    EXPECT_EQ(Text(), "a-a-a");

    // Always "&Ne": every hit is offered once and the loop ends.
    editor.replace = {sf::kPrompt, "a", "a"};
    prompts.answers = {ReplaceAnswer::No, ReplaceAnswer::No, ReplaceAnswer::No};
    EXPECT_EQ(editor.Replace(true), 0);
    EXPECT_EQ(prompts.asked.size(), 3u);
    // "&Vše" after one "&Ne": the rest without asking.
    prompts.asked.clear();
    prompts.answers = {ReplaceAnswer::No, ReplaceAnswer::All};
    editor.replace = {sf::kPrompt, "a", "c"};
    EXPECT_EQ(editor.Replace(true), 2);
    EXPECT_EQ(Text(), "a-c-c");
    EXPECT_EQ(prompts.asked.size(), 2u);
    // Backwards the caret stays before each replacement.
    editor.replace = {sf::kBackwards, "c", "dd"};
    EXPECT_EQ(editor.Replace(true), 2);
    EXPECT_EQ(Text(), "a-dd-dd");
    editor.readOnly = true;
    editor.replace = {0, "dd", "e"};
    EXPECT_EQ(editor.Replace(true), 0);
    EXPECT_EQ(Text(), "a-dd-dd");
}

TEST_F(Editor, IncrementalSearchGrowsShrinksAndStopsAt63) {
    editor.InsertText("abc abd abdx");
    editor.SetCaretOffset(0);
    editor.BeginIncrementalSearch();
    EXPECT_TRUE(editor.IncrementalChar('a'));
    EXPECT_TRUE(editor.IncrementalChar('b'));
    EXPECT_TRUE(editor.IncrementalChar('d'));
    EXPECT_EQ(editor.Text().foundBegin, 4);
    EXPECT_FALSE(editor.IncrementalChar('q')); // no hit: dropped
    EXPECT_EQ(editor.IncrementalText(), "abd");
    EXPECT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Text().foundBegin, 8);
    editor.IncrementalBackspace();
    EXPECT_EQ(editor.IncrementalText(), "ab");
    EXPECT_EQ(editor.Text().foundBegin, 0);
    editor.EndIncrementalSearch();
    EXPECT_EQ(editor.CaretOffset(), 2u);
    EXPECT_FALSE(editor.InIncrementalSearch());

    editor.EndIncrementalSearch();
    editor.InsertText(std::string(70, 'k'));
    editor.SetCaretOffset(0);
    editor.BeginIncrementalSearch();
    int taken = 0;
    for (int i = 0; i < 70; ++i)
        taken += editor.IncrementalChar('k') ? 1 : 0;
    EXPECT_EQ(taken, 63);
}

} // namespace
} // namespace panolcd::testing
