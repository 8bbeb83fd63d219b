// The project root window's keys and card layout arithmetic.

#include "projectwindows/rootlayout.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(CardKeyOp, OnlyTheExactModifierCounts) {
    struct Case {
        CardKey key;
        bool shift, ctrl, alt;
        CardOp op;
    };
    const Case cases[] = {
        {CardKey::Space, false, false, false, CardOp::Open},
        {CardKey::Space, true, false, false, CardOp::None},
        {CardKey::Delete, false, false, false, CardOp::Delete},
        {CardKey::Delete, true, false, false, CardOp::Cut},
        {CardKey::Delete, true, true, false, CardOp::None},
        {CardKey::Insert, false, true, false, CardOp::Copy},
        {CardKey::Insert, true, false, false, CardOp::Paste},
        {CardKey::Insert, false, false, false, CardOp::None},
        {CardKey::Insert, false, true, true, CardOp::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CardKeyOp(c.key, c.shift, c.ctrl, c.alt), c.op)
            << static_cast<int>(c.key) << c.shift << c.ctrl << c.alt;
}

RootSavedLayout Design() {
    RootSavedLayout saved;
    saved.Window = {0, 0, 564, 373};
    saved.Notebook = {8, 50, 460, 286};
    saved.Lists.fill({2, 18, 450, 236});
    saved.Gap = 8;
    return saved;
}

TEST(ResizeCards, NotebookFillsTheClientAndNeverShrinksBelowItsLimits) {
    struct Case {
        int clientWidth, clientHeight;
        int width, height, buttonsLeft;
    };
    const Case cases[] = {
        // 800 - 8 - 72 - 16 = 704; 500 - 50 - 2 = 448.
        {800, 500, 704, 448, 720},
        // Narrower than the design keeps the saved width; low keeps half the saved height.
        {300, 100, 460, 143, 476},
        {556, 338, 460, 286, 476},
    };
    for (const Case& c : cases) {
        const RootResized r = ResizeCards(Design(), c.clientWidth, c.clientHeight, 72);
        EXPECT_EQ(r.NotebookWidth, c.width) << c.clientWidth;
        EXPECT_EQ(r.NotebookHeight, c.height) << c.clientHeight;
        EXPECT_EQ(r.ButtonsLeft, c.buttonsLeft);
        EXPECT_EQ(r.Lists[3], (LayoutRect{2, 18, 450 + c.width - 460, 236 + c.height - 286}));
    }
}

TEST(RestoreWindowFirst, OnlyWhenSmallerInBothDirections) {
    const LayoutRect saved{10, 10, 564, 373};
    EXPECT_TRUE(RestoreWindowFirst({10, 10, 300, 200}, saved));
    EXPECT_FALSE(RestoreWindowFirst({10, 10, 300, 400}, saved));
    EXPECT_FALSE(RestoreWindowFirst({10, 10, 800, 600}, saved));
    EXPECT_FALSE(RestoreWindowFirst({10, 10, 564, 200}, saved));
}

} // namespace
} // namespace panolcd
