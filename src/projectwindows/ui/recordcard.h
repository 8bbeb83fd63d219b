#pragma once
// A list of the records a window's record owns (a card of the project window, the variants of a
// program construct), with the operations of its buttons and keys: add, insert, open, delete,
// copy, cut, paste. The operations that put records into the list apply the owning record first
// and ask for its sub-database, so the first record added creates it.

#include "projectwindows/rootlayout.h"

class QEvent;
class QListWidget;
class QObject;

namespace panolcd {

class TTrDBPtrButt_Validator;
class TUDBForm;
class TUDBLook_Validator;

class RecordCard {
public:
    RecordCard(TUDBForm& window, QListWidget& list, TUDBLook_Validator& look,
               TTrDBPtrButt_Validator& pointer);

    // A fault is shown, never passed to the event loop.
    void Run(CardOp op);
    // The card's keys on its list (Space, Delete, Shift+Delete, Ctrl+Insert, Shift+Insert):
    // true when `event` was one and was taken, so no shortcut of another window sees it.
    bool FilterKey(QObject* watched, QEvent* event);

    QListWidget& List() const { return list_; }
    TUDBLook_Validator& Look() const { return look_; }

    // SelectRow of the list with what the user sees selected.
    void SelectShown();
    // Sets CreateSubDB of the pointer and applies the owning record; the rows the user selected
    // are selected again afterwards.
    bool ApplyOwning();

private:
    TUDBForm& window_;
    QListWidget& list_;
    TUDBLook_Validator& look_;
    TTrDBPtrButt_Validator& pointer_;
};

} // namespace panolcd
