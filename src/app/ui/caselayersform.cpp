#include "app/ui/caselayersform.h"

#include "common/ui/qtext.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QVBoxLayout>

namespace panolcd {

TCaseLayers_Form::TCaseLayers_Form(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), list_(new QComboBox(this)) {
    setObjectName("TCaseLayers_Form");
    setWindowTitle(QStringLiteral("Case vrstva"));
    list_->setObjectName("CaseLayer_ComboBox");
    list_->setEditable(false);
    list_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    resize(168, 50);
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_)
            emit EntryChosen(index);
    });
}

void TCaseLayers_Form::SetEntries(const std::vector<std::string>& names, int chosen) {
    filling_ = true;
    list_->clear();
    for (const std::string& name : names)
        list_->addItem(ToQString(name));
    list_->setCurrentIndex(chosen);
    filling_ = false;
}

void TCaseLayers_Form::SetChosen(int entry) {
    filling_ = true;
    list_->setCurrentIndex(entry);
    filling_ = false;
}

int TCaseLayers_Form::Chosen() const {
    return list_->currentIndex();
}

void TCaseLayers_Form::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

} // namespace panolcd
