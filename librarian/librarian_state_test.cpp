#include "librarian/librarian_state.h"

#include <gtest/gtest.h>

#include "common/byte_reader.h"

namespace vt {
namespace {

const ScreenRect kMonitors[] = {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};

LibrarianState Stored() {
    LibrarianState s;
    s.x = 1100, s.y = 50, s.width = 600, s.height = 400;
    s.statusBarHidden = true;
    s.view = kViewRaw;
    return s;
}

TEST(LibrarianState, RoundTripsTwentyEightBytes) {
    auto bytes = StoreLibrarianState(Stored());
    ASSERT_EQ(bytes.size(), kLibrarianStateSize);
    EXPECT_EQ(LoadLE32(&bytes[24]), 2u);
    LibrarianState back = LoadLibrarianState(bytes, kMonitors);
    EXPECT_TRUE(back.hasPlace);
    EXPECT_EQ(back.x, 1100);
    EXPECT_EQ(back.height, 400);
    EXPECT_FALSE(back.toolbarHidden);
    EXPECT_TRUE(back.statusBarHidden);
    EXPECT_EQ(back.view, kViewRaw);
}

TEST(LibrarianState, BrokenBlocksGiveTheDefaults) {
    auto bytes = StoreLibrarianState(Stored());
    auto expectDefaults = [](const LibrarianState& s) {
        EXPECT_FALSE(s.hasPlace);
        EXPECT_FALSE(s.statusBarHidden);
        EXPECT_EQ(s.view, kViewWindows);
    };
    expectDefaults(LoadLibrarianState({}, kMonitors));
    expectDefaults(LoadLibrarianState(std::span(bytes).first(27), kMonitors));
    auto longer = bytes;
    longer.push_back(0);
    expectDefaults(LoadLibrarianState(longer, kMonitors));
    auto view = bytes;
    StoreLE32(&view[24], 5);
    expectDefaults(LoadLibrarianState(view, kMonitors));
    StoreLE32(&view[24], 0xFFFFFFFF);
    expectDefaults(LoadLibrarianState(view, kMonitors));
    // A stored view of 0 is the default view, the rest stands.
    StoreLE32(&view[24], 0);
    LibrarianState zero = LoadLibrarianState(view, kMonitors);
    EXPECT_EQ(zero.view, kViewWindows);
    EXPECT_TRUE(zero.hasPlace);
}

TEST(LibrarianState, ABadSizeOrAPlaceOffEveryMonitorLosesOnlyThePlace) {
    for (auto [x, y, w, h] : {std::array<int32_t, 4>{100, 100, 0, 400},
                              {100, 100, 600, -5},
                              {100, 100, 600, 100000},
                              {5000, 100, 600, 400},
                              {-700, 100, 600, 400},
                              {100, 1100, 600, 400},
                              {INT32_MAX - 10, 0, 600, 400}}) {
        LibrarianState s = Stored();
        s.x = x, s.y = y, s.width = w, s.height = h;
        LibrarianState back = LoadLibrarianState(StoreLibrarianState(s), kMonitors);
        EXPECT_FALSE(back.hasPlace) << x << "," << y << " " << w << "x" << h;
        EXPECT_TRUE(back.statusBarHidden);
        EXPECT_EQ(back.view, kViewRaw);
    }
    // Partly on the second monitor is still a place.
    LibrarianState s = Stored();
    s.x = 2200;
    EXPECT_TRUE(LoadLibrarianState(StoreLibrarianState(s), kMonitors).hasPlace);
}

}  // namespace
}  // namespace vt
