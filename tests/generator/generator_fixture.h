#pragma once
// Builds LCD projects in memory for the generator tests and runs a generation into the test's
// own directory with a fixed time and program name.

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"
#include "generator/syntaxparser.h"
#include "project/dbtypes.h"
#include "project/objectrecord.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace panolcd::testing {

// What a test sets on a new screen object.
struct Obj {
    explicit Obj(std::uint8_t k) : kind(k) {}
    Obj& Layer(std::uint8_t v) { return layer = v, *this; }
    Obj& X1(std::int32_t v) { return x1 = v, *this; }
    Obj& Y1(std::int32_t v) { return y1 = v, *this; }
    Obj& X2(std::int32_t v) { return x2 = v, *this; }
    Obj& Y2(std::int32_t v) { return y2 = v, *this; }
    Obj& Param(std::uint32_t v) { return param = v, *this; }
    Obj& Text(std::string v) { return text = std::move(v), *this; }
    Obj& Options(std::uint16_t v) { return options = v, *this; }
    Obj& Help(bool v) { return help = v, *this; }
    Obj& SymDx(std::string v) { return symDx = std::move(v), *this; }
    Obj& SymX1(std::string v) { return symX1 = std::move(v), *this; }

    std::uint8_t kind = 0;
    std::uint8_t layer = 1;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t param = 0;
    std::string text;
    std::uint16_t options = 0;
    bool help = false;
    std::string symDx, symX1;
};

class GeneratorTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        EnvCtx().settings.exePath = "/opt/panolcd/bin/panolcd";
        unsetenv("SOURCE_DATE_EPOCH");
        NewProject();
    }
    void TearDown() override {
        unsetenv("SOURCE_DATE_EPOCH");
        ContextTest::TearDown();
    }

    using Fill = std::function<void(std::span<std::uint8_t>)>;
    static TDBRecordObj& AddRecord(TDataBase& db, const Fill& fill) {
        const TDataBaseDscrObj& dscr = *db.Descriptor();
        std::vector<std::uint8_t> data(dscr.RecSize, 0);
        dscr.Iniciators->AssignRecValues(data.data());
        fill(data);
        auto record = Create<TDBRecordObj>();
        bool failed = false;
        record->CreateFromData("", dscr.RecTypeIxOf(data), data.data(), data.size(), failed);
        TDBRecordObj& ref = *record;
        db.Insert(std::move(record));
        return ref;
    }
    static TDataBase& AddSub(TDBRecordObj& record, TDataBase& owner, std::uint16_t type,
                             std::size_t linkOffset) {
        auto sub = TDataBase::New(&owner, type, 0, 0);
        TDataBase& ref = *sub;
        RecordView(record.RecData).Set<std::int16_t>(linkOffset, sub->InstAdr);
        record.EnsureSubDBs().Insert(std::move(sub));
        return ref;
    }
    static TDBRecordObj& Root() { return *RootRecord(); }
    static TDataBase& Sub(std::uint16_t type) { return *SubDataBase(RootRecord(), type); }

    // A screen, with an object list unless `objects` is false.
    TDataBase* AddScreen(std::uint8_t num, const std::string& symb, const std::string& name,
                         std::uint8_t bmp = 255, std::uint8_t helpBmp = 255, bool objects = true) {
        TDataBase& screens = Sub(kDBScreens);
        TDBRecordObj& screen = AddRecord(screens, [&](std::span<std::uint8_t> d) {
            const ScreenRecordView v(d);
            v.SetScrNum(num);
            v.SetScrSymb(symb);
            v.SetScrName(name);
            v.SetBmpNum(bmp);
            v.SetHlpBmpNum(helpBmp);
        });
        return objects ? &AddSub(screen, screens, kDBScreenObjects, ScreenRecordView::kObjectsLink)
                       : nullptr;
    }
    static TDBRecordObj& AddObject(TDataBase& objects, const Obj& o) {
        return AddRecord(objects, [&](std::span<std::uint8_t> d) {
            const ObjectRecordView v(d);
            v.SetKind(o.kind);
            v.SetLayer(o.layer);
            v.SetFlags(o.help ? kObjFlagHelpScreen : 0);
            v.SetParam(o.param);
            v.SetOptions(o.options);
            v.SetX1(o.x1);
            v.SetY1(o.y1);
            v.SetX2(o.x2);
            v.SetY2(o.y2);
            for (std::size_t i = 0; i < ObjectRecordView::kSymbolCount; ++i)
                v.SetSym(static_cast<ObjectRecordView::Symbol>(i), "");
            v.SetSym(ObjectRecordView::kSymDx, o.symDx);
            v.SetSym(ObjectRecordView::kSymX1, o.symX1);
            v.SetObjText(o.text);
        });
    }
    // Variants of a case (sym, layer, comment), onkey (sym, code) or enumeration (sym, text).
    static void AddCaseVariant(TDataBase& objects, TDBRecordObj& owner, const std::string& sym,
                               std::uint8_t layer, const std::string& comment = "") {
        TDataBase* db = SubDataBase(&owner, kDBCaseVariants);
        if (!db)
            db = &AddSub(owner, objects, kDBCaseVariants, ObjectRecordView::kSubDBLink);
        AddRecord(*db, [&](std::span<std::uint8_t> d) {
            const CaseVariantRecordView v(d);
            v.SetCaseConstSym(sym);
            v.SetCaseLayer(layer);
            v.SetCaseConstComment(comment);
        });
    }
    static void AddOnKeyVariant(TDataBase& objects, TDBRecordObj& owner, const std::string& sym,
                                const std::string& code) {
        TDataBase* db = SubDataBase(&owner, kDBOnKeyVariants);
        if (!db)
            db = &AddSub(owner, objects, kDBOnKeyVariants, ObjectRecordView::kSubDBLink);
        AddRecord(*db, [&](std::span<std::uint8_t> d) {
            const OnKeyVariantRecordView v(d);
            v.SetOnKeyConstSym(sym);
            v.SetOnKeyConstCode(code);
        });
    }
    static void AddEnumVariant(TDataBase& objects, TDBRecordObj& owner, const std::string& sym,
                               const std::string& text) {
        TDataBase* db = SubDataBase(&owner, kDBEnumVariants);
        if (!db)
            db = &AddSub(owner, objects, kDBEnumVariants, ObjectRecordView::kSubDBLink);
        AddRecord(*db, [&](std::span<std::uint8_t> d) {
            const EnumVariantRecordView v(d);
            v.SetEnumConstSym(sym);
            v.SetEnumConstStr(text);
        });
    }

    // Saves the project's name (the file must exist) and generates.
    GenerationResult Generate(const std::string& name = "PROJ") {
        const std::string lcd = WriteFile(name + ".LCD", "x").string();
        SetProjectFileName(lcd);
        NullGeneratorHost host;
        return GenerateProjectCode(host);
    }
    std::string Pri(const std::string& name = "PROJ") const {
        return ReadFile(TempDir() / (name + ".PRI"));
    }
    std::string T10(const std::string& name = "PROJ") const {
        return ReadFile(TempDir() / (name + ".T10"));
    }
};

} // namespace panolcd::testing
