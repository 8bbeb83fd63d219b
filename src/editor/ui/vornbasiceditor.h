#pragma once
// TVornBasicEditor: the editor control colouring Vorn-Basic, with the compiler's error line.

#include "editor/ui/smarteditor.h"
#include "editor/vornbasic.h"

namespace panolcd {

class TVornBasicEditor final : public TSmartEditor {
    Q_OBJECT
public:
    explicit TVornBasicEditor(QWidget* parent = nullptr);

    VornBasicSyntax& Vorn() { return *vorn_; }
    void SetErrorLine(std::int32_t line);
    void ShowErrorMark(bool on);

private:
    VornBasicSyntax* vorn_;
};

} // namespace panolcd
