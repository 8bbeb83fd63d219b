// The generator engine: indentation, line cut, multi-line texts, the walk and the list sort.

#include "generator/syntaxobject.h"

#include "generator/syntaxparser.h"
#include "support/test_context.h"

#include <functional>

namespace panolcd::testing {
namespace {

class EngineTest : public ContextTest {
protected:
    // Writes through the parser's output object and returns the file's bytes.
    std::string Written(const std::function<void(TSyntaxParser&)>& write) {
        TSyntaxParser parser;
        const std::string path = (TempDir() / "OUT.PRI").string();
        parser.OpenOutput(path);
        parser.Exporter->AtLineStart = true;
        write(parser);
        EXPECT_EQ(parser.CloseOutput(), "");
        EXPECT_EQ(parser.OutputName, "");
        return ReadFile(path);
    }
    static void Node(TSyntaxParser& parser, std::string_view text, int before, bool endsLine,
                     int after, bool lines = false) {
        struct Leaf final : TSyntaxLeaf {
            Leaf(TSyntaxParser& p, std::string_view t, bool l) : TSyntaxLeaf(p, nullptr) {
                text_ = t;
                lines_ = l;
            }
            void Write() override { lines_ ? EmitLines(text_) : Emit(text_); }
            bool lines_;
        } leaf(parser, text, lines);
        leaf.SetLayout(before, endsLine, after);
        leaf.Start(kEmitPhase);
        EXPECT_EQ(leaf.Step(), StepUp);
        EXPECT_EQ(leaf.Step(), StepUp); // done: state 0
    }
};

TEST_F(EngineTest, IndentationIsClampedTo0Through128) {
    TCodeExporter out;
    struct Case {
        int delta;
        std::size_t length;
    };
    for (const Case c : {Case{4, 4}, {-2, 2}, {-10, 0}, {200, 128}, {1, 128}, {-127, 1}}) {
        out.Indent(c.delta);
        EXPECT_EQ(out.IndentStr, std::string(c.length, ' ')) << c.delta;
    }
}

TEST_F(EngineTest, LayoutAppliesIndentationBeforeTheFirstTextOfALine) {
    const std::string text = Written([](TSyntaxParser& p) {
        Node(p, "begin", 0, true, 4);
        Node(p, "x", -2, true, 0); // 2 blanks further left than the indentation
        Node(p, "a", 0, false, 0);
        Node(p, "b", 6, true, 0); // mid-line: affects only the next line
        Node(p, "c", -8, true, 0);
    });
    EXPECT_EQ(text, "begin\r\n  x\r\n  ab\r\nc\r\n");
}

TEST_F(EngineTest, IndentedLinesAreCutTo255Characters) {
    const std::string text = Written([](TSyntaxParser& p) {
        p.Exporter->Indent(10);
        Node(p, std::string(300, 'x'), 0, true, 0);
        Node(p, std::string(300, 'y'), 0, false, 0);
        Node(p, "", 0, true, 0);
    });
    EXPECT_EQ(text, std::string(10, ' ') + std::string(245, 'x') + "\r\n" + std::string(10, ' ') +
                        std::string(245, 'y') + "\r\n");
}

TEST_F(EngineTest, EmitLinesSplitsAtEveryLineBreak) {
    struct Case {
        const char* text;
        bool endsLine;
        const char* expected; // followed by the next node's "|"
    };
    for (const Case c : {Case{"a\r\nb", false, "  a\r\n  b|"},
                         {"a\nb\rc", true, "  a\r\n  b\r\n  c\r\n  |"},
                         {"a\r\n", false, "  a|"},
                         {"a\r\n\r\n", true, "  a\r\n  \r\n  |"},
                         {"", true, "  |"}}) {
        const std::string text = Written([&c](TSyntaxParser& p) {
            Node(p, c.text, 2, c.endsLine, 0, true);
            Node(p, "|", 0, false, -2);
        });
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST_F(EngineTest, ListQuickSortGivesTheOrderOfItsPartitioning) {
    struct Case {
        std::vector<std::pair<int, char>> items;
        const char* order;
    };
    const auto key = [](const std::pair<int, char>& item) { return item.first; };
    for (const Case& c : std::vector<Case>{{{{1, 'a'}, {1, 'b'}, {1, 'c'}}, "cba"},
                                           {{{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}}, "dbac"},
                                           {{{5, 'a'}, {-3, 'b'}, {0, 'c'}}, "bca"},
                                           {{}, ""}}) {
        auto items = c.items;
        ListQuickSort(items, key);
        std::string order;
        for (const auto& item : items)
            order += item.second;
        EXPECT_EQ(order, c.order);
    }
}

TEST_F(EngineTest, EnclosedTextsKeepTheirClosingDelimiter) {
    EXPECT_EQ(Enclosed("{ ", "abc", " }", 254), "{ abc }");
    EXPECT_EQ(Enclosed("{ ", "abcdef", " }", 7), "{ abc }");
    EXPECT_EQ(Enclosed("\"", "abc", "\"", 1), "\"\"");
}

} // namespace
} // namespace panolcd::testing
