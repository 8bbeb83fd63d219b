#include "designer/ui/screenwindow.h"

#include "common/cp1250.h"
#include "common/ui/qtext.h"
#include "designer/objectdialogs.h"
#include "designer/ui/propertydialogs.h"
#include "framework/environment/ui/helpviewer.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/windows/commands.h"
#include "framework/windows/udbforms.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"

#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace panolcd {
namespace {

constexpr const char* kFormName = "LCD_DISP";
// The design surface, in window pixels at any zoom.
constexpr int kSurfaceWidth = 2048;
constexpr int kSurfaceHeight = 1636;
constexpr int kScreenHelpContext = 2;

MouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

KeyModifiers ModifiersOf(Qt::KeyboardModifiers m) {
    return {(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0,
            (m & Qt::AltModifier) != 0};
}

DesignerKey KeyOf(int key) {
    switch (key) {
    case Qt::Key_Delete:
        return DesignerKey::Delete;
    case Qt::Key_Insert:
        return DesignerKey::Insert;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return DesignerKey::Enter;
    case Qt::Key_Escape:
        return DesignerKey::Escape;
    case Qt::Key_Space:
        return DesignerKey::Space;
    case Qt::Key_Home:
        return DesignerKey::Home;
    case Qt::Key_F11:
        return DesignerKey::F11;
    case Qt::Key_F12:
        return DesignerKey::F12;
    default:
        return DesignerKey::Other;
    }
}

Qt::CursorShape ShapeOf(Cursor cursor) {
    switch (cursor) {
    case Cursor::SizeNwSe:
        return Qt::SizeFDiagCursor;
    case Cursor::SizeNeSw:
        return Qt::SizeBDiagCursor;
    case Cursor::SizeNS:
        return Qt::SizeVerCursor;
    case Cursor::SizeWE:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QImage ImageOf(const Raster& raster) {
    QImage image(raster.Width(), raster.Height(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (int c = 0; c < Index(Colour::Count); ++c) {
        const Rgb rgb = RgbOf(static_cast<Colour>(c));
        colours.push_back(qRgb(rgb.r, rgb.g, rgb.b));
    }
    image.setColorTable(colours);
    for (int y = 0; y < raster.Height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < raster.Width(); ++x)
            line[x] = Index(raster.At(x, y));
    }
    return image;
}

} // namespace

// ---- ScreenView

ScreenView::ScreenView(TLCDDisplay_Form& form) : QAbstractScrollArea(&form), form_(form) {
    setObjectName(QStringLiteral("LCDScreenView"));
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
}

void ScreenView::UpdateScrollBars() {
    const int zoom = form_.Designer().Zoom();
    for (auto [bar, page, surface] :
         {std::tuple(horizontalScrollBar(), viewport()->width(), kSurfaceWidth),
          std::tuple(verticalScrollBar(), viewport()->height(), kSurfaceHeight)}) {
        bar->setRange(0, std::max(0, surface - page) / zoom * zoom);
        bar->setSingleStep(zoom * 8);
        bar->setPageStep(std::max(zoom, page / zoom * zoom));
    }
    const Scroll s = form_.Designer().ScrollPosition();
    horizontalScrollBar()->setValue(s.h);
    verticalScrollBar()->setValue(s.v);
}

void ScreenView::paintEvent(QPaintEvent* /*event*/) {
    Guarded([this] {
        Raster raster(viewport()->width(), viewport()->height(), Colour::White);
        form_.Designer().Paint(raster, &form_.TextRenderer());
        // One raster pixel a logical pixel; on a dense screen each is scaled without smoothing,
        // so the LCD's blocks stay sharp.
        QPainter painter(viewport());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QPoint(0, 0), ImageOf(raster));
    });
}

void ScreenView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ScreenView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    Guarded([this] {
        form_.Designer().SetScroll({horizontalScrollBar()->value(), verticalScrollBar()->value()});
        viewport()->update();
    });
}

void ScreenView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        form_.Designer().MouseDown(ButtonOf(event->button()),
                                   (event->modifiers() & Qt::ShiftModifier) != 0, p.x(), p.y());
    });
    RunPendingMenu();
}

void ScreenView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        form_.Designer().MouseMove((event->modifiers() & Qt::ShiftModifier) != 0, p.x(), p.y());
    });
}

void ScreenView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        form_.Designer().MouseUp(ButtonOf(event->button()),
                                 (event->modifiers() & Qt::ShiftModifier) != 0, p.x(), p.y());
    });
    RunPendingMenu();
}

void ScreenView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Guarded([&] {
        form_.Designer().DoubleClick(p.x(), p.y());
        // The press of the double click, as the platform sends it.
        form_.Designer().MouseDown(ButtonOf(event->button()),
                                   (event->modifiers() & Qt::ShiftModifier) != 0, p.x(), p.y());
    });
}

void ScreenView::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    Guarded([&] {
        handled = form_.Designer().KeyDown(KeyOf(event->key()), ModifiersOf(event->modifiers()));
    });
    if (!handled)
        QAbstractScrollArea::keyPressEvent(event);
}

void ScreenView::keyReleaseEvent(QKeyEvent* event) {
    Guarded([&] { form_.Designer().KeyUp(ModifiersOf(event->modifiers())); });
    QAbstractScrollArea::keyReleaseEvent(event);
}

bool ScreenView::focusNextPrevChild(bool /*next*/) {
    return false;
}

void ScreenView::RunPendingMenu() {
    if (inMenu_)
        return;
    const auto pending = form_.Designer().TakePendingMenu();
    if (!pending)
        return;
    inMenu_ = true;
    QMenu menu(this);
    const bool bitmapShown = (form_.Designer().Layers() & kBitmapLayerBit) != 0;
    for (const MenuItem& item : MenuItems(pending->first, bitmapShown)) {
        QAction* action = menu.addAction(QString::fromUtf8(item.caption));
        action->setData(static_cast<int>(item.command));
    }
    const QPoint at =
        viewport()->mapToGlobal(QPoint(pending->second.first, pending->second.second));
    QAction* chosen = menu.exec(at);
    inMenu_ = false;
    if (chosen == nullptr)
        return;
    Guarded([&] { form_.Designer().MenuChosen(static_cast<MenuCommand>(chosen->data().toInt())); });
    // The screen parameters may have renamed the screen.
    form_.UpdateCaption();
}

// ---- TLCDDisplay_Form

TLCDDisplay_Form::TLCDDisplay_Form(TTrMainForm* owner) : TUDBForm(owner, kDBScreens) {
    setObjectName(QStringLiteral("TLCDDisplay_Form"));
    designer_ = std::make_unique<ScreenDesigner>(*this, 1);
    view_ = new ScreenView(*this);
    setWidget(view_);
    resize(560, 360);
}

TLCDDisplay_Form::~TLCDDisplay_Form() {
    // The objects go before the record window lets its record go.
    designer_.reset();
}

void TLCDDisplay_Form::ReadTransferBuff() {
    TUDBForm::ReadTransferBuff();
    designer_->ShowScreen();
    UpdateCaption();
    view_->UpdateScrollBars();
}

void TLCDDisplay_Form::UpdateCaption() {
    SetCaption(designer_->Caption());
}

bool TLCDDisplay_Form::CanCloseMore() {
    if (!closingStored_)
        Guarded([this] { designer_->StoreObjects(); });
    return true;
}

std::uint32_t TLCDDisplay_Form::HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                              std::uint32_t lParam) {
    if (message == kWmQueryEditCaps)
        return designer_->EditCaps();
    if (message != kWmEditCmd)
        return TUDBForm::HandleMessage(message, wParam, lParam);
    Guarded([&] {
        switch (wParam) {
        case ecHelp:
            ShowHelpTopic(kScreenHelpContext);
            break;
        case ecCommitEdits:
            designer_->StoreObjects();
            break;
        case ecAfterSave:
            UpdateCaption();
            break;
        case ecBankFileWritten: // the cache holds the new picture
            Invalidate();
            break;
        default:
            designer_->EditCommand(wParam);
            break;
        }
    });
    return 0;
}

void TLCDDisplay_Form::SetZoom(int zoom) {
    designer_->SetZoom(zoom);
    view_->UpdateScrollBars();
    Invalidate();
}

void TLCDDisplay_Form::ShowLayer(int layer) {
    designer_->ShowLayer(layer);
}

void TLCDDisplay_Form::HideLayer(int layer) {
    designer_->HideLayer(layer);
}

void TLCDDisplay_Form::HideLayers(std::uint32_t mask) {
    designer_->HideLayers(mask);
}

void TLCDDisplay_Form::SetHelpMode(bool on) {
    designer_->SetHelpMode(on);
    UpdateCaption();
}

void TLCDDisplay_Form::InsertObject(std::uint8_t layer, std::uint8_t homeLayer,
                                    std::uint8_t helpFlag, std::uint8_t kind) {
    designer_->InsertObject(layer, homeLayer, helpFlag, kind);
}

void TLCDDisplay_Form::DeleteVisibleObjects() {
    designer_->DeleteShownObjects();
}

void TLCDDisplay_Form::ClearScreenBitmap() {
    designer_->ClearBitmap();
}

void TLCDDisplay_Form::SelectedToBack() {
    designer_->SendSelectionBack();
}

void TLCDDisplay_Form::Invalidate() {
    if (view_ != nullptr)
        view_->viewport()->update();
}

void TLCDDisplay_Form::SetCursor(Cursor cursor) {
    view_->viewport()->setCursor(ShapeOf(cursor));
}

TrBuffer TLCDDisplay_Form::GetEditPanBuff(int /*panel*/) {
    if (TDBRecordObj* copy = EditValidator().EditedCopy()) {
        if (editBuffer_.size() != copy->GetTrBuffSize())
            editBuffer_.assign(copy->GetTrBuffSize(), 0);
    }
    return editBuffer_;
}

bool TLCDDisplay_Form::StoreScreenRecord() {
    TDBRecordObj* copy = EditValidator().EditedCopy();
    if (copy == nullptr)
        return false;
    // The panel carries what the record holds now, so that applying it changes nothing back.
    const TrBuffer panel = GetEditPanBuff(0);
    copy->FreeTrBuffRec(panel.data());
    copy->PutDataToTrBuff(panel.data());
    // The objects database comes with the first store that needs it.
    const ScreenRecordView view(copy->RecData);
    std::int16_t link = view.ObjectsLink();
    if (copy->GetDBTidDataBase(kDBScreenObjects) == nullptr) {
        EditValidator().EnsureSubDataBase(kDBScreenObjects, link);
        view.SetObjectsLink(link);
    }
    return ApplyAction();
}

void TLCDDisplay_Form::OpenObjectWindow(TDBRecordObj& record) {
    TDBRecordObj* screen = EditValidator().EditedCopy();
    TDataBase* objects = screen != nullptr ? screen->GetDBTidDataBase(kDBScreenObjects) : nullptr;
    if (objects != nullptr)
        OpenUDBForm(record.EditFormName(), objects, &record, -1, 0, -1);
}

bool TLCDDisplay_Form::EditObjectProperties(TLCDObject& object) {
    return EditInPropertyDialog(object, designer_->ScrollPosition());
}

bool TLCDDisplay_Form::RunRecordDialog(const char* recordType, std::vector<std::uint8_t>& record) {
    return EditDialogRecord(recordType, record);
}

void TLCDDisplay_Form::CloseWindow() {
    closingStored_ = true;
    close();
}

void TLCDDisplay_Form::ScrollTo(int h, int v) {
    view_->horizontalScrollBar()->setValue(h);
    view_->verticalScrollBar()->setValue(v);
}

void TLCDDisplay_Form::ReportPosition(int lcdX, int lcdY) {
    if (StatusPort* status = MainStatusBar())
        status->ShowCursorPosition(lcdX, lcdY);
}

void TLCDDisplay_Form::ReportSelection(const TLCDObject* object, const LcdCoords& s) {
    if (StatusPort* status = MainStatusBar())
        status->ShowObjectInfo(s.x1, s.y1, s.x2, s.y2,
                               object != nullptr ? std::string(object->KindName()) : std::string());
}

void TLCDDisplay_Form::ReportLayers(std::uint32_t /*layers*/, std::uint8_t /*flags*/) {
    // The main window reads the layers when the window becomes active.
}

void RegisterScreenWindow() {
    if (FindUDBFormClass(kFormName) == nullptr)
        RegisterUDBFormClass<TLCDDisplay_Form>(kFormName);
    RegisterPropertyDialogs();
}

} // namespace panolcd
