#include "framework/dataentry/ui/trvaldialog.h"

#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "support/test_context.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace panolcd {
namespace {

// One byte field, 0..100, in an edit box.
class ByteDialog final : public TTrValDialog {
public:
    explicit ByteDialog(QWidget* owner) : TTrValDialog(owner) {
        (new QVBoxLayout(this))->addWidget(edit);
        byte.DefAttributs(0, 0, 100);
    }
    void MapDialogData(std::span<std::uint8_t> buffer) override {
        TransferTo({edit}, {&byte}, buffer);
    }

    QLineEdit* edit = new QLineEdit(this);
    TTrByteEdit_Validator& byte = AddValidator<TTrByteEdit_Validator>();
};

class ValDialog : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        static const bool registered = [] {
            RegisterDialogClass<ByteDialog>("T_BYTE");
            return true;
        }();
        (void)registered;
    }

    // Runs the dialog by name; `step` acts on it once it is up. A step that leaves it open is
    // ended by a watchdog so a failing test cannot hang.
    DialogResult Run(const std::function<void(ByteDialog&)>& step) {
        QTimer::singleShot(0, [&] {
            if (auto* dialog = dynamic_cast<ByteDialog*>(QApplication::activeModalWidget()))
                step(*dialog);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the dialog stayed open";
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        watchdog.start(5000);
        return RunDialogByName(nullptr, "T_BYTE", buffer);
    }

    std::array<std::uint8_t, 1> buffer{5};
};

TEST_F(ValDialog, OkStoresAValidValue) {
    const DialogResult result = Run([](ByteDialog& dialog) {
        EXPECT_EQ(dialog.edit->text(), "5");
        dialog.edit->setText("42");
        dialog.accept();
    });
    EXPECT_EQ(result, DialogResult::Ok);
    EXPECT_EQ(buffer[0], 42);
}

TEST_F(ValDialog, ABadValueKeepsTheDialogOpenAndCancelLeavesTheBuffer) {
    const DialogResult result = Run([this](ByteDialog& dialog) {
        dialog.edit->setText("300");
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.edit);
        ASSERT_EQ(User().shown.size(), 1u);
        EXPECT_EQ(User().shown[0].kind, MsgKind::Error);
        dialog.reject();
    });
    EXPECT_EQ(result, DialogResult::Cancel);
    EXPECT_EQ(buffer[0], 5);
}

TEST_F(ValDialog, EscapeAndTheCloseBoxCancelWithoutChecking) {
    const std::function<void(ByteDialog&)> closers[] = {
        [](ByteDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](ByteDialog& dialog) { dialog.close(); },
        [](ByteDialog& dialog) { dialog.done(7); },
    };
    for (const auto& close : closers) {
        const DialogResult result = Run([&](ByteDialog& dialog) {
            dialog.edit->setText("300");
            close(dialog);
        });
        EXPECT_EQ(result, DialogResult::Cancel);
        EXPECT_EQ(buffer[0], 5);
    }
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(ValDialog, ThePortRunsRegisteredDialogsOnly) {
    QtDialogPort port;
    EXPECT_EQ(port.RunDialog("", buffer.data(), buffer.size()), DialogResult::None);
    try {
        port.RunDialog("t_byte", buffer.data(), buffer.size());
        FAIL();
    } catch (const ExcTrValDialog& e) {
        EXPECT_STREQ(e.what(), "Not registered Dlg: t_byte");
    }
    EXPECT_NE(FindDialogClass("T_BYTE"), nullptr);
}

} // namespace
} // namespace panolcd
