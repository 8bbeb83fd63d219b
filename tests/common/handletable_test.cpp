#include "common/handletable.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

TEST(HandleTable, HandsOutStableNonZeroHandlesAndForgetsReleasedObjects) {
    HandleTable<int> table;
    int a = 1, b = 2;
    EXPECT_EQ(table.Register(nullptr), 0u);
    const std::uint32_t ha = table.Register(&a);
    const std::uint32_t hb = table.Register(&b);
    EXPECT_NE(ha, 0u);
    EXPECT_NE(ha, hb);
    EXPECT_EQ(table.Register(&a), ha);
    EXPECT_EQ(table.Resolve(ha), &a);
    EXPECT_EQ(table.Resolve(0), nullptr);
    table.Release(ha);
    EXPECT_EQ(table.Resolve(ha), nullptr);
    table.ReleaseObject(&b);
    EXPECT_EQ(table.Resolve(hb), nullptr);
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_NE(table.Register(&a), ha); // a released handle is not reused at once
}

} // namespace
} // namespace panolcd
