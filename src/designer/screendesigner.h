#pragma once
// The screen design window without its widgets: every piece of its state (objects paired with
// their records, z-order, selection, layers, help mode, zoom, scroll, rubber band, group move)
// and every command. The view feeds it mouse and key events in window pixels and paints what it
// draws; whatever needs the user (menus, windows, messages) it asks of its host, after the event
// has been handled. Every change to the screen passes through Change(), the one place an undo
// history would hook in.

#include "designer/screenscene.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

enum class PopupMenu { Object, LockedObject, MultiSelection, Unlock, Background };

enum class MenuCommand {
    None,
    Properties,       // "Parametry"
    Delete,           // "Zrušit"
    Lock,             // "Uzamknutí"
    Unlock,           // "Odemknutí"
    SendBack,         // "Do pozadí"
    Align,            // "Zarovnání" of a selection
    AlignOne,         // "Zarovnání" of one object: centring on the LCD
    Sizes,            // "Rozměry"
    ScreenParameters, // "Parametry obrazovky"
    ClearBitmap,      // "Vymaž BMP"
};

struct MenuItem {
    MenuCommand command;
    const char* caption; // UTF-8
};

// The items of a menu, in order; "Vymaž BMP" only while the bitmap layer is shown.
std::vector<MenuItem> MenuItems(PopupMenu menu, bool bitmapLayerShown);

// What the designer asks of the window it lives in.
class DesignerHost {
public:
    virtual ~DesignerHost() = default;
    // The screen record the window edits now; the record window may replace its copy, so the
    // designer never keeps it.
    virtual TDBRecordObj* ScreenRecord() = 0;
    virtual void Invalidate() = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    // Stores the screen record (creating its objects database when it has none); false when the
    // record window refused.
    virtual bool StoreScreenRecord() = 0;
    // Opens the database window of a command object's record.
    virtual void OpenObjectWindow(TDBRecordObj& record) = 0;
    // The property dialog of an object; true when the user confirmed and the object changed.
    virtual bool EditObjectProperties(TLCDObject& object) = 0;
    // Runs the dialog of a record type on `record` (its bytes); true when the user confirmed and
    // `record` holds the edits.
    virtual bool RunRecordDialog(const char* recordType, std::vector<std::uint8_t>& record) = 0;
    virtual void CloseWindow() = 0;
    // Brings the window forward (a record window on one of its objects closed).
    virtual void RevealWindow() {}
    virtual void ScrollTo(int h, int v) = 0;
    // Reports to the main window: LCD position, selection, layers.
    virtual void ReportPosition(int lcdX, int lcdY) = 0;
    virtual void ReportSelection(const TLCDObject* object, const LcdCoords& selection) = 0;
    virtual void ReportLayers(std::uint32_t layers, std::uint8_t flags) = 0;
};

enum class DesignerKey { Delete, Insert, Enter, Escape, Space, Home, F11, F12, Other };

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool None() const { return !shift && !ctrl && !alt; }
};

// The edit codes of the main window's edit commands.
inline constexpr std::uint32_t kEditCut = 3;
inline constexpr std::uint32_t kEditCopy = 4;
inline constexpr std::uint32_t kEditPaste = 5;
inline constexpr std::uint32_t kEditDelete = 6;
inline constexpr std::uint32_t kEditHelp = 10;
inline constexpr std::uint32_t kEditStore = 11;
inline constexpr std::uint32_t kScreenEditCaps = 0xC78;

// What a change did, as an undo history would name it.
enum class ChangeKind {
    Insert,
    Delete,
    Move, // by the mouse, alone or in a group
    Align,
    Size,
    Lock,
    Unlock,
    Paste,
    Properties,
    Order,  // sent to the back
    Screen, // the screen record's bitmaps
};

class ObjectsWatch;

class ScreenDesigner {
public:
    ScreenDesigner(DesignerHost& host, int zoom);
    ~ScreenDesigner();
    ScreenDesigner(const ScreenDesigner&) = delete;
    ScreenDesigner& operator=(const ScreenDesigner&) = delete;

    // Shows the host's screen record: layers, help mode and bitmaps from it, its objects when
    // there are none yet.
    void ShowScreen();
    TDBRecordObj* Screen() const { return host_.ScreenRecord(); }
    const ScreenScene& Scene() const { return scene_; }
    const TLCDObject& SelectionFrame() const { return frame_; }
    int Zoom() const { return scene_.Zoom(); }
    Scroll ScrollPosition() const { return scene_.ScrollPosition(); }
    std::uint32_t Layers() const { return scene_.Layers(); }
    bool HelpMode() const { return scene_.HelpMode(); }
    std::uint8_t Flags() const { return HelpMode() ? kObjFlagHelpScreen : 0; }
    int SelectedCount() const { return selectedCount_; }
    const LcdCoords& SelectionInLcd() const { return selectionLcd_; }
    TLCDObject* CurrentObject() const { return current_; }
    // The caption: ScrSymb, "Help[ScrSymb]" in help mode, then "-" + ScrName.
    std::string Caption() const;

    // The window's scroll position changed (the view scrolls in multiples of the zoom).
    void SetScroll(Scroll scroll);
    void SetZoom(int zoom);
    void ShowLayer(int layer);
    void HideLayer(int layer);
    void HideLayers(std::uint32_t mask);
    void SetHelpMode(bool on);

    void InsertObject(std::uint8_t layer, std::uint8_t homeLayer, std::uint8_t helpFlag,
                      std::uint8_t kind);
    void DeleteSelection();
    // The objects of the help mode and layers shown, then the bitmap shown.
    void DeleteAll();
    void DeleteShownObjects();
    void ClearBitmap();
    void SendSelectionBack();
    void LockSelection();
    void UnlockUnderCursor();
    bool Copy();
    void Cut();
    void Paste();
    void Properties(TLCDObject& object);
    // Every object into its record; false (and a message) when the lists disagree.
    bool StoreObjects();
    // After a window other than this one changed records of the objects database: the program
    // constructs show what their records and variants hold now.
    void RefreshFromDatabase();
    // Alignment of the selection (modes of the alignment dialog) and their sizes.
    void Align(int horizontal, int vertical);
    void CentreOnLcd(bool horizontal, bool vertical);
    void Size(int widthMode, int heightMode, int width, int height);
    // The screen parameters dialog (the help screen's in help mode); on OK the bitmap is shown
    // and the screen record stored.
    void EditScreenParameters();
    // The screen at zoom 1 as the LCD shows it, into the project's folder; the file written or
    // none (the user was told).
    std::optional<std::string> SaveScreenImage();

    std::uint32_t EditCaps() const { return kScreenEditCaps; }
    // How many changes passed through Change, and the last one's kind.
    int ChangeCount() const { return changeCount_; }
    ChangeKind LastChange() const { return lastChange_; }
    void EditCommand(std::uint32_t code);

    // Window pixels of the client area.
    void MouseDown(MouseButton button, bool shift, int x, int y);
    void MouseMove(bool shift, int x, int y);
    void MouseUp(MouseButton button, bool shift, int x, int y);
    void DoubleClick(int x, int y);
    // True when the key was the window's.
    bool KeyDown(DesignerKey key, KeyModifiers modifiers);
    void KeyUp(KeyModifiers modifiers);

    // A menu the last event asked for, taken by the view to run it; then MenuChosen.
    std::optional<std::pair<PopupMenu, std::pair<int, int>>> TakePendingMenu();
    void MenuChosen(MenuCommand command);

    void Paint(Raster& raster, const GuiTextRenderer* text) const;

private:
    friend class ObjectsWatch;
    // Follows the objects database the screen record has now, and the variants' databases of
    // its program constructs.
    void WatchObjects();
    // The background and help bitmaps the screen record names.
    void ShowScreenBitmaps();
    // Runs one change of the screen: a fault is reported and the screen repainted as it is.
    bool Change(ChangeKind kind, const std::function<void()>& change);
    TDataBase* ObjectsDatabase(bool create);
    TLCDObject& Adopt(std::unique_ptr<TLCDObject> object, TDBRecordObj* record);
    // Links an object to this window's handlers.
    void Wire(TLCDObject& object);
    void Delete(const std::vector<TLCDObject*>& objects);
    std::vector<TLCDObject*> SelectedVisible() const;
    bool IsSelectedVisible(const TLCDObject& object) const;
    void DeselectAll(const TLCDObject* except = nullptr);
    void ApplyLayers();
    void RefreshSelection(const TLCDObject* cause);
    void UpdateSelectionFrame();
    void SelectByBand();
    void StoreEnums();
    void ReportPosition(const TLCDObject* object, int x, int y);
    void AskMenu(PopupMenu menu, int x, int y);

    void ObjectDown(TLCDObject& object, MouseButton button, bool shift, int x, int y);
    void ObjectMove(TLCDObject& object, bool shift, int x, int y);
    void ObjectUp(TLCDObject& object, MouseButton button, bool shift, int x, int y);
    void EmptyDown(MouseButton button, bool shift, int x, int y);
    void EmptyMove(int x, int y);
    void EmptyUp(int x, int y);
    void FinishPress();

    DesignerHost& host_;
    ScreenScene scene_;
    TLCDObject frame_;
    TLCDObject* current_ = nullptr;
    TLCDObject* captured_ = nullptr;
    std::vector<TLCDObject*> underCursor_;
    LcdRect selectionBounds_{};
    LcdCoords selectionLcd_{};
    int selectedCount_ = 0;
    int bandState_ = 0; // 0 none, 1 armed, 2 dragging
    LcdRect band_{};
    int groupStartX_ = 0;
    int groupStartY_ = 0;
    bool groupMoving_ = false;
    bool buttonDown_ = false;
    bool shiftSelecting_ = false;
    std::optional<std::pair<PopupMenu, std::pair<int, int>>> pendingMenu_;
    // The frames when a press began, to tell whether the drag changed the screen.
    std::vector<std::pair<TLCDObject*, Frame>> pressFrames_;
    int changeCount_ = 0;
    // Changes of the designer's own under way: the database's reports of them are not news.
    int ownChanges_ = 0;
    std::vector<std::unique_ptr<ObjectsWatch>> watches_;
    ChangeKind lastChange_ = ChangeKind::Insert;
};

} // namespace panolcd
