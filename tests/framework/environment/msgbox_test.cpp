#include "framework/environment/msgbox.h"

#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class MessageBoxes : public testing::ContextTest {};

TEST_F(MessageBoxes, FlagsChooseKindAndButtons) {
    struct Case {
        unsigned flags;
        MsgKind kind;
        MsgButtons buttons;
    };
    const Case cases[] = {
        {0x10, MsgKind::Error, MsgButtons::Ok},
        {0x21, MsgKind::Confirmation, MsgButtons::OkCancel},
        {0x42, MsgKind::Information, MsgButtons::AbortRetryIgnore},
        {0x33, MsgKind::Warning, MsgButtons::YesNoCancel},
        {0x04, MsgKind::Warning, MsgButtons::YesNo},
        {0x15, MsgKind::Error, MsgButtons::RetryCancel},
        {0x1F, MsgKind::Error, MsgButtons::Ok},
    };
    for (const Case& c : cases) {
        User().answers = {MsgResult::No};
        EXPECT_EQ(MsgBox("caption", "text", c.flags), MsgResult::No);
        const testing::ShownMessage& shown = User().shown.back();
        EXPECT_EQ(shown.kind, c.kind) << c.flags;
        EXPECT_EQ(shown.buttons, c.buttons) << c.flags;
        EXPECT_EQ(shown.caption, ""); // the caption is not shown
        EXPECT_EQ(shown.text, "text");
    }
    EXPECT_EQ(User().beeps, 7);
}

TEST_F(MessageBoxes, ResourceFormAndPlainForm) {
    MsgBox(100, 175, 0x24);
    EXPECT_EQ(User().shown.back().text, testing::Cz("Použít ?"));
    MsgBox("just text");
    EXPECT_EQ(User().shown.back().buttons, MsgButtons::Ok);
    EXPECT_EQ(User().shown.back().text, "just text");
    EXPECT_EQ(User().beeps, 2);
}

} // namespace
} // namespace panolcd
