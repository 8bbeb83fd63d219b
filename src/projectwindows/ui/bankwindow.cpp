#include "projectwindows/ui/bankwindow.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/ui/filedialogs.h"
#include "common/ui/qtext.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/ui/helpviewer.h"
#include "framework/windows/commands.h"
#include "framework/windows/windowmessages.h"
#include "project/bankfiles.h"
#include "project/projectcontext.h"
#include "project/projectmodel.h"
#include "project/recordview.h"
#include "project/ui/picturereader.h"
#include "projectwindows/ui/pictureimportdialog.h"
#include "projectwindows/ui/recordpanel.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace panolcd {

using namespace panellayout;
namespace {

std::string ProjectDir() {
    return ProjectDirectory(ProjectFileName());
}

} // namespace

TBankForm::TBankForm(TTrMainForm* owner, const BankWindowDef& def)
    : TPanelForm(owner, def.dbTypeId, def.caption), def_(def) {
    setObjectName(QString::fromLatin1(def.className));
    fields_ = BankPanelFields(def);
    auto* client = new QWidget;
    int bottom = BuildPanelColumn(client, fields_, widgets_);
    const bool map = def.kind == BankWindowKind::Register;
    const int buttonsBottom =
        map ? AddRecordButtons(*this, client, kMargin, true,
                               {"Opustit_Butt", "Storno_Butt",
                                "Stornuje nepotvrzené editační změny v editačním panelu"})
            : AddRecordButtons(*this, client, kMargin, true);
    if (const auto file = FileNameFieldOf(def.kind)) {
        fileEdit_ = qobject_cast<QLineEdit*>(widgets_[*file]);
        if (def.kind == BankWindowKind::Font)
            previewText_ = qobject_cast<QLineEdit*>(widgets_[2]);
        preview_ = std::make_unique<BankPreview>(def.kind);
        const bool font = def.kind == BankWindowKind::Font;
        auto* search = new QPushButton(Utf8("Vyhledej"), client);
        search->setObjectName(QStringLiteral("Vyhledej_Butt"));
        search->setToolTip(Utf8(font ? "Vyhledání souboru fontu" : "Vyhledání souboru BMP"));
        search->setGeometry(kControlLeft, bottom, kButtonWidth, kButtonHeight);
        connect(search, &QPushButton::clicked, this, [this] { Guarded([this] { Search(); }); });
        if (!font) {
            auto* import = new QPushButton(Utf8("Import obrázku…"), client);
            import->setObjectName(QStringLiteral("ImportPicture_Butt"));
            import->setToolTip(Utf8("Vytvoří bitmapu LCD z obrázku PNG, JPEG, GIF nebo BMP"));
            import->setGeometry(kControlLeft + kButtonWidth + 8, bottom, 132, kButtonHeight);
            connect(import, &QPushButton::clicked, this,
                    [this] { Guarded([this] { ChoosePicture(); }); });
        }
        bottom += kButtonHeight + 8;
        previewImage_ = new QLabel(client);
        previewImage_->setObjectName(
            QString::fromLatin1(font ? "PreviewFnt_Image" : "PreviewBmp_Image"));
        previewImage_->setGeometry(kMargin, bottom, kPreviewWidth + 2, kPreviewHeight + 2);
        previewImage_->setFrameStyle(QFrame::Box);
        previewImage_->setStyleSheet(QStringLiteral("background: white"));
        bottom += kPreviewHeight + 2;
        connect(fileEdit_, &QLineEdit::textChanged, this,
                [this] { Guarded([this] { FileChanged(false); }); });
        if (previewText_ != nullptr)
            connect(previewText_, &QLineEdit::textChanged, this,
                    [this] { Guarded([this] { FileChanged(true); }); });
    }
    if (auto* number = qobject_cast<QLineEdit*>(widgets_[0]); number && !map)
        number->setMaxLength(6);
    bottom = std::max(bottom, buttonsBottom);
    setWidget(client);
    resize(kButtonsLeft + kButtonWidth + kMargin + 8, bottom + kMargin + 30);
    WatchEdits(widgets_);

    if (const auto file = FileNameFieldOf(def.kind)) {
        // A bank file in the project directory is stored without its directory, so the project
        // moves with its files.
        const std::size_t offset = PanelOffsetOf(fields_, *file);
        EditPan.OnValidate = [offset](TRecordValidator&, TrBuffer record) {
            const RecordView view(record);
            const std::string stored = view.Text(offset, kBankFileNameMax);
            view.SetText(offset, kBankFileNameMax, StoredBankFileName(stored, ProjectDir()));
            return true;
        };
    }
}

TBankForm::~TBankForm() = default;

void TBankForm::MapEditPan(int panel, TrBuffer buffer) {
    TPanelForm::MapEditPan(panel, buffer);
    FileChanged(true);
}

void TBankForm::CreateValidators() {
    SizeEditBuffer();
}

std::uint32_t TBankForm::HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                       std::uint32_t lParam) {
    if (message == kWmQueryEditCaps)
        return kBankWindowCaps;
    if (message != kWmEditCmd)
        return TUDBForm::HandleMessage(message, wParam, lParam);
    if (wParam == ecHelp)
        ShowHelpTopic(def_.helpContext);
    if (wParam == ecBankFileWritten)
        Guarded([this] { FileChanged(true); });
    return 0;
}

void TBankForm::FileChanged(bool fromPreviewText) {
    if (preview_ == nullptr)
        return;
    const bool changed = preview_->FileNameChanged(FromQString(fileEdit_->text()), ProjectDir());
    if (changed || fromPreviewText)
        DrawPreview();
}

void TBankForm::DrawPreview() {
    if (def_.kind == BankWindowKind::Font) {
        const std::string text = previewText_ ? FromQString(previewText_->text()) : std::string();
        previewImage_->setPixmap(QPixmap::fromImage(QImageOf(preview_->FontPreview(text))));
        return;
    }
    const BmpImage* picture = preview_->BitmapPreview();
    if (picture == nullptr)
        previewImage_->clear();
    else
        previewImage_->setPixmap(QPixmap::fromImage(QImageOf(*picture)));
}

void TBankForm::Search() {
    const bool font = def_.kind == BankWindowKind::Font;
    const std::string start =
        SearchStartDirectory(FromQString(fileEdit_->text()), ProjectDir(), EnvCtx().app.WorkDir);
    const auto chosen = font ? AskOpenFileName(this, "Vyhledání souboru fontu",
                                               "Font (*.fnt)|*.fnt|Všechny soubory|*.*", "", start)
                             : AskOpenFileName(this, "Vyhledání souboru BMP",
                                               "Bitmapy (*.bmp)|*.bmp", "BMP", start);
    if (chosen)
        TakeSearchedFile(*chosen);
}

void TBankForm::TakeSearchedFile(const std::string& fileName) {
    if (const auto refusal = UnstorableFileName(fileName)) {
        MsgBox({}, *refusal, mb::kIconError | mb::kOk);
        return;
    }
    fileEdit_->setText(ToQString(StoredBankFileName(fileName, ProjectDir())));
    MarkEditPanModified(0);
}

void TBankForm::ChoosePicture() {
    const auto chosen = AskOpenFileName(
        this, "Import obrázku",
        "Obrázky (*.png;*.jpg;*.jpeg;*.gif;*.bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|Všechny "
        "soubory|*.*",
        "", SearchStartDirectory("", ProjectDir(), EnvCtx().app.WorkDir));
    if (chosen)
        ImportPicture(*chosen);
}

bool TBankForm::ImportPicture(const std::string& pictureFile) {
    std::string error;
    const std::optional<GreyImage> picture = ReadPictureWithQt(pictureFile, error);
    if (!picture) {
        MsgBox({}, error, mb::kIconError | mb::kOk);
        return false;
    }
    TPictureImport_Dlg dialog(this, *picture, ProjectCtx().lcdSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const auto output = ImportTarget(ChangeFileExt(ExtractFileName(pictureFile), ".bmp"));
    if (!output)
        return false;
    if (const auto failure = WriteLcdBitmap(*output, dialog.Result())) {
        MsgBox({}, *failure, mb::kIconError | mb::kOk);
        return false;
    }
    TakeSearchedFile(*output);
    FileChanged(true);
    // Every other window showing the file shows what was written.
    Broadcast(Owner(), kWmEditCmd, ecBankFileWritten, 0);
    return true;
}

std::optional<std::string> TBankForm::ImportTarget(const std::string& name) {
    const std::string dir = ProjectDir();
    std::optional<std::string> chosen;
    if (dir.empty()) {
        // A project without a directory has no place for it yet: the user names one.
        chosen = AskSaveFileName(this, "Uložení bitmapy", "Bitmapy (*.bmp)|*.bmp", "BMP",
                                 FileNameFromQString(QDir::homePath()), name);
        if (!chosen)
            return std::nullopt;
    } else {
        chosen = dir + name;
    }
    // An existing file in another letter case is the one written, and the one asked about; the
    // save dialog has asked about the exact name already.
    const std::string output = ExistingSpelling(*chosen);
    const bool asked = dir.empty() && output == *chosen;
    if (!asked && FileExistsAnyCase(output) &&
        MsgBox({},
               Utf8ToCp1250("Soubor ") + FileNameText(output) + Utf8ToCp1250(" existuje. Přepsat?"),
               mb::kIconQuestion | mb::kYesNo) != MsgResult::Yes)
        return std::nullopt;
    return output;
}

void RegisterBankWindows() {
    for (const BankWindowDef& def : BankWindows()) {
        if (FindUDBFormClass(def.formName) == nullptr)
            RegisterUDBFormWith<TBankForm>(def.formName, [&def](TTrMainForm* owner) {
                return std::make_unique<TBankForm>(owner, def);
            });
    }
}

} // namespace panolcd
