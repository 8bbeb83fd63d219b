#pragma once
// What the table-made record windows share: their edit panel as a column of labelled controls,
// and the frame's buttons "Použít", "OK", "Storno", "Původní" with the browser.

#include "framework/windows/ui/udbform.h"
#include "projectwindows/panelfield.h"

#include <vector>

class QPushButton;
class QWidget;

namespace panolcd {

// A record window whose edit panel is a list of panel fields and whose caption its table gives
// (the framework would glue the database's name in front).
class TPanelForm : public TUDBForm {
    Q_OBJECT
public:
    TPanelForm(TTrMainForm* owner, std::uint16_t dbTypeId, const char* caption);
    void SetCaption(const std::string& caption) override;

protected:
    std::vector<QWidget*> EditWidgets() override { return widgets_; }
    std::vector<TCtrlValidator*> EditValidators() override;
    // The panel's buffer, as long as the fields' transfer sizes add up to.
    void SizeEditBuffer();

    std::vector<PanelField> fields_;
    std::vector<QWidget*> widgets_;

private:
    const char* caption_;
};

// Design bounds in a window's client area.
namespace panellayout {
inline constexpr int kMargin = 8;
inline constexpr int kLabelWidth = 230;
inline constexpr int kControlLeft = kMargin + kLabelWidth;
inline constexpr int kControlWidth = 220;
inline constexpr int kRowHeight = 26;
inline constexpr int kMemoHeight = 96;
inline constexpr int kButtonsLeft = kControlLeft + kControlWidth + 12;
inline constexpr int kButtonWidth = 80;
inline constexpr int kButtonHeight = 25;
} // namespace panellayout

// A button of the frame's column, at `top`.
QPushButton* FrameButton(QWidget* parent, const char* name, const char* text, const char* hint,
                         int top);

// The controls of the shown fields, labelled, one under another from the top; `widgets` gets
// one entry per field (none for a field without control). Answers the bottom of the last.
int BuildPanelColumn(QWidget* client, const std::vector<PanelField>& fields,
                     std::vector<QWidget*>& widgets);

// The names the map window gives its cancel and revert buttons differ from the others'.
struct RecordButtonNames {
    const char* cancel = "Storno_Butt";
    const char* revert = "Puvodni_Butt";
    const char* revertHint = "Zruší nepotvrzené editační změny v editačním panelu";
};

// The frame's buttons (and the browser) in the column right of the panel, from `top`; answers
// their bottom.
int AddRecordButtons(TUDBForm& form, QWidget* client, int top, bool browser,
                     const RecordButtonNames& names = {});

} // namespace panolcd
