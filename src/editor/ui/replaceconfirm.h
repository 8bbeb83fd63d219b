#pragma once
// "Potvrzení": the question asked before each replacement, placed near the hit.

#include "editor/editcore.h"

#include <QDialog>

namespace panolcd {

class TReplaceConfirmDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 352;
    static constexpr int kHeight = 120;

    TReplaceConfirmDlg(const std::string& findText, QWidget* parent);
    ReplaceAnswer Answer() const { return answer_; }

    // Top-left 8 pixels left of the hit and two lines below its top; above the hit when the
    // screen's bottom (less 32 pixels) is in the way, further left when its right edge is.
    static QPoint PlaceNear(const QPoint& hitTopLeft, int lineHeight, const QRect& screen);

private:
    ReplaceAnswer answer_ = ReplaceAnswer::Cancel;
};

} // namespace panolcd
