#pragma once
// TSmartEditor: the editor control over Qt. It paints the model of editcore.h line by line in
// the colours of its elements (text with tabs expanded, the selection, the last search hit, the
// blanks behind the text, the gutter with bookmark marks and line numbers, the right margin, the
// caret) and hands it keys, typed characters and mouse presses. Texts cross to Qt through the
// Windows-1250 table.

#include "editor/editcore.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <array>
#include <optional>

class QMimeData;

namespace panolcd {

// An element colour (0x00BBGGRR) for Qt.
QColor ColourOf(std::uint32_t bgr);

class TSmartEditor : public QAbstractScrollArea, private EditorClipboard, private EditorPrompts {
    Q_OBJECT
public:
    explicit TSmartEditor(QWidget* parent = nullptr);

    SmartEditCore& Core() { return core_; }
    // The settings record in force, and a new one: the font is measured anew and all repainted.
    TSmartEditorSettings Settings() const { return core_.Settings(); }
    void ApplySettings(const TSmartEditorSettings& settings);
    // The gutter's width as painted: none without eoGutterVisible.
    int GutterWidth() const;
    // While set, keys, typed characters and mouse presses change nothing (a sample to look at).
    void SetDisplayOnly(bool displayOnly) { displayOnly_ = displayOnly; }
    // After the model changed from outside: scroll bars and caret in view, repaint.
    void Refresh();
    // The text offset under a point of the viewport.
    std::size_t OffsetAt(const QPoint& point);
    // The element painted at a point of the viewport; the gutter is the gutter's element.
    int ElementAt(const QPoint& point);
    int LineHeight() const { return lineHeight_; }
    int CharWidth() const { return charWidth_; }

signals:
    // The text, the caret or the state shown to the user changed.
    void changed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Text dropped from elsewhere is inserted where it falls, as a paste would be.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Tab belongs to the text only while the editor edits; otherwise focus moves on.
    bool focusNextPrevChild(bool next) override;

private:
    // EditorClipboard: the system clipboard, converted with the shared table; LF for the system.
    std::string Text() override;
    void SetText(const std::string& text) override;
    // EditorPrompts: message boxes, and the confirmation placed near the hit, which is scrolled
    // into view and painted first.
    void Error(const std::string& text) override;
    void Information(const std::string& text) override;
    ReplaceAnswer ConfirmReplace(const std::string& findText) override;
    // Text an editable editor takes from a drag.
    bool TakesDrop(const QMimeData* data) const;
    // Where an offset's cell is painted in the viewport.
    QPoint PointOf(std::size_t offset);

    // The editor font in one of the 16 styles, made when first asked for.
    const QFont& FontOf(std::uint8_t style);
    void MeasureFont();
    // Scroll bars as eoActiveScrollBars says; only when the options change.
    void ApplyScrollBarPolicy();
    void UpdateScrollBars();
    void KeepCaretVisible();
    void PaintLine(QPainter& painter, std::size_t line, int y);
    void PaintGutter(QPainter& painter);
    // The line of a viewport row; rows above the view give lines above the top.
    std::int64_t LineAtY(int y) const;

    SmartEditCore core_;
    QString family_;
    std::array<std::optional<QFont>, 16> fonts_;
    int lineHeight_ = 1;
    int charWidth_ = 1;
    int ascent_ = 0;
    int leftColumn_ = 0;
    std::size_t anchor_ = 0;
    bool dragging_ = false;
    bool displayOnly_ = false;
};

} // namespace panolcd
