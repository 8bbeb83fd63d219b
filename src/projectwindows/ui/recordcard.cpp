#include "projectwindows/ui/recordcard.h"

#include "framework/windows/udblook.h"
#include "framework/windows/ui/udbform.h"

#include <QKeyEvent>
#include <QListWidget>

namespace panolcd {
namespace {

CardKey CardKeyOf(int key) {
    switch (key) {
    case Qt::Key_Space:
        return CardKey::Space;
    case Qt::Key_Delete:
        return CardKey::Delete;
    case Qt::Key_Insert:
        return CardKey::Insert;
    default:
        return CardKey::Other;
    }
}

} // namespace

RecordCard::RecordCard(TUDBForm& window, QListWidget& list, TUDBLook_Validator& look,
                       TTrDBPtrButt_Validator& pointer)
    : window_(window), list_(list), look_(look), pointer_(pointer) {}

void RecordCard::SelectShown() {
    look_.SelectRow(list_.currentRow(), static_cast<int>(list_.selectedItems().size()));
}

bool RecordCard::ApplyOwning() {
    // Applying refills the lists; the rows the user selected must still be selected afterwards,
    // because insert and paste go before the first of them. Records are only compared, never
    // dereferenced, after the refill.
    const std::vector<TDBRecordObj*> selected = look_.SelectedRecords();
    pointer_.CreateSubDB = true;
    const bool applied = window_.EditValidator().Apply();
    // A refused Apply must not leave the request for the next, unrelated one.
    pointer_.CreateSubDB = false;
    const TDBLookValidatorLink* link = look_.Link();
    for (const TDBRecordObj* record : selected) {
        const int row = link != nullptr ? link->RowOf(record) : -1;
        if (QListWidgetItem* item = list_.item(row))
            item->setSelected(true);
    }
    return applied;
}

void RecordCard::Run(CardOp op) {
    Guarded([&] {
        switch (op) {
        case CardOp::Add:
            // Appended whatever is selected.
            list_.clearSelection();
            look_.SelectRow(-1, 0);
            if (ApplyOwning())
                look_.AddRecord();
            break;
        case CardOp::Insert:
            SelectShown();
            if (ApplyOwning())
                look_.AddRecord();
            break;
        case CardOp::Open:
            SelectShown();
            if (window_.EditValidator().Apply())
                look_.OpenRecord();
            break;
        case CardOp::Delete:
            look_.DeleteSelected();
            break;
        case CardOp::Copy:
            look_.CopyToClipboard();
            break;
        case CardOp::Cut:
            look_.CutToClipboard();
            break;
        case CardOp::Paste:
            SelectShown();
            if (ApplyOwning())
                look_.PasteFromClipboard();
            break;
        case CardOp::None:
            break;
        }
    });
}

bool RecordCard::FilterKey(QObject* watched, QEvent* event) {
    if (watched != &list_)
        return false;
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    const CardOp op =
        CardKeyOp(CardKeyOf(key->key()), mods & Qt::ShiftModifier, mods & Qt::ControlModifier,
                  mods & (Qt::AltModifier | Qt::MetaModifier));
    if (op == CardOp::None)
        return false;
    // The card's keys are the list's own, never a shortcut of another window.
    event->accept();
    if (press)
        Run(op);
    return press;
}

} // namespace panolcd
