// The editor's settings record, the line states kept for a highlighter, the elements a line is
// painted in, and padding with tabs.

#include "editor/editcore.h"

#include "support/test_context.h"

namespace panolcd::testing {
namespace {

// A highlighter of { } comments: state 1 inside one. It counts the lines it scans and colours
// comment characters as element 6.
class CommentSyntax final : public EditorSyntax {
public:
    int ElementCount() const override { return 7; }
    TElementMap DefaultElementMap(int scheme) const override {
        TElementMap map = EditorSyntax::DefaultElementMap(scheme);
        map.push_back({0x008000, 0xFFFFFF, 0});
        return map;
    }
    std::uint8_t LineEndState(std::string_view line, std::uint8_t state) override {
        ++scanned;
        for (const char c : line) {
            if (c == '{')
                state = 1;
            else if (c == '}')
                state = 0;
        }
        return state;
    }
    std::uint8_t ColourLine(std::string_view line, std::uint8_t state,
                            std::uint8_t* elements) override {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '{')
                state = 1;
            elements[i] = state == 1 ? 6 : 0;
            if (line[i] == '}')
                state = 0;
        }
        return state;
    }
    int LineElementOverride(std::size_t line) override { return line == overrideLine ? 3 : 0; }
    void LinesInserted(std::size_t first, std::size_t count) override {
        inserted.emplace_back(first, count);
    }
    void BeforeCommand() override { ++commands; }

    int scanned = 0;
    int commands = 0;
    std::size_t overrideLine = 1000;
    std::vector<std::pair<std::size_t, std::size_t>> inserted;
};

class EditorView : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        auto owned = std::make_unique<CommentSyntax>();
        syntax = owned.get();
        editor.SetSyntax(std::move(owned));
    }
    // n lines "line\r\n" and a last empty line.
    void Lines(int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += "line\r\n";
        editor.InsertText(text);
    }
    std::vector<std::uint8_t> States() {
        std::vector<std::uint8_t> states;
        for (std::size_t i = 0; i < editor.Text().LineCount(); ++i)
            states.push_back(editor.Text().LineState(i));
        return states;
    }

    SmartEditCore editor;
    CommentSyntax* syntax = nullptr;
};

TEST_F(EditorView, SettingsRoundTripAndAShortElementMapFillsOnlyWhatItHas) {
    TSmartEditorSettings settings = editor.Syntax().DefaultSettings();
    ASSERT_EQ(settings.ElementMap.size(), 7u);
    EXPECT_EQ(settings.Options, 0x69EA7u);
    settings.TabSize = 4;
    settings.UndoLimit = 7;
    settings.KeyMapping = 0;
    settings.LineNumbers = ShowLineNumbers::SmallFont;
    settings.FontName = "Mono";
    settings.ElementMap[6].Foreground = 0x123456;
    editor.ApplySettings(settings);
    EXPECT_EQ(editor.Settings(), settings);
    EXPECT_EQ(editor.keyMapping, KeyMapping::Default);
    EXPECT_EQ(editor.History().Limit(), 7);

    TSmartEditorSettings shorter = settings;
    shorter.ElementMap = {{0x0000FF, 0x00FF00, 1}};
    editor.ApplySettings(shorter);
    EXPECT_EQ(editor.elementMap.size(), 7u);
    EXPECT_EQ(editor.elementMap[0], (TLexElementMap{0x0000FF, 0x00FF00, 1}));
    EXPECT_EQ(editor.elementMap[6].Foreground, 0x123456u);
}

TEST_F(EditorView, ThePlainEditorsElementsAndScheme) {
    const EditorSyntax plain;
    const TElementMap map = plain.DefaultElementMap(0);
    const struct {
        int element;
        const char* name;
        TLexElementMap map;
        bool style;
    } table[] = {
        {0,
         "Oby\xE8"
         "ejn\xFD text",
         {0x000000, 0xFFFFFF, 0},
         true},
        {1,
         "Ozna\xE8"
         "en\xFD text",
         {0xFFFFFF, 0x800000, 0},
         false},
        {2, "Mezery", {0x000000, 0xFFFFFF, 0}, true},
        {3, "Prav\xFD okraj", {0xC0C0C0, 0xFFFFFF, 0}, false},
        {4, "Panel", {0x808080, 0xC0C0C0, 0}, false},
        {5, "Nalezen\xFD text", {0xFFFFFF, 0x000000, 0}, false},
    };
    ASSERT_EQ(map.size(), 6u);
    for (const auto& row : table) {
        EXPECT_EQ(plain.ElementName(row.element), row.name);
        EXPECT_EQ(map[static_cast<std::size_t>(row.element)], row.map) << row.element;
        EXPECT_EQ(plain.StyleApplies(row.element), row.style) << row.element;
    }
    EXPECT_EQ(plain.ElementName(6), "");
    EXPECT_EQ(plain.SchemeName(0), "Standardn\xED");
}

TEST_F(EditorView, LineStatesAreBroughtUpToDateLazilyAndStopWhereTheyMatch) {
    Lines(1000);
    editor.SetHighlightActive(true);
    editor.UpdateLineStates(10);
    EXPECT_EQ(syntax->scanned, 10); // only as far as the line asked for
    editor.UpdateLineStates(1000);
    EXPECT_EQ(syntax->scanned, 1000);

    // One character typed in the middle re-lexes its line only.
    syntax->scanned = 0;
    editor.SetCaret(2, 500);
    editor.TypeChar('x');
    editor.UpdateLineStates(1000);
    EXPECT_EQ(syntax->scanned, 1);

    // An opened comment runs on to the end; closing it recolours only as far as states change.
    editor.SetCaret(0, 10);
    editor.TypeChar('{');
    editor.UpdateLineStates(1000);
    EXPECT_EQ(States()[9], 0);
    EXPECT_EQ(States()[10], 1);
    EXPECT_EQ(States()[999], 1);
    syntax->scanned = 0;
    editor.SetCaret(0, 20);
    editor.TypeChar('}');
    editor.UpdateLineStates(1000);
    EXPECT_EQ(States()[19], 1);
    EXPECT_EQ(States()[20], 0);
    EXPECT_EQ(States()[999], 0);
    EXPECT_EQ(syntax->scanned, 980);
    syntax->scanned = 0;
    editor.SetCaret(1, 20);
    editor.TypeChar('a');
    editor.UpdateLineStates(1000);
    EXPECT_EQ(syntax->scanned, 1);
}

TEST_F(EditorView, ElementsFollowOverrideHitSelectionAndHighlighter) {
    editor.InsertText("a{b}c\r\nplain");
    // Not active: everything plain, blanks behind the text plain too.
    EXPECT_EQ(editor.LineElements(0), (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(editor.ElementAt(40, 0), element::kPlainText);
    editor.SetHighlightActive(true);
    EXPECT_EQ(editor.LineElements(0), (std::vector<std::uint8_t>{0, 6, 6, 6, 0}));
    EXPECT_EQ(editor.ElementAt(40, 0), element::kBlanks);
    EXPECT_EQ(editor.ElementAt(2, 0), 6);
    editor.SelectRange(1, 3);
    editor.Text().foundBegin = 2;
    editor.Text().foundEnd = 4;
    EXPECT_EQ(editor.LineElements(0), (std::vector<std::uint8_t>{0, 1, 5, 5, 0}));
    syntax->overrideLine = 0;
    EXPECT_EQ(editor.LineElements(0), (std::vector<std::uint8_t>{3, 3, 3, 3, 3}));
    EXPECT_EQ(editor.ElementAt(40, 0), 3);
    EXPECT_EQ(editor.ElementAt(0, 1), 0);
    EXPECT_EQ(editor.ElementAt(0, 99), element::kBlanks); // below the last line
}

TEST_F(EditorView, HooksHearOfNewLinesAndOfEveryCommand) {
    editor.InsertText("a\r\nb\r\nc");
    editor.SetCaret(1, 1);
    editor.RunCommand(7); // break line
    EXPECT_EQ(syntax->inserted, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 1}}));
    const int before = syntax->commands;
    editor.KeyDown({KeyStroke::Key::Left, 0, false, false, false});
    editor.TypeChar('x');
    EXPECT_GT(syntax->commands, before + 1);
}

TEST_F(EditorView, OptimalFillPadsWithTabsThenBlanks) {
    const struct {
        std::uint32_t fill;
        const char* typed;   // beyond the end of "ab" at column 19
        const char* entered; // after Enter on a line indented to column 10
    } table[] = {
        {0, "ab                 x", "          y\r\n          "},
        {eo::kOptimalFill, "ab\t\t   x", "\t  y\r\n\t  "},
    };
    for (const auto& row : table) {
        SmartEditCore plain;
        plain.options = 0x9EA7 | row.fill;
        plain.InsertText("ab");
        plain.SetCaret(2, 0);
        for (int i = 0; i < 17; ++i)
            plain.Move(1, false); // into the virtual blanks
        plain.TypeChar('x');
        EXPECT_EQ(plain.Text().AllText(), row.typed);

        SmartEditCore indent;
        indent.options = 0x9EA7 | row.fill;
        indent.InsertText(std::string(row.entered).substr(0, std::string(row.entered).find('y')));
        indent.TypeChar('y');
        indent.RunCommand(0);
        EXPECT_EQ(indent.Text().AllText(), row.entered);
    }
}

TEST_F(EditorView, WithoutCursorThroughTabsTheCaretSkipsATabsCells) {
    for (const bool through : {false, true}) {
        SmartEditCore core;
        core.options = through ? 0x9EA7 : 0x9EA7 & ~eo::kCursorThroughTabs;
        core.InsertText("abcdef\r\n\tx");
        core.SetCaret(3, 0);
        core.Move(5, false); // down into the tab's cells
        EXPECT_EQ(core.CaretOffset(), 8u);
        EXPECT_EQ(core.CaretColumn() + core.VirtualBlanks(), through ? 3 : 0);
    }
}

} // namespace
} // namespace panolcd::testing
