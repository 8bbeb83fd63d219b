#include "editor/ui/vornbasiceditor.h"

namespace panolcd {

TVornBasicEditor::TVornBasicEditor(QWidget* parent) : TSmartEditor(parent) {
    auto syntax = std::make_unique<VornBasicSyntax>();
    vorn_ = syntax.get();
    Core().SetSyntax(std::move(syntax));
    ApplySettings(vorn_->DefaultSettings());
}

void TVornBasicEditor::SetErrorLine(std::int32_t line) {
    vorn_->SetErrorLine(line);
    viewport()->update();
}

void TVornBasicEditor::ShowErrorMark(bool on) {
    vorn_->ShowErrorMark(on);
    viewport()->update();
}

} // namespace panolcd
