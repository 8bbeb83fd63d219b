#pragma once
// The windows' layout rectangles as Qt's and back.

#include "projectwindows/rootlayout.h"

#include <QRect>

namespace panolcd {

inline LayoutRect RectOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

inline QRect QRectOf(const LayoutRect& rect) {
    return {rect.Left, rect.Top, rect.Width, rect.Height};
}

} // namespace panolcd
