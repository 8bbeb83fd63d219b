#pragma once
// TConsole: draws a Console model in a fixed-pitch font and scrolls over it with the keys.

#include "framework/environment/console.h"

#include <QAbstractScrollArea>
#include <QFont>

namespace panolcd {

class TConsole : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TConsole(QWidget* parent = nullptr);

    Console& Model() { return model_; }
    const Console& Model() const { return model_; }

    // Only a fixed-pitch font is accepted; another one throws and keeps the current font.
    void SetConsoleFont(const QFont& font);
    QFont ConsoleFont() const { return font_; }

    bool AutoTracking() const { return autoTracking_; }
    void SetAutoTracking(bool on) { autoTracking_ = on; }

    // Repaints what the model changed and keeps the cursor in view.
    void Refresh();

    int VisibleCols() const;
    int VisibleRows() const;
    QPoint ViewOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void UseFont(const QFont& font);
    void UpdateScrollBars();
    void ScrollTo(int col, int row);
    void TrackCursor();

    Console model_;
    QFont font_;
    int cellWidth_ = 8;
    int cellHeight_ = 16;
    bool autoTracking_ = true;
};

} // namespace panolcd
