#pragma once
// TSmartEditor: the editor control over Qt. It paints the model of editcore.h (text with tabs
// expanded, the selection, the last search hit, the gutter with bookmark marks, the right
// margin, the caret) and hands it keys, typed characters and mouse presses. Texts cross to Qt
// through the Windows-1250 table.

#include "editor/editcore.h"

#include <QAbstractScrollArea>

namespace panolcd {

class TSmartEditor : public QAbstractScrollArea, private EditorClipboard {
    Q_OBJECT
public:
    explicit TSmartEditor(QWidget* parent = nullptr);

    SmartEditCore& Core() { return core_; }
    int GutterWidth() const { return gutterWidth_; }
    void SetGutterWidth(int pixels);
    int RightMargin() const { return rightMargin_; }
    void SetRightMargin(int column) { rightMargin_ = column; }
    // After the model changed from outside: scroll bars and caret in view, repaint.
    void Refresh();
    // The text offset under a point of the viewport.
    std::size_t OffsetAt(const QPoint& point);

signals:
    // The text, the caret or the state shown to the user changed.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Tab belongs to the text only while the editor edits; otherwise focus moves on.
    bool focusNextPrevChild(bool next) override;

private:
    // EditorClipboard: the system clipboard, converted with the shared table; LF for the system.
    std::string Text() override;
    void SetText(const std::string& text) override;

    void UpdateScrollBars();
    void KeepCaretVisible();
    int LineHeight() const;
    int CharWidth() const;

    SmartEditCore core_;
    int gutterWidth_ = 24;
    int rightMargin_ = 80;
    int leftColumn_ = 0;
    std::size_t anchor_ = 0;
    bool dragging_ = false;
};

} // namespace panolcd
