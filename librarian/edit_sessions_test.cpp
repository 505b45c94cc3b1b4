#include "librarian/edit_sessions.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

int64_t SerialTimesTen(int64_t index) { return index * 10; }

TEST(EditSessions, TokensDifferBetweenProcessesAndSessions) {
    EXPECT_NE(MakeSessionToken(0x104, 1), MakeSessionToken(0x108, 1));
    EXPECT_NE(MakeSessionToken(0x104, 1), MakeSessionToken(0x104, 2));
    EXPECT_GT(MakeSessionToken(0, 0), 0u);
    EXPECT_LT(MakeSessionToken(0xFFFFFFFF, 0xFFFFFFFF), 0x80000000u) << "fits the command line's %d";
}

TEST(EditSessions, OnlyThePendingTokenOpensOneSlotForTheIconItNamed) {
    EditSessions s;
    EXPECT_FALSE(s.Open(7, "0", SerialTimesTen)) << "no pending token";
    s.SetPending(1234, 3, 0, 0);
    s.IconMoved(3, 1);  // the icon's table index changed before the Studio answered
    EXPECT_FALSE(s.Open(7, "1235", SerialTimesTen));
    ASSERT_EQ(s.Open(7, "1234", SerialTimesTen), 0u);
    EXPECT_EQ(s.Find(7)->serial, 10);
    EXPECT_FALSE(s.Open(8, "1234", SerialTimesTen)) << "a token opens one session only";

    s.SetPending(99, -1, 40, 50);
    ASSERT_EQ(s.Open(8, "99", SerialTimesTen), 1u);
    EXPECT_EQ(s.Find(8)->serial, -1);
    EXPECT_EQ(s.Find(8)->x, 40);
    EXPECT_TRUE(s.HasSessionFor(10));
    EXPECT_EQ(s.count(), 2u);

    s.SetPending(5, 4, 0, 0);
    s.IconRemoved(4);
    EXPECT_FALSE(s.Open(9, "5", SerialTimesTen)) << "the pending icon was deleted";
}

TEST(EditSessions, TenSlotsEndingByIconAllAndDeadWindows) {
    EditSessions s;
    for (uintptr_t w = 1; w <= 11; ++w) {
        s.SetPending(static_cast<uint32_t>(w), static_cast<int64_t>(w % 2), 0, 0);
        const bool opened = s.Open(w, std::to_string(w), SerialTimesTen).has_value();
        EXPECT_EQ(opened, w <= 10) << w;
    }
    EXPECT_TRUE(s.Full());
    EXPECT_EQ(s.EndAll(10), (std::vector<uintptr_t>{1, 3, 5, 7, 9}));
    EXPECT_FALSE(s.HasSessionFor(10));
    const auto gone = s.Prune([](uintptr_t w) { return w != 4; });
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0].window, 4u);
    EXPECT_TRUE(s.Close(2));
    EXPECT_FALSE(s.Close(2));
    EXPECT_EQ(s.EndAll().size(), 3u);
    EXPECT_EQ(s.count(), 0u);
}

}  // namespace
}  // namespace vt
