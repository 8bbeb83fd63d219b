#include "framework/exchange/lexreader.h"

#include "framework/environment/envcontext.h"
#include "framework/persistence/streamerrors.h"
#include "support/test_context.h"

#include <string>
#include <vector>

namespace panolcd {
namespace {

using testing::ContextTest;
using testing::Cz;

class LexicalReader : public ContextTest {
protected:
    // A reader over a file holding exactly these bytes.
    std::unique_ptr<TLexicalElemReader> Open(const std::string& bytes,
                                             const TokenSettings& settings = {}) {
        const auto path = WriteFile("IN.LCD", bytes);
        return std::make_unique<TLexicalElemReader>(path.string(), settings);
    }
    // Every significant character up to the end, with its line and column.
    static std::string Walk(TLexicalElemReader& reader) {
        std::string out;
        for (char c = reader.NextChar(); c != 0; c = reader.NextChar())
            out += std::string(1, c) + std::to_string(reader.LineNumber()) + "." +
                   std::to_string(reader.Column()) + " ";
        return out;
    }
    const std::string& LastMessage() {
        static const std::string none;
        return User().shown.empty() ? none : User().shown.back().text;
    }
};

TEST_F(LexicalReader, NextCharPassesBlanksEmptyLinesAndControlCharacters) {
    auto reader = Open("  a b\r\n\r\n\t\x01 c\r\n");
    EXPECT_EQ(Walk(*reader), "a1.3 b1.5 c3.4 ");
    EXPECT_EQ(reader->LineNumber(), 3u);
    EXPECT_EQ(reader->Column(), 0u);
    EXPECT_EQ(reader->CurrentChar(), 0);
    EXPECT_EQ(reader->NextChar(), 0); // stays at the end
    EXPECT_FALSE(reader->IsError());
}

TEST_F(LexicalReader, PeekCharLeavesTheCharacterToBeRead) {
    auto reader = Open("{ c }\r\n  ab");
    EXPECT_EQ(reader->PeekChar(), 'a');
    EXPECT_EQ(reader->NextChar(), 'a');
    EXPECT_EQ(reader->PeekChar(), 'b');
    EXPECT_EQ(reader->NextChar(), 'b');
    EXPECT_EQ(reader->PeekChar(), 0);
}

TEST_F(LexicalReader, CharactersAbove127AreNotBlanks) {
    auto reader = Open(Cz("ř š"));
    EXPECT_EQ(reader->NextChar(), Cz("ř")[0]);
    EXPECT_EQ(reader->NextChar(), Cz("š")[0]);
    EXPECT_EQ(reader->Column(), 3u);
}

TEST_F(LexicalReader, CommentsAreSkippedWithQuotedBracesInside) {
    struct Case {
        const char* text;
        const char* walk;
    };
    const Case cases[] = {
        {"a{ comment }b", "a1.1 b1.13 "},   {"a{ 'x}y' still }b", "a1.1 b1.17 "},
        {"a{ \"}\" }b", "a1.1 b1.9 "},      {"a{ { not nested }b}c", "a1.1 b1.18 }1.19 c1.20 "},
        {"{one\r\ntwo}{three}x", "x2.12 "}, {"a{ never closed\r\n", "a1.1 "},
    };
    for (const Case& c : cases) {
        auto reader = Open(c.text);
        EXPECT_EQ(Walk(*reader), c.walk) << c.text;
        EXPECT_FALSE(reader->IsError()) << c.text;
    }
}

TEST_F(LexicalReader, AnOpenQuoteInACommentIsAnError) {
    auto reader = Open("{ don't }\r\nx");
    EXPECT_EQ(reader->NextChar(), 0);
    EXPECT_TRUE(reader->IsError());
    EXPECT_EQ(LastMessage(), Cz("Očekáván znak  ''' or '\"'  2:0"));
}

TEST_F(LexicalReader, QuotedStrings) {
    struct Case {
        const char* text;
        std::string value;
        std::size_t column; // left on the closing quote
    };
    const Case cases[] = {
        {"'abc';", "abc", 5},
        {"''", "", 2},
        {"'it''s'", "it", 4}, // a doubled quote is no escape
        {"\"a'b\"", "a'b", 5},
        {"'a\"b'", "a\"b", 5},
        {"'one\r\ntwo'", "one\r\ntwo", 4},
        {"'one \r\n\r\n two'", "one \r\n\r\n two", 5},
    };
    for (const Case& c : cases) {
        auto reader = Open(c.text);
        EXPECT_EQ(reader->ReadString(), c.value) << c.text;
        EXPECT_EQ(reader->Column(), c.column) << c.text;
        EXPECT_FALSE(reader->IsError()) << c.text;
    }
}

TEST_F(LexicalReader, AnUnterminatedStringReportsItsQuote) {
    auto reader = Open("\r\n  \"abc\r\ndef");
    EXPECT_EQ(reader->ReadString(), "");
    EXPECT_TRUE(reader->IsError());
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, Cz("Očekáván znak  '\"'  3:0"));
    EXPECT_EQ(User().shown[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(User().shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(User().beeps, 1);
}

TEST_F(LexicalReader, AStringMustStartWithAQuote) {
    auto reader = Open("\r\n   abc");
    EXPECT_EQ(reader->ReadString(), "");
    EXPECT_EQ(LastMessage(), Cz("Očekáván znak  ''' or '\"'  2:4"));
}

TEST_F(LexicalReader, ErrorShowsTextAndPositionInAnErrorBox) {
    auto reader = Open("ab");
    reader->NextChar();
    reader->NextChar();
    reader->Error(kErrSyntax, "Bad");
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Bad 1:2");
    EXPECT_EQ(User().shown[0].kind, MsgKind::Error);
    EXPECT_EQ(User().shown[0].buttons, MsgButtons::Ok);
}

TEST_F(LexicalReader, ExpectedNamesTheCharacter) {
    auto reader = Open("x");
    reader->NextChar();
    reader->Expected(';');
    EXPECT_EQ(LastMessage(), Cz("Očekáván znak  ';'  1:1"));
}

TEST_F(LexicalReader, OnlyTheFirstErrorIsShownAndReadsThenFailAtOnce) {
    auto reader = Open("x $01 'a' b\r\nnext line");
    reader->NextChar();
    reader->Expected(';');
    reader->Expected(')');
    reader->Error(kErrSemantic, "again");
    EXPECT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(reader->NextChar(), 0);
    EXPECT_EQ(reader->ReadByte(), 255);
    EXPECT_EQ(reader->ReadString(), "");
    EXPECT_EQ(reader->SkipValue(), 0);
    EXPECT_EQ(reader->ReadRawLine(), "");
    EXPECT_EQ(reader->Column(), 1u); // nothing moved
    EXPECT_EQ(User().shown.size(), 1u);
}

TEST_F(LexicalReader, SkipValueStopsAtTheEndOfTheValue) {
    struct Case {
        const char* text;
        char end;
        char separator;
    };
    const Case cases[] = {
        {"abc;x", ';', ';'},
        {"  1/2/03 4:05 )", ')', ';'},
        {"'a;b)' ;", ';', ';'},
        {"'a' x;", 'x', ';'}, // after a string: the next character, whatever it is
        {";", ';', ';'},
        {"a b c", 0, ';'},
        {"a\tb", '\t', '\t'},
        {"a,b", ',', ','},
        {"{;} a;", ';', ';'},
    };
    for (const Case& c : cases) {
        TokenSettings settings;
        settings.valueSeparator = c.separator;
        auto reader = Open(c.text, settings);
        EXPECT_EQ(reader->SkipValue(), c.end) << c.text;
        EXPECT_FALSE(reader->IsError()) << c.text;
    }
}

TEST_F(LexicalReader, AControlCharacterSeparatorIsNoBlank) {
    TokenSettings tab;
    tab.valueSeparator = '\t';
    auto reader = Open("a\tb c", tab);
    EXPECT_EQ(Walk(*reader), "a1.1 \t1.2 b1.3 c1.5 ");
}

TEST_F(LexicalReader, LineEnds) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\rc", {"a", "b", "c"}},
        {"a\nb\nc\n", {"a", "b", "c"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\r\nb\x1A\r\nc\r\n", {"a", "b"}}, // character 26 ends the input
        {"\x1A", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        auto reader = Open(c.bytes);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            lines.push_back(reader->ReadRawLine());
        EXPECT_EQ(lines, c.lines) << c.bytes;
        EXPECT_EQ(reader->LineNumber(), c.lines.size()) << c.bytes;
        EXPECT_EQ(reader->ReadRawLine(), "") << c.bytes;
        EXPECT_EQ(reader->LineNumber(), c.lines.size()) << c.bytes;
    }
}

TEST_F(LexicalReader, RawLinesAndCharactersMix) {
    auto reader = Open("a b\r\nraw line\r\nc");
    EXPECT_EQ(reader->NextChar(), 'a');
    EXPECT_EQ(reader->ReadRawLine(), "raw line");
    EXPECT_EQ(reader->Column(), 0u);
    EXPECT_EQ(reader->NextChar(), 'c');
    EXPECT_EQ(reader->LineNumber(), 3u);
}

TEST_F(LexicalReader, LongInputIsReadAcrossRefills) {
    // 5000 lines of 10 bytes: a dozen buffers.
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "%07d;\r\n", i);
        bytes += line;
    }
    auto reader = Open(bytes);
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(reader->ReadDateTime(0), static_cast<std::uint32_t>(i));
        ASSERT_EQ(reader->NextChar(), ';');
        ASSERT_EQ(reader->LineNumber(), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_EQ(reader->NextChar(), 0);
    EXPECT_FALSE(reader->IsError());
}

TEST_F(LexicalReader, ABufferOfShortLinesIsTakenInOneQueueFullAtATime) {
    // 2-byte lines: one buffer holds more lines than the queue takes.
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += std::string(1, static_cast<char>('a' + i % 26)) + "\r";
    auto reader = Open(bytes);
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(reader->ReadRawLine(), std::string(1, static_cast<char>('a' + i % 26))) << i;
        ASSERT_EQ(reader->LineNumber(), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_EQ(reader->ReadRawLine(), "");
}

TEST_F(LexicalReader, ACrLfPairSplitByTheBufferEndsOneLine) {
    // The CR is the buffer's last byte, its LF the first byte of the next refill.
    const std::string first(TLexicalElemReader::kBufferSize - 1, 'a');
    auto reader = Open(first + "\r\nb\r\n");
    EXPECT_EQ(reader->ReadRawLine(), first);
    EXPECT_EQ(reader->ReadRawLine(), "b");
    EXPECT_EQ(reader->ReadRawLine(), "");
    EXPECT_EQ(reader->LineNumber(), 2u);
}

TEST_F(LexicalReader, CrOnlyAndLfOnlyLinesAreReadBeyondOneBuffer) {
    for (const char* end : {"\r", "\n"}) {
        std::string bytes;
        for (int i = 0; i < 1000; ++i)
            bytes += "line " + std::to_string(i) + end;
        auto reader = Open(bytes);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(reader->ReadRawLine(), "line " + std::to_string(i));
        EXPECT_EQ(reader->LineNumber(), 1000u);
        EXPECT_EQ(reader->ReadRawLine(), "");
    }
}

TEST_F(LexicalReader, AnLfAtTheBufferEndEndsOneLineAndTheNextStartsAfterIt) {
    const std::string first(TLexicalElemReader::kBufferSize - 1, 'a');
    auto reader = Open(first + "\n\nb\n");
    EXPECT_EQ(reader->ReadRawLine(), first);
    EXPECT_EQ(reader->ReadRawLine(), "");
    EXPECT_EQ(reader->ReadRawLine(), "b");
    EXPECT_EQ(reader->LineNumber(), 3u);
}

TEST_F(LexicalReader, ErrorPlacesCountEveryKindOfLineEnd) {
    // The bad token stands on line 4 whichever line ends come before it.
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string e(end);
        auto reader = Open("$01" + e + e + "'x'" + e + "  abc");
        EXPECT_EQ(reader->ReadByte(), 1);
        EXPECT_EQ(reader->ReadString(), "x");
        EXPECT_EQ(reader->ReadString(), "");
        EXPECT_TRUE(reader->IsError());
        EXPECT_EQ(reader->LineNumber(), 4u) << "line end " << int(end[0]);
        EXPECT_NE(LastMessage().find(" 4:3"), std::string::npos) << LastMessage();
    }
}

TEST_F(LexicalReader, AQuotedStringOverAnLfLineEndHoldsCrLf) {
    auto reader = Open("'one\ntwo'");
    EXPECT_EQ(reader->NextChar(), '\'');
    EXPECT_EQ(reader->ReadQuoted(), "one\r\ntwo");
}

TEST_F(LexicalReader, LineLengthLimit) {
    const std::size_t size = TLexicalElemReader::kBufferSize;
    {
        auto reader = Open(std::string(size, 'x')); // exactly one buffer: fits
        EXPECT_EQ(reader->ReadRawLine(), std::string(size, 'x'));
    }
    {
        auto reader = Open(std::string(size - 2, 'x') + "\r\ny");
        EXPECT_EQ(reader->ReadRawLine().size(), size - 2);
        EXPECT_EQ(reader->ReadRawLine(), "y");
    }
    const std::string tooLong = Cz("Příliš dlouhá řádka");
    // The error names the line that does not fit and its first column past the buffer.
    const std::pair<std::string, const char*> cases[] = {
        {std::string(size + 1, 'x'), " 1:4097"},
        {std::string("a\r\n") + std::string(size, 'x') + "\r\n", " 2:4097"},
        {std::string(3000, 'x') + "\n" + std::string(size + 1, 'x') + "\n", " 2:4097"},
        {"a\nb\rc\r\n" + std::string(size + 1, 'x'), " 4:4097"},
        {"a\r\n\r\nb\r\n" + std::string(size + 5, 'x'), " 4:4097"},
    };
    for (const auto& [bytes, place] : cases) {
        auto reader = Open(bytes);
        try {
            while (reader->NextChar() != 0) {
            }
            ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
        } catch (const EStreamError& e) {
            EXPECT_EQ(std::string(e.what()), tooLong + place);
            EXPECT_TRUE(reader->IsError());
            EXPECT_EQ(reader->NextChar(), 0);
        }
    }
}

TEST_F(LexicalReader, ReadsTheClipboardStream) {
    EnvCtx().useClipboard = true;
    EnvCtx().clipboard->SetText("( 'a' )");
    TLexicalElemReader reader("");
    EXPECT_EQ(reader.FileName(), "");
    EXPECT_EQ(reader.NextChar(), '(');
    EXPECT_EQ(reader.ReadString(), "a");
    EXPECT_EQ(reader.NextChar(), ')');
}

TEST_F(LexicalReader, ClipboardTextWithLfLineEndsIsReadLineByLine) {
    // Other programs on Linux put text with LF line ends on the clipboard.
    EnvCtx().useClipboard = true;
    EnvCtx().clipboard->SetText("first\nsecond\n");
    TLexicalElemReader reader("");
    EXPECT_EQ(reader.ReadRawLine(), "first");
    EXPECT_EQ(reader.ReadRawLine(), "second");
    EXPECT_EQ(reader.LineNumber(), 2u);
}

TEST_F(LexicalReader, AMissingFileRaises) {
    EXPECT_THROW(TLexicalElemReader((TempDir() / "NONE.LCD").string()), EFOpenError);
}

TEST_F(LexicalReader, FindsAFileWhateverTheLetterCase) {
    const auto path = WriteFile("PROJ.LCD", "x");
    TLexicalElemReader reader((TempDir() / "proj.lcd").string());
    EXPECT_EQ(reader.NextChar(), 'x');
}

} // namespace
} // namespace panolcd
