// The project root window's caption, keys and layout arithmetic.

#include "projectwindows/rootlayout.h"

#include "framework/windows/commands.h"

#include <algorithm>

namespace panolcd {

std::string RootCaption(const std::string& designCaption, const std::string& fileName) {
    if (fileName.empty())
        return designCaption;
    return designCaption + "[" + fileName + "]";
}

CardOp CardKeyOp(CardKey key, bool shift, bool ctrl, bool alt) {
    if (alt)
        return CardOp::None;
    const bool none = !shift && !ctrl;
    const bool shiftOnly = shift && !ctrl;
    const bool ctrlOnly = ctrl && !shift;
    switch (key) {
    case CardKey::Space:
        return none ? CardOp::Open : CardOp::None;
    case CardKey::Delete:
        return none ? CardOp::Delete : shiftOnly ? CardOp::Cut : CardOp::None;
    case CardKey::Insert:
        return ctrlOnly ? CardOp::Copy : shiftOnly ? CardOp::Paste : CardOp::None;
    case CardKey::Other:
        break;
    }
    return CardOp::None;
}

CardOp CardEditCommandOp(std::uint32_t code) {
    switch (code) {
    case ecCut:
        return CardOp::Cut;
    case ecCopy:
        return CardOp::Copy;
    case ecPaste:
        return CardOp::Paste;
    case ecDelete:
        return CardOp::Delete;
    default:
        return CardOp::None;
    }
}

RootResized ResizeCards(const RootSavedLayout& saved, int clientWidth, int clientHeight,
                        int addButtonWidth) {
    const LayoutRect& book = saved.Notebook;
    RootResized result;
    result.NotebookWidth =
        std::max(clientWidth - book.Left - addButtonWidth - 2 * saved.Gap, book.Width);
    result.NotebookHeight = std::max(clientHeight - book.Top - 2, book.Height / 2);
    result.ButtonsLeft = book.Left + result.NotebookWidth + saved.Gap;
    const int dw = result.NotebookWidth - book.Width;
    const int dh = result.NotebookHeight - book.Height;
    for (std::size_t i = 0; i < kCardCount; ++i) {
        LayoutRect list = saved.Lists[i];
        list.Width += dw;
        list.Height += dh;
        result.Lists[i] = list;
    }
    return result;
}

bool RestoreWindowFirst(const LayoutRect& current, const LayoutRect& saved) {
    return current.Right() < saved.Right() && current.Bottom() < saved.Bottom();
}

} // namespace panolcd
