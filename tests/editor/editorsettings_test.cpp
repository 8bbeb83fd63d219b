// The editor settings entries: every key read and written back, values out of range ignored,
// and the element map read from the entries the MAP key names.

#include "editor/editorsettings.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "support/test_context.h"

namespace panolcd::testing {
namespace {

class EditorSettings : public ContextTest {
protected:
    void UseIni(const std::string& lines) {
        const auto ini =
            WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=Main\r\nWR_SECTION=Main\r\n"
                                     "[Main]\r\n" +
                                         lines);
        EnvCtx().settings.iniFile = FromFsPath(ini);
        EnvCtx().settings.readSection = "Main";
        EnvCtx().settings.writeSection = "Main";
    }
    std::string IniText() const { return ReadFile(TempDir() / "panolcd.INI"); }
};

TEST_F(EditorSettings, KeysReadAndWriteBack) {
    UseIni("ED_PRG= UPD=1 OPT=$0000FFFF TAB=4 BLI=3 UND=100 GUW=30 LNU=2 RMA=72 "
           "FNT='Mono Sans' FSI=12 KEY=1 SEX='prg;pri;txt'\r\n");
    TPanoEditNameObject editor("ED_PRG");
    EXPECT_FALSE(editor.ReadEntry());
    EXPECT_EQ(editor.Options, 0xFFFFu);
    EXPECT_EQ(editor.TabSize, 4);
    EXPECT_EQ(editor.BlockIndent, 3);
    EXPECT_EQ(editor.UndoLimit, 100);
    EXPECT_EQ(editor.GutterWidth, 30);
    EXPECT_EQ(editor.ShowLineNumbers, 2);
    EXPECT_EQ(editor.RightMargin, 72);
    EXPECT_EQ(editor.FontName, "Mono Sans");
    EXPECT_EQ(editor.FontSize, 12);
    EXPECT_EQ(editor.KeyMapping, 1);
    EXPECT_EQ(editor.SyntaxExtensions, "prg;pri;txt");
    EXPECT_EQ(editor.ElementMap, nullptr); // no MAP key
    editor.WriteParamToINI();
    EXPECT_NE(IniText().find("ED_PRG= UPD=1 OPT=$0000FFFF TAB=4 BLI=3 UND=100 GUW=30 LNU=2 "
                             "RMA=72 FNT='Mono Sans' FSI=12 KEY=1 SEX='prg;pri;txt' "
                             "MAP='@PROPMAP'\r\n"),
              std::string::npos)
        << IniText();
}

TEST_F(EditorSettings, OutOfRangeAndBadValuesKeepTheDefaults) {
    UseIni("ED_PRI=LNU=3 KEY=2 TAB=x\r\n");
    TPanoEditNameObject editor("ED_PRI");
    EXPECT_TRUE(editor.ReadEntry()); // the bad number is an error of the entry
    EXPECT_EQ(editor.ShowLineNumbers, 0);
    EXPECT_EQ(editor.KeyMapping, 1); // the classic map stays
    EXPECT_EQ(editor.TabSize, 8);
    EXPECT_EQ(editor.Options, 0x6BEA7u);
    EXPECT_EQ(editor.SyntaxExtensions, "prg;pri");
}

TEST_F(EditorSettings, MapKeyReadsTheElementEntries) {
    UseIni("ED_PANO=MAP='@LEX'\r\n"
           "@LEX=PFX=lx MAX=1\r\n"
           "LX00=FGD=$00FF0000 BGD=$00000080 STY=5\r\n"
           "LX01=STY=2\r\n");
    TPanoEditNameObject editor("ED_PANO");
    EXPECT_FALSE(editor.ReadEntry());
    ASSERT_NE(editor.ElementMap, nullptr);
    EXPECT_EQ(editor.ElementMap->PFX, "LX");
    ASSERT_EQ(editor.ElementMap->Count(), 2u);
    const TLexElementMap& first = editor.ElementMap->Element(0)->Map;
    EXPECT_EQ(first.Foreground, 0xFF0000u);
    EXPECT_EQ(first.Background, 0x80u);
    EXPECT_EQ(first.Style, 5);
    const TLexElementMap& second = editor.ElementMap->Element(1)->Map;
    EXPECT_EQ(second.Foreground, 0u); // defaults for what the entry leaves out
    EXPECT_EQ(second.Background, 0xFFFFFFu);
    EXPECT_EQ(second.Style, 2);
    EXPECT_EQ(editor.ElementMap->Element(2), nullptr);
    EXPECT_EQ(TLexElementMapColl::ElementEntryName("LX", 13), "LX0D");
}

TEST_F(EditorSettings, PutSettingsWritesEverythingThatGetSettingsReadsBack) {
    UseIni("ED_PRG= UPD=1\r\n");
    TPanoEditNameObject editor("ED_PRG");
    editor.ReadEntry();
    TSmartEditorSettings settings = editor.GetSettings();
    EXPECT_EQ(settings, VornBasicSyntax().DefaultSettings());
    settings.TabSize = 3;
    settings.FontName = "Bob's Mono"; // an apostrophe: written in double quotes
    settings.SyntaxExtensions = "prg;txt";
    settings.LineNumbers = ShowLineNumbers::DefaultFont;
    settings.ElementMap[13] = {0x0000FF, 0x00FF00, 3};
    editor.PutSettings(settings);

    TPanoEditNameObject reread("ED_PRG");
    EXPECT_FALSE(reread.ReadEntry()) << IniText();
    EXPECT_EQ(reread.GetSettings(), settings) << IniText();
    EXPECT_NE(IniText().find("FNT=\"Bob's Mono\""), std::string::npos);
    EXPECT_NE(IniText().find("@PROP0D= FGD=$000000FF BGD=$0000FF00 STY=3"), std::string::npos)
        << IniText();
}

TEST_F(EditorSettings, AShortMapSuppliesOnlyItsElementsAndAHugeOneIsClamped) {
    UseIni("ED_PRG=MAP='@M'\r\n@M=PFX=E MAX=5\r\nE00=FGD=$00000001\r\nE05=FGD=$00000005\r\n"
           "ED_PRI=MAP='@N'\r\n@N=PFX=F MAX=100000\r\nF0D=FGD=$0000000D\r\n");
    const TElementMap defaults = VornBasicSyntax().DefaultElementMap(0);
    TPanoEditNameObject shortMap("ED_PRG");
    shortMap.ReadEntry();
    const TSmartEditorSettings first = shortMap.GetSettings();
    ASSERT_EQ(first.ElementMap.size(), 14u);
    EXPECT_EQ(first.ElementMap[0].Foreground, 1u);
    EXPECT_EQ(first.ElementMap[5].Foreground, 5u);
    for (std::size_t i = 6; i < 14; ++i)
        EXPECT_EQ(first.ElementMap[i], defaults[i]) << i;
    TPanoEditNameObject hugeMap("ED_PRI");
    hugeMap.ReadEntry();
    const TSmartEditorSettings second = hugeMap.GetSettings();
    ASSERT_EQ(second.ElementMap.size(), 14u);
    EXPECT_EQ(second.ElementMap[13].Foreground, 0x0Du);
}

} // namespace
} // namespace panolcd::testing
