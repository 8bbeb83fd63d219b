#include "projectwindows/ui/recordpanel.h"

#include "common/ui/qtext.h"
#include "framework/windows/ui/udbform.h"
#include "framework/windows/ui/udbrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace panolcd {

using namespace panellayout;
namespace {} // namespace

TPanelForm::TPanelForm(TTrMainForm* owner, std::uint16_t dbTypeId, const char* caption)
    : TUDBForm(owner, dbTypeId), caption_(caption) {
    setWindowTitle(Utf8(caption));
}

void TPanelForm::SetCaption(const std::string& /*caption*/) {
    TUDBForm::SetCaption(FromQString(Utf8(caption_)));
}

std::vector<TCtrlValidator*> TPanelForm::EditValidators() {
    std::vector<TCtrlValidator*> validators;
    validators.reserve(fields_.size());
    for (const PanelField& field : fields_)
        validators.push_back(field.validator.get());
    return validators;
}

void TPanelForm::SizeEditBuffer() {
    editBuffer_.assign(PanelOffsetOf(fields_, fields_.size()), 0);
}

QPushButton* FrameButton(QWidget* parent, const char* name, const char* text, const char* hint,
                         int top) {
    auto* button = new QPushButton(Utf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(Utf8(hint));
    button->setGeometry(kButtonsLeft, top, kButtonWidth, kButtonHeight);
    return button;
}

int BuildPanelColumn(QWidget* client, const std::vector<PanelField>& fields,
                     std::vector<QWidget*>& widgets) {
    int top = kMargin;
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const PanelField& field : fields) {
        QWidget* widget = nullptr;
        int height = 22;
        switch (field.control) {
        case PanelControl::None:
            break;
        case PanelControl::Edit:
            widget = new QLineEdit(client);
            break;
        case PanelControl::Memo: {
            auto* memo = new QPlainTextEdit(client);
            memo->setFont(fixed);
            memo->setLineWrapMode(QPlainTextEdit::NoWrap);
            widget = memo;
            height = kMemoHeight;
            break;
        }
        case PanelControl::Combo: {
            auto* combo = new QComboBox(client);
            combo->setEditable(false);
            widget = combo;
            break;
        }
        case PanelControl::CheckBox:
            widget = new QCheckBox(Utf8(field.label), client);
            break;
        }
        widgets.push_back(widget);
        if (widget == nullptr)
            continue;
        widget->setObjectName(QString::fromLatin1(field.name));
        if (field.control != PanelControl::CheckBox) {
            auto* label = new QLabel(Utf8(field.label), client);
            label->setGeometry(kMargin, top, kLabelWidth - 4, 22);
            label->setBuddy(widget);
        }
        int left = kControlLeft;
        int width = kControlWidth;
        if (field.before != nullptr) {
            auto* before = new QLabel(Utf8(field.before), client);
            before->setGeometry(left, top, 36, 22);
            left += 38;
            width -= 38;
        }
        if (field.after != nullptr) {
            width -= 32;
            auto* after = new QLabel(Utf8(field.after), client);
            after->setGeometry(left + width + 4, top, 28, 22);
        }
        widget->setGeometry(left, top, width, height);
        top += height + (kRowHeight - 22);
    }
    return top;
}

int AddRecordButtons(TUDBForm& form, QWidget* client, int top, bool browser,
                     const RecordButtonNames& names) {
    auto* apply = FrameButton(client, "Apply_Butt", "Použít",
                              "Potvrdí editační změny v editačním panelu", top);
    auto* ok = FrameButton(client, "OK_Butt", "OK",
                           "Potvrdí editační změny v editačním panelu a uzavře okénko", top + 30);
    auto* cancel = FrameButton(client, names.cancel, "Storno",
                               "Uzavře okénko bez akceptování editačních změn", top + 60);
    auto* revert = FrameButton(client, names.revert, "Původní", names.revertHint, top + 90);
    QObject::connect(apply, &QPushButton::clicked, &form, [&form] { form.ApplyAction(); });
    QObject::connect(ok, &QPushButton::clicked, &form, [&form] {
        if (form.ApplyAction())
            Guarded([&form] { form.EditValidator().CloseEdit(); });
    });
    QObject::connect(cancel, &QPushButton::clicked, &form, [&form] { form.CancelAction(); });
    QObject::connect(revert, &QPushButton::clicked, &form, [&form] { form.RevertAction(); });
    int bottom = top + 90 + kButtonHeight;
    if (browser) {
        auto* browse = new TUDBrowser(client);
        browse->setObjectName(QStringLiteral("EditPan_Browser"));
        browse->setGeometry(kButtonsLeft + (kButtonWidth - 24) / 2, bottom + 8, 24, 88);
        form.ConnectBrowser(*browse);
        bottom += 8 + 88;
    }
    return bottom;
}

} // namespace panolcd
