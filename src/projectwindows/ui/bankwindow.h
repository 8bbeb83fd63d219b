#pragma once
// The record windows of a font bank, a bitmap bank and a register of the map over Qt. The bank
// windows show their file (the font with a preview text, the picture) and search for it; the
// bitmap window also makes an LCD bitmap of any picture.

#include "projectwindows/bankwindows.h"
#include "projectwindows/ui/recordpanel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace panolcd {

class TBankForm : public TPanelForm {
    Q_OBJECT
public:
    TBankForm(TTrMainForm* owner, const BankWindowDef& def);
    ~TBankForm() override;

    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;
    // The preview follows every refill of the panel (opening, browsing, "Původní").
    void MapEditPan(int panel, TrBuffer buffer) override;

    const BankWindowDef& Def() const { return def_; }
    const BankPreview* Preview() const { return preview_.get(); }
    QLabel* PreviewImage() const { return previewImage_; }
    QLineEdit* FileEdit() const { return fileEdit_; }

    // "Vyhledej" after the dialog: the chosen file's name into the edit, bare when it lies in the
    // project directory. A name Windows-1250 cannot spell is refused with a message.
    void TakeSearchedFile(const std::string& fileName);
    // "Import obrázku…" after the picture was chosen: the conversion dialog, the BMP written
    // beside the project (in a project without a directory where the user says) and named in
    // the edit. False when nothing was written.
    bool ImportPicture(const std::string& pictureFile);

protected:
    void CreateValidators() override;

private:
    void Search();
    void ChoosePicture();
    // Where the imported picture `name` goes, asked before an existing file is replaced; none
    // when the user cancels.
    std::optional<std::string> ImportTarget(const std::string& name);
    // The file name or the preview text changed: hold the right file, draw the preview.
    void FileChanged(bool fromPreviewText);
    void DrawPreview();

    const BankWindowDef& def_;
    std::unique_ptr<BankPreview> preview_;
    QLineEdit* fileEdit_ = nullptr;
    QLineEdit* previewText_ = nullptr;
    QLabel* previewImage_ = nullptr;
};

// Registers the three windows by the names their record types give.
void RegisterBankWindows();

} // namespace panolcd
