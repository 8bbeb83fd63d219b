#include "projectwindows/ui/commandwindow.h"

#include "common/ui/qtext.h"
#include "framework/dataentry/compound.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/environment/ui/helpviewer.h"
#include "framework/windows/commands.h"
#include "framework/windows/udbedit.h"
#include "framework/windows/udblook.h"
#include "framework/windows/ui/udbrowser.h"
#include "projectwindows/ui/qtlayout.h"
#include "projectwindows/ui/recordpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <array>

namespace panolcd {

using namespace panellayout;
namespace {

constexpr int kListFrameWidth = kButtonsLeft - kMargin - 12;
constexpr int kListFrameHeight = 200;

} // namespace

TCommandForm::TCommandForm(TTrMainForm* owner, const CommandWindowDef& def)
    : TPanelForm(owner, def.dbTypeId, def.caption), def_(def), client_(new QWidget) {
    setObjectName(QString::fromLatin1(def.className));
    fields_ = PanelFieldsOf(def, EditValidator());

    int bottom = BuildPanelColumn(client_, fields_, widgets_);
    const int buttonsBottom = AddRecordButtons(*this, client_, kMargin, def.browser);
    bottom = std::max(bottom, buttonsBottom);
    ok_ = client_->findChild<QPushButton*>(QStringLiteral("OK_Butt"));
    cancel_ = client_->findChild<QPushButton*>(QString::fromLatin1(RecordButtonNames{}.cancel));
    ok_->setDefault(true);
    if (def.variantDbTypeId != 0) {
        BuildList(client_, bottom + 10);
        bottom = listFrame_->geometry().bottom() + 1;
    }
    setWidget(client_);
    resize(kButtonsLeft + kButtonWidth + kMargin + 8, bottom + kMargin + 30);
    savedWindow_ = RectOf(geometry());
    if (listFrame_ != nullptr) {
        savedFrame_ = RectOf(listFrame_->geometry());
        savedList_ = RectOf(list_->geometry());
    }
    layoutSaved_ = true;
    client_->installEventFilter(this);
    WatchEdits(widgets_);
}

TCommandForm::~TCommandForm() = default;

void TCommandForm::BuildList(QWidget* client, int top) {
    const QRect frameBounds(kMargin, top, kListFrameWidth, kListFrameHeight);
    QWidget* page = nullptr;
    if (def_.frame == ListFrame::Notebook) {
        auto* notebook = new QTabWidget(client);
        notebook->setObjectName(QStringLiteral("Cards_Notebook"));
        notebook->setGeometry(frameBounds);
        page = new QWidget;
        notebook->addTab(page, Utf8(def_.tab));
        listFrame_ = notebook;
    } else {
        auto* bevel = new QFrame(client);
        bevel->setObjectName(QStringLiteral("Cards_Bevel"));
        bevel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        bevel->setGeometry(frameBounds);
        page = bevel;
        listFrame_ = bevel;
    }
    // The record lines line up under the header only in a fixed-pitch font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* header = new QLabel(Utf8(def_.listHeader), page);
    header->setFont(fixed);
    header->move(4, 2);
    list_ = new QListWidget(page);
    list_->setObjectName(QStringLiteral("UDBLookCard0_ListBox"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setFont(fixed);
    // The notebook's page is smaller than the notebook by its tab bar.
    const int pageHeight =
        def_.frame == ListFrame::Notebook ? kListFrameHeight - 30 : kListFrameHeight;
    list_->setGeometry(2, 18, kListFrameWidth - 8, pageHeight - 22);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { card_->Run(CardOp::Open); });

    const std::array<std::array<const char*, 3>, 3> buttons{{
        {"Card_PridejZaznam_Butt", "Přidej", "Přidání nového záznamu do karty"},
        {"Card_VlozZaznam_Butt", "Vlož", "Vložení nového záznamu do karty"},
        {"Card_ZrusZaznam_Butt", "Zruš", "Zruší označené záznamy na kartě"},
    }};
    const std::array<CardOp, 3> ops{CardOp::Add, CardOp::Insert, CardOp::Delete};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QPushButton* button = FrameButton(client, buttons[i][0], buttons[i][1], buttons[i][2],
                                          top + 24 + static_cast<int>(i) * 30);
        const CardOp op = ops[i];
        connect(button, &QPushButton::clicked, this, [this, op] { card_->Run(op); });
    }
    look_ = &AddValidator<TUDBLook_Validator>();
    place_ = &AddValidator<TTrEmpty_Validator>();
    place_->SetSize(4);
}

void TCommandForm::CreateValidators() {
    if (look_ != nullptr) {
        look_->DefAttributs(0, false, def_.variantDbTypeId, -1, 0, -1);
        look_->SetWindow(this);
        auto* pointer = dynamic_cast<TTrDBPtrButt_Validator*>(fields_.back().validator.get());
        card_ = std::make_unique<RecordCard>(*this, *list_, *look_, *pointer);
        lookBuffer_.assign(4, 0);
    }
    SizeEditBuffer();
}

TrBuffer TCommandForm::GetLookPanBuff(TUDBEdit_Validator& /*validator*/) {
    return lookBuffer_;
}

void TCommandForm::MapLookPan(TrBuffer place) {
    if (look_ == nullptr)
        return;
    // The list reads the place without advancing over it; the place's own bytes close the panel.
    LookPan.TransferTo({Control(list_), nullptr}, {look_, place_}, place);
}

void TCommandForm::ShowLookPage(DBLookValidator& /*list*/) {
    if (auto* notebook = qobject_cast<QTabWidget*>(listFrame_))
        notebook->setCurrentIndex(0);
}

std::uint32_t TCommandForm::HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                          std::uint32_t lParam) {
    if (message == kWmQueryEditCaps)
        return EditCapsOf(def_);
    if (message != kWmEditCmd)
        return TUDBForm::HandleMessage(message, wParam, lParam);
    if (!TakesEditCommand(def_, wParam))
        return 0;
    if (const CardOp op = CardEditCommandOp(wParam); op != CardOp::None) {
        card_->Run(op);
        return 0;
    }
    switch (wParam) {
    case ecHelp:
        ShowHelpTopic(def_.helpContext);
        break;
    case ecCommitEdits:
        return CommitEdits();
    case ecOrigSize:
        RestoreOrigSize();
        break;
    default:
        break;
    }
    return 0;
}

void TCommandForm::RestoreOrigSize() {
    if (isMaximized() || isMinimized())
        showNormal();
    if (listFrame_ != nullptr) {
        listFrame_->setGeometry(QRectOf(savedFrame_));
        list_->setGeometry(QRectOf(savedList_));
    }
    resize(savedWindow_.Width, savedWindow_.Height);
}

bool TCommandForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && layoutSaved_ &&
        listFrame_ != nullptr) {
        const ListResized sized = ResizeVariantList(savedFrame_, savedList_, client_->height());
        listFrame_->setGeometry(QRectOf(sized.frame));
        list_->setGeometry(QRectOf(sized.list));
        return false;
    }
    if (card_ && card_->FilterKey(watched, event))
        return true;
    return TUDBForm::eventFilter(watched, event);
}

void TCommandForm::keyPressEvent(QKeyEvent* event) {
    // Keys the focused control leaves alone end the window as its OK and Storno buttons do.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    QPushButton* button = nullptr;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            button = ok_;
            break;
        case Qt::Key_Escape:
            button = cancel_;
            break;
        default:
            break;
        }
    }
    if (button == nullptr) {
        TUDBForm::keyPressEvent(event);
        return;
    }
    event->accept();
    button->click();
}

void RegisterCommandWindows() {
    for (const CommandWindowDef& def : CommandWindows()) {
        if (FindUDBFormClass(def.formName) == nullptr)
            RegisterUDBFormWith<TCommandForm>(def.formName, [&def](TTrMainForm* owner) {
                return std::make_unique<TCommandForm>(owner, def);
            });
    }
}

} // namespace panolcd
