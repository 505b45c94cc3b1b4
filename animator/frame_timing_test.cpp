#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "animator/frame_timing.h"

namespace vt {
namespace {

TEST(FrameTiming, PreviewIntervalsAreWholeJiffiesRoundedHalfUp) {
    EXPECT_EQ(PreviewIntervalMs(10, 100), 160);
    EXPECT_EQ(PreviewIntervalMs(10, 150), 240);
    EXPECT_EQ(PreviewIntervalMs(3, 50), 32);  // 1.5 jiffies round up to 2
    EXPECT_EQ(PreviewIntervalMs(3, 49), 16);  // 1.47 rounds down
    EXPECT_EQ(PreviewIntervalMs(0, 100), 0);
    // Times straight from a file may be huge or negative; the interval stays a sane timer value.
    EXPECT_EQ(PreviewIntervalMs(-5, 100), 0);
    EXPECT_EQ(PreviewIntervalMs(std::numeric_limits<int32_t>::max(), 150),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ScaleTime(std::numeric_limits<int32_t>::max(), 150),
              std::numeric_limits<int32_t>::max());
}

TEST(FrameTiming, SliderRangeFollowsTheSmallestTime) {
    SpeedSlider slider;
    std::vector<int32_t> tens(4, 10);
    slider.Setup(tens);
    EXPECT_EQ(slider.maximum(), 20);
    EXPECT_EQ(slider.neutral(), 11);
    EXPECT_EQ(slider.Track(11), 100);
    EXPECT_EQ(slider.Track(20), 10);
    EXPECT_EQ(ScaleTime(10, slider.speed()), 1);
    EXPECT_EQ(slider.Track(0), 210);
    EXPECT_EQ(slider.Track(12), 90);

    std::vector<int32_t> slow = {40, 30, 99};
    slider.Setup(slow);
    EXPECT_EQ(slider.maximum(), 60);
    EXPECT_EQ(slider.neutral(), 30);
    EXPECT_EQ(slider.Track(45), 50);
    EXPECT_EQ(ScaleTime(30, slider.ratio()), 15);

    std::vector<int32_t> fast = {2, 8};
    slider.Setup(fast);
    EXPECT_EQ(slider.neutral(), 19);
    EXPECT_EQ(slider.Track(20), 50);
    EXPECT_EQ(ScaleTime(2, slider.speed()), 1);
}

TEST(FrameTiming, SliderForFramesOfNoTimeOrNoneAtAll) {
    SpeedSlider slider;
    std::vector<int32_t> zero = {0, 10};
    slider.Setup(zero);
    EXPECT_EQ(slider.maximum(), 20);
    EXPECT_EQ(slider.neutral(), 20);
    EXPECT_EQ(slider.Track(20), 100);
    EXPECT_EQ(slider.Track(19), 200);  // as for one-jiffy frames, where 0 would divide by zero
    EXPECT_EQ(slider.Track(-3), 2100);
    slider.Setup({});
    EXPECT_EQ(slider.smallestTime(), 999999);
    EXPECT_EQ(slider.maximum(), 2 * 999999);
    EXPECT_EQ(slider.Track(2 * 999999), 1);
    // Setting up again forgets the tracked speed.
    slider.Setup(zero);
    EXPECT_EQ(slider.speed(), 100);
}

// Every position of the slider plays, and its right end plays the fastest frame at one jiffy,
// whatever the smallest time; no frame that shows at all drops to nothing.
TEST(FrameTiming, SliderNeverStopsTheAnimation) {
    for (int32_t m : {10, 22, 30, 150, 999}) {
        SCOPED_TRACE(m);
        std::vector<int32_t> times = {m + 7, m, 3 * m};
        SpeedSlider slider;
        slider.Setup(times);
        for (int p = slider.minimum(); p <= slider.maximum(); ++p) {
            slider.Track(p);
            ASSERT_GE(slider.speed(), 1) << p;
            for (int32_t t : times) {
                ASSERT_GE(ScaleTime(t, slider.ratio()), 1) << p;
                ASSERT_GE(PreviewIntervalMs(t, slider.ratio()), kMsPerJiffy) << p;
            }
        }
        slider.Track(slider.maximum());
        EXPECT_EQ(ScaleTime(m, slider.ratio()), 1);
        slider.Track(slider.neutral());
        EXPECT_EQ(slider.speed(), 100);
        EXPECT_EQ(ScaleTime(m + 7, slider.ratio()), m + 7);
    }
    // Below 22 the speed stays a whole percent as before: 0 to 20, neutral 11 for tens.
    SpeedSlider slider;
    std::vector<int32_t> tens(3, 10);
    slider.Setup(tens);
    slider.Track(20);
    EXPECT_EQ(slider.ratio().num, 10);
    EXPECT_EQ(slider.ratio().den, 100);
    // An explicit percent of 0 still leaves a showing frame one jiffy long.
    EXPECT_EQ(ScaleTime(5, 0), 1);
    EXPECT_EQ(ScaleTime(0, 50), 0);
}

TEST(FrameTiming, DurationInSecondsAndTenths) {
    std::vector<int32_t> times = {30, 30, 30};
    EXPECT_EQ(DurationText(times), "1.5 seconds");
    std::vector<int32_t> one = {59};
    EXPECT_EQ(DurationText(one), "0.9 seconds");
    std::vector<int32_t> many(1024, 999);
    EXPECT_EQ(DurationText(many), "17049.6 seconds");
}

}  // namespace
}  // namespace vt
