#include "framework/exchange/lexwriter.h"

#include "framework/exchange/clipboardstream.h"
#include "framework/persistence/streamerrors.h"
#include "support/test_context.h"

#include <filesystem>
#include <stdexcept>

namespace panolcd {
namespace {

using testing::ContextTest;

TLexicalElemWriter::CharSet Breaks(std::string_view chars) {
    TLexicalElemWriter::CharSet set;
    for (const char c : chars)
        set.set(static_cast<unsigned char>(c));
    return set;
}

class LexicalWriter : public ContextTest {
protected:
    std::string Path(const char* name) const { return (TempDir() / name).string(); }
    // The bytes a writer on the private clipboard produced.
    static std::string Clipboard() {
        const auto& data = ClipBoardStreamMan().Stream().Data();
        return std::string(data.begin(), data.end());
    }
};

TEST_F(LexicalWriter, AnOverlongTokenFirstWritesAnEmptyLineThenStandsAlone) {
    const std::string token(100, 'x');
    {
        TLexicalElemWriter writer("", {}, 80);
        writer.Append(token);
        EXPECT_EQ(writer.LineCount(), 1u);
    }
    EXPECT_EQ(Clipboard(), "\r\n" + token + "\r\n");
}

TEST_F(LexicalWriter, WrapsWhenTheRestOfTheWidthIsShorterThanTheText) {
    struct Case {
        int width;
        std::vector<std::string> pieces;
        std::string out;
    };
    const Case cases[] = {
        {10, {"123456", "7890"}, "1234567890\r\n"},       // fits exactly
        {10, {"123456", "78901"}, "123456\r\n78901\r\n"}, // one too many
        {5, {"ab", "cd", "ef", "g"}, "abcd\r\nefg\r\n"},
        {0, {"a", "b"}, "\r\na\r\nb\r\n"}, // no width: every text on a line of its own
    };
    for (const Case& c : cases) {
        {
            TLexicalElemWriter writer("", {}, c.width);
            for (const auto& piece : c.pieces)
                writer.Append(piece);
        }
        EXPECT_EQ(Clipboard(), c.out) << c.width;
    }
}

TEST_F(LexicalWriter, PrefixTakesEffectAtTheNextNewLine) {
    {
        TLexicalElemWriter writer("", Breaks("<>("), 12);
        writer.AppendChar('<');
        writer.SetIndent("  ");
        writer.AppendChar('(');
        writer.Append("$01;$02");
        writer.Append(";$03)"); // wraps after the prefix
        writer.SetIndent();
        writer.AppendChar('>');
    }
    EXPECT_EQ(Clipboard(), "<\r\n  ($01;$02\r\n  ;$03)\r\n>\r\n");
}

TEST_F(LexicalWriter, BreakBeforeOnAPrefixOnlyBufferWritesThePrefixLine) {
    {
        TLexicalElemWriter writer("", Breaks("#"), 80);
        writer.SetIndent("    ");
        writer.NewLine(); // empty buffer: nothing written, the buffer becomes the prefix
        EXPECT_EQ(writer.LineCount(), 0u);
        EXPECT_EQ(writer.LineBuffer(), "    ");
        writer.AppendChar('#');
        EXPECT_EQ(writer.LineCount(), 1u);
    }
    EXPECT_EQ(Clipboard(), "    \r\n    #\r\n");
}

TEST_F(LexicalWriter, WriteLineGoesStraightOutAndLeavesTheBufferAlone) {
    {
        TLexicalElemWriter writer("", {}, 80);
        writer.Append("pending");
        writer.WriteLine("direct");
        EXPECT_EQ(writer.LineCount(), 1u);
        EXPECT_EQ(writer.LineBuffer(), "pending");
    }
    EXPECT_EQ(Clipboard(), "direct\r\npending\r\n");
}

TEST_F(LexicalWriter, IndentIsCutTo31AndWidthTo4095) {
    {
        TLexicalElemWriter writer("", {}, 100000);
        writer.SetIndent(std::string(40, ' '));
        writer.Append(std::string(4095, 'a'));
        writer.Append("b"); // 4096 characters do not fit in 4095
    }
    EXPECT_EQ(Clipboard(), std::string(4095, 'a') + "\r\n" + std::string(31, ' ') + "b\r\n");
}

TEST_F(LexicalWriter, WritingAFileTwiceKeepsTheFirstVersionAsSafetyCopy) {
    const std::string name = Path("PROJ.LCD");
    for (const char* text : {"first", "second"}) {
        TLexicalElemWriter writer(name, {}, 80);
        writer.Append(text);
    }
    EXPECT_EQ(ReadFile(name), "second\r\n");
    EXPECT_EQ(ReadFile(Path("PROJ.~CD")), "first\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TempDir()),
                            std::filesystem::directory_iterator()),
              2); // no temporary file left behind
}

TEST_F(LexicalWriter, TheFileAppearsOnlyWhenClosed) {
    const std::string name = Path("NEW.LCD");
    TLexicalElemWriter writer(name, {}, 80);
    writer.Append("x");
    EXPECT_FALSE(std::filesystem::exists(name));
    writer.Close();
    EXPECT_EQ(ReadFile(name), "x\r\n");
    writer.Close(); // once only
    EXPECT_EQ(ReadFile(name), "x\r\n");
    EXPECT_THROW(writer.Append(std::string(100, 'y')), EWriteError);
}

TEST_F(LexicalWriter, AnExceptionWhileWritingLeavesThePreviousVersionInPlace) {
    const std::string name = Path("PROJ.LCD");
    WriteFile("PROJ.LCD", "old\r\n");
    WriteFile("PROJ.~CD", "older\r\n");
    try {
        TLexicalElemWriter writer(name, {}, 80);
        writer.Append("half");
        throw std::runtime_error("step failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadFile(name), "old\r\n");
    EXPECT_EQ(ReadFile(Path("PROJ.~CD")), "older\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TempDir()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(LexicalWriter, AnAbandonedFileLeavesThePreviousVersionInPlace) {
    const std::string name = Path("PROJ.LCD");
    WriteFile("PROJ.LCD", "old\r\n");
    {
        TLexicalElemWriter writer(name, {}, 80);
        writer.Append("half");
        writer.Abandon();
    }
    EXPECT_EQ(ReadFile(name), "old\r\n");
    EXPECT_FALSE(std::filesystem::exists(Path("PROJ.~CD")));
}

TEST_F(LexicalWriter, AFileThatCannotBeCreatedRaises) {
    EXPECT_THROW(TLexicalElemWriter(Path("missing/dir/P.LCD"), {}, 80), EFCreateError);
}

} // namespace
} // namespace panolcd
