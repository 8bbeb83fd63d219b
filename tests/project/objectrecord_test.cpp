// Screen object records: kind names, new-object values and which bytes a store may change.

#include "project/objectrecord.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

using Obj = ObjectRecordView;

TEST(ObjectRecord, KindNames) {
    const std::pair<int, const char*> cases[] = {
        {0, ""},          {1, "MultiSelFrame"}, {2, "Point"},     {5, "FilledRect"},
        {8, "PrintLine"}, {10, "EditP"},        {13, "CmdOnKey"}, {15, "EditEnter"},
        {17, "GraphXY"},  {18, "Bar"},          {19, ""},         {20, ""},
    };
    for (const auto& [kind, name] : cases)
        EXPECT_EQ(ObjKindName(static_cast<std::uint8_t>(kind)), name) << kind;
}

TEST(ObjectRecord, NewObjectValuesForEveryKind) {
    // Home layer; whether the layer is always the text layer; the initial text.
    struct Expect {
        std::uint8_t home;
        bool fixedText;
        std::string text;
    };
    const std::uint8_t caseLayer = 7;
    auto expect = [&](int kind) -> Expect {
        if (kind == kObjCaseBmp)
            return {caseLayer, false, ""};
        if (kind == kObjText)
            return {1, false, "Text"};
        if (kind == kObjPrintLine)
            return {1, false, "\"PVarPrmt=\",PVar:3"};
        if (kind == kObjEdit)
            return {1, false, "EdVar:4"};
        if (kind == kObjEditP)
            return {1, false, "EdPVar:4"};
        if (kind == kObjEnum || kind == kObjCmdCase || kind == kObjCmdWait || kind == kObjEditEnter)
            return {1, true, ""};
        return {static_cast<std::uint8_t>(kind == kObjCmdOnKey ? 1 : 2), false, ""};
    };
    EXPECT_EQ(expect(kObjPrintLine).text.size(), 18u);
    for (int kind = 0; kind <= 21; ++kind) {
        for (const bool caseMode : {false, true}) {
            const NewObjectSettings s{
                static_cast<std::uint8_t>(kind), caseLayer, caseMode, caseMode, 40, 20, 2};
            std::vector<std::uint8_t> rec = NewObjectRecord(s);
            if (kind < 2 || kind > 19) {
                EXPECT_TRUE(rec.empty()) << kind;
                continue;
            }
            ASSERT_EQ(rec.size(), Obj::kSize);
            const Obj v(rec);
            const Expect e = expect(kind);
            const std::uint8_t layer = e.fixedText                       ? 1
                                       : caseMode || kind == kObjCaseBmp ? caseLayer
                                                                         : e.home;
            const int margin = kind == kObjCircle ? 50 : 10;
            EXPECT_EQ(v.Kind(), kind);
            EXPECT_EQ(v.Layer(), layer) << kind;
            EXPECT_EQ(v.HomeLayer(), e.home) << kind;
            EXPECT_EQ(v.Flags(), caseMode ? 0x80 : 0) << kind;
            EXPECT_EQ(v.X1(), 20 + margin) << kind;
            EXPECT_EQ(v.Y1(), 10 + margin) << kind;
            const int x2 = kind == kObjCircle ? 40 : kind == kObjCaseBmp ? 150 : 110;
            const int y2 = kind == kObjCircle ? 0 : kind == kObjCaseBmp ? 60 : 100;
            EXPECT_EQ(v.X2(), x2) << kind;
            EXPECT_EQ(v.Y2(), y2) << kind;
            EXPECT_EQ(v.ObjText(), e.text) << kind;
            EXPECT_EQ(v.SubDBLink(), -1);
            for (std::size_t i = 0; i < rec.size(); ++i) {
                const bool set = i <= 3 || (i >= 10 && i < 26) || i >= 383 ||
                                 (i >= Obj::kObjText && i <= Obj::kObjText + e.text.size());
                EXPECT_TRUE(set || rec[i] == 0) << kind << " at " << i;
            }
        }
    }
}

TEST(ObjectRecord, NewObjectSurvivesAZeroZoom) {
    std::vector<std::uint8_t> rec = NewObjectRecord({kObjLine, 3, false, false, 8, 8, 0});
    EXPECT_EQ(Obj(rec).X1(), 18);
}

// Offsets a store may write, by kind.
std::set<std::size_t> Owned(int kind) {
    std::set<std::size_t> owned{0, 1, 3};
    auto add = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            owned.insert(i);
    };
    add(10, 26);
    const bool graphic = (kind >= 2 && kind <= 6) || (kind >= 16 && kind <= 18);
    const bool text = kind >= 7 && kind <= 11;
    if (graphic || text || kind == 19) {
        add(4, 8);
        add(128, 383);
    }
    if (graphic) {
        add(8, 10);
        add(26, 128);
    }
    if (text)
        add(26, 60);
    return owned;
}

TEST(ObjectRecord, StoreWritesOnlyTheBytesTheClassOwns) {
    ObjectFields f;
    f.layer = 9;
    f.flags = kObjFlagSelected | kObjFlagLocked | kObjFlagHelpScreen;
    f.param = 0x80345678u;
    f.options = 0xBEEF;
    f.x1 = -1, f.y1 = 2, f.x2 = 3, f.y2 = -4;
    f.symbols = {"S0", "S1", "S2", "S3", "S4", "S5"};
    f.objText = "T";
    for (const int kind : {0, 2, 6, 7, 11, 12, 15, 16, 18, 19, 200}) {
        f.kind = static_cast<std::uint8_t>(kind);
        std::vector<std::uint8_t> rec(Obj::kSize, 0xA5);
        StoreObjectFields(rec, f);
        const std::set<std::size_t> owned = Owned(kind);
        for (std::size_t i = 0; i < rec.size(); ++i) {
            EXPECT_TRUE(owned.contains(i) || rec[i] == 0xA5) << kind << " at " << i;
        }
        const Obj v(rec);
        const ObjectFields back = LoadObjectFields(rec);
        EXPECT_EQ(v.Flags(), kObjFlagLocked | kObjFlagHelpScreen) << kind;
        EXPECT_EQ(back.x1, -1);
        EXPECT_EQ(back.y2, -4);
        const bool ownsParam = owned.contains(4), ownsAllParam = owned.contains(8);
        EXPECT_EQ(back.param, ownsAllParam ? 0x80345678u : ownsParam ? 0x78u : 0xA5A5A5A5u) << kind;
        EXPECT_EQ(back.symbols[1] == "S1", owned.contains(Obj::SymOffset(Obj::kSymY1))) << kind;
        EXPECT_EQ(back.objText == "T", owned.contains(Obj::kObjText)) << kind;
    }
}

TEST(ObjectRecord, SymbolsKeepSixteenCharacters) {
    std::vector<std::uint8_t> rec = NewObjectRecord({kObjRectangle, 3, false, false, 0, 0, 1});
    ObjectFields f = LoadObjectFields(rec);
    f.symbols[Obj::kSymX1] = "ABCDEFGHIJKLMNOP";
    f.symbols[Obj::kSymDy] = "ABCDEFGHIJKLMNOPQ";
    StoreObjectFields(rec, f);
    StoreObjectFields(rec, LoadObjectFields(rec));
    const ObjectFields back = LoadObjectFields(rec);
    EXPECT_EQ(back.symbols[Obj::kSymX1], "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(back.symbols[Obj::kSymDy], "ABCDEFGHIJKLMNOP");
}

} // namespace
} // namespace panolcd::testing
