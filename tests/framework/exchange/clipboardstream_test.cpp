#include "framework/exchange/clipboardstream.h"

#include "app/processcontext.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/exchange_test_support.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "support/test_context.h"

namespace panolcd {
namespace {

using testing::ContextTest;
using testing::Cz;
using testing::FakeClipboardPort;

std::string StreamText(TClipBoardStreamMan& man) {
    const auto& data = man.Stream().Data();
    return std::string(data.begin(), data.end());
}

void Put(TClipBoardStreamMan& man, const std::string& text) {
    man.BeginWrite();
    man.Stream().Write(text.data(), text.size());
    man.EndWrite();
}

class ClipBoardStream : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        auto port = std::make_unique<FakeClipboardPort>();
        port_ = port.get();
        EnvCtx().clipboard = std::move(port);
    }
    FakeClipboardPort& Port() { return *port_; }

private:
    FakeClipboardPort* port_ = nullptr;
};

TEST_F(ClipBoardStream, SystemClipboardTakesTheWrittenTextAndTheStreamEmpties) {
    EnvCtx().useClipboard = true;
    TClipBoardStreamMan& man = ClipBoardStreamMan();
    const std::string text = Cz("<Ř>\r\n");
    Put(man, text);
    EXPECT_EQ(Port().text, text); // Windows-1250 bytes, unchanged
    EXPECT_EQ(Port().sets, 1);
    EXPECT_EQ(man.Stream().Size(), 0);
    EXPECT_FALSE(man.IsEmpty());
}

TEST_F(ClipBoardStream, ReadingTakesTheSystemClipboardText) {
    EnvCtx().useClipboard = true;
    Port().SetText("abc");
    TClipBoardStreamMan& man = ClipBoardStreamMan();
    man.BeginRead();
    EXPECT_EQ(StreamText(man), "abc");
    EXPECT_EQ(man.Stream().Position(), 0);
    man.EndRead();
    EXPECT_EQ(man.Stream().Size(), 0);
    EXPECT_EQ(Port().text, "abc"); // reading leaves the clipboard alone
}

TEST_F(ClipBoardStream, ReadingAClipboardWithoutTextGivesAnEmptyStream) {
    EnvCtx().useClipboard = true;
    Port().text = "stale";
    Port().holdsText = false;
    TClipBoardStreamMan& man = ClipBoardStreamMan();
    EXPECT_TRUE(man.IsEmpty());
    man.BeginRead();
    EXPECT_EQ(man.Stream().Size(), 0);
}

TEST_F(ClipBoardStream, WithoutUseClipboardTheStreamIsThePrivateClipboard) {
    EnvCtx().useClipboard = false;
    TClipBoardStreamMan& man = ClipBoardStreamMan();
    EXPECT_TRUE(man.IsEmpty());
    Put(man, "x;y");
    EXPECT_EQ(Port().sets, 0);
    EXPECT_FALSE(man.IsEmpty());
    EXPECT_EQ(man.Stream().Position(), 0);
    man.BeginRead();
    EXPECT_EQ(StreamText(man), "x;y");
    man.EndRead();
    EXPECT_EQ(StreamText(man), "x;y"); // stays for the next paste
    EXPECT_FALSE(man.IsEmpty());
}

TEST_F(ClipBoardStream, ANewContextStartsWithAnEmptyPrivateClipboard) {
    EnvCtx().useClipboard = false;
    Put(ClipBoardStreamMan(), "left over");
    EXPECT_FALSE(ClipBoardStreamMan().IsEmpty());
    ResetContext();
    EnvCtx().useClipboard = false;
    EXPECT_TRUE(ClipBoardStreamMan().IsEmpty());
}

TEST_F(ClipBoardStream, TokensRoundTripThroughTheClipboardInBothModes) {
    const std::string record = Cz("($01;'Žluť')");
    for (const bool system : {true, false}) {
        EnvCtx().useClipboard = system;
        {
            TLexicalElemWriter writer("", {}, 80);
            writer.Append(record);
        }
        EXPECT_EQ(system ? Port().text : StreamText(ClipBoardStreamMan()), record + "\r\n");
        TLexicalElemReader reader("");
        EXPECT_EQ(reader.NextChar(), '(');
        EXPECT_EQ(reader.ReadByte(), 1);
        EXPECT_EQ(reader.NextChar(), ';');
        EXPECT_EQ(reader.ReadString(), Cz("Žluť"));
        EXPECT_EQ(reader.NextChar(), ')');
        EXPECT_EQ(reader.NextChar(), 0);
        EXPECT_FALSE(reader.IsError());
    }
    EXPECT_TRUE(User().shown.empty());
}

} // namespace
} // namespace panolcd
