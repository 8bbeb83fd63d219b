// The project root window over Qt. Controls are placed by hand at their design bounds, because
// the cards follow the window's size by their own rule rather than by a layout.

#include "projectwindows/ui/rootwindow.h"

#include "common/paths.h"
#include "common/ui/filedialogs.h"
#include "common/ui/qtext.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/ui/helpviewer.h"
#include "framework/records/database.h"
#include "framework/windows/commands.h"
#include "framework/windows/udblook.h"
#include "project/bankfiles.h"
#include "project/dbtypes.h"
#include "project/registermap.h"
#include "projectwindows/bankwindows.h"
#include "projectwindows/ui/bankwindow.h"
#include "projectwindows/ui/commandwindow.h"
#include "projectwindows/ui/qtlayout.h"

#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace panolcd {
namespace {

// The record lines line up under the header only when both use the same fixed-pitch font.
QFont CardFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

struct CardSetting {
    const char* Tab;
    const char* Header;
    std::uint16_t DBTypeId;
    bool HasData;
    std::int16_t FilterIx;
};

constexpr std::array<CardSetting, kCardCount> kCards{{
    {"Fonty", "Bank Soubor fontu", kDBFontBanks, false, 0},
    {"Bmp", "Bank Soubor bitmapy", kDBBitmapBanks, false, 0},
    {"Scr", "Číslo Identifikátor    Název obrazovky ", kDBScreens, false, 0},
    {"Map", "Addr  TypReg     BSs Identifikátor    Formát", kDBRegisterMap, true, -1},
}};

constexpr int kScreensCard = 2;
constexpr int kMapCard = 3;

// Design bounds in the window's client area.
constexpr int kButtonsLeft = 476, kButtonWidth = 72, kButtonHeight = 25;
const QRect kNotebook(8, 50, 460, 286);
const QRect kList(2, 18, 450, 236);
constexpr std::array<int, kCardButtonCount> kButtonTops{74, 104, 134, 190, 220};

} // namespace

TLcUDBRoot_MDIChild::TLcUDBRoot_MDIChild(TTrMainForm* owner)
    : TUDBForm(owner, kDBRoot), client_(new QWidget) {
    setWindowTitle(Utf8("LCD Projekt"));
    designCaption_ = FromQString(windowTitle()).substr(0, kRootDesignCaptionMax);

    const auto labelled = [this](const char* name, const char* label, const QRect& bounds) {
        auto* caption = new QLabel(Utf8(label), client_);
        caption->move(bounds.left(), bounds.top() - 16);
        auto* edit = new QLineEdit(client_);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(bounds);
        caption->setBuddy(edit);
        return edit;
    };
    projectName_ = labelled("EditPan_ProjectName_Edit", "Název projektu", {8, 20, 250, 22});
    termObjName_ = labelled("EditPan_TermObjName_Edit", "Jméno terminálu", {266, 20, 150, 22});
    prgBankNum_ = labelled("EditPan_PrgBankNum_Edit", "Číslo banku PRG ", {424, 20, 40, 22});

    apply_ = new QPushButton(Utf8("Použij"), client_);
    apply_->setObjectName(QStringLiteral("Opustit_Butt"));
    apply_->setToolTip(Utf8("Potvrdí editační změny v editačním panelu"));
    apply_->setGeometry(kButtonsLeft, 19, kButtonWidth, kButtonHeight);
    connect(apply_, &QPushButton::clicked, this, [this] { ApplyAction(); });

    cards_ = new QTabWidget(client_);
    cards_->setObjectName(QStringLiteral("Cards_Notebook"));
    cards_->setGeometry(kNotebook);
    for (int card = 0; card < static_cast<int>(kCardCount); ++card)
        BuildCard(card, kCards[static_cast<std::size_t>(card)].Tab,
                  kCards[static_cast<std::size_t>(card)].Header);

    const std::array<std::array<const char*, 3>, kCardButtonCount> buttons{{
        {"Card_PridejZaznam_Butt", "Přidej", "Přidání nového záznamu do karty"},
        {"Card_VlozZaznam_Butt", "Vlož", "Vložení nového záznamu do karty"},
        {"Card_ZrusZaznam_Butt", "Zruš", "Zruší označené záznamy na kartě"},
        {"ImpMapFile_BitBtn", "Mapa Prg", "Do karty načte soubor s mapou registrů programu"},
        {"RefreshMapFile_BitBtn", "Obnovení", "Do karty načte soubor s mapou registrů programu"},
    }};
    for (std::size_t i = 0; i < kCardButtonCount; ++i) {
        auto* button = new QPushButton(Utf8(buttons[i][1]), client_);
        button->setObjectName(QString::fromLatin1(buttons[i][0]));
        button->setToolTip(Utf8(buttons[i][2]));
        button->setGeometry(kButtonsLeft, kButtonTops[i], kButtonWidth, kButtonHeight);
        buttons_[i] = button;
    }
    buttons_[3]->setEnabled(false);
    buttons_[4]->setEnabled(false);
    connect(buttons_[0], &QPushButton::clicked, this, [this] { RunCardOp(CardOp::Add); });
    connect(buttons_[1], &QPushButton::clicked, this, [this] { RunCardOp(CardOp::Insert); });
    connect(buttons_[2], &QPushButton::clicked, this, [this] { RunCardOp(CardOp::Delete); });
    connect(buttons_[3], &QPushButton::clicked, this,
            [this] { Guarded([this] { ImportMapFile(); }); });
    connect(buttons_[4], &QPushButton::clicked, this,
            [this] { Guarded([this] { RefreshMapFile(); }); });
    connect(cards_, &QTabWidget::currentChanged, this, [this](int card) { CardChanged(card); });

    setWidget(client_);
    resize(564, 373);
    SaveLayout();
    client_->installEventFilter(this);
    WatchEdits({projectName_, termObjName_, prgBankNum_});

    for (std::size_t i = 0; i < kCardCount; ++i) {
        looks_[i] = &AddValidator<TUDBLook_Validator>();
        pointers_[i] = &AddValidator<TTrDBPtrButt_Validator>();
    }
}

void TLcUDBRoot_MDIChild::BuildCard(int card, const char* tab, const char* header) {
    auto* page = new QWidget;
    auto* title = new QLabel(Utf8(header), page);
    title->setFont(CardFont());
    title->move(kList.left(), 2);
    auto* list = new QListWidget(page);
    list->setObjectName(QStringLiteral("UDBLookCard%1_ListBox").arg(card));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFont(CardFont());
    list->setGeometry(kList);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { RunCardOp(CardOp::Open); });
    lists_[static_cast<std::size_t>(card)] = list;
    cards_->addTab(page, Utf8(tab));
}

void TLcUDBRoot_MDIChild::SaveLayout() {
    saved_.Window = RectOf(geometry());
    saved_.Notebook = RectOf(cards_->geometry());
    for (std::size_t i = 0; i < kCardCount; ++i)
        saved_.Lists[i] = RectOf(lists_[i]->geometry());
    for (std::size_t i = 0; i < kCardButtonCount; ++i)
        saved_.Buttons[i] = RectOf(buttons_[i]->geometry());
    saved_.Gap = buttons_[0]->geometry().left() - (saved_.Notebook.Right());
    layoutSaved_ = true;
}

void TLcUDBRoot_MDIChild::CreateValidators() {
    for (std::size_t i = 0; i < kCardCount; ++i) {
        const CardSetting& card = kCards[i];
        looks_[i]->DefAttributs(0, card.HasData, card.DBTypeId, card.FilterIx, 0, -1);
        looks_[i]->SetWindow(this);
    }
    projectNameV_.DefAttributs(0, 128, PrintableChars());
    termObjNameV_.DefAttributs(0, 64, PrintableChars());
    prgBankNumV_.DefAttributs(0, 0, 255);
    for (std::size_t i = 0; i < kCardCount; ++i) {
        pointers_[i]->DefAttributs(0, &EditValidator());
        recordCards_[i] =
            std::make_unique<RecordCard>(*this, *lists_[i], *looks_[i], *pointers_[i]);
    }

    std::size_t editBytes = 0;
    for (TCtrlValidator* validator : EditValidators())
        editBytes += validator->TrDataSize();
    editBuffer_.assign(editBytes, 0);
    std::size_t lookBytes = 0;
    for (TUDBLook_Validator* look : looks_)
        lookBytes += look->TrDataSize();
    // The place is 4 bytes even when no list carries data.
    lookBuffer_.assign(std::max<std::size_t>(lookBytes, 4), 0);

    cards_->setCurrentIndex(kScreensCard);
    CardChanged(kScreensCard);
}

void TLcUDBRoot_MDIChild::ReadTransferBuff() {
    TUDBForm::ReadTransferBuff();
    UpdateCaption();
}

std::vector<QWidget*> TLcUDBRoot_MDIChild::EditWidgets() {
    return {projectName_, termObjName_, prgBankNum_, nullptr, nullptr, nullptr, nullptr};
}

std::vector<TCtrlValidator*> TLcUDBRoot_MDIChild::EditValidators() {
    return {&projectNameV_, &termObjNameV_, &prgBankNumV_, pointers_[0],
            pointers_[1],   pointers_[2],   pointers_[3]};
}

TrBuffer TLcUDBRoot_MDIChild::GetLookPanBuff(TUDBEdit_Validator& /*validator*/) {
    return lookBuffer_;
}

void TLcUDBRoot_MDIChild::MapLookPan(TrBuffer place) {
    std::vector<ValidatorControl*> controls;
    std::vector<TCtrlValidator*> validators;
    for (std::size_t i = 0; i < kCardCount; ++i) {
        controls.push_back(Control(lists_[i]));
        validators.push_back(looks_[i]);
    }
    LookPan.TransferTo(controls, validators, place);
}

void TLcUDBRoot_MDIChild::ShowLookPage(DBLookValidator& list) {
    for (std::size_t i = 0; i < kCardCount; ++i) {
        if (static_cast<DBLookValidator*>(looks_[i]) == &list &&
            static_cast<int>(i) < cards_->count())
            cards_->setCurrentIndex(static_cast<int>(i));
    }
}

int TLcUDBRoot_MDIChild::CurrentCard() const {
    return cards_->currentIndex();
}

void TLcUDBRoot_MDIChild::CardChanged(int card) {
    buttons_[3]->setEnabled(card == kMapCard);
    buttons_[4]->setEnabled(card == kMapCard);
}

void TLcUDBRoot_MDIChild::RunCardOp(CardOp op) {
    const int card = CurrentCard();
    if (card < 0 || card >= static_cast<int>(kCardCount) || op == CardOp::None)
        return;
    recordCards_[static_cast<std::size_t>(card)]->Run(op);
}

void TLcUDBRoot_MDIChild::RefreshMapFile() {
    const TDataBase* database = EditValidator().DataBase();
    ImportMap(DefaultMapFile(database != nullptr ? database->DBFileName : std::string()));
}

void TLcUDBRoot_MDIChild::ImportMap(const std::string& fileName) {
    if (!fileName.empty() && FileExistsAnyCase(fileName)) {
        LoadMap(ExistingSpelling(fileName));
        return;
    }
    const auto chosen =
        AskOpenFileName(this, "Načtení mapy programu", "Mapa Prg (*.map)|*.map|Všechny (*.*)|*.*",
                        "MAP", EnvCtx().app.WorkDir);
    if (chosen)
        LoadMap(*chosen);
}

bool TLcUDBRoot_MDIChild::LoadMap(const std::string& fileName) {
    bool loaded = false;
    Guarded([&] {
        RecordCard& card = *recordCards_[kMapCard];
        std::unique_ptr<TDataBase> read = ReadMapFile(fileName, RegisterRecordRefusal);
        if (read == nullptr)
            return;
        if (!card.ApplyOwning())
            return;
        TUDBLook_Validator& look = card.Look();
        look.DeleteListed();
        TDataBase* map = look.ShownDataBase();
        if (map == nullptr)
            return;
        {
            const DBUpdateGuard lock(*map);
            for (auto& record : read->DeleteAll())
                map->Insert(std::move(record));
        }
        map->DBFileName = fileName;
        if (map->Count() > 0)
            look.SelectRow(0, 1);
        loaded = EditValidator().Apply();
    });
    return loaded;
}

void TLcUDBRoot_MDIChild::UpdateCaption() {
    const TDataBase* database = EditValidator().DataBase();
    SetCaption(RootCaption(designCaption_, database != nullptr ? database->DBFileName : ""));
}

std::uint32_t TLcUDBRoot_MDIChild::HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                                 std::uint32_t lParam) {
    if (message == kWmQueryEditCaps)
        return kRootEditCaps;
    if (message != kWmEditCmd)
        return TUDBForm::HandleMessage(message, wParam, lParam);
    if (const CardOp op = CardEditCommandOp(wParam); op != CardOp::None) {
        RunCardOp(op);
        return 0;
    }
    switch (wParam) {
    case ecHelp:
        ShowHelpTopic(kRootHelpContext);
        break;
    case ecCommitEdits:
        return CommitEdits();
    case ecAfterSave:
        UpdateCaption();
        break;
    case ecOrigSize:
        RestoreOrigSize();
        break;
    default:
        break;
    }
    return 0;
}

void TLcUDBRoot_MDIChild::SetControlBounds() {
    for (std::size_t i = 0; i < kCardButtonCount; ++i)
        buttons_[i]->setGeometry(QRectOf(saved_.Buttons[i]));
    for (std::size_t i = 0; i < kCardCount; ++i)
        lists_[i]->setGeometry(QRectOf(saved_.Lists[i]));
    cards_->setGeometry(QRectOf(saved_.Notebook));
}

void TLcUDBRoot_MDIChild::RestoreOrigSize() {
    if (isMaximized() || isMinimized())
        showNormal();
    if (RestoreWindowFirst(RectOf(geometry()), saved_.Window)) {
        resize(saved_.Window.Width, saved_.Window.Height);
        SetControlBounds();
    } else {
        SetControlBounds();
        resize(saved_.Window.Width, saved_.Window.Height);
    }
}

void TLcUDBRoot_MDIChild::ApplyResizeRule() {
    const RootResized sized =
        ResizeCards(saved_, client_->width(), client_->height(), buttons_[0]->width());
    cards_->resize(sized.NotebookWidth, sized.NotebookHeight);
    for (QPushButton* button : buttons_)
        button->move(sized.ButtonsLeft, button->y());
    for (std::size_t i = 0; i < kCardCount; ++i)
        lists_[i]->resize(sized.Lists[i].Width, sized.Lists[i].Height);
}

bool TLcUDBRoot_MDIChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && layoutSaved_) {
        ApplyResizeRule();
        return false;
    }
    for (const auto& card : recordCards_) {
        if (card && card->FilterKey(watched, event))
            return true;
    }
    return TUDBForm::eventFilter(watched, event);
}

void TLcUDBRoot_MDIChild::keyPressEvent(QKeyEvent* event) {
    // "Použij" is the window's cancel button: Escape applies the panel and keeps the window.
    if (event->key() == Qt::Key_Escape) {
        ApplyAction();
        event->accept();
        return;
    }
    TUDBForm::keyPressEvent(event);
}

void RegisterProjectWindows() {
    if (FindUDBFormClass("F_LCROOT") == nullptr)
        RegisterUDBFormClass<TLcUDBRoot_MDIChild>("F_LCROOT");
    RegisterCommandWindows();
    RegisterBankWindows();
}

} // namespace panolcd
