#include "framework/environment/nameobject.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/inifile.h"
#include "support/test_context.h"

#include <stdexcept>

namespace panolcd {
namespace {

using testing::ContextTest;

class CapturingTrace final : public TraceChannelWindow {
public:
    std::vector<std::string> lines;
    void HandleTraceMessage(int, const std::string* text) override {
        lines.push_back(text ? *text : std::string());
    }
};

constexpr std::string_view kErrorMark = "!Error-";

// The text of an error line after its time stamp; the line itself when it is no error line.
std::string Body(const std::string& line) {
    const std::size_t at = line.find(kErrorMark);
    return at == std::string::npos ? line : "E:" + line.substr(at + kErrorMark.size());
}

class NameObjectTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterTraceChannel(0, &trace_);
    }
    void UseEntries(const std::string& readLines, const std::string& write = "WR") {
        const auto path = WriteFile("P.INI", "[RD]\r\n" + readLines + "[WR]\r\nOLD=1\r\n");
        EnvCtx().settings.iniFile = FromFsPath(path);
        EnvCtx().settings.readSection = "RD";
        EnvCtx().settings.writeSection = write;
    }
    std::string Written(const std::string& key) const {
        return IniFile(EnvCtx().settings.iniFile).Read("WR", key);
    }
    std::vector<std::string> TraceBodies() const {
        std::vector<std::string> bodies;
        for (const std::string& line : trace_.lines)
            bodies.push_back(Body(line));
        return bodies;
    }
    CapturingTrace trace_;
};

using NameCollTest = NameObjectTest;

// A subclass as the tool settings make them: own keywords first, the rest to the base.
class TSample : public TNameObject {
public:
    using TNameObject::TNameObject;
    std::int32_t DM = 0;
    std::string TXS = "-";
    std::vector<std::string> keywords;
    std::string_view ClassName() const override { return "TSample"; }
    bool ParseParam(const std::string& keyword) override {
        keywords.push_back(keyword);
        switch (MatchKeyword(keyword, "DM |TXS|")) {
        case 1: {
            const auto value = ReadInteger();
            if (!value)
                return true;
            DM = *value;
            return false;
        }
        case 2:
            TXS = ReadWord();
            return false;
        default:
            return TNameObject::ParseParam(keyword);
        }
    }
    std::string BuildParamText() const override {
        return TNameObject::BuildParamText() + " DM=" + std::to_string(DM) + " TXS='" + TXS + "'";
    }
};

TEST_F(NameObjectTest, ReadsTheEntryWithCommentsAndEnd) {
    UseEntries("APP=UPD=2 ALL=1 {comment UPD=0} ; rest XYZ=1\r\n");
    TNameObject object("APP");
    EXPECT_FALSE(object.ReadEntry());
    EXPECT_EQ(object.UPD, 2);
    EXPECT_TRUE(object.ALL);
    EXPECT_TRUE(trace_.lines.empty());

    object.WriteParamToINI();
    EXPECT_EQ(Written("APP"), "UPD=0 ALL=1"); // the file holds " UPD=0 ALL=1"
    EXPECT_EQ(object.UPD, 0);

    IniFile(EnvCtx().settings.iniFile).Write("WR", "APP", "changed");
    object.WriteParamToINI();
    EXPECT_EQ(Written("APP"), "changed");
}

TEST_F(NameObjectTest, SeparatorsReadAlike) {
    for (const char* text : {"UPD=1 ALL=0", "UPD 1 ALL 0", "UPD=1=ALL=0", "UPDATE=1 ALLES=0",
                             "upd=1 all=0", "UPD=$1 ALL=$0", "\tUPD\t1\tALL\r\n0",
                             "ALL=1 UPD=1 ALL=0", "{x}UPD {y} 1 {z}ALL=0 {open"}) {
        TNameObject object("");
        object.ALL = true;
        EXPECT_FALSE(object.ParseParams(text)) << text;
        EXPECT_EQ(object.UPD, 1) << text;
        EXPECT_FALSE(object.ALL) << text;
    }
    TNameObject object("");
    EXPECT_TRUE(object.ParseParams("UPD=1{x}")); // a comment starts only between tokens
}

TEST_F(NameObjectTest, UpdAboveOneIsIgnoredWhileSet) {
    struct Case {
        std::uint8_t before;
        const char* text;
        std::uint8_t after;
    };
    const Case cases[] = {
        {0, "UPD=2", 2}, {1, "UPD=2", 1},     {2, "UPD=2", 2},       {1, "UPD=0", 0},
        {2, "UPD=1", 1}, {0, "UPD=255", 255}, {1, "UPD=0 UPD=2", 2},
    };
    for (const Case& c : cases) {
        TNameObject object("");
        object.UPD = c.before;
        EXPECT_FALSE(object.ParseParams(c.text)) << c.text;
        EXPECT_EQ(object.UPD, c.after) << int(c.before) << " " << c.text;
    }
}

TEST_F(NameObjectTest, ErrorsAreReportedWithTheirPosition) {
    struct Case {
        const char* entry;
        const char* shown; // "### " + shown + "#"
        std::uint8_t upd;  // values before the error stay
    };
    const Case cases[] = {
        {"XYZ=1", "XYZ", 0},       {"UPD=1 XYZ=1 ALL=1", "UPD=1 XYZ", 1},
        {"UPD=x", "UPD=x", 0},     {"UPD=1 ALL", "UPD=1 ALL", 1},
        {"UPD=256", "UPD=256", 0}, {"UPD=-1", "UPD=-1", 0},
        {"ALL=1;", "ALL=1;", 0},
    };
    for (const Case& c : cases) {
        trace_.lines.clear();
        UseEntries(std::string("APP=") + c.entry + "\r\n");
        TNameObject object("APP");
        EXPECT_TRUE(object.ReadEntry()) << c.entry;
        EXPECT_EQ(object.UPD, c.upd) << c.entry;
        EXPECT_EQ(TraceBodies(),
                  (std::vector<std::string>{
                      "E:APP:TNameObject.ReadParamFromINI: - chyba v zadani parametru:",
                      std::string("E:### ") + c.shown + "#"}))
            << c.entry;
    }
}

TEST_F(NameObjectTest, EmptyEntryAndTraceLines) {
    UseEntries("EMPTY=\r\nAPP=UPD=1\r\n");
    TNameObject empty("EMPTY");
    EXPECT_FALSE(empty.ReadParamFromINI(true));
    TNameObject missing("Missing");
    EXPECT_FALSE(missing.ReadParamFromINI(false));
    TNameObject app("APP");
    EXPECT_FALSE(app.ReadParamFromINI(true));
    const std::string& ini = EnvCtx().settings.iniFile;
    EXPECT_EQ(TraceBodies(),
              (std::vector<std::string>{
                  "E:EMPTY:TNameObject.ReadParamFromINI: chybi/prazdne entry EMPTY=",
                  "INIFile=" + ini + "[RD],EMPTY=",
                  "E:Missing:TNameObject.ReadParamFromINI: chybi/prazdne entry Missing=",
                  "INIFile=" + ini + "[RD],APP=UPD=1",
              }));
}

TEST_F(NameObjectTest, EmptyNameReadsNothing) {
    UseEntries("=UPD=1\r\n");
    TNameObject object("");
    EXPECT_FALSE(object.ReadEntry());
    EXPECT_FALSE(object.ReadParamFromINI(true));
    EXPECT_EQ(object.UPD, 0);
    EXPECT_TRUE(trace_.lines.empty());
}

TEST_F(NameObjectTest, NameIsCutTo32) {
    const std::string name(40, 'N');
    UseEntries(name.substr(0, 32) + "=UPD=1\r\n");
    TNameObject object(name);
    EXPECT_EQ(object.Name(), name.substr(0, 32));
    EXPECT_EQ(object.GetKeyName(), name.substr(0, 32));
    EXPECT_FALSE(object.ReadEntry());
    EXPECT_EQ(object.UPD, 1);
}

TEST_F(NameObjectTest, BuildAndGetParamText) {
    struct Case {
        std::uint8_t upd;
        bool all;
        const char* text;
    };
    const Case cases[] = {
        {0, false, ""},
        {1, false, " UPD=1"},
        {0, true, " UPD=0 ALL=1"},
        {2, true, " UPD=2 ALL=1"},
    };
    for (const Case& c : cases) {
        TNameObject object("X");
        object.UPD = c.upd;
        object.ALL = c.all;
        EXPECT_EQ(object.BuildParamText(), c.text);
        std::string text;
        EXPECT_FALSE(object.GetParamText("UPD", text));
        EXPECT_EQ(text, std::to_string(c.upd));
        EXPECT_FALSE(object.GetParamText("ALL", text));
        EXPECT_EQ(text, c.all ? "1" : "0");
        EXPECT_TRUE(object.GetParamText("PFX", text));
    }
}

TEST_F(NameObjectTest, WriteParamToIni) {
    UseEntries("ONCE=UPD=2\r\nEVERY=UPD=1\r\nNEVER=ALL=1\r\n");
    TNameObject once("ONCE"), every("EVERY"), never("NEVER");
    for (TNameObject* object : {&once, &every, &never})
        ASSERT_FALSE(object->ReadEntry());
    for (TNameObject* object : {&once, &every, &never})
        object->WriteParamToINI();
    EXPECT_EQ(Written("ONCE"), "{nothing}");
    EXPECT_EQ(Written("EVERY"), "UPD=1");
    EXPECT_EQ(IniFile(EnvCtx().settings.iniFile).Find("WR", "NEVER"), std::nullopt);

    TNameObject reread("ONCE");
    EXPECT_FALSE(reread.ParseParams("{nothing}")); // what was written reads back cleanly
}

TEST_F(NameObjectTest, NoWriteSectionStillSpendsUpdTwo) {
    UseEntries("ONCE=UPD=2\r\n", "");
    TNameObject once("ONCE");
    ASSERT_FALSE(once.ReadEntry());
    once.WriteParamToINI();
    EXPECT_EQ(once.UPD, 0);
    EXPECT_EQ(Written("ONCE"), "");
}

TEST_F(NameObjectTest, SubclassHandlesItsKeywordsFirst) {
    UseEntries("TOOL=dm=$FF txs='Mixed Case' UPD=1 ABCDEFGHIJKLMNOPQRSTUVWXYZ=1\r\n");
    auto tool = MakeParamObject<TSample>("TOOL");
    EXPECT_EQ(tool->DM, 255);
    EXPECT_EQ(tool->TXS, "Mixed Case");
    EXPECT_EQ(tool->UPD, 1);
    EXPECT_EQ(tool->keywords,
              (std::vector<std::string>{"DM", "TXS", "UPD", "ABCDEFGHIJKLMNOPQRST"}));
    EXPECT_EQ(TraceBodies(),
              (std::vector<std::string>{
                  "E:TOOL:TSample.ReadParamFromINI: - chyba v zadani parametru:",
                  "E:### dm=$FF txs='Mixed Case' UPD=1 ABCDEFGHIJKLMNOPQRSTUVWXYZ#"}));
    EXPECT_EQ(tool->BuildParamText(), " UPD=1 DM=255 TXS='Mixed Case'");
}

TEST_F(NameObjectTest, WordValues) {
    struct Case {
        std::string text;
        std::string word;
    };
    const Case cases[] = {
        {"TXS='a \"b\" c'", "a \"b\" c"},
        {"TXS=\"it's\"", "it's"},
        {"TXS=''", ""},
        {"TXS='open end", "open end"},
        {"TXS=plain", "PLAIN"},
        {"TXS=" + std::string(70, 'w'), std::string(64, 'W')},
        {"TXS=", ""},
    };
    for (const Case& c : cases) {
        TSample sample("");
        EXPECT_FALSE(sample.ParseParams(c.text)) << c.text;
        EXPECT_EQ(sample.TXS, c.word) << c.text;
    }
    TSample sample("");
    EXPECT_FALSE(sample.ParseParams("TXS='x y' DM=3"));
    EXPECT_EQ(sample.DM, 3); // scanning goes on after the closing quote
}

TEST_F(NameObjectTest, MatchKeyword) {
    struct Case {
        const char* keyword;
        const char* list;
        int item;
    };
    const Case cases[] = {
        {"DM", "DM |TXS|TER|", 1},   {"TER", "DM |TXS|TER|", 3},
        {"TXSX", "DM |TXS|TER|", 2}, {"D", "DM |TXS|TER|", 0},
        {"UPDATE", "UPD|ALL|", 1},   {"all", "UPD|ALL|", 2},
        {"AL", "UPD|ALL|", 0},       {"X", "", 0},
        {"PFX", "PFX|MAX|UPD|", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchKeyword(c.keyword, c.list), c.item) << c.keyword << " in " << c.list;
}

// Parses another object's text from inside its own ParseParam.
class TNesting : public TNameObject {
public:
    using TNameObject::TNameObject;
    TNameObject inner{""};
    bool throwOnUpd = false;
    bool ParseParam(const std::string& keyword) override {
        if (keyword == "INNER") {
            const bool error = inner.ParseParams("UPD=1 ALL=1");
            return error;
        }
        if (throwOnUpd && keyword == "UPD")
            throw std::runtime_error("boom");
        return TNameObject::ParseParam(keyword);
    }
};

TEST_F(NameObjectTest, NestedParseRestoresTheScanner) {
    TNesting outer("");
    EXPECT_FALSE(outer.ParseParams("ALL=1 INNER UPD=2"));
    EXPECT_EQ(outer.UPD, 2);
    EXPECT_TRUE(outer.ALL);
    EXPECT_EQ(outer.inner.UPD, 1);
    EXPECT_EQ(EnvCtx().paramScanner, nullptr);

    TNesting failing("");
    failing.throwOnUpd = true;
    EXPECT_THROW(failing.ParseParams("ALL=1 UPD=1"), std::runtime_error);
    EXPECT_EQ(EnvCtx().paramScanner, nullptr);
    EXPECT_THROW(ScanInteger(), std::logic_error);
}

TEST_F(NameCollTest, ParsesAndBuildsItsEntry) {
    UseEntries("SL=pfx=#ab:c MAX=$10 UPDATE=1\r\n");
    TNameColl coll("SL");
    EXPECT_EQ(coll.PFX, "#SL");
    EXPECT_EQ(coll.MAX, -1);
    EXPECT_EQ(coll.BuildParamText(), " PFX=#SL MAX=-1");
    EXPECT_FALSE(coll.ReadEntry());
    EXPECT_EQ(coll.PFX, "#AB:C");
    EXPECT_EQ(coll.MAX, 16);
    EXPECT_EQ(coll.UPD, 1);
    EXPECT_EQ(coll.BuildParamText(), " PFX=#AB:C MAX=16 UPD=1");

    EXPECT_FALSE(coll.ParseParams("PFX=" + std::string(40, 'p')));
    EXPECT_EQ(coll.PFX, std::string(32, 'P'));
}

TEST_F(NameCollTest, ErrorsReportWithoutFinalColon) {
    UseEntries("SL=MAX=1 ALL=1\r\n");
    TNameColl coll("SL");
    EXPECT_TRUE(coll.ReadEntry());
    EXPECT_EQ(coll.MAX, 1);
    EXPECT_EQ(TraceBodies(), (std::vector<std::string>{
                                 "E:SL:TNameColl.ReadParamFromINI: - chyba v zadani parametru",
                                 "E:### MAX=1 ALL#"}));
}

TEST_F(NameCollTest, WritesItselfAndItsMembers) {
    UseEntries("SL=UPD=2\r\n");
    TNameColl coll("SL");
    ASSERT_FALSE(coll.ReadEntry());
    auto quiet = std::make_unique<TNameObject>("M0");
    auto every = std::make_unique<TNameObject>("M1");
    every->UPD = 1;
    coll.Insert(std::move(quiet));
    coll.Insert(std::move(every));
    coll.Insert(nullptr);
    ASSERT_EQ(coll.Count(), 2u);

    coll.WriteParamToINI();
    EXPECT_EQ(coll.UPD, 0);
    EXPECT_EQ(Written("SL"), "PFX=#SL MAX=-1");
    EXPECT_EQ(Written("M0"), "{nothing}"); // given UPD 2: written once
    EXPECT_EQ(coll.At(0)->UPD, 0);
    EXPECT_EQ(Written("M1"), "UPD=1");
    EXPECT_EQ(coll.At(1)->UPD, 1);

    IniFile(EnvCtx().settings.iniFile).Write("WR", "M1", "changed");
    coll.WriteParamToINI(); // UPD 0 now: members are not reached either
    EXPECT_EQ(Written("M1"), "changed");
}

} // namespace
} // namespace panolcd
