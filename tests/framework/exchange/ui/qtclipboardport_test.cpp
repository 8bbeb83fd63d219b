#include "framework/environment/ui/qtclipboardport.h"

#include "framework/environment/envcontext.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "support/test_context.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using testing::Cz;

class ClipQtPort : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        EnvCtx().clipboard = std::make_unique<QtClipboardPort>();
        EnvCtx().useClipboard = true;
    }
};

TEST_F(ClipQtPort, ConvertsWindows1250ToAndFromTheSystemClipboard) {
    QtClipboardPort port;
    port.SetText(Cz("Žluťoučký kůň\r\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Žluťoučký kůň\r\n"));
    EXPECT_TRUE(port.HasText());
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Příliš €"));
    EXPECT_EQ(port.Text(), Cz("Příliš €"));
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(port.HasText());
}

TEST_F(ClipQtPort, TokenTextsTravelThroughTheSystemClipboard) {
    {
        TLexicalElemWriter writer("", {}, 80);
        writer.Append(Cz("('Řádek';$01)"));
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("('Řádek';$01)\r\n"));
    TLexicalElemReader reader("");
    EXPECT_EQ(reader.NextChar(), '(');
    EXPECT_EQ(reader.ReadString(), Cz("Řádek"));
    EXPECT_EQ(reader.NextChar(), ';');
    EXPECT_EQ(reader.ReadByte(), 1);
}

} // namespace
} // namespace panolcd
