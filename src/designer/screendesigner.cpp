#include "designer/screendesigner.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "designer/graphicobjects.h"
#include "designer/objectdialogs.h"
#include "designer/screenimage.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/programfiles.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/recordtype.h"
#include "framework/windows/udblook.h"
#include "project/dbtypes.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

#include <algorithm>
#include <exception>
#include <fstream>

namespace panolcd {
namespace {

constexpr std::uint8_t kFrameLayer = 31;

void ShowError(const std::string& text) {
    MsgBox("", text, mb::kIconError | mb::kOk);
}

LcdRect Union(const LcdRect& a, const LcdRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool SameRect(const LcdRect& a, const LcdRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int FrameGrowth(int zoom) {
    return zoom >= 4 ? 8 : zoom == 2 ? 4 : 2;
}

bool OpensItsWindow(std::uint8_t kind) {
    return kind == kObjEnum || kind == kObjCmdCase || kind == kObjCmdOnKey || kind == kObjCmdWait ||
           kind == kObjEditEnter;
}

} // namespace

std::vector<MenuItem> MenuItems(PopupMenu menu, bool bitmapLayerShown) {
    switch (menu) {
    case PopupMenu::Object:
        return {{MenuCommand::Properties, "Parametry"},
                {MenuCommand::AlignOne, "Zarovnání"},
                {MenuCommand::SendBack, "Do pozadí"},
                {MenuCommand::Lock, "Uzamknutí"},
                {MenuCommand::Delete, "Zrušit"}};
    case PopupMenu::LockedObject:
    case PopupMenu::Unlock:
        return {{MenuCommand::Unlock, "Odemknutí"}};
    case PopupMenu::MultiSelection:
        return {{MenuCommand::Align, "Zarovnání"},
                {MenuCommand::Sizes, "Rozměry"},
                {MenuCommand::SendBack, "Do pozadí"},
                {MenuCommand::Lock, "Uzamknutí"},
                {MenuCommand::Delete, "Zrušit"}};
    case PopupMenu::Background:
        if (bitmapLayerShown)
            return {{MenuCommand::ScreenParameters, "Parametry obrazovky"},
                    {MenuCommand::ClearBitmap, "Vymaž BMP"}};
        return {{MenuCommand::ScreenParameters, "Parametry obrazovky"}};
    }
    return {};
}

ScreenDesigner::ScreenDesigner(DesignerHost& host, int zoom)
    : host_(host), scene_(zoom), frame_(zoom) {
    frame_.Kind = kObjMultiSelFrame;
    frame_.Layer = kFrameLayer;
    frame_.Look = LookOfKind(kObjMultiSelFrame);
    frame_.Enabled = false;
    frame_.Visible = false;
    frame_.OnMouseDown = [this](TLCDObject& o, MouseButton b, bool s, int x, int y) {
        ObjectDown(o, b, s, x, y);
    };
    frame_.OnMouseMove = [this](TLCDObject& o, bool s, int x, int y) { ObjectMove(o, s, x, y); };
    frame_.OnMouseUp = [this](TLCDObject& o, MouseButton b, bool s, int x, int y) {
        ObjectUp(o, b, s, x, y);
    };
    scene_.Stack().Add(frame_);
}

// The designer as a list of the objects database: it hears of every change there, and a record
// window closing over one of its objects finds the screen window through it.
class ObjectsWatch final : public DBLookValidator {
public:
    explicit ObjectsWatch(ScreenDesigner& designer) : designer_(designer) {}
    ~ObjectsWatch() override { Watch(nullptr); }
    ObjectsWatch(const ObjectsWatch&) = delete;
    ObjectsWatch& operator=(const ObjectsWatch&) = delete;

    void Watch(TDataBase* database) {
        if (database == database_)
            return;
        if (database_ != nullptr)
            UnregisterLook(*database_, this);
        database_ = database;
        if (database_ == nullptr)
            return;
        RegisterLook(*database_, this, nullptr);
        if (TDBLookValidatorLink* link = Link())
            ListRecords(*link);
    }
    void FillList(TDBLookValidatorLink& link) override {
        ListRecords(link);
        if (designer_.ownChanges_ > 0)
            return;
        // A command window may have given an object its variants' database.
        designer_.WatchObjects();
        designer_.RefreshFromDatabase();
    }
    void SelectRow(int row, int selectedCount) override {
        if (TDBLookValidatorLink* link = Link())
            link->SelRecord =
                row >= 0 && selectedCount > 0 && row < static_cast<int>(link->Rows.size())
                    ? link->Rows[static_cast<std::size_t>(row)]
                    : nullptr;
    }
    TDataBase* Database() const { return database_; }
    bool HasControl() const override { return false; }
    void ForgetDataBase() override { database_ = nullptr; }
    void RevealList() override { designer_.host_.RevealWindow(); }

private:
    TDBLookValidatorLink* Link() const {
        return database_ ? database_->LookLinks->FindLookLinkByLookValidator(this) : nullptr;
    }
    // Every record is a row: the window shows them all.
    void ListRecords(TDBLookValidatorLink& link) const {
        link.Rows.clear();
        for (int i = 0; database_ != nullptr && i < database_->Count(); ++i)
            link.Rows.push_back(database_->Record(i));
        if (link.RowOf(link.SelRecord) < 0)
            link.SelRecord = nullptr;
    }

    ScreenDesigner& designer_;
    TDataBase* database_ = nullptr;
};

ScreenDesigner::~ScreenDesigner() = default;

void ScreenDesigner::WatchObjects() {
    std::vector<TDataBase*> watched;
    if (TDataBase* objects = ObjectsDatabase(false)) {
        watched.push_back(objects);
        for (int i = 0; i < objects->Count(); ++i) {
            const TDBRecordObj* record = objects->Record(i);
            for (const std::uint16_t type : {kDBCaseVariants, kDBOnKeyVariants, kDBEnumVariants}) {
                if (TDataBase* variants = record ? record->GetDBTidDataBase(type) : nullptr)
                    watched.push_back(variants);
            }
        }
    }
    std::erase_if(watches_, [&](const std::unique_ptr<ObjectsWatch>& watch) {
        return std::ranges::find(watched, watch->Database()) == watched.end();
    });
    for (TDataBase* database : watched) {
        if (std::ranges::none_of(watches_,
                                 [&](const auto& w) { return w->Database() == database; })) {
            watches_.push_back(std::make_unique<ObjectsWatch>(*this));
            watches_.back()->Watch(database);
        }
    }
}

bool ScreenDesigner::Change(ChangeKind kind, const std::function<void()>& change) {
    ++changeCount_;
    lastChange_ = kind;
    bool ok = true;
    ++ownChanges_;
    try {
        change();
    } catch (const std::exception& e) {
        ShowError(e.what());
        ok = false;
    }
    --ownChanges_;
    WatchObjects();
    host_.Invalidate();
    return ok;
}

TDataBase* ScreenDesigner::ObjectsDatabase(bool create) {
    if (Screen() == nullptr)
        return nullptr;
    TDataBase* objects = Screen()->GetDBTidDataBase(kDBScreenObjects);
    if (objects == nullptr && create && host_.StoreScreenRecord() && Screen() != nullptr)
        objects = Screen()->GetDBTidDataBase(kDBScreenObjects);
    return objects;
}

TLCDObject& ScreenDesigner::Adopt(std::unique_ptr<TLCDObject> object, TDBRecordObj* record) {
    Wire(*object);
    TLCDObject& added = scene_.Append(std::move(object), record);
    // The selection frame stays on top.
    scene_.Stack().BringToFront(frame_);
    return added;
}

void ScreenDesigner::Wire(TLCDObject& object) {
    object.MouseCursor = Cursor::Arrow;
    object.Enabled = !object.Locked();
    object.OnMouseDown = [this](TLCDObject& o, MouseButton b, bool s, int x, int y) {
        ObjectDown(o, b, s, x, y);
    };
    object.OnMouseMove = [this](TLCDObject& o, bool s, int x, int y) { ObjectMove(o, s, x, y); };
    object.OnMouseUp = [this](TLCDObject& o, MouseButton b, bool s, int x, int y) {
        ObjectUp(o, b, s, x, y);
    };
    object.OnDoubleClick = [this](TLCDObject& o) {
        current_ = &o;
        Properties(o);
    };
}

void ScreenDesigner::ShowScreen() {
    TDBRecordObj* screen = Screen();
    if (screen == nullptr)
        return;
    const ScreenRecordView view(screen->RecData);
    ShowScreenBitmaps();
    scene_.SetLayers(view.LayerMask(), (view.ScrFlags() & kObjFlagHelpScreen) != 0);
    host_.ReportLayers(Layers(), Flags());
    if (scene_.Objects().empty()) {
        TDataBase* objects = ObjectsDatabase(false);
        if (objects == nullptr) {
            host_.StoreScreenRecord();
        } else {
            scene_.LoadObjects(objects);
            for (const SceneObject& entry : scene_.Objects())
                Wire(*entry.object);
            scene_.Stack().BringToFront(frame_);
            if (static_cast<int>(scene_.Objects().size()) != objects->Count())
                ShowError("Error: LCDObjects.Count<>DB.Count");
        }
    }
    ApplyLayers();
    WatchObjects();
}

std::string ScreenDesigner::Caption() const {
    if (Screen() == nullptr)
        return {};
    const ScreenRecordView view(Screen()->RecData);
    std::string caption = HelpMode() ? "Help[" + view.ScrSymb() + "]" : view.ScrSymb();
    if (!view.ScrName().empty())
        caption += "-" + view.ScrName();
    return caption;
}

void ScreenDesigner::ApplyLayers() {
    if (Screen() != nullptr) {
        const ScreenRecordView view(Screen()->RecData);
        view.SetLayerMask(Layers());
        view.SetScrFlags(
            static_cast<std::uint8_t>((view.ScrFlags() & ~kObjFlagHelpScreen) | Flags()));
        host_.StoreScreenRecord();
    }
    scene_.SetLayers(Layers(), HelpMode());
    RefreshSelection(nullptr);
    UpdateSelectionFrame();
}

void ScreenDesigner::SetScroll(Scroll scroll) {
    // On the zoom grid, so that the mouse-up rounding never moves an object that was only
    // clicked.
    scroll = {FloorToStep(scroll.h, Zoom()), FloorToStep(scroll.v, Zoom())};
    const Scroll old = ScrollPosition();
    if (old.h == scroll.h && old.v == scroll.v)
        return;
    // Objects keep their LCD place: their window frames move against the scroll.
    for (const SceneObject& entry : scene_.Objects()) {
        Frame f = entry.object->Bounds();
        f.left += old.h - scroll.h;
        f.top += old.v - scroll.v;
        entry.object->SetBounds(f);
    }
    Frame f = frame_.Bounds();
    f.left += old.h - scroll.h;
    f.top += old.v - scroll.v;
    frame_.SetBounds(f);
    scene_.SetScroll(scroll);
    RefreshSelection(nullptr);
    host_.Invalidate();
}

void ScreenDesigner::SetZoom(int zoom) {
    if (zoom == Zoom() || (zoom != 1 && zoom != 2 && zoom != 4))
        return;
    const Scroll scroll = ScrollPosition();
    const int old = Zoom();
    scene_.SetZoom(zoom, scroll);
    frame_.SetZoom(scroll, zoom);
    // The window scrolls to the same LCD place at the new zoom.
    const Scroll moved = zoom > old ? Scroll{scroll.h * (zoom / old), scroll.v * (zoom / old)}
                                    : Scroll{scroll.h / (old / zoom), scroll.v / (old / zoom)};
    SetScroll(moved);
    RefreshSelection(nullptr);
    UpdateSelectionFrame();
    host_.Invalidate();
}

void ScreenDesigner::ShowLayer(int layer) {
    if (layer < 0 || layer > 31)
        return;
    const std::uint32_t layers = Layers() | (std::uint32_t{1} << layer);
    if (layers == Layers())
        return;
    scene_.SetLayers(layers, HelpMode());
    ApplyLayers();
    host_.Invalidate();
}

void ScreenDesigner::HideLayer(int layer) {
    if (layer < 0 || layer > 31)
        return;
    HideLayers(std::uint32_t{1} << layer);
}

void ScreenDesigner::HideLayers(std::uint32_t mask) {
    const std::uint32_t layers = Layers() & ~mask;
    if (layers == Layers())
        return;
    scene_.SetLayers(layers, HelpMode());
    ApplyLayers();
    host_.Invalidate();
}

void ScreenDesigner::SetHelpMode(bool on) {
    scene_.SetLayers(Layers(), on);
    ApplyLayers();
    host_.Invalidate();
}

std::vector<TLCDObject*> ScreenDesigner::SelectedVisible() const {
    std::vector<TLCDObject*> selected;
    for (const SceneObject& entry : scene_.Objects()) {
        if (IsSelectedVisible(*entry.object))
            selected.push_back(entry.object.get());
    }
    return selected;
}

bool ScreenDesigner::IsSelectedVisible(const TLCDObject& object) const {
    return (object.StateFor(Layers()) & kObjFlagSelected) != 0 && object.Visible;
}

void ScreenDesigner::DeselectAll(const TLCDObject* except) {
    for (const SceneObject& entry : scene_.Objects()) {
        if (entry.object.get() != except && entry.object->Selected())
            entry.object->Deselect();
    }
}

void ScreenDesigner::RefreshSelection(const TLCDObject* cause) {
    LcdRect bounds{};
    int count = 0;
    for (TLCDObject* object : SelectedVisible()) {
        const LcdRect r = object->WindowRect();
        bounds = count == 0 ? r : Union(bounds, r);
        ++count;
    }
    selectedCount_ = count;
    if (SameRect(bounds, selectionBounds_))
        return;
    selectionBounds_ = bounds;
    const int z = Zoom();
    const int m = MetricsOf(z).margin;
    const Scroll s = ScrollPosition();
    selectionLcd_ =
        count == 0 ? LcdCoords{}
                   : LcdCoords{(m + s.h + bounds.left) / z, (m + s.v + bounds.top) / z,
                               (s.h + bounds.right - m) / z - 1, (s.v + bounds.bottom - m) / z - 1};
    host_.ReportSelection(cause, selectionLcd_);
}

void ScreenDesigner::UpdateSelectionFrame() {
    if (selectedCount_ > 1) {
        const int d = FrameGrowth(Zoom());
        frame_.Enabled = true;
        frame_.Visible = true;
        frame_.SetFlags(kObjFlagSelected, 0);
        frame_.SetBounds({selectionBounds_.left - d, selectionBounds_.top - d,
                          selectionBounds_.right - selectionBounds_.left + 2 * d,
                          selectionBounds_.bottom - selectionBounds_.top + 2 * d});
        scene_.Stack().BringToFront(frame_);
    } else {
        frame_.Enabled = false;
        frame_.Visible = false;
    }
}

void ScreenDesigner::ReportPosition(const TLCDObject* object, int x, int y) {
    if (object != nullptr) {
        x += object->Bounds().left;
        y += object->Bounds().top;
    }
    const int z = Zoom();
    const Scroll s = ScrollPosition();
    host_.ReportPosition((x + s.h) / z, (y + s.v) / z);
}

void ScreenDesigner::AskMenu(PopupMenu menu, int x, int y) {
    pendingMenu_ = std::make_pair(menu, std::make_pair(x, y));
}

std::optional<std::pair<PopupMenu, std::pair<int, int>>> ScreenDesigner::TakePendingMenu() {
    auto menu = pendingMenu_;
    pendingMenu_.reset();
    return menu;
}

void ScreenDesigner::InsertObject(std::uint8_t layer, std::uint8_t homeLayer, std::uint8_t helpFlag,
                                  std::uint8_t kind) {
    if (layer >= 32 || (Layers() & (std::uint32_t{1} << layer)) == 0)
        return;
    Change(ChangeKind::Insert, [&] {
        TDataBase* objects = ObjectsDatabase(true);
        if (objects == nullptr)
            return;
        NewObjectSettings settings;
        settings.kind = kind;
        settings.caseLayer = layer;
        settings.caseLayerMode = layer >= kFirstCaseLayer && layer <= kLastCaseLayer;
        settings.helpMode = helpFlag != 0;
        settings.scrollX = ScrollPosition().h;
        settings.scrollY = ScrollPosition().v;
        settings.zoom = Zoom();
        std::vector<std::uint8_t> buffer = NewObjectRecord(settings);
        if (buffer.empty())
            return;
        ObjectRecordView(buffer).SetLayer(layer);
        ObjectRecordView(buffer).SetHomeLayer(homeLayer);
        auto object = CreateObjectOfKind(kind, Zoom());
        object->LoadFromRecord(buffer, LookOfKind(kind), ScrollPosition(), false);
        object->StoreToRecord(buffer, ScrollPosition());
        const std::int16_t recType = objects->Descriptor()->RecTypeIxOf(buffer);
        const TRecordTypeDscr* type = AppRecordTypeAt(recType);
        if (type == nullptr)
            return;
        auto record = std::make_unique<TDBRecordObj>();
        bool failed = false;
        record->CreateFromData(type->RecTypeName, recType, buffer.data(), buffer.size(), failed);
        if (failed)
            return;
        TDBRecordObj* stored = record.get();
        stored->Modified = true;
        const int before = objects->Count();
        objects->Insert(std::move(record));
        if (objects->Count() == before)
            return; // refused: the object goes with it
        TLCDObject& added = Adopt(std::move(object), stored);
        DeselectAll();
        added.ApplyLayers(Layers(), HelpMode());
        added.Select();
        RefreshSelection(&added);
        UpdateSelectionFrame();
    });
}

void ScreenDesigner::Delete(const std::vector<TLCDObject*>& doomed) {
    TDataBase* objects = ObjectsDatabase(false);
    pressFrames_.clear();
    for (TLCDObject* object : doomed) {
        if (object == current_)
            current_ = nullptr;
        if (object == captured_)
            captured_ = nullptr;
        std::erase(underCursor_, object);
        SceneObject taken = scene_.Take(*object);
        if (objects != nullptr && taken.record != nullptr)
            objects->FreeObj(taken.record);
    }
    RefreshSelection(nullptr);
    UpdateSelectionFrame();
}

void ScreenDesigner::DeleteSelection() {
    Change(ChangeKind::Delete, [&] { Delete(SelectedVisible()); });
}

void ScreenDesigner::DeleteAll() {
    DeleteShownObjects();
    ClearBitmap();
}

void ScreenDesigner::DeleteShownObjects() {
    Change(ChangeKind::Delete, [&] {
        std::vector<TLCDObject*> shown;
        for (const SceneObject& entry : scene_.Objects()) {
            if (entry.object->IsShownFor(Layers(), HelpMode()))
                shown.push_back(entry.object.get());
        }
        Delete(shown);
    });
}

void ScreenDesigner::ClearBitmap() {
    if (Screen() == nullptr || (Layers() & kBitmapLayerBit) == 0)
        return;
    Change(ChangeKind::Screen, [&] {
        const ScreenRecordView view(Screen()->RecData);
        if (HelpMode())
            view.SetHlpBmpNum(kNoBankNum);
        else
            view.SetBmpNum(kNoBankNum);
        ShowScreenBitmaps();
        host_.StoreScreenRecord();
    });
}

void ScreenDesigner::SendSelectionBack() {
    Change(ChangeKind::Order, [&] {
        for (TLCDObject* object : SelectedVisible())
            object->SendToBack();
    });
}

void ScreenDesigner::LockSelection() {
    Change(ChangeKind::Lock, [&] {
        for (TLCDObject* object : SelectedVisible())
            object->Lock();
        RefreshSelection(nullptr);
        UpdateSelectionFrame();
    });
}

void ScreenDesigner::UnlockUnderCursor() {
    Change(ChangeKind::Unlock, [&] {
        if (current_ != nullptr)
            current_->Unlock();
        for (TLCDObject* object : underCursor_)
            object->Unlock();
    });
}

bool ScreenDesigner::StoreObjects() {
    TDataBase* objects = ObjectsDatabase(false);
    if (objects == nullptr)
        return scene_.Objects().empty();
    if (static_cast<int>(scene_.Objects().size()) != objects->Count()) {
        ShowError("Error: FLCDObjectsList.Count<>WrkDB.Count");
        return false;
    }
    for (const SceneObject& entry : scene_.Objects()) {
        if (entry.record == nullptr)
            continue;
        // The project must know that it changed, or closing it would not offer to save.
        const std::vector<std::uint8_t> before = entry.record->RecData;
        entry.object->StoreToRecord(entry.record->RecData, ScrollPosition());
        if (entry.record->RecData != before)
            entry.record->Modified = true;
    }
    return true;
}

void ScreenDesigner::StoreEnums() {
    for (const SceneObject& entry : scene_.Objects()) {
        if (entry.object->Kind == kObjEnum && entry.object->Selected() && entry.record != nullptr)
            entry.object->StoreToRecord(entry.record->RecData, ScrollPosition());
    }
}

void ScreenDesigner::RefreshFromDatabase() {
    TDataBase* objects = ObjectsDatabase(false);
    if (objects == nullptr || static_cast<int>(scene_.Objects().size()) != objects->Count())
        return;
    // Between a deletion and an insertion elsewhere the counts may agree on other records.
    for (std::size_t i = 0; i < scene_.Objects().size(); ++i) {
        if (scene_.Objects()[i].record != objects->Record(static_cast<int>(i)))
            return;
    }
    for (const SceneObject& entry : scene_.Objects())
        entry.object->RefreshFromRecord(entry.record, ScrollPosition());
    host_.Invalidate();
}

bool ScreenDesigner::Copy() {
    TDataBase* objects = ObjectsDatabase(false);
    if (objects == nullptr || !StoreObjects())
        return false;
    auto temporary = TDataBase::New(nullptr, objects->DB_TypeID, 0, 0);
    for (const SceneObject& entry : scene_.Objects()) {
        if (IsSelectedVisible(*entry.object) && entry.record != nullptr)
            temporary->Insert(TDBRecordObj::CopyOf(*entry.record, 0));
    }
    if (temporary->Count() == 0)
        return false;
    const bool written = ExportDatabase("", *temporary);
    // The copies share their originals' sub-databases; they are not theirs to free.
    for (int i = 0; i < temporary->Count(); ++i) {
        if (TDBRecordObj* copy = temporary->Record(i))
            copy->SubDBs.reset();
    }
    return written;
}

void ScreenDesigner::Cut() {
    if (Copy())
        DeleteSelection();
}

void ScreenDesigner::Paste() {
    TDataBase* objects = ObjectsDatabase(true);
    if (objects == nullptr)
        return;
    Change(ChangeKind::Paste, [&] {
        const int before = objects->Count();
        if (!ImportDatabase("", *objects, -1, -1)) {
            // All or nothing: what a failed paste added goes again.
            while (objects->Count() > before)
                objects->AtFree(objects->Count() - 1);
            return;
        }
        if (objects->Count() > before)
            DeselectAll();
        std::uint8_t lowestCase = 0;
        for (int layer = kFirstCaseLayer; layer <= kLastCaseLayer && lowestCase == 0; ++layer) {
            if ((Layers() & (std::uint32_t{1} << layer)) != 0)
                lowestCase = static_cast<std::uint8_t>(layer);
        }
        std::vector<TDBRecordObj*> dropped;
        bool pasted = false;
        for (int i = before; i < objects->Count(); ++i) {
            TDBRecordObj* record = objects->Record(i);
            if (record == nullptr)
                continue;
            const ObjectRecordView view(record->RecData);
            view.SetFlags(
                static_cast<std::uint8_t>((view.Flags() & ~kObjFlagHelpScreen) | Flags()));
            view.SetLayer(view.HomeLayer());
            bool create = false;
            if (lowestCase != 0) {
                create = view.Kind() != kObjEnum && view.Kind() != kObjCmdCase;
                if (create)
                    view.SetLayer(lowestCase);
            } else {
                create = view.Layer() < 32 && (Layers() & (std::uint32_t{1} << view.Layer())) != 0;
            }
            if (!create) {
                dropped.push_back(record);
                continue;
            }
            TLCDObject& added =
                Adopt(ScreenScene::ObjectOfRecord(*record, Zoom(), ScrollPosition()), record);
            added.ApplyLayers(Layers(), HelpMode());
            added.Select();
            added.BringToFront();
            pasted = true;
        }
        for (TDBRecordObj* record : dropped)
            objects->FreeObj(record);
        RefreshSelection(nullptr);
        if (pasted) {
            for (TLCDObject* object : SelectedVisible())
                object->Enabled = false; // the selection frame takes the mouse
        }
        UpdateSelectionFrame();
        if (static_cast<int>(scene_.Objects().size()) != objects->Count())
            ShowError("Error: LCDObjects.Count<>DB.Count");
    });
}

void ScreenDesigner::Properties(TLCDObject& object) {
    const int index = scene_.IndexOf(object);
    if (index < 0)
        return;
    DeselectAll(&object);
    object.Select();
    RefreshSelection(&object);
    UpdateSelectionFrame();
    TDBRecordObj* record = scene_.Objects()[static_cast<std::size_t>(index)].record;
    if (OpensItsWindow(object.Kind)) {
        if (record == nullptr)
            return;
        object.StoreToRecord(record->RecData, ScrollPosition());
        if (host_.StoreScreenRecord())
            host_.OpenObjectWindow(*record);
        return;
    }
    Change(ChangeKind::Properties, [&] { host_.EditObjectProperties(object); });
}

namespace {

// The reference rectangle of an object for alignment: a point's pixel, a circle's square.
struct Reference {
    int left, top, width, height;
};

Reference ReferenceOf(const TLCDObject& object) {
    const Frame f = object.Bounds();
    const int m = object.Metrics().margin;
    if (object.Kind == kObjPoint)
        return {f.left + m, f.top + m, 0, 0};
    if (object.Kind == kObjCircle) {
        const int s = std::min(f.width, f.height);
        return {f.left, f.top, s, s};
    }
    return {f.left, f.top, f.width, f.height};
}

// Moves an object so that its reference rectangle starts at (left, top), on the zoom grid.
void PlaceAt(TLCDObject& object, std::optional<int> left, std::optional<int> top, bool square) {
    const int z = object.Zoom();
    Frame f = object.Bounds();
    const int m = object.Metrics().margin;
    const int offset = object.Kind == kObjPoint ? m : 0;
    if (left)
        f.left = FloorToStep(*left - offset, z);
    if (top)
        f.top = FloorToStep(*top - offset, z);
    if (square && object.Kind == kObjCircle) {
        const int s = FloorToStep(std::min(f.width, f.height), z);
        f.width = f.height = s;
    }
    object.SetBounds(f);
}

} // namespace

void ScreenDesigner::Align(int horizontal, int vertical) {
    Change(ChangeKind::Align, [&] {
        std::vector<TLCDObject*> selected = SelectedVisible();
        if (selected.empty())
            return;
        const int lcdMiddleX = 120 * Zoom() - ScrollPosition().h;
        const int lcdMiddleY = 64 * Zoom() - ScrollPosition().v;
        for (const bool across : {true, false}) {
            const int mode = across ? horizontal : vertical;
            const auto start = [&](const TLCDObject* o) {
                const Reference r = ReferenceOf(*o);
                return across ? r.left : r.top;
            };
            const auto size = [&](const TLCDObject* o) {
                const Reference r = ReferenceOf(*o);
                return across ? r.width : r.height;
            };
            const auto place = [&](TLCDObject* o, int at, bool square) {
                if (across)
                    PlaceAt(*o, at, std::nullopt, square);
                else
                    PlaceAt(*o, std::nullopt, at, square);
            };
            switch (mode) {
            case 1: {
                int least = start(selected.front());
                for (const TLCDObject* o : selected)
                    least = std::min(least, start(o));
                for (TLCDObject* o : selected)
                    place(o, least, false);
                break;
            }
            case 2: {
                std::vector<TLCDObject*> sorted = selected;
                std::stable_sort(sorted.begin(), sorted.end(), [&](auto* a, auto* b) {
                    return start(a) + size(a) / 2 < start(b) + size(b) / 2;
                });
                const TLCDObject* middle = sorted[(sorted.size() - 1) / 2];
                const int centre = start(middle) + size(middle) / 2;
                for (TLCDObject* o : selected)
                    place(o, centre - size(o) / 2, true);
                break;
            }
            case 3: {
                int most = start(selected.front()) + size(selected.front());
                for (const TLCDObject* o : selected)
                    most = std::max(most, start(o) + size(o));
                for (TLCDObject* o : selected)
                    place(o, most - size(o), true);
                break;
            }
            case 4: {
                if (selected.size() < 2)
                    break;
                std::vector<TLCDObject*> sorted = selected;
                std::stable_sort(sorted.begin(), sorted.end(),
                                 [&](auto* a, auto* b) { return start(a) < start(b); });
                const int first = start(sorted.front());
                const int last = start(sorted.back());
                const int n = static_cast<int>(sorted.size());
                for (int i = 1; i + 1 < n; ++i)
                    place(sorted[static_cast<std::size_t>(i)],
                          first + i * ((last - first) / (n - 1)), false);
                break;
            }
            case 5:
                for (TLCDObject* o : selected)
                    place(o, (across ? lcdMiddleX : lcdMiddleY) - size(o) / 2, true);
                break;
            default:
                break;
            }
        }
        StoreEnums();
        RefreshSelection(nullptr);
        UpdateSelectionFrame();
    });
}

void ScreenDesigner::CentreOnLcd(bool horizontal, bool vertical) {
    Align(horizontal ? 5 : 0, vertical ? 5 : 0);
}

void ScreenDesigner::Size(int widthMode, int heightMode, int width, int height) {
    Change(ChangeKind::Size, [&] {
        std::vector<TLCDObject*> selected = SelectedVisible();
        if (selected.empty())
            return;
        const int z = Zoom();
        const Scroll s = ScrollPosition();
        for (const bool across : {true, false}) {
            const int mode = across ? widthMode : heightMode;
            const auto extent = [&](const TLCDObject* o) {
                const Frame f = o->Bounds();
                if (o->Kind == kObjCircle)
                    return std::min(f.width, f.height);
                return across ? f.width : f.height;
            };
            if (mode == 1 || mode == 2) {
                int chosen = extent(selected.front());
                for (const TLCDObject* o : selected)
                    chosen = mode == 1 ? std::min(chosen, extent(o)) : std::max(chosen, extent(o));
                chosen = FloorToStep(chosen, z);
                if (chosen <= 0)
                    continue;
                for (TLCDObject* o : selected) {
                    Frame f = o->Bounds();
                    if (o->Kind == kObjCircle)
                        f.width = f.height = chosen;
                    else if (across)
                        f.width = chosen;
                    else
                        f.height = chosen;
                    o->SetBounds(f);
                }
            } else if (mode == 3) {
                const int value = across ? width : height;
                for (TLCDObject* o : selected) {
                    LcdCoords c = o->FrameToRecord(s, o->Bounds());
                    if (o->Kind == kObjCircle) {
                        if (across)
                            c.x2 = value / 2;
                    } else if (auto* line = dynamic_cast<TLCDVectGrObj*>(o);
                               line != nullptr && line->SouthWestToNorthEast() && across) {
                        // Its right edge is X1: move that one, the frame never inverts.
                        c.x1 = c.x2 + value;
                    } else if (across) {
                        c.x2 = c.x1 + value;
                    } else {
                        c.y2 = c.y1 + value;
                    }
                    o->SetBounds(o->RecordToFrame(c, s));
                }
            }
        }
        StoreEnums();
        RefreshSelection(nullptr);
        UpdateSelectionFrame();
    });
}

std::optional<std::string> ScreenDesigner::SaveScreenImage() {
    if (Screen() == nullptr || !StoreObjects())
        return std::nullopt;
    const ScreenRecordView view(Screen()->RecData);
    const std::string stem =
        view.ScrSymb().empty() ? "Scr" + std::to_string(view.ScrNum()) : view.ScrSymb();
    const std::string file = ExtractFilePath(ProjectFileName()) + stem + ".bmp";
    if (IsInstalledFile(EnvCtx().settings, file)) {
        ShowError(Utf8ToCp1250("Obrázek nelze uložit do ") + FileNameText(file));
        return std::nullopt;
    }
    // Zoom 1, unscrolled, without the selection marks: what the LCD shows.
    ScreenScene still(1);
    still.SetBackground(scene_.BackgroundNumber());
    still.SetHelpBitmap(scene_.HelpBitmapNumber());
    still.LoadObjects(ObjectsDatabase(false));
    still.SetLayers(Layers(), HelpMode());
    const std::vector<std::uint8_t> bytes = ScreenBmp(still);
    std::ofstream out(ToFsPath(file), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        ShowError(Utf8ToCp1250("Obrázek nelze uložit do ") + FileNameText(file));
        return std::nullopt;
    }
    MsgBox("", Utf8ToCp1250("Uloženo do ") + FileNameText(file), mb::kIconInformation | mb::kOk);
    return file;
}

void ScreenDesigner::EditCommand(std::uint32_t code) {
    switch (code) {
    case kEditCut:
        Cut();
        break;
    case kEditCopy:
        Copy();
        break;
    case kEditPaste:
        Paste();
        break;
    case kEditDelete:
        DeleteSelection();
        break;
    case kEditStore:
        StoreObjects();
        break;
    default:
        break;
    }
}

void ScreenDesigner::MouseDown(MouseButton button, bool shift, int x, int y) {
    pendingMenu_.reset();
    pressFrames_.clear();
    for (const SceneObject& entry : scene_.Objects())
        pressFrames_.emplace_back(entry.object.get(), entry.object->Bounds());
    TLCDObject* target = scene_.Stack().ObjectAt(x, y);
    if (target != nullptr) {
        captured_ = target;
        const Frame f = target->Bounds();
        target->MouseDown(button, shift, x - f.left, y - f.top);
    } else {
        EmptyDown(button, shift, x, y);
    }
    if (button != MouseButton::Right) {
        RefreshSelection(target);
        if (!shiftSelecting_)
            UpdateSelectionFrame();
    }
    host_.Invalidate();
}

void ScreenDesigner::MouseMove(bool shift, int x, int y) {
    TLCDObject* target = captured_ != nullptr ? captured_ : scene_.Stack().ObjectAt(x, y);
    if (target == nullptr) {
        EmptyMove(x, y);
        host_.SetCursor(Cursor::Arrow);
        return;
    }
    const Frame f = target->Bounds();
    target->MouseMove(shift, x - f.left, y - f.top);
    host_.SetCursor(target->MouseCursor);
    if (target->Dragging() || groupMoving_)
        host_.Invalidate();
}

void ScreenDesigner::MouseUp(MouseButton button, bool shift, int x, int y) {
    TLCDObject* target = captured_;
    captured_ = nullptr;
    if (target != nullptr) {
        const Frame f = target->Bounds();
        target->MouseUp(button, shift, x - f.left, y - f.top);
    } else {
        EmptyUp(x, y);
    }
    // A drag that moved or resized anything is one change, made when the button comes up.
    bool moved = false;
    for (const auto& [object, frame] : pressFrames_)
        moved = moved || (scene_.IndexOf(*object) >= 0 && !(object->Bounds() == frame));
    pressFrames_.clear();
    if (moved)
        Change(ChangeKind::Move, [] {});
    host_.Invalidate();
}

void ScreenDesigner::DoubleClick(int x, int y) {
    if (TLCDObject* target = scene_.Stack().ObjectAt(x, y))
        target->DoubleClick();
}

void ScreenDesigner::ObjectDown(TLCDObject& object, MouseButton button, bool shift, int x, int y) {
    ReportPosition(&object, x, y);
    if (button == MouseButton::Right) {
        underCursor_.clear();
        current_ = &object;
        if (&object == &frame_) {
            AskMenu(PopupMenu::MultiSelection, x + object.Bounds().left, y + object.Bounds().top);
            return;
        }
        DeselectAll(&object);
        object.Select();
        RefreshSelection(&object);
        UpdateSelectionFrame();
        const bool locked = object.StateFor(Layers()) == 2;
        AskMenu(locked ? PopupMenu::LockedObject : PopupMenu::Object, x + object.Bounds().left,
                y + object.Bounds().top);
        return;
    }
    buttonDown_ = true;
    if (&object == &frame_) {
        groupStartX_ = x + object.Bounds().left;
        groupStartY_ = y + object.Bounds().top;
        groupMoving_ = true;
        for (TLCDObject* selected : SelectedVisible())
            selected->SavePosition();
        frame_.SavePosition();
    } else if (shift) {
        shiftSelecting_ = true;
        for (TLCDObject* selected : SelectedVisible())
            selected->Enabled = false;
    } else {
        DeselectAll(&object);
    }
}

void ScreenDesigner::ObjectMove(TLCDObject& object, bool /*shift*/, int x, int y) {
    ReportPosition(&object, x, y);
    if (!groupMoving_ || &object != &frame_)
        return;
    // The group stays on the zoom grid however the mouse moved.
    const int z = Zoom();
    const int dx = FloorToStep(x + object.Bounds().left - groupStartX_, z);
    const int dy = FloorToStep(y + object.Bounds().top - groupStartY_, z);
    for (TLCDObject* selected : SelectedVisible())
        selected->MoveFromSaved(dx, dy);
}

void ScreenDesigner::ObjectUp(TLCDObject& object, MouseButton /*button*/, bool /*shift*/, int x,
                              int y) {
    ReportPosition(&object, x, y);
    if (groupMoving_ && &object == &frame_) {
        // The frame's own drag followed the mouse; it goes where its objects went.
        groupMoving_ = false;
        selectionBounds_ = {};
    }
    FinishPress();
}

void ScreenDesigner::EmptyDown(MouseButton button, bool /*shift*/, int x, int y) {
    ReportPosition(nullptr, x, y);
    if (button == MouseButton::Right) {
        current_ = nullptr;
        underCursor_.clear();
        bool frameUnder = false;
        for (TLCDObject* object : scene_.Stack().PaintOrder()) {
            if (!object->Visible || !object->WindowRect().Contains(x, y))
                continue;
            if (object == &frame_)
                frameUnder = true;
            else
                underCursor_.push_back(object);
        }
        if (frameUnder) {
            AskMenu(PopupMenu::MultiSelection, x, y);
        } else if (!underCursor_.empty()) {
            DeselectAll();
            AskMenu(PopupMenu::Unlock, x, y);
        } else if ((Layers() & kBitmapLayerBit) != 0) {
            AskMenu(PopupMenu::Background, x, y);
        }
        return;
    }
    buttonDown_ = true;
    DeselectAll();
    bandState_ = 1;
    band_ = {x, y, x, y};
}

void ScreenDesigner::EmptyMove(int x, int y) {
    ReportPosition(nullptr, x, y);
    if (bandState_ == 0 || !buttonDown_)
        return;
    bandState_ = 2;
    band_.right = x;
    band_.bottom = y;
    host_.Invalidate();
}

void ScreenDesigner::EmptyUp(int x, int y) {
    ReportPosition(nullptr, x, y);
    FinishPress();
}

void ScreenDesigner::FinishPress() {
    buttonDown_ = false;
    StoreEnums();
    if (bandState_ == 2)
        SelectByBand();
    bandState_ = 0;
    if (!shiftSelecting_) {
        RefreshSelection(nullptr);
        UpdateSelectionFrame();
    }
}

void ScreenDesigner::SelectByBand() {
    const LcdRect band{std::min(band_.left, band_.right), std::min(band_.top, band_.bottom),
                       std::max(band_.left, band_.right) + 1,
                       std::max(band_.top, band_.bottom) + 1};
    std::vector<TLCDObject*> chosen;
    for (const SceneObject& entry : scene_.Objects()) {
        TLCDObject& object = *entry.object;
        if (!object.IsShownFor(Layers(), HelpMode()) || object.Locked())
            continue;
        const LcdRect r = object.WindowRect();
        if (band.Contains(r.left, r.top) && band.Contains(r.right - 1, r.bottom - 1))
            chosen.push_back(&object);
    }
    for (TLCDObject* object : chosen)
        object->Select();
    if (chosen.size() > 1) {
        for (TLCDObject* object : chosen)
            object->Enabled = false;
    }
    bandState_ = 0;
    host_.SetCursor(Cursor::Arrow);
}

bool ScreenDesigner::KeyDown(DesignerKey key, KeyModifiers mods) {
    switch (key) {
    case DesignerKey::Delete:
        if (mods.shift)
            Cut();
        else
            DeleteSelection();
        return true;
    case DesignerKey::Insert:
        if (mods.shift)
            Paste();
        else if (mods.ctrl)
            Copy();
        else
            return false;
        return true;
    case DesignerKey::F11:
        if (!mods.ctrl)
            return false;
        SaveScreenImage();
        return true;
    case DesignerKey::Enter:
    case DesignerKey::Escape:
        if (host_.StoreScreenRecord() && StoreObjects())
            host_.CloseWindow();
        return true;
    case DesignerKey::Space: {
        const std::vector<TLCDObject*> selected = SelectedVisible();
        if (selected.size() == 1) {
            current_ = selected.front();
            Properties(*selected.front());
        }
        return true;
    }
    case DesignerKey::Home:
        host_.ScrollTo(0, 0);
        return true;
    default:
        return false;
    }
}

void ScreenDesigner::KeyUp(KeyModifiers modifiers) {
    if (!modifiers.None() || !shiftSelecting_)
        return;
    shiftSelecting_ = false;
    for (TLCDObject* object : SelectedVisible())
        object->Enabled = !object->Locked();
    RefreshSelection(nullptr);
    UpdateSelectionFrame();
    host_.Invalidate();
}

void ScreenDesigner::MenuChosen(MenuCommand command) {
    switch (command) {
    case MenuCommand::Properties:
        if (current_ != nullptr)
            Properties(*current_);
        break;
    case MenuCommand::Delete:
        if (current_ != nullptr && current_ != &frame_)
            Change(ChangeKind::Delete, [&] { Delete({current_}); });
        else
            DeleteSelection();
        break;
    case MenuCommand::Lock:
        LockSelection();
        break;
    case MenuCommand::Unlock:
        UnlockUnderCursor();
        break;
    case MenuCommand::SendBack:
        SendSelectionBack();
        break;
    case MenuCommand::ClearBitmap:
        ClearBitmap();
        break;
    case MenuCommand::Align: {
        std::vector<std::uint8_t> modes(kAlignmentRecordSize, 0);
        if (host_.RunRecordDialog(kAlignmentRecord, modes))
            Align(modes[0], modes[1]);
        break;
    }
    case MenuCommand::AlignOne: {
        std::vector<std::uint8_t> centre(kSingleAlignRecordSize, 0);
        if (host_.RunRecordDialog(kSingleAlignRecord, centre))
            CentreOnLcd(centre[0] == 1, centre[1] == 1);
        break;
    }
    case MenuCommand::Sizes: {
        std::vector<std::uint8_t> sizes(kAlignSizeRecordSize, 0);
        if (!host_.RunRecordDialog(kAlignSizeRecord, sizes))
            break;
        const RecordView view(sizes);
        Size(sizes[0], sizes[1], view.Get<std::int32_t>(2), view.Get<std::int32_t>(6));
        break;
    }
    case MenuCommand::ScreenParameters:
        EditScreenParameters();
        break;
    case MenuCommand::None:
        break;
    }
}

void ScreenDesigner::EditScreenParameters() {
    if (Screen() == nullptr)
        return;
    const bool help = HelpMode();
    // The parameters are the record's leading bytes up to the background bitmap; the help
    // screen has only its bitmap.
    const std::size_t first = help ? ScreenRecordView::kHlpBmpNum : ScreenRecordView::kScrNum;
    const std::size_t size = help ? 1 : ScreenRecordView::kBmpNum + 1;
    const auto begin = static_cast<std::ptrdiff_t>(first);
    const auto end = static_cast<std::ptrdiff_t>(first + size);
    const std::vector<std::uint8_t> before(Screen()->RecData.begin() + begin,
                                           Screen()->RecData.begin() + end);
    std::vector<std::uint8_t> parameters = before;
    if (!host_.RunRecordDialog(help ? kScreenHelpRecord : kScreenParametersRecord, parameters))
        return;
    Change(ChangeKind::Screen, [&] {
        const auto apply = [&](const std::vector<std::uint8_t>& bytes) {
            TDBRecordObj* screen = Screen();
            if (screen == nullptr)
                return false;
            std::ranges::copy(bytes, screen->RecData.begin() + begin);
            ShowScreenBitmaps();
            return host_.StoreScreenRecord();
        };
        // A refused store (a number or identifier another screen has) must not stay in the
        // record, or every later store would be refused too.
        if (!apply(parameters))
            apply(before);
    });
}

void ScreenDesigner::ShowScreenBitmaps() {
    if (Screen() == nullptr)
        return;
    const ScreenRecordView view(Screen()->RecData);
    scene_.SetBackground(view.BmpNum());
    scene_.SetHelpBitmap(view.HlpBmpNum());
}

void ScreenDesigner::Paint(Raster& raster, const GuiTextRenderer* text) const {
    scene_.Paint(raster, text);
    if (bandState_ == 2) {
        Painter painter(raster, raster.Bounds());
        const LcdRect band{std::min(band_.left, band_.right), std::min(band_.top, band_.bottom),
                           std::max(band_.left, band_.right) + 1,
                           std::max(band_.top, band_.bottom) + 1};
        painter.Rectangle(band, Pen{Colour::Black, 1}, Brush{true, Colour::White});
    }
}

} // namespace panolcd
