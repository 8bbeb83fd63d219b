// Record lists over a fake list control and the real application description: the panel place,
// filling and selection, delete, clipboard, add and the wiring faults.

#include "framework/windows/udblook.h"

#include "app/startup.h"
#include "common/littleendian.h"
#include "common/shortstring.h"
#include "framework/dataentry/fakecontrol.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/excvalidators.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/recordscontext.h"
#include "framework/windows/udbedit.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/windowscontext.h"
#include "project/dbtypes.h"
#include "project/projectmodel.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

// A multi-select list; `picked` keeps the order the user clicked in.
class FakeList final : public ListBoxControl {
public:
    std::vector<std::string> items;
    std::vector<int> picked;
    int current = -1;

    std::vector<int> SelectedRows() const override { return picked; }
    void SetRowSelected(int row, bool selected) override {
        std::erase(picked, row);
        if (selected)
            picked.push_back(row);
    }
    void ClearSelection() override { picked.clear(); }
    void ScrollToRow(int) override {}
    void SetItems(const std::vector<std::string>& values) override {
        items = values;
        picked.clear();
        current = -1;
    }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int index) const override { return items.at(index); }
    int ItemIndex() const override { return current; }
    void SetItemIndex(int index) override { current = index; }
    std::string Text() const override { return {}; }
    void SetText(const std::string&) override {}
    void SetMaxLength(int) override {}
    bool Checked() const override { return false; }
    void SetChecked(bool) override {}
    bool IsDropDownList() const override { return false; }
    bool IsVisible() const override { return true; }
    void SetVisible(bool) override {}
    bool IsEnabled() const override { return true; }
    void SetEnabled(bool) override {}
    void SetReadOnly(bool) override {}
    void SetTabStop(bool) override {}
    void SetFocus() override {}
};

// An edit window as the database sees it; deleting its record detaches it.
struct FakeEdit final : DBEditValidator {
    int detached = 0;
    void LoadRecord(TDBRecordObj&) override {}
    void Detach(TDBEditValidatorLink&) override { ++detached; }
};

class FakeHost final : public RecordWindowHost {
public:
    TTransferBuffObj buffer;
    TTransferBuffObj& TransferBuffer() override { return buffer; }
    void BeginBusy() override {}
    void EndBusy() override {}
};

// A register window without widgets: Apply stores the defaults.
class RegisterWindow final : public TUDBFormCore {
public:
    explicit RegisterWindow(RecordWindowHost& host)
        : panel(TDBRecordObj::New({}, 0, schema::kRecRegister)->GetTrBuffSize()) {
        edit.DefAttributs(0, 0, kDBRegisterMap);
        edit.AssignCtrl(this);
        edit.FillToControl(host.TransferBuffer().TrBuffData());
    }
    std::string Caption() const override { return {}; }
    void SetCaption(const std::string&) override {}
    TrBuffer GetEditPanBuff(int) override { return panel; }
    void MapEditPan(int, TrBuffer) override {}
    void ShowEditWindow() override {}
    void CloseWindow() override {}
    std::vector<std::uint8_t> panel;
    TUDBEdit_Validator edit;
};

std::vector<std::unique_ptr<RegisterWindow>>* g_windows = nullptr;

// Passes over one record.
struct HideOne final : TDBFilterValidator {
    const TDBRecordObj* hidden = nullptr;
    bool AcceptRecord(TDataBase&, TDBRecordObj& record) override { return &record != hidden; }
};

class RecordListTest : public ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        EnvCtx().useClipboard = true;
        WindowsCtx().windowHost = &host;
        g_windows = &windows;
        static const bool registered = [] {
            UDBFormsMan().RegisterUDBForm(
                "F_PRJMAP", typeid(RegisterWindow), [](RecordWindowHost& h) -> RecordWindow* {
                    g_windows->push_back(std::make_unique<RegisterWindow>(h));
                    return g_windows->back().get();
                });
            return true;
        }();
        (void)registered;
        NewProject();
        regs = SubDataBase(RootRecord(), kDBRegisterMap);
        list.DefAttributs(0, true, kDBRegisterMap, -1, 0);
        list.AssignCtrl(&control);
        Map(list);
    }
    void TearDown() override {
        windows.clear();
        CloseProject();
        ContextTest::TearDown();
    }

    // Points a list at the root record's sub-databases, as the root window's panel does.
    void Map(TUDBLook_Validator& validator) {
        WriteLE<std::uint32_t>(place.data(),
                               RecordsCtx().handles.Register(RootRecord()->SubDBs.get()));
        validator.FillToControl(place);
    }
    void Paste(std::initializer_list<const char*> names) {
        std::string text = "* $00 $5013 { } ['RegSymbName']<";
        for (const char* name : names)
            text += std::string("('") + name + "')";
        EnvCtx().clipboard->SetText(text + ">");
        ASSERT_TRUE(list.PasteFromClipboard());
    }
    static std::string Name(const TDBRecordObj* record) {
        const TRecIniciatorColl& columns = *AppDataBaseDscr(kDBRegisterMap)->Iniciators;
        std::size_t offset = 0;
        for (int i = 0; columns.Iniciator(i)->IniName() != "RegSymbName"; ++i)
            offset += columns.Iniciator(i)->GetElSize();
        return LoadShortString(record->RecData.data() + offset, 16);
    }
    std::string Names() const {
        std::string names;
        for (int i = 0; i < regs->Count(); ++i)
            names += Name(regs->Record(i));
        return names;
    }
    std::string Selected() const {
        const TDBRecordObj* record = list.SelRecordOf();
        return record ? Name(record) : "-";
    }

    FakeHost host;
    std::vector<std::unique_ptr<RegisterWindow>> windows;
    std::array<std::uint8_t, 14> place{};
    TDataBase* regs = nullptr;
    FakeList control;
    TUDBLook_Validator list;
};

TEST_F(RecordListTest, TheRootPanelsListsShareOnePlaceAndShowTheirDatabases) {
    struct Card {
        std::uint16_t type;
        bool hasData;
        int rows;
    };
    const Card cards[] = {
        {kDBFontBanks, false, 1}, {kDBBitmapBanks, false, 1}, {kDBScreens, false, 0}};
    std::array<FakeList, 3> controls;
    std::array<TUDBLook_Validator, 3> lists;
    std::vector<ValidatorControl*> ctrls{&control};
    std::vector<TCtrlValidator*> validators{&list};
    for (std::size_t i = 0; i < 3; ++i) {
        lists[i].DefAttributs(0, cards[i].hasData, cards[i].type, 0, 0);
        ctrls.insert(ctrls.begin() + static_cast<long>(i), &controls[i]);
        validators.insert(validators.begin() + static_cast<long>(i), &lists[i]);
    }
    WriteLE<std::uint32_t>(place.data(), RecordsCtx().handles.Register(RootRecord()->SubDBs.get()));
    TRecordValidator panel;
    panel.TransferTo(ctrls, validators, place);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lists[i].TrDataSize(), 0);
        EXPECT_EQ(lists[i].ShownDataBase(), SubDataBase(RootRecord(), cards[i].type));
        EXPECT_EQ(controls[i].ItemCount(), cards[i].rows);
    }
    EXPECT_EQ(list.TrDataSize(), 14);
    EXPECT_EQ(regs->LookLinks->Count(), 1);

    // A place without collection: every list lets its database go.
    WriteLE<std::uint32_t>(place.data(), 0);
    panel.TransferTo(ctrls, validators, place);
    EXPECT_EQ(list.ShownDataBase(), nullptr);
    EXPECT_EQ(regs->LookLinks->Count(), 0);
}

TEST_F(RecordListTest, WiringFaultsRaiseTheirTexts) {
    FakeControl edit(ControlKind::Edit);
    FakeControl plainList(ControlKind::ListBox); // no list interface to drive
    for (ValidatorControl* control : std::vector<ValidatorControl*>{&edit, &plainList}) {
        try {
            list.AssignCtrl(control);
            ADD_FAILURE();
        } catch (const ExcValidators& e) {
            EXPECT_STREQ(e.what(), "TUDBLook_Validator.AssignCtrl <> TListBox.. or TStringGrid..");
        }
    }
    TUDBLook_Validator unknown;
    unknown.DefAttributs(0, false, 0x7ab, -1, 0);
    try {
        unknown.FillToControl(place);
        ADD_FAILURE();
    } catch (const ExcValidators& e) {
        EXPECT_STREQ(e.what(), "TUDBLook_Validator: GetDataBaseDscr($07AB)=nil");
    }
    EXPECT_THROW(TDBLookValidatorLink(nullptr), ExcValidators);
}

TEST_F(RecordListTest, DeleteRemovesExactlyTheSelectedRowsWhateverTheClickOrder) {
    struct Case {
        std::vector<int> clicks;
        const char* left;
    };
    for (const Case& c : std::vector<Case>{{{4, 0, 2}, "BD"}, {{3, 1}, "ACE"}, {{}, "ABCDE"}}) {
        regs->FreeAll();
        Paste({"A", "B", "C", "D", "E"});
        std::vector<FakeEdit> edits(5);
        for (int i = 0; i < 5; ++i)
            RegisterEdit(*regs, &edits[static_cast<std::size_t>(i)], regs->Record(i));
        control.picked = c.clicks;
        list.DeleteSelected();
        EXPECT_EQ(Names(), c.left);
        int closed = 0;
        for (const FakeEdit& edit : edits)
            closed += edit.detached;
        EXPECT_EQ(closed, static_cast<int>(c.clicks.size())) << c.left;
        EXPECT_EQ(control.ItemCount(), regs->Count());
        for (FakeEdit& edit : edits)
            UnregisterEdit(*regs, &edit);
    }
}

TEST_F(RecordListTest, PasteInsertsBeforeTheFirstSelectedRowOrAppendsAndSelectsTheFirstPasted) {
    struct Case {
        const char* before;
        std::vector<int> clicks;
        const char* after;
    };
    for (const Case& c : std::vector<Case>{{"", {}, "XY"},
                                           {"ABC", {}, "ABCXY"},
                                           {"ABC", {2, 1}, "AXYBC"},
                                           {"ABC", {0}, "XYABC"}}) {
        regs->FreeAll();
        for (const char* p = c.before; *p; ++p) {
            control.picked.clear();
            Paste({std::string(1, *p).c_str()});
        }
        control.picked = c.clicks;
        Paste({"X", "Y"});
        EXPECT_EQ(Names(), c.after);
        EXPECT_EQ(Selected(), "X") << c.after;
        const int row = static_cast<int>(std::string(c.after).find('X'));
        EXPECT_EQ(control.current, row);
        EXPECT_EQ(control.picked, std::vector<int>{row});
        EXPECT_FALSE(list.ExpectInserted);
    }
}

TEST_F(RecordListTest, CopyLeavesTheClipboardAloneWithoutSelectionAndCutPastesElsewhere) {
    Paste({"A", "B", "C"});
    EnvCtx().clipboard->SetText("keep");
    control.picked.clear();
    EXPECT_FALSE(list.CopyToClipboard());
    EXPECT_FALSE(list.CutToClipboard());
    EXPECT_EQ(EnvCtx().clipboard->Text(), "keep");
    EXPECT_EQ(Names(), "ABC");

    control.picked = {1};
    ASSERT_TRUE(list.CutToClipboard());
    EXPECT_EQ(Names(), "AC");
    EXPECT_EQ(regs->Record(0)->HeldBy, regs); // a lent record went back untouched
    control.picked = {0};
    ASSERT_TRUE(list.PasteFromClipboard());
    EXPECT_EQ(Names(), "BAC");
    EXPECT_EQ(Selected(), "B");

    EnvCtx().clipboard->SetText("x"); // a failed paste leaves nothing waiting for an insertion
    EXPECT_FALSE(list.PasteFromClipboard());
    EXPECT_FALSE(list.ExpectInserted);
    EXPECT_EQ(Names(), "BAC");
}

TEST_F(RecordListTest, AddingAtASelectedRowInsertsThereAndSelectsTheNewRecord) {
    Paste({"A", "B", "C"});
    TDBRecordObj* b = regs->Record(1);
    control.picked = {1};
    list.AddRecord();
    ASSERT_EQ(windows.size(), 1U);
    EXPECT_EQ(windows[0]->edit.InsertPos(), 1);
    ASSERT_TRUE(windows[0]->edit.Apply());
    ASSERT_EQ(regs->Count(), 4);
    EXPECT_EQ(regs->Record(2), b);
    EXPECT_EQ(list.SelRecordOf(), regs->Record(1));
    EXPECT_EQ(control.picked, std::vector<int>{1});

    // Without a window to insert, nothing waits for the next insertion.
    WindowsCtx().windowHost = nullptr;
    list.AddRecord();
    EXPECT_FALSE(list.ExpectInserted);
}

TEST_F(RecordListTest, FilteredRecordsAreNotListedAndTheSelectionFollowsItsRecord) {
    Paste({"A", "B", "C"});
    auto filter = std::make_unique<HideOne>();
    filter->hidden = regs->Record(1);
    HideOne& hide = *filter;
    AppDataBaseDscr(kDBRegisterMap)->Filters = std::make_unique<TDBFilterValColl>();
    AppDataBaseDscr(kDBRegisterMap)->Filters->Insert(std::move(filter));
    list.DefAttributs(0, true, kDBRegisterMap, 0, 0);
    list.RefreshList();
    ASSERT_EQ(control.ItemCount(), 2);

    list.SelectRow(1, 1); // C
    regs->LookLinks->SetSelections(hide.hidden);
    EXPECT_EQ(Selected(), "C");
    EXPECT_EQ(control.picked, std::vector<int>{1});

    regs->AtInsert(0, TDBRecordObj::New({}, 0, schema::kRecRegister)); // C moves down
    EXPECT_EQ(Selected(), "C");
    EXPECT_EQ(control.current, 2);
    EXPECT_EQ(control.picked, std::vector<int>{2});
}

} // namespace
} // namespace panolcd::testing
