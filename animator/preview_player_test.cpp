#include <gtest/gtest.h>

#include <vector>

#include "animator/preview_player.h"

namespace vt {
namespace {

TEST(PreviewPlayer, PlaysFromTheSelectedFrameAndWrapsAround) {
    PreviewPlayer p;
    std::vector<int32_t> times = {10, 3, 20};
    EXPECT_TRUE(p.frameCommandsEnabled());
    EXPECT_EQ(p.Start(times, 1, 50), 32);
    EXPECT_TRUE(p.playing());
    EXPECT_FALSE(p.frameCommandsEnabled());
    EXPECT_TRUE(p.stopEnabled());
    EXPECT_EQ(p.frame(), 1u);
    EXPECT_EQ(p.Tick(times, 50), 160);
    EXPECT_EQ(p.frame(), 2u);
    EXPECT_EQ(p.Tick(times, 150), 240);
    EXPECT_EQ(p.frame(), 0u);
    // The slider's speed applies from the next tick on.
    EXPECT_EQ(p.Tick(times, 100), 48);
    p.Stop();
    EXPECT_EQ(p.Tick(times, 100), -1);
    EXPECT_TRUE(p.frameCommandsEnabled());
}

TEST(PreviewPlayer, SurvivesFramesGoingAway) {
    PreviewPlayer p;
    std::vector<int32_t> times = {10, 10, 10};
    p.Start(times, 2, 100);
    times.resize(1);
    EXPECT_EQ(p.Tick(times, 100), 160);
    EXPECT_EQ(p.frame(), 0u);
    EXPECT_EQ(p.Start({}, 0, 100), -1);
    EXPECT_FALSE(p.playing());
    EXPECT_EQ(p.Start(times, 7, 100), 160);
    EXPECT_EQ(p.frame(), 0u);
}

}  // namespace
}  // namespace vt
