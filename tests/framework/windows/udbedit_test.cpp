// Record windows over fake windows and the real application description: apply, revert,
// browsing, the close query, the edit registry, opening by name and the broadcast relay.

#include "app/startup.h"
#include "common/littleendian.h"
#include "framework/dataentry/fakecontrol.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/stringedits.h"
#include "framework/environment/envcontext.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/excvalidators.h"
#include "framework/windows/udbedit.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/windowmessages.h"
#include "framework/windows/windowscontext.h"
#include "project/dbtypes.h"
#include "project/objectrecord.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace panolcd::testing {
namespace {

using schema::RecType;

class FakeHost final : public RecordWindowHost {
public:
    TTransferBuffObj buffer;
    int busy = 0;
    TTransferBuffObj& TransferBuffer() override { return buffer; }
    void BeginBusy() override { ++busy; }
    void EndBusy() override { --busy; }
};

std::uint16_t TransferSize(RecType type) {
    return TDBRecordObj::New({}, 0, type)->GetTrBuffSize();
}

// A record window without widgets; it closes as the window system would, through its query.
class FakeWindow : public TUDBFormCore {
public:
    FakeWindow(std::uint16_t dbType, RecType recType) : panel(TransferSize(recType)) {
        edit.DefAttributs(0, 0, dbType);
    }
    void Open(RecordWindowHost& host) {
        edit.AssignCtrl(this);
        edit.FillToControl(host.TransferBuffer().TrBuffData());
    }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    TrBuffer GetEditPanBuff(int /*panel*/) override { return panel; }
    void MapEditPan(int /*panel*/, TrBuffer /*buffer*/) override { ++maps; }
    void ShowEditWindow() override { ++fronts; }
    void CloseWindow() override {
        if (open && CloseQuery())
            open = false;
    }

    std::string caption = " okno";
    std::vector<std::uint8_t> panel;
    int maps = 0;
    int fronts = 0;
    bool open = true;
    TUDBEdit_Validator edit;
};

// A font bank in three edit boxes.
class FontWindow final : public FakeWindow {
public:
    FontWindow() : FakeWindow(kDBFontBanks, schema::kRecFontBank) {
        numV.DefAttributs(0);
        fileV.DefAttributs(0, 255);
        previewV.DefAttributs(0, 41);
    }
    void MapEditPan(int panelNo, TrBuffer buffer) override {
        FakeWindow::MapEditPan(panelNo, buffer);
        EditPan.TransferTo({&num, &file, &preview}, {&numV, &fileV, &previewV}, buffer);
    }
    void Type(const std::string& number) {
        num.text = number;
        MarkEditPanModified(0);
    }
    FakeControl num, file, preview;
    TTrByteEdit_Validator numV;
    TTrStringEdit_Validator fileV, previewV;
};

class CaseWindow final : public FakeWindow {
public:
    CaseWindow() : FakeWindow(kDBScreenObjects, schema::kRecObjectCase) {}
};
class EnumWindow final : public FakeWindow {
public:
    EnumWindow() : FakeWindow(kDBScreenObjects, schema::kRecObjectEnum) {}
};
class VariantWindow final : public FakeWindow {
public:
    VariantWindow() : FakeWindow(kDBCaseVariants, schema::kRecCaseVariant) {}
};

std::vector<std::unique_ptr<FakeWindow>>* g_windows = nullptr;

template <class W> void Register(const char* name) {
    UDBFormsMan().RegisterUDBForm(name, typeid(W), [](RecordWindowHost& host) -> RecordWindow* {
        auto window = std::make_unique<W>();
        W* raw = window.get();
        g_windows->push_back(std::move(window));
        raw->Open(host);
        return raw;
    });
}

// Refuses a second record of the same font number, initialises new ones with 77 and passes
// over (when browsing) records whose first byte is 0xEE.
class KeyFilter final : public TDBFilterValidator {
public:
    bool CheckInsert(TDataBase& database, TDBRecordObj& record) override {
        for (int i = 0; i < database.Count(); ++i)
            if (database.Record(i)->RecData[0] == record.RecData[0])
                return false;
        return true;
    }
    bool CheckReplace(TDataBase&, TDBRecordObj&, TDBRecordObj& record) override {
        return record.RecData[0] != 99;
    }
    bool AcceptRecord(TDataBase&, TDBRecordObj& record) override {
        return record.RecData[1] != 0xEE;
    }
    void InitNewRecord(TDataBase&, TDBRecordObj& record) override { record.RecData[0] = 77; }
};

struct FakeList final : DBLookValidator {
    int fills = 0;
    int reveals = 0;
    TDBLookValidatorLink* link = nullptr;
    void FillList(TDBLookValidatorLink&) override { ++fills; }
    void SelectRow(int row, int) override { link->SelRecord = link->Rows[row]; }
    void RevealList() override { ++reveals; }
    bool HasControl() const override { return true; }
    void ForgetDataBase() override {}
};

class RecordWindowTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        WindowsCtx().windowHost = &host;
        g_windows = &windows;
        static const bool registered = [] {
            Register<FontWindow>("F_PRJFNT");
            Register<CaseWindow>("F_LCCASE");
            Register<EnumWindow>("F_LCENUM");
            Register<VariantWindow>("F_CASECO");
            return true;
        }();
        (void)registered;
        AppDataBaseDscr(kDBFontBanks)->Filters = std::make_unique<TDBFilterValColl>();
        AppDataBaseDscr(kDBFontBanks)->Filters->Insert(std::make_unique<KeyFilter>());
        fonts = TDataBase::New(nullptr, kDBFontBanks, 0, 0);
    }
    void TearDown() override {
        windows.clear();
        fonts.reset();
        objects.reset();
        ContextTest::TearDown();
    }

    TDBRecordObj* AddFont(std::uint8_t number, std::uint8_t second = 0) {
        auto record = TDBRecordObj::New({}, 0, schema::kRecFontBank);
        record->RecData[0] = number;
        record->RecData[1] = second;
        TDBRecordObj* raw = record.get();
        fonts->Insert(std::move(record));
        return raw;
    }
    FontWindow& OpenFont(TDBRecordObj* record, int insertPos = -1, int filterIx = -1) {
        return dynamic_cast<FontWindow&>(
            *OpenUDBForm("F_PRJFNT", fonts.get(), record, insertPos, 0, filterIx));
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (const ShownMessage& message : User().shown)
            texts.push_back(message.text);
        return texts;
    }

    FakeHost host;
    std::unique_ptr<TDataBase> fonts;
    std::unique_ptr<TDataBase> objects;
    std::vector<std::unique_ptr<FakeWindow>> windows;
};

TEST_F(RecordWindowTest, ANewRecordIsInsertedByTheFirstApplyAndReplacedByLaterOnes) {
    FontWindow& window = OpenFont(nullptr);
    EXPECT_EQ(window.caption, Cz("Banky fontů okno"));
    EXPECT_EQ(host.busy, 0);
    EXPECT_TRUE(host.buffer.TrBuffData().empty());
    window.Type("5");
    ASSERT_TRUE(window.edit.Apply());
    ASSERT_EQ(fonts->Count(), 1);
    TDBRecordObj* stored = fonts->Record(0);
    EXPECT_EQ(stored->RecData[0], 5);
    EXPECT_EQ(window.edit.StoredRecord(), stored);
    EXPECT_FALSE(window.IsEditPanModified(0));
    window.Type("6");
    ASSERT_TRUE(window.edit.Apply());
    ASSERT_EQ(fonts->Count(), 1);
    EXPECT_EQ(fonts->Record(0), stored);
    EXPECT_EQ(stored->RecData[0], 6);
}

TEST_F(RecordWindowTest, ApplyInsertsAtThePositionOrAppendsAndSelectsTheNewRecordInLists) {
    FakeList list;
    fonts->LookLinks->Insert(std::make_unique<TDBLookValidatorLink>(&list));
    for (const auto& [position, expected] :
         std::vector<std::pair<int, int>>{{0, 0}, {2, 2}, {-1, 3}, {3, 3}, {99, 3}}) {
        fonts->DeleteAll();
        for (std::uint8_t n : {1, 2, 3})
            AddFont(n);
        list.ExpectInserted = true;
        const int fillsBefore = list.fills;
        FontWindow& window = OpenFont(nullptr, position);
        window.Type("50");
        ASSERT_TRUE(window.edit.Apply()) << position;
        EXPECT_EQ(fonts->Record(expected)->RecData[0], 50) << position;
        EXPECT_EQ(fonts->LookLinks->Link(0)->SelRecord, fonts->Record(expected));
        EXPECT_EQ(list.fills, fillsBefore + 1) << "one refresh, after the lock";
    }
    fonts->LookLinks->FreeAll();
}

TEST_F(RecordWindowTest, RefusedStoresLeaveTheDatabaseAndThePanel) {
    struct Case {
        int filterIx;
        bool existing;
        const char* typed;
        const char* message;
    };
    AppDataBaseDscr(kDBFontBanks)->MaxRecords = 3;
    for (const Case& c : std::vector<Case>{
             {0, false, "1", "DB Validate Insert"},  // the filter's key is taken
             {5, false, "9", "DB Validate Insert"},  // no such filter
             {5, true, "9", nullptr},                // ... replacements pass
             {0, true, "99", "DB Validate Replace"}, // the filter refuses the new values
             {-1, false, "9", "DB Validate Insert = Max Count"},
             {-1, false, "9", "DB Validate Insert = Max Count"}}) {
        User().shown.clear();
        fonts->DeleteAll();
        AddFont(1);
        AddFont(2);
        if (c.message && std::string(c.message).ends_with("Count"))
            AddFont(3);
        FontWindow& window = OpenFont(c.existing ? fonts->Record(1) : nullptr, -1, c.filterIx);
        window.Type(c.typed);
        const int count = fonts->Count();
        EXPECT_EQ(window.edit.Apply(), c.message == nullptr) << c.typed;
        EXPECT_EQ(fonts->Count(), count);
        if (c.message == nullptr)
            continue;
        EXPECT_EQ(Shown(), std::vector<std::string>{c.message});
        EXPECT_TRUE(window.IsEditPanModified(0));
        EXPECT_EQ(fonts->Record(1)->RecData[0], 2);
        EXPECT_EQ(window.num.text, c.typed);
    }
}

TEST_F(RecordWindowTest, AFilterInitialisesNewRecordsAndRevertShowsTheStoredOrTheCopy) {
    FontWindow& fresh = OpenFont(nullptr, -1, 0);
    EXPECT_EQ(fresh.num.text, "77");
    fresh.Type("12");
    fresh.edit.Revert();
    EXPECT_EQ(fresh.num.text, "77");
    FontWindow& window = OpenFont(AddFont(4));
    window.Type("40");
    window.edit.Revert();
    EXPECT_EQ(window.num.text, "4");
    EXPECT_FALSE(window.IsEditPanModified(0));
}

TEST_F(RecordWindowTest, ApplyReloadsOtherWindowsOnTheRecordAndDeletionClosesThemWithoutAsking) {
    TDBRecordObj* record = AddFont(3);
    FontWindow& first = OpenFont(record);
    FontWindow& second = OpenFont(record);
    first.Type("30");
    ASSERT_TRUE(first.edit.Apply());
    EXPECT_EQ(second.num.text, "30");
    second.Type("31");
    fonts->AtFree(0);
    EXPECT_FALSE(first.open);
    EXPECT_FALSE(second.open);
    EXPECT_TRUE(User().shown.empty());
    EXPECT_EQ(fonts->EditLinks->Count(), 0);
    EXPECT_FALSE(second.edit.Apply()) << "a closing window stores nothing";
}

TEST_F(RecordWindowTest, TheCloseQueryAsksOnlyAboutAModifiedPanel) {
    const std::string question = Cz("Editační panel změněn") + "\r\n" + Cz("Uzavřít okénko ?");
    struct Case {
        bool modified, noAsk;
        MsgResult answer;
        bool closes;
        std::size_t boxes;
    };
    for (const Case& c : std::vector<Case>{{false, false, MsgResult::No, true, 0},
                                           {true, false, MsgResult::No, false, 1},
                                           {true, false, MsgResult::Yes, true, 1},
                                           {true, true, MsgResult::No, true, 0}}) {
        User().shown.clear();
        User().answers = {c.answer};
        FontWindow& window = OpenFont(AddFont(8));
        if (c.modified)
            window.Type("9");
        window.NoAskClose = c.noAsk;
        window.edit.CloseEdit();
        EXPECT_EQ(window.open, !c.closes);
        ASSERT_EQ(User().shown.size(), c.boxes);
        if (c.boxes == 1) {
            EXPECT_EQ(User().shown[0].text, question);
        }
        EXPECT_EQ(fonts->Record(fonts->Count() - 1)->RecData[0], 8) << "closing never applies";
    }
}

TEST_F(RecordWindowTest, BrowsingPassesOverOtherWindowClassesAndRecordsTheFilterRefuses) {
    objects = TDataBase::New(nullptr, kDBScreenObjects, 0, 0);
    const RecType kinds[] = {schema::kRecObjectCase, schema::kRecObject, schema::kRecObjectCase,
                             schema::kRecObjectEnum, schema::kRecObjectCase};
    for (RecType kind : kinds)
        objects->Insert(TDBRecordObj::New({}, 0, kind));
    auto& window = dynamic_cast<CaseWindow&>(
        *OpenUDBForm("F_LCCASE", objects.get(), objects->Record(0), -1, 0, -1));
    const auto at = [&] { return objects->IndexOf(window.edit.StoredRecord()); };
    window.edit.BrowseNext();
    EXPECT_EQ(at(), 2);
    window.edit.BrowseLast();
    EXPECT_EQ(at(), 4);
    window.edit.BrowseNext();
    EXPECT_EQ(at(), 4);
    window.edit.BrowsePrior();
    EXPECT_EQ(at(), 2);
    window.edit.BrowseFirst();
    EXPECT_EQ(at(), 0);

    AddFont(1);
    AddFont(2, 0xEE);
    AddFont(3);
    FontWindow& font = OpenFont(fonts->Record(0), -1, 0);
    font.edit.BrowseNext();
    EXPECT_EQ(font.num.text, "3");
    FontWindow& fresh = OpenFont(nullptr);
    fresh.edit.BrowseFirst();
    EXPECT_EQ(fresh.edit.StoredRecord(), nullptr) << "a record never inserted does not browse";
}

TEST_F(RecordWindowTest, BrowsingAModifiedPanelAsksFirst) {
    const std::string question = Cz("Editační panel změněn") + "\r\n" + Cz("Použít ?");
    AddFont(1);
    AddFont(2);
    FontWindow& window = OpenFont(fonts->Record(0));
    window.Type("10");
    User().answers = {MsgResult::No};
    window.edit.BrowseNext();
    EXPECT_EQ(window.edit.StoredRecord(), fonts->Record(0));
    EXPECT_EQ(window.num.text, "10");
    EXPECT_EQ(Shown(), std::vector<std::string>{question});
    User().answers = {MsgResult::Yes};
    window.edit.BrowseNext();
    EXPECT_EQ(fonts->Record(0)->RecData[0], 10);
    EXPECT_EQ(window.num.text, "2");
}

TEST_F(RecordWindowTest, APanelOfTheWrongSizeIsAWiringFault) {
    auto window = std::make_unique<FontWindow>();
    window->panel.resize(10);
    TProjectPosRec position;
    position.DataBase = fonts.get();
    position.DBRecord = AddFont(1);
    window->edit.AssignCtrl(window.get());
    try {
        window->edit.FillToControl(position);
        FAIL();
    } catch (const ExcValidators& e) {
        EXPECT_EQ(std::string(e.what()),
                  "TUDBEdit_Validator.EditedCopyDBRecObj TrBuffSize Err EditPan=10<>" +
                      std::to_string(TransferSize(schema::kRecFontBank)));
    }
    TTrDBPtrButt_Validator pointer;
    FakeControl control;
    EXPECT_THROW(pointer.AssignCtrl(&control), ExcValidators);
}

TEST_F(RecordWindowTest, APointerFieldMakesTheRecordOwnASubDataBaseSharedAfterApply) {
    objects = TDataBase::New(nullptr, kDBScreenObjects, 0, 0);
    auto& window = dynamic_cast<CaseWindow&>(
        *OpenUDBForm("F_LCCASE", objects.get(), nullptr, -1, kObjCmdCase, -1));
    std::array<std::uint8_t, 4> slot{0xFF, 0xFF};
    WriteLE<std::uint16_t>(slot.data() + 2, kDBCaseVariants);
    TTrDBPtrButt_Validator pointer;
    pointer.DefAttributs(0, &window.edit);
    TRecordValidator panel;
    panel.TransferTo({nullptr}, {&pointer}, slot);
    pointer.CreateSubDB = true;
    ASSERT_TRUE(panel.ValidateAndStore());
    TDataBase* variants = window.edit.EditedCopy()->GetDBTidDataBase(kDBCaseVariants);
    ASSERT_NE(variants, nullptr);
    EXPECT_EQ(ReadLE<std::int16_t>(slot.data()), variants->InstAdr);
    ASSERT_TRUE(window.edit.Apply());
    EXPECT_EQ(objects->Record(0)->SubDBs, window.edit.EditedCopy()->SubDBs);
    EXPECT_EQ(objects->Record(0)->GetDBTidDataBase(kDBCaseVariants), variants);
}

TEST_F(RecordWindowTest, TheRootWindowMakesAProjectOnlyWhenNoneIsOpen) {
    struct RootWindow final : FakeWindow {
        RootWindow() : FakeWindow(kDBRoot, schema::kRecRoot) {}
    };
    std::array<std::uint8_t, TProjectPosRec::kSize> start{};
    TProjectPosRec{}.WriteTo(start); // no database: the main window's start data
    host.buffer.SetTrBuff(start.data(), start.size());
    auto first = std::make_unique<RootWindow>();
    first->Open(host);
    TDataBase* project = ProjectColl();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(first->edit.DataBase(), project);
    auto second = std::make_unique<RootWindow>();
    second->Open(host);
    EXPECT_EQ(ProjectColl(), project);
    EXPECT_EQ(second->edit.DataBase(), project);
    EXPECT_TRUE(first->open);
    ASSERT_TRUE(first->edit.Apply());
    EXPECT_EQ(project->Count(), 1);
}

TEST_F(RecordWindowTest, PositionRecordsCarryHandlesAndStaleOnesAreRefused) {
    TProjectPosRec position{fonts.get(), AddFont(1), 2, 3, -1};
    std::array<std::uint8_t, TProjectPosRec::kSize> bytes{};
    position.WriteTo(bytes);
    const TProjectPosRec back = TProjectPosRec::ReadFrom(bytes);
    EXPECT_EQ(back.DataBase, fonts.get());
    EXPECT_EQ(back.DBRecord, position.DBRecord);
    EXPECT_EQ(bytes[8], 2);
    EXPECT_EQ(bytes[10], 3);
    EXPECT_EQ(bytes[12], 0xFF);
    fonts->AtFree(0);
    EXPECT_THROW(TProjectPosRec::ReadFrom(bytes), ExcValidators);

    EXPECT_EQ(OpenUDBForm("F_NONE", fonts.get(), nullptr, -1, 0, -1), nullptr);
    EXPECT_THROW(OpenUDBForm("F_PRJFNT", fonts.get(), nullptr, 40000, 0, -1), ExcRange);
    std::vector<std::uint8_t> caller(TProjectPosRec::kSize + 2, 0xAB);
    OpenUDBForm("F_PRJFNT", fonts.get(), nullptr, 1, 0, -1, caller);
    EXPECT_EQ(ReadLE<std::int16_t>(caller.data() + 8), 1);
    EXPECT_EQ(caller.back(), 0xAB);
}

TEST_F(RecordWindowTest, AClosedWindowRevealsItsRecordInAListOrOpensTheOwnersWindow) {
    objects = TDataBase::New(nullptr, kDBScreenObjects, 0, 0);
    objects->Insert(TDBRecordObj::New({}, 0, schema::kRecObjectCase));
    TDBRecordObj* owner = objects->Record(0);
    std::int16_t instance = -1;
    owner->LinkDBPtr(objects.get(), kDBCaseVariants, instance, -1, std::int16_t{0});
    TDataBase* variants = owner->GetDBTidDataBase(kDBCaseVariants);
    ASSERT_NE(variants, nullptr);
    variants->Insert(TDBRecordObj::New({}, 0, schema::kRecCaseVariant));
    TDBRecordObj* variant = variants->Record(variants->Count() - 1);
    const auto openVariant = [&] {
        return &dynamic_cast<VariantWindow&>(
            *OpenUDBForm("F_CASECO", variants, variant, -1, 0, -1));
    };

    // No list shows the variants: the owner's window opens, or comes to the front when open.
    AppRecordTypeAt(schema::kRecObjectCase)->RecAttrs = 0;
    openVariant()->edit.CloseEdit();
    ASSERT_EQ(objects->EditLinks->Count(), 1);
    auto& ownerWindow = dynamic_cast<CaseWindow&>(*windows.back());
    EXPECT_EQ(ownerWindow.edit.StoredRecord(), owner);
    const std::size_t count = windows.size();
    openVariant()->edit.CloseEdit();
    EXPECT_EQ(windows.size(), count + 1) << "only the variant window was opened";
    EXPECT_EQ(ownerWindow.fronts, 1);

    // A list that shows the record selects it; one that does not cannot.
    FakeList list;
    auto link = std::make_unique<TDBLookValidatorLink>(&list);
    list.link = link.get();
    variants->LookLinks->Insert(std::move(link));
    list.link->Rows = {variant};
    openVariant()->edit.CloseEdit();
    EXPECT_EQ(list.link->SelRecord, variant);
    EXPECT_EQ(list.reveals, 1);
    EXPECT_TRUE(User().shown.empty());
    list.link->Clear();
    openVariant()->edit.CloseEdit();
    EXPECT_EQ(Shown(),
              std::vector<std::string>{Cz("Nelze nalézt okénko, kde by byl záznam zobrazen !")});
    variants->LookLinks->FreeAll();
}

TEST(BrowserLayout, StacksFourButtons) {
    struct Case {
        int height;
        std::array<int, 8> expected; // top, height of each button
    };
    for (const Case& c : std::vector<Case>{{25, {0, 6, 6, 6, 13, 6, 19, 6}},
                                           {26, {0, 6, 6, 7, 13, 7, 20, 6}},
                                           {27, {0, 6, 6, 7, 14, 7, 21, 6}},
                                           {28, {0, 7, 7, 7, 14, 7, 21, 7}}}) {
        const auto layout = BrowserLayout(c.height);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(layout[i].Top, c.expected[2 * i]) << c.height << " button " << i;
            EXPECT_EQ(layout[i].Height, c.expected[2 * i + 1]) << c.height << " button " << i;
        }
    }
    EXPECT_EQ(BrowserWidth(3), 15);
}

struct Receiver final : MessageTarget {
    std::uint32_t reply = 0;
    std::vector<std::uint32_t> got;
    bool closing = false;
    std::function<void()> onMessage;
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t, std::uint32_t) override {
        got.push_back(message);
        if (onMessage)
            onMessage();
        return reply;
    }
    bool IsClosing() const override { return closing; }
};

TEST(WindowBroadcast, ReachesASnapshotOfTheChildrenAndOrsTheReplies) {
    Receiver main, a, c;
    auto b = std::make_unique<Receiver>();
    main.reply = 1, a.reply = 2, b->reply = 4, c.reply = 8;
    a.onMessage = [&] { b.reset(); }; // a window closed by an earlier receiver
    c.closing = true;
    const std::vector<TargetRef> children{[&] { return static_cast<MessageTarget*>(&a); },
                                          [&] { return static_cast<MessageTarget*>(b.get()); },
                                          [&] { return static_cast<MessageTarget*>(&c); }};
    const TBroadcastRec record{kWmEditCmd, 11, 0, 0x100};
    EXPECT_EQ(MainBroadcast(main, kBroadcastRecSize, &record, children), 0x103u);
    EXPECT_EQ(main.got, std::vector<std::uint32_t>{kWmEditCmd});
    EXPECT_TRUE(c.got.empty());
    EXPECT_EQ(MainBroadcast(main, 12, &record, children), 0u);
    EXPECT_EQ(ChildBroadcast(a, kBroadcastRecSize, nullptr), 0u);
}

} // namespace
} // namespace panolcd::testing
