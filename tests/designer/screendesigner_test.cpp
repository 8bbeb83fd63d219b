// The screen design window's controller on an in-memory project: inserting, pressing, dragging
// and releasing, selecting by shift and band, moving a group, the menus, copy and paste through
// the clipboard, alignment and sizes, and the keys that store and close.

#include "designer/screendesigner.h"

#include "designer/commandobjects.h"
#include "designer/graphicobjects.h"
#include "designer/objectdialogs.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/bmpfile.h"
#include "project/dbtypes.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "schema/appschema.h"
#include "support/test_context.h"

#include <map>
#include <string>
#include <vector>

namespace panolcd::testing {
namespace {

class FakeHost final : public DesignerHost {
public:
    TDBRecordObj* screen = nullptr;
    int stores = 0;
    int closes = 0;
    int propertyDialogs = 0;
    bool refuseStores = false;
    std::vector<TDBRecordObj*> opened;
    LcdCoords lastSelection{};
    // What the dialogs of record types were shown, and what the user "confirms" in them; a
    // record type without an answer is cancelled.
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> dialogsShown;
    std::map<std::string, std::vector<std::uint8_t>> answers;

    TDBRecordObj* ScreenRecord() override { return screen; }
    void Invalidate() override {}
    void SetCursor(Cursor) override {}
    bool StoreScreenRecord() override {
        ++stores;
        if (screen->GetDBTidDataBase(kDBScreenObjects) == nullptr)
            screen->EnsureSubDBs().Insert(TDataBase::New(nullptr, kDBScreenObjects, 0, 0));
        return !refuseStores;
    }
    void OpenObjectWindow(TDBRecordObj& record) override { opened.push_back(&record); }
    bool EditObjectProperties(TLCDObject&) override {
        ++propertyDialogs;
        return false;
    }
    bool RunRecordDialog(const char* type, std::vector<std::uint8_t>& record) override {
        dialogsShown.emplace_back(type, record);
        const auto answer = answers.find(type);
        if (answer == answers.end() || answer->second.size() != record.size())
            return false;
        record = answer->second;
        return true;
    }
    void CloseWindow() override { ++closes; }
    void ScrollTo(int, int) override {}
    void ReportPosition(int, int) override {}
    void ReportSelection(const TLCDObject*, const LcdCoords& selection) override {
        lastSelection = selection;
    }
    void ReportLayers(std::uint32_t, std::uint8_t) override {}
};

constexpr std::uint32_t kBasicLayers = 0x80000007;

class Designer : public DescriptionTest {
protected:
    void SetUp() override {
        DescriptionTest::SetUp();
        EnvCtx().useClipboard = false; // the program's own clipboard stream
        NewProject();
        TDataBase& screens = *SubDataBase(RootRecord(), kDBScreens);
        auto screen = TDBRecordObj::New({}, 0, schema::kRecScreen);
        ScreenRecordView(screen->RecData).SetScrSymb("MAIN");
        host_.screen = screen.get();
        screens.Insert(std::move(screen));
    }

    ScreenDesigner& Open(int zoom = 1, std::uint32_t layers = kBasicLayers) {
        ScreenRecordView(host_.screen->RecData).SetLayerMask(layers);
        designer_ = std::make_unique<ScreenDesigner>(host_, zoom);
        designer_->ShowScreen();
        return *designer_;
    }
    TDataBase& Records() const { return *host_.screen->GetDBTidDataBase(kDBScreenObjects); }
    // Inserts a graphic object and places it at an LCD rectangle.
    TLCDObject& Add(std::uint8_t kind, LcdCoords c, std::uint8_t layer = kGraphicLayer) {
        designer_->InsertObject(layer, layer, 0, kind);
        EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
        TLCDObject& object = *designer_->Scene().Objects().back().object;
        object.SetBounds(object.RecordToFrame(c, designer_->ScrollPosition()));
        return object;
    }
    static Frame Center(const TLCDObject& o) {
        const Frame f = o.Bounds();
        return {f.left + f.width / 2, f.top + f.height / 2, 0, 0};
    }
    void Click(const TLCDObject& o, bool shift = false, MouseButton button = MouseButton::Left) {
        const Frame c = Center(o);
        designer_->MouseDown(button, shift, c.left, c.top);
        designer_->MouseUp(button, shift, c.left, c.top);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        designer_->MouseDown(MouseButton::Left, false, x0, y0);
        designer_->MouseMove(false, (x0 + x1) / 2, (y0 + y1) / 2);
        designer_->MouseMove(false, x1, y1);
        designer_->MouseUp(MouseButton::Left, false, x1, y1);
    }
    std::vector<const TLCDObject*> Selected() const {
        std::vector<const TLCDObject*> selected;
        for (const SceneObject& e : designer_->Scene().Objects())
            if (e.object->Selected())
                selected.push_back(e.object.get());
        return selected;
    }

    FakeHost host_;
    std::unique_ptr<ScreenDesigner> designer_;
};

TEST_F(Designer, InsertsWhereTheWindowLooksAndOnlyIntoShownLayers) {
    ScreenDesigner& designer = Open(2);
    designer.SetScroll({21, 11}); // kept on the zoom grid: (20, 10)
    EXPECT_EQ(designer.ScrollPosition().h, 20);
    designer.InsertObject(kGraphicLayer, kGraphicLayer, 0, kObjRectangle);
    ASSERT_EQ(Records().Count(), 1);
    const ObjectRecordView view(Records().Record(0)->RecData);
    EXPECT_EQ(view.X1(), 20 / 2 + 10);
    EXPECT_EQ(view.Y1(), 10 / 2 + 10);
    EXPECT_EQ(designer.Scene().Objects().front().record, Records().Record(0));
    EXPECT_TRUE(designer.Scene().Objects().front().object->Selected());

    designer.InsertObject(5, 5, 0, kObjRectangle); // case layer 5 is hidden
    designer.InsertObject(40, 40, 0, kObjRectangle);
    EXPECT_EQ(Records().Count(), 1);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(Designer, ClicksNeverMoveAndDragsLandOnTheZoomGrid) {
    ScreenDesigner& designer = Open(2);
    designer.SetScroll({13, 7});
    TLCDObject& object = Add(kObjRectangle, {30, 20, 60, 40});
    designer.StoreObjects();
    const std::vector<std::uint8_t> stored = Records().Record(0)->RecData;
    const Frame before = object.Bounds();
    const int changes = designer.ChangeCount();
    for (int i = 0; i < 100; ++i)
        Click(object);
    EXPECT_EQ(object.Bounds(), before);
    EXPECT_EQ(designer.ChangeCount(), changes); // clicks change nothing
    designer.StoreObjects();
    EXPECT_EQ(Records().Record(0)->RecData, stored);

    const Frame c = Center(object);
    Drag(c.left, c.top, c.left + 7, c.top - 3);
    EXPECT_EQ(designer.ChangeCount(), changes + 1); // the drag is one change
    EXPECT_EQ(designer.LastChange(), ChangeKind::Move);
    EXPECT_EQ(object.Bounds().left % 2, 0);
    EXPECT_EQ(object.Bounds().left, before.left + 6);
    EXPECT_EQ(object.Bounds().top, before.top - 4);
}

TEST_F(Designer, ShiftAndBandSelectionAndTheGroupMove) {
    ScreenDesigner& designer = Open(1);
    TLCDObject& a = Add(kObjRectangle, {10, 10, 30, 30});
    TLCDObject& b = Add(kObjRectangle, {50, 10, 70, 30});
    TLCDObject& c = Add(kObjRectangle, {100, 10, 130, 30});
    TLCDObject& locked = Add(kObjRectangle, {12, 50, 20, 60});
    locked.Lock();

    Click(a);
    Click(b, true);
    EXPECT_EQ(Selected(), (std::vector<const TLCDObject*>{&a, &b}));
    EXPECT_FALSE(designer.SelectionFrame().Visible); // shift-selecting until the key is let go
    designer.KeyUp({});
    EXPECT_TRUE(designer.SelectionFrame().Visible);
    EXPECT_EQ(designer.SelectedCount(), 2);
    EXPECT_EQ(host_.lastSelection, (LcdCoords{10, 10, 70, 30}));

    // A band over a and b entirely and c partly; the locked object inside stays out.
    Drag(0, 0, 100, 80);
    EXPECT_EQ(Selected(), (std::vector<const TLCDObject*>{&a, &b}));
    EXPECT_FALSE(a.Enabled); // the selection frame takes the mouse
    const Frame frame = designer.SelectionFrame().Bounds();
    const Frame aBefore = a.Bounds();
    const Frame bBefore = b.Bounds();
    const Frame cBefore = c.Bounds();
    Drag(frame.left + 1, frame.top + 20, frame.left + 8, frame.top + 25);
    EXPECT_EQ(a.Bounds().left, aBefore.left + 7);
    EXPECT_EQ(b.Bounds().top, bBefore.top + 5);
    EXPECT_EQ(c.Bounds(), cBefore);
}

TEST_F(Designer, RightClicksAskForTheirMenu) {
    ScreenDesigner& designer = Open(1);
    TLCDObject& one = Add(kObjRectangle, {10, 10, 40, 40});
    TLCDObject& two = Add(kObjRectangle, {20, 20, 50, 50});
    one.Lock();
    two.Lock();
    // Empty space over two locked objects: the unlock menu, and unlocking frees both.
    designer.MouseDown(MouseButton::Right, false, 30, 30);
    designer.MouseUp(MouseButton::Right, false, 30, 30);
    const auto menu = designer.TakePendingMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->first, PopupMenu::Unlock);
    designer.MenuChosen(MenuCommand::Unlock);
    EXPECT_FALSE(one.Locked());
    EXPECT_FALSE(two.Locked());

    Click(two, false, MouseButton::Right);
    EXPECT_EQ(designer.TakePendingMenu()->first, PopupMenu::Object);
    EXPECT_EQ(designer.CurrentObject(), &two);
    designer.MenuChosen(MenuCommand::Delete);
    EXPECT_EQ(Records().Count(), 1);
    EXPECT_EQ(designer.CurrentObject(), nullptr);

    designer.MouseDown(MouseButton::Right, false, 200, 100);
    EXPECT_EQ(designer.TakePendingMenu()->first, PopupMenu::Background);
    EXPECT_EQ(MenuItems(PopupMenu::Background, false).size(), 1u);
}

TEST_F(Designer, CopyAndPasteFollowTheListAndTheShownLayers) {
    ScreenDesigner& designer = Open(1, kBasicLayers);
    Add(kObjRectangle, {10, 10, 20, 20});
    Add(kObjText, {0, 0, 0, 0}, kTextLayer);
    Add(kObjEnum, {0, 40, 0, 0}, kTextLayer);
    for (const SceneObject& e : designer.Scene().Objects())
        e.object->Select();
    EXPECT_TRUE(designer.Copy());
    const std::string clip(ClipBoardStreamMan().Stream().Data().begin(),
                           ClipBoardStreamMan().Stream().Data().end());
    EXPECT_LT(clip.find("($04"), clip.find("($07")) << clip; // list order
    EXPECT_LT(clip.find("($07"), clip.find("($0B"));

    // With case layer 7 the lowest shown: everything but the enumeration lands there.
    designer.ShowLayer(7);
    designer.ShowLayer(9);
    designer.Paste();
    ASSERT_EQ(Records().Count(), 5);
    for (int i = 3; i < 5; ++i)
        EXPECT_EQ(ObjectRecordView(Records().Record(i)->RecData).Layer(), 7);
    EXPECT_EQ(designer.Scene().Objects().size(), 5u);

    // No case layer, the graphic layer hidden: only the text and the enumeration come in.
    designer.HideLayers(0x7FFFFFF8 | 0x4);
    designer.Paste();
    ASSERT_EQ(Records().Count(), 7);
    EXPECT_EQ(ObjectRecordView(Records().Record(5)->RecData).Kind(), kObjText);
    EXPECT_EQ(ObjectRecordView(Records().Record(6)->RecData).Kind(), kObjEnum);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(Designer, CutDeletesOnlyWhatWasCopied) {
    ScreenDesigner& designer = Open(1);
    Add(kObjRectangle, {10, 10, 20, 20});
    // A record the window does not know: the copy refuses, and the cut deletes nothing.
    Records().Insert(TDBRecordObj::New({}, 0, schema::kRecObject));
    designer.Scene().Objects().front().object->Select();
    designer.Cut();
    EXPECT_EQ(Records().Count(), 2);
    EXPECT_EQ(designer.Scene().Objects().size(), 1u);
    ASSERT_FALSE(User().shown.empty());
    EXPECT_EQ(User().shown.back().text, "Error: FLCDObjectsList.Count<>WrkDB.Count");
}

TEST_F(Designer, AlignmentAndSizes) {
    ScreenDesigner& designer = Open(2);
    designer.SetScroll({10, 0});
    TLCDObject& a = Add(kObjRectangle, {10, 10, 29, 19});
    TLCDObject& b = Add(kObjRectangle, {40, 30, 49, 59});
    TLCDObject& c = Add(kObjRectangle, {90, 50, 99, 59});
    for (TLCDObject* o : {&a, &b, &c})
        o->Select();
    designer.Align(1, 0);
    EXPECT_EQ(b.Bounds().left, a.Bounds().left);
    EXPECT_EQ(c.Bounds().left, a.Bounds().left);

    designer.Align(0, 4); // spread: the first and last stay
    EXPECT_EQ(b.Bounds().top, (a.Bounds().top + c.Bounds().top) / 2 / 2 * 2);

    // Centre on the LCD at zoom 2 with H = 10: a frame 40 wide goes to 240 - 10 - 20.
    a.SetBounds({0, 0, 40, 40});
    b.Deselect();
    c.Deselect();
    designer.Align(5, 0);
    EXPECT_EQ(a.Bounds().left, 210);

    for (TLCDObject* o : {&a, &b, &c})
        o->Select();
    c.SetBounds({c.Bounds().left, c.Bounds().top, 65, c.Bounds().height});
    designer.Size(2, 0, 0, 0); // the largest width, on the zoom grid
    EXPECT_EQ(b.Bounds().width, 64);
    EXPECT_EQ(a.Bounds().width, 64);
    designer.Size(3, 3, 20, 8);
    const LcdCoords bc = b.FrameToRecord(designer.ScrollPosition(), b.Bounds());
    EXPECT_EQ(bc.x2 - bc.x1, 20);
    EXPECT_EQ(bc.y2 - bc.y1, 8);

    // A south-west line keeps its left edge; the width moves its right one.
    auto* line = dynamic_cast<TLCDVectGrObj*>(&Add(kObjLine, {50, 10, 30, 40}));
    ASSERT_NE(line, nullptr);
    line->Options |= kOptLineSwNe;
    line->SetBounds(line->RecordToFrame({50, 10, 30, 40}, designer.ScrollPosition()));
    for (TLCDObject* o : {&a, &b, &c})
        o->Deselect();
    const int left = line->Bounds().left;
    designer.Size(3, 0, 5, 0);
    EXPECT_EQ(line->Bounds().left, left);
    EXPECT_GT(line->Bounds().width, 0);
    EXPECT_EQ(line->FrameToRecord(designer.ScrollPosition(), line->Bounds()).x1, 35);
}

TEST_F(Designer, TheMenusRunTheirDialogsAndApplyWhatWasConfirmed) {
    ScreenDesigner& designer = Open(1);
    TLCDObject& a = Add(kObjRectangle, {10, 10, 29, 19});
    TLCDObject& b = Add(kObjRectangle, {40, 30, 49, 59});
    a.Select();
    b.Select();
    host_.answers[kAlignmentRecord] = {1, 0};
    designer.MenuChosen(MenuCommand::Align);
    EXPECT_EQ(b.Bounds().left, a.Bounds().left);
    ASSERT_EQ(host_.dialogsShown.size(), 1u);
    EXPECT_EQ(host_.dialogsShown.back().second, (std::vector<std::uint8_t>{0, 0}));

    const Frame before = b.Bounds();
    designer.MenuChosen(MenuCommand::Sizes); // cancelled
    EXPECT_EQ(b.Bounds(), before);
    EXPECT_EQ(host_.dialogsShown.back().second, std::vector<std::uint8_t>(10, 0));
    host_.answers[kAlignSizeRecord] = {3, 0, 25, 0, 0, 0, 0, 0, 0, 0};
    designer.MenuChosen(MenuCommand::Sizes);
    const LcdCoords bc = b.FrameToRecord({}, b.Bounds());
    EXPECT_EQ(bc.x2 - bc.x1, 25);

    b.Deselect();
    host_.answers[kSingleAlignRecord] = {1, 0};
    designer.MenuChosen(MenuCommand::AlignOne);
    EXPECT_EQ(a.Bounds().left, 120 - a.Bounds().width / 2);
    EXPECT_EQ(MenuItems(PopupMenu::Object, true)[1].command, MenuCommand::AlignOne);

    // The screen parameters are the record's first 83 bytes; the rest stays.
    const ScreenRecordView screen(host_.screen->RecData);
    screen.SetHlpBmpNum(3);
    const std::vector<std::uint8_t> record = host_.screen->RecData;
    std::vector<std::uint8_t> edited(record.begin(), record.begin() + 83);
    ScreenRecordView(edited).SetScrNum(7);
    ScreenRecordView(edited).SetScrName("Nova");
    host_.answers[kScreenParametersRecord] = edited;
    const int stores = host_.stores;
    designer.MenuChosen(MenuCommand::ScreenParameters);
    EXPECT_EQ(host_.dialogsShown.back().second,
              std::vector<std::uint8_t>(record.begin(), record.begin() + 83));
    EXPECT_EQ(screen.ScrNum(), 7);
    EXPECT_EQ(designer.Caption(), "MAIN-Nova");
    EXPECT_TRUE(std::equal(record.begin() + 83, record.end(), host_.screen->RecData.begin() + 83));
    EXPECT_EQ(host_.stores, stores + 1);

    designer.SetHelpMode(true);
    host_.answers[kScreenHelpRecord] = {255};
    designer.MenuChosen(MenuCommand::ScreenParameters);
    EXPECT_EQ(host_.dialogsShown.back().second, std::vector<std::uint8_t>{3});
    EXPECT_EQ(screen.HlpBmpNum(), 255);
    EXPECT_EQ(screen.ScrNum(), 7);

    // A store the screens refuse (another screen's number) takes the edit back.
    designer.SetHelpMode(false);
    host_.refuseStores = true;
    ScreenRecordView(host_.answers[kScreenParametersRecord]).SetScrNum(2);
    designer.MenuChosen(MenuCommand::ScreenParameters);
    EXPECT_EQ(screen.ScrNum(), 7);
}

// A command window replacing an object's record notifies the objects database: the construct
// shows what the record holds at once.
TEST_F(Designer, ARecordChangedElsewhereIsShownAtOnce) {
    ScreenDesigner& designer = Open(1);
    designer.InsertObject(kTextLayer, kTextLayer, 0, kObjCmdWait);
    auto& wait = dynamic_cast<TLCDCmdWaitObj&>(*designer.Scene().Objects().back().object);
    ASSERT_TRUE(designer.StoreObjects());

    TDBRecordObj& record = *Records().Record(0);
    ObjectRecordView(record.RecData).SetObjText("K = 1");
    Records().NotifyChanged();
    EXPECT_EQ(wait.Lines().back(), " K = 1;");

    // The designer's own changes are no news to it.
    ObjectRecordView(record.RecData).SetObjText("K = 2");
    designer.InsertObject(kTextLayer, kTextLayer, 0, kObjCmdWait);
    EXPECT_EQ(wait.Lines().back(), " K = 1;");

    // A variant added in a variant window: the case object's variants' database reports it.
    designer.InsertObject(kTextLayer, kTextLayer, 0, kObjCmdCase);
    auto& caseObject = dynamic_cast<TLCDCaseObj&>(*designer.Scene().Objects().back().object);
    TDBRecordObj& caseRecord = *Records().Record(Records().Count() - 1);
    caseRecord.EnsureSubDBs().Insert(TDataBase::New(nullptr, kDBCaseVariants, 0, 0));
    Records().NotifyChanged(); // the object window applied its record with the new database
    auto variant = TDBRecordObj::New({}, 0, schema::kRecCaseVariant);
    CaseVariantRecordView(variant->RecData).SetCaseConstSym("7");
    caseRecord.GetDBTidDataBase(kDBCaseVariants)->Insert(std::move(variant));
    ASSERT_EQ(caseObject.Lines().size(), 3u);
    EXPECT_NE(caseObject.Lines()[1].find('7'), std::string::npos);
}

TEST_F(Designer, KeysStoreCloseAndOpenProperties) {
    ScreenDesigner& designer = Open(1);
    TLCDObject& box = Add(kObjRectangle, {10, 10, 20, 20});
    designer.KeyDown(DesignerKey::Space, {});
    EXPECT_EQ(host_.propertyDialogs, 1);
    designer.InsertObject(kTextLayer, kTextLayer, 0, kObjCmdWait);
    designer.KeyDown(DesignerKey::Space, {});
    ASSERT_EQ(host_.opened.size(), 1u);
    EXPECT_EQ(host_.opened.front(), Records().Record(1));

    box.SetBounds(box.RecordToFrame({33, 44, 55, 66}, {}));
    ProjectColl()->ClearModified();
    EXPECT_TRUE(designer.KeyDown(DesignerKey::Escape, {}));
    EXPECT_TRUE(ProjectColl()->IsModified()); // closing the project will offer to save
    EXPECT_EQ(host_.closes, 1);
    EXPECT_EQ(ObjectRecordView(Records().Record(0)->RecData).X1(), 33);

    designer.KeyDown(DesignerKey::Delete, {}); // the wait box is selected
    EXPECT_EQ(Records().Count(), 1);
    EXPECT_EQ(designer.EditCaps(), 0xC78u);
}

TEST_F(Designer, TheScreenImageIsTheLcdAtZoom1) {
    SetProjectFileName((TempDir() / "JOB.LCD").string());
    ScreenDesigner& designer = Open(4);
    designer.SetScroll({40, 20});
    TLCDObject& box = Add(kObjFilledRect, {5, 6, 9, 8});
    box.Select(); // no selection marks in the picture
    const auto file = designer.SaveScreenImage();
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, (TempDir() / "MAIN.bmp").string());
    const BmpReadResult image = ReadBmpFile(*file);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.image.width, 240);
    int ink = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 240; ++x)
            ink += image.image.Ink(x, y);
    EXPECT_EQ(ink, 5 * 3);
    EXPECT_TRUE(image.image.Ink(5, 6));
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown.back().text, Cz("Uloženo do ") + *file);

    // A folder that cannot take the file: said so, never "Uloženo do".
    SetProjectFileName((TempDir() / "none" / "JOB.LCD").string());
    EXPECT_FALSE(designer.SaveScreenImage());
    EXPECT_EQ(User().shown.back().text.rfind(Cz("Uloženo"), 0), std::string::npos);

    // Nor beside an installed sample, though its folder could take it.
    EnvCtx().settings.dataDir = TempDir().string() + "/";
    SetProjectFileName((TempDir() / "JOB.LCD").string());
    std::filesystem::remove(TempDir() / "MAIN.bmp");
    EXPECT_FALSE(designer.SaveScreenImage());
    EXPECT_EQ(User().shown.back().text, Cz("Obrázek nelze uložit do ") + *file);
    EXPECT_FALSE(std::filesystem::exists(TempDir() / "MAIN.bmp"));
}

} // namespace
} // namespace panolcd::testing
