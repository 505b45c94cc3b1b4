#pragma once
// Display times of frames and the preview's speed: times are whole jiffies (1/60 s), and the
// preview's timer runs at 16 ms per jiffy so intervals stay whole multiples of 16 ms.

#include <cstdint>
#include <span>
#include <string>

namespace vt {

inline constexpr int kMsPerJiffy = 16;
inline constexpr int kNeutralSpeed = 100;  // percent

// A speed as the exact fraction num / den of the frames' own times (100 / 100 plays them as
// they are). Percent speeds are num / 100; the slider uses finer fractions where a whole percent
// cannot bring its slowest-but-fastest frame down to one jiffy.
struct SpeedRatio {
    constexpr SpeedRatio() = default;
    // A speed in percent.
    constexpr SpeedRatio(int64_t percent) : num(percent) {}  // NOLINT: a percent is a speed
    constexpr SpeedRatio(int64_t n, int64_t d) : num(n), den(d) {}
    bool neutral() const { return num == den; }

    int64_t num = 100;
    int64_t den = 100;
};

// time x num / den, rounded half up (for percent speeds: a remainder of 50 or more adds one). A
// frame of at least one jiffy never scales below one jiffy.
int32_t ScaleTime(int32_t time, SpeedRatio speed);

// The preview timer's interval for a frame of `time` jiffies at `speed`; never negative.
int PreviewIntervalMs(int32_t time, SpeedRatio speed);

// The smallest display time of the frames (999999 when there are none).
int32_t SmallestTime(std::span<const int32_t> times);

// The speed slider: its range is 0 to `maximum`, and the neutral position (speed 100) depends on
// the smallest frame time m so that the right end plays the fastest frame at one jiffy. Up to
// m = 21 the speed is a whole percent; above, the range is 0 to 2m and a position p stands for
// (2m - p) / m, one jiffy per m at the right end, so that no position stops the animation.
class SpeedSlider {
  public:
    // Sets the range up from the frames' times and puts the speed back to 100.
    void Setup(std::span<const int32_t> times);

    int minimum() const { return 0; }
    int maximum() const { return m_maximum; }
    int neutral() const { return m_neutral; }
    // The speed in whole percent (at least 1), and exactly as the frames are scaled.
    int speed() const { return m_speed; }
    SpeedRatio ratio() const { return m_ratio; }
    int32_t smallestTime() const { return m_smallest; }

    // The thumb moved to `position` while tracking; sets and returns the speed. Moving right makes
    // the speed smaller and the animation faster.
    int Track(int position);

  private:
    int32_t m_smallest = 999999;
    int m_maximum = 20;
    int m_neutral = 20;
    int m_speed = kNeutralSpeed;
    SpeedRatio m_ratio;
};

// "%d.%d seconds" for the total of the frames' times (whole seconds and tenths).
std::string DurationText(std::span<const int32_t> times);

}  // namespace vt
