// Vorn-Basic as the editor colours it: the lexing of one line, the states carried across lines,
// the keyword table's hash, and which files are highlighted.

#include "editor/editcore.h"
#include "editor/vornbasic.h"

#include "support/test_context.h"

namespace panolcd::testing {
namespace {

// One letter per character: the element of each ('.' plain, '_' blank, c comment, s string,
// n number, y symbol, k keyword, i identifier).
std::string Colours(std::string_view line, std::uint8_t start = 0) {
    VornBasicSyntax syntax;
    std::vector<std::uint8_t> elements(line.size(), 99);
    syntax.ColourLine(line, start, elements.data());
    std::string letters;
    for (const std::uint8_t element : elements) {
        switch (element) {
        case 0:
            letters += '.';
            break;
        case element::kBlanks:
            letters += '_';
            break;
        case vorn::kComment:
            letters += 'c';
            break;
        case vorn::kString:
            letters += 's';
            break;
        case vorn::kNumber:
            letters += 'n';
            break;
        case vorn::kSymbol:
            letters += 'y';
            break;
        case vorn::kKeyword:
            letters += 'k';
            break;
        case vorn::kIdentifier:
            letters += 'i';
            break;
        default:
            letters += '?';
            break;
        }
    }
    return letters;
}

TEST(VornBasicLexing, EveryTokenGetsItsElement) {
    const struct {
        const char* line;
        const char* colours;
    } table[] = {
        {"(a", "yi"},
        {"(*x*)", "ccccc"},
        {"#$1F", "ssss"},
        {"#13;", "sssy"},
        {"$1G", "nni"},
        {"$FFz", "nnni"},
        {"1.5E-3", "nnnnnn"},
        {"12e5+", "nnnny"},
        {"BEGIN Begin begin endif", "kkkkk_kkkkk_kkkkk_iiiii"},
        {"x := \"(*{\" 'a'", "i_yy_sssss_yiy"},
        {"{ a } b", "ccccc_i"},
        {"a.b*c`}", "i.i.i.."},
        {"var_1\\x", "iiiiiii"},
        {"\t\x9A", ".."}, // a tab and a Czech letter stay plain
        {"string word", "kkkkkk_kkkk"},
        {"(*a**)b", "cccccci"}, // "**)" closes
    };
    for (const auto& row : table)
        EXPECT_EQ(Colours(row.line), row.colours) << row.line;
    // Comments carried in from the line before.
    EXPECT_EQ(Colours("a} b", 1), "cc_i");
    EXPECT_EQ(Colours("a*) b", 3), "ccc_i");
    EXPECT_EQ(Colours(") b", 4), "c_i");
    // A state of 2 at the start: the "(" was on the line before and is not written.
    std::vector<std::uint8_t> guarded(3, 99);
    std::vector<std::uint8_t> withGuard(4, 0xEE);
    VornBasicSyntax syntax;
    syntax.ColourLine("*x", 2, withGuard.data() + 1);
    EXPECT_EQ(withGuard[0], 0xEE);
    EXPECT_EQ(withGuard[1], vorn::kComment);
}

TEST(VornBasicLexing, LineEndStatesFollowCommentsButNotStrings) {
    VornBasicSyntax syntax;
    const struct {
        const char* line;
        std::uint8_t start;
        std::uint8_t end;
    } table[] = {
        {"a := b;\r\n", 0, 0},
        {"{ open\r\n", 0, 1},
        {"still }\r\n", 1, 0},
        {"(* open\r\n", 0, 3},
        {"x *", 3, 4},
        {")\r\n", 4, 0},
        {"S := \"{\"\r\n", 0, 0},
        {"S := \"(*\"\r\n", 0, 0},
        {"(\r\n", 0, 0},
        {"({ x\r\n", 0, 1},
        {"anything\r\n", 9, 0},
        {"(* a **)\r\n", 0, 0},
    };
    for (const auto& row : table)
        EXPECT_EQ(syntax.LineEndState(row.line, row.start), row.end) << row.line;
}

TEST(VornBasicLexing, EditingTheOpeningLineRelexesOnlyWhileStatesChange) {
    // Counts the lines whose end state is computed.
    class Counting final : public EditorSyntax {
    public:
        std::uint8_t LineEndState(std::string_view line, std::uint8_t start) override {
            ++count;
            return vorn.LineEndState(line, start);
        }
        VornBasicSyntax vorn;
        int count = 0;
    };
    SmartEditCore editor;
    auto owned = std::make_unique<Counting>();
    Counting& counting = *owned;
    editor.SetSyntax(std::move(owned));
    editor.SetHighlightActive(true);
    editor.InsertText("a\r\n(* x\r\nb\r\nc *)\r\nd\r\ne\r\nf\r\n");
    editor.UpdateLineStates(7);
    EXPECT_EQ(editor.Text().LineState(1), 3);
    EXPECT_EQ(editor.Text().LineState(3), 0);
    counting.count = 0;
    editor.SetCaret(0, 1);
    editor.RunCommand(3); // "(* x" becomes "* x": the comment is gone
    editor.UpdateLineStates(7);
    EXPECT_EQ(editor.Text().LineState(1), 0);
    EXPECT_EQ(editor.Text().LineState(2), 0);
    // Lines 1 and 2 change; line 3 ends in 0 as before, and nothing after it is scanned.
    EXPECT_EQ(counting.count, 3);
}

TEST(VornBasicKeywords, HashTableValuesCollisionsAndDuplicates) {
    EXPECT_EQ(TStringHashTable::Hash(""), 0u);
    EXPECT_EQ(TStringHashTable::Hash("A"), 0x2080u);
    EXPECT_EQ(TStringHashTable::Hash("BEGIN"), 0x58F26514u);
    const std::shared_ptr<const TStringHashTable> keywords = VornKeywords();
    EXPECT_EQ(keywords->Count(), 40u);
    EXPECT_EQ(keywords->Find("EDITENTER"), 0);
    EXPECT_EQ(keywords->Find("LONGINT"), 1);
    EXPECT_EQ(keywords->Find("SWOBJ"), 2);
    EXPECT_EQ(keywords->Find("begin"), std::nullopt); // callers upper-case
    // Collisions are counted per insertion into an occupied bucket.
    std::size_t expected = 0;
    std::vector<bool> used(TStringHashTable::kDefaultBuckets);
    for (const char* word : {"OPTIONS",  "CONFIGURATION", "CONSTANT", "SYMBOL",  "PROCEDURE",
                             "TERMINAL", "BEGIN",         "END",      "IF",      "THEN",
                             "ELSE",     "WHILE",         "DO",       "FOR",     "TO",
                             "DOWNTO",   "REPEAT",        "UNTIL",    "CASE",    "OF",
                             "GOTO",     "EXIT",          "AND",      "OR",      "XOR",
                             "SHL",      "SHR",           "HELP",     "ONKEY",   "EDITENTER",
                             "BIT",      "BYTE",          "WORD",     "INTEGER", "LONGINT",
                             "REAL",     "DATETIME",      "STRING",   "HWOBJ",   "SWOBJ"}) {
        const std::size_t bucket = TStringHashTable::Hash(word) % used.size();
        expected += used[bucket] ? 1 : 0;
        used[bucket] = true;
    }
    EXPECT_EQ(keywords->Collisions(), expected);
    EXPECT_EQ(VornKeywords(), keywords); // one table while it is held

    TStringHashTable table(3);
    table.Insert("X", 1);
    EXPECT_THROW(table.Insert("X", 2), EHashDupError);
    try {
        table.Insert("X", 2);
    } catch (const EHashDupError& e) {
        EXPECT_STREQ(e.what(), "Duplicate name.");
    }
}

TEST(VornBasicFiles, HighlightingFollowsTheExtensionList) {
    const std::uint32_t on = vorn::kDefaultOptions;
    const struct {
        std::uint32_t options;
        const char* file;
        const char* extensions;
        bool active;
    } table[] = {
        {on, "/p/DEMO.PRG", "prg;pri", true},
        {on, "a.Pri", "prg;pri", true},
        {on, "notes.txt", "prg;pri", false},
        {on, "Noname", "prg;pri", false},
        {on, "x.txt", " prg ; txt ", true},
        {on, "dir.prg/file", "prg", false},
        {on & ~eo::kSyntaxHighlight, "a.prg", "prg", false},
        {on, "a.prg", "", false},
    };
    for (const auto& row : table)
        EXPECT_EQ(IsHighlightActive(row.options, row.file, row.extensions), row.active)
            << row.file << " / " << row.extensions;
}

TEST(VornBasicSchemes, ThreeSchemesOfFourteenElements) {
    const VornBasicSyntax syntax;
    EXPECT_EQ(syntax.SchemeName(1), "Inverzn\xED dle Zorvana");
    EXPECT_EQ(syntax.ElementName(13), "\xD8\xE1"
                                      "dka s chybou");
    EXPECT_EQ(syntax.ElementName(14), "");
    const TElementMap standard = syntax.DefaultElementMap(0);
    ASSERT_EQ(standard.size(), 14u);
    EXPECT_EQ(standard[vorn::kComment], (TLexElementMap{0x800000, 0xFFFFFF, style::kItalic}));
    EXPECT_EQ(standard[vorn::kKeyword].Style, style::kBold);
    EXPECT_EQ(syntax.DefaultElementMap(2)[0], (TLexElementMap{0x00FFFF, 0x800000, 0}));
    EXPECT_FALSE(syntax.StyleApplies(13));
    EXPECT_TRUE(syntax.StyleApplies(12));
    const TSmartEditorSettings defaults = syntax.DefaultSettings();
    EXPECT_EQ(defaults.Options, 0x6BEA7u);
    EXPECT_EQ(defaults.SyntaxExtensions, "prg;pri");
}

} // namespace
} // namespace panolcd::testing
