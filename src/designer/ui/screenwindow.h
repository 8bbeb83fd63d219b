#pragma once
// The screen design window over Qt: a record window on one screen record whose client area is a
// scrolled view of the LCD. The view feeds mouse and key events to the designer, copies its
// raster to the screen pixel for pixel, runs the menus it asks for, and answers the main
// window's screen operations.

#include "designer/fonttext.h"
#include "designer/screendesigner.h"
#include "framework/windows/ui/udbform.h"

#include <QAbstractScrollArea>

#include <memory>

namespace panolcd {

class TLCDDisplay_Form;

// The client area: the part of the design surface the scroll bars leave in view.
class ScreenView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ScreenView(TLCDDisplay_Form& form);
    // The scroll bars' range and steps follow the zoom: positions stay on the zoom grid.
    void UpdateScrollBars();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Runs the menu the last event asked for, after the event.
    void RunPendingMenu();

    TLCDDisplay_Form& form_;
    bool inMenu_ = false;
};

class TLCDDisplay_Form : public TUDBForm, public DesignerHost, public ScreenWindowOps {
    Q_OBJECT
public:
    explicit TLCDDisplay_Form(TTrMainForm* owner);
    ~TLCDDisplay_Form() override;

    ChildKind Kind() const override { return ChildKind::Screen; }
    std::uint32_t EditCaps() override { return designer_->EditCaps(); }
    ScreenWindowOps* ScreenOps() override { return this; }
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;

    // The screen record's fields travel through the panel without controls: the designer edits
    // the record itself.
    TrBuffer GetEditPanBuff(int panel) override;
    void MapEditPan(int /*panel*/, TrBuffer /*buffer*/) override {}
    bool ValidateEditPan(int /*panel*/) override { return true; }

    ScreenDesigner& Designer() { return *designer_; }
    ScreenView& View() { return *view_; }
    const GuiTextRenderer& TextRenderer() const { return text_; }

    // ScreenWindowOps
    int Zoom() const override { return designer_->Zoom(); }
    void SetZoom(int zoom) override;
    std::uint32_t VisibleLayers() const override { return designer_->Layers(); }
    void ShowLayer(int layer) override;
    void HideLayer(int layer) override;
    void HideLayers(std::uint32_t mask) override;
    std::uint8_t Flags() const override { return designer_->Flags(); }
    void SetHelpMode(bool on) override;
    void InsertObject(std::uint8_t layer, std::uint8_t homeLayer, std::uint8_t helpFlag,
                      std::uint8_t kind) override;
    void DeleteVisibleObjects() override;
    void ClearScreenBitmap() override;
    void SelectedToBack() override;

    // DesignerHost
    TDBRecordObj* ScreenRecord() override { return EditValidator().EditedCopy(); }
    void Invalidate() override;
    void SetCursor(Cursor cursor) override;
    bool StoreScreenRecord() override;
    void OpenObjectWindow(TDBRecordObj& record) override;
    bool EditObjectProperties(TLCDObject& object) override;
    bool RunRecordDialog(const char* recordType, std::vector<std::uint8_t>& record) override;
    void CloseWindow() override;
    void RevealWindow() override { ShowEditWindow(); }
    void ScrollTo(int h, int v) override;
    void ReportPosition(int lcdX, int lcdY) override;
    void ReportSelection(const TLCDObject* object, const LcdCoords& selection) override;
    void ReportLayers(std::uint32_t layers, std::uint8_t flags) override;

    // The screen's identifier and name, with "Help[...]" in help mode.
    void UpdateCaption();

protected:
    void ReadTransferBuff() override;
    bool CanCloseMore() override;

private:
    std::unique_ptr<ScreenDesigner> designer_;
    ScreenView* view_;
    FontTextRenderer text_;
    bool closingStored_ = false;
};

// Registers the screen window for the screen record's edit form name.
void RegisterScreenWindow();

} // namespace panolcd
