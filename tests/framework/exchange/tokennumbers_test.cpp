#include "framework/exchange/lexreader.h"

#include "support/test_context.h"

namespace panolcd {
namespace {

using testing::ContextTest;
using testing::Cz;

enum class Op { Byte, Word, LongInt, DWord, Real };

struct Case {
    Op op;
    const char* text;
    double value;
    const char* message; // UTF-8; "" when no error is expected
    std::size_t column;  // where the reader stands afterwards
};

class TokenNumbers : public ContextTest {
protected:
    double Run(Op op, const char* text, TLexicalElemReader*& out) {
        const auto path = WriteFile("N.TXT", text);
        reader_ = std::make_unique<TLexicalElemReader>(path.string());
        out = reader_.get();
        switch (op) {
        case Op::Byte:
            return reader_->ReadByte();
        case Op::Word:
            return reader_->ReadWord();
        case Op::LongInt:
            return reader_->ReadLongInt();
        case Op::DWord:
            return reader_->ReadDateTime(0);
        case Op::Real:
            return reader_->ReadReal();
        }
        return -999;
    }
    void Check(const Case& c) {
        User().shown.clear();
        TLexicalElemReader* reader = nullptr;
        EXPECT_EQ(Run(c.op, c.text, reader), c.value) << c.text;
        EXPECT_EQ(reader->Column(), c.column) << c.text;
        if (*c.message == 0) {
            EXPECT_TRUE(User().shown.empty()) << c.text << ": " << User().shown[0].text;
            EXPECT_FALSE(reader->IsError()) << c.text;
            return;
        }
        ASSERT_EQ(User().shown.size(), 1u) << c.text;
        EXPECT_EQ(User().shown[0].text, Cz(c.message)) << c.text;
        EXPECT_EQ(User().shown[0].kind, MsgKind::Error) << c.text;
        EXPECT_TRUE(reader->IsError()) << c.text;
    }

private:
    std::unique_ptr<TLexicalElemReader> reader_;
};

TEST_F(TokenNumbers, Bytes) {
    const Case cases[] = {
        {Op::Byte, "$00", 0, "", 3},
        {Op::Byte, "  $fF;", 255, "", 5},
        {Op::Byte, "17)", 17, "", 2},
        {Op::Byte, "007", 7, "", 3},
        {Op::Byte, "$1FF", 255, "Hodnota mimo meze  <0;$FF>  1:4", 4},
        {Op::Byte, "256", 255, "Hodnota mimo meze  <0;$FF>  1:3", 3},
        {Op::Byte, "$", 255, "Syntaktická chyba v zápisu čísla integer <0;$FF>  1:1", 1},
        {Op::Byte, "$G", 255, "Syntaktická chyba v zápisu čísla integer <0;$FF>  1:1", 1},
        {Op::Byte, "-5", 255, "not (Ch in [''$'',''0''..''9'',''A''..''F'']) 1:1", 1},
        {Op::Byte, "x", 255, "not (Ch in [''$'',''0''..''9'',''A''..''F'']) 1:1", 1},
        {Op::Byte, "", 255, "not (Ch in [''$'',''0''..''9'',''A''..''F'']) 0:0", 0},
        // A hexadecimal letter without "$" makes one bad token, not a number from its digits on.
        {Op::Byte, "AB12;", 255, "Syntaktická chyba v zápisu čísla integer <0;$FF>  1:4", 4},
        {Op::Byte, "A;5", 255, "Syntaktická chyba v zápisu čísla integer <0;$FF>  1:1", 1},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenNumbers, Words) {
    const Case cases[] = {
        {Op::Word, "$FFFF", 65535, "", 5},
        {Op::Word, "$0a00", 2560, "", 5},
        {Op::Word, "65535", 65535, "", 5},
        {Op::Word, "$10000", 65535, "Hodnota mimo meze  <0;$FFFF>  1:6", 6},
        {Op::Word, "-1", 65535, "Hodnota mimo meze  <0;$FFFF>  1:2", 2},
        {Op::Word, "1-2", 65535, "Syntaktická chyba v zápisu čísla integer <0;$FFFF>  1:3", 3},
        {Op::Word, "'1'", 65535, "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:1", 1},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenNumbers, LongInts) {
    const Case cases[] = {
        {Op::LongInt, "2147483647", 2147483647, "", 10},
        {Op::LongInt, "-2147483647", -2147483647, "", 11},
        {Op::LongInt, "$FFFFFFFF", -1, "", 9}, // how negative values are written
        {Op::LongInt, "$7FFFFFFF", 2147483647, "", 9},
        {Op::LongInt, "-2147483648", -1, "Hodnota mimo meze  <-Maxint;Maxint>  1:11", 11},
        {Op::LongInt, "$80000000", -1, "Hodnota mimo meze  <-Maxint;Maxint>  1:9", 9},
        {Op::LongInt, "2147483648", -1,
         "Syntaktická chyba v zápisu čísla longint <-Maxint;Maxint>  1:10", 10},
        {Op::LongInt, "--1", -1, "Syntaktická chyba v zápisu čísla longint <-Maxint;Maxint>  1:3",
         3},
        {Op::LongInt, ".5", -1, "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:1", 1},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenNumbers, PlainDateTimeNumbersAreUnsigned) {
    const Case cases[] = {
        {Op::DWord, "$FFFFFFFF", 4294967295.0, "", 9},
        {Op::DWord, "4294967295", 4294967295.0, "", 10},
        {Op::DWord, "0", 0, "", 1},
        {Op::DWord, "-1", 4294967295.0, "Hodnota mimo meze  <0;$FFFFFFFF>  1:2", 2},
        {Op::DWord, "4294967296", 4294967295.0,
         "Syntaktická chyba v zápisu čísla longint <0;$FFFFFFFF>  1:10", 10},
        {Op::DWord, "$123456789", 4294967295.0,
         "Syntaktická chyba v zápisu čísla longint <0;$FFFFFFFF>  1:10", 10},
        {Op::DWord, "x", 4294967295.0, "not (Ch in [''$'',''-'',''0''..''9'',''A''..''F'']) 1:1",
         1},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenNumbers, Reals) {
    const Case cases[] = {
        {Op::Real, "1.50000000000000E+0000", 1.5, "", 22},
        {Op::Real, "-2.5E-0003;", -0.0025, "", 10},
        {Op::Real, "+7", 7, "", 2},
        {Op::Real, ".25", 0.25, "", 3},
        {Op::Real, "3.", 3, "", 2},
        {Op::Real, "1e38", 1e38, "", 4},
        {Op::Real, "-1.0E+38", -1e38, "", 8},
        {Op::Real, "1E39", 0, "Hodnota mimo meze  <-1.0E+38;1.0E+38>  1:4", 4},
        {Op::Real, "-1E999", 0, "Hodnota mimo meze  <-1.0E+38;1.0E+38>  1:6", 6},
        {Op::Real, "1E-999", 0, "", 6},
        {Op::Real, "1..2", 0, "Syntaktická chyba v zápisu čísla real <-1.0E+38;1.0E+38>  1:4", 4},
        {Op::Real, "E", 0, "Syntaktická chyba v zápisu čísla real <-1.0E+38;1.0E+38>  1:1", 1},
        {Op::Real, "1,5", 1, "", 1}, // the comma ends the token
        {Op::Real, "$10", 0, "not (Ch in [''.'',''+'',''-'',''0''..''9'',''E'']) 1:1", 1},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(TokenNumbers, TokensFollowOneAnotherInARecord) {
    const auto path = WriteFile("R.TXT", "($0A;-3;{note}'x';1.5E+0000;$FFFF)\r\n");
    TLexicalElemReader reader(path.string());
    EXPECT_EQ(reader.NextChar(), '(');
    EXPECT_EQ(reader.ReadByte(), 10);
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadLongInt(), -3);
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadString(), "x");
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadReal(), 1.5);
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadWord(), 65535);
    EXPECT_EQ(reader.NextChar(), ')');
    EXPECT_EQ(reader.NextChar(), 0);
    EXPECT_FALSE(reader.IsError());
}

TEST_F(TokenNumbers, ANumberReadAfterAnErrorFailsAtOnce) {
    const auto path = WriteFile("R.TXT", "x 5 6 7 8");
    TLexicalElemReader reader(path.string());
    reader.Error(kErrImport, "stop");
    EXPECT_EQ(reader.ReadByte(), 255);
    EXPECT_EQ(reader.ReadWord(), 65535);
    EXPECT_EQ(reader.ReadLongInt(), -1);
    EXPECT_EQ(reader.ReadDateTime(1), 0xFFFFFFFFu);
    EXPECT_EQ(reader.ReadReal(), 0);
    EXPECT_EQ(reader.Column(), 0u);
    EXPECT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "stop 0:0");
}

} // namespace
} // namespace panolcd
