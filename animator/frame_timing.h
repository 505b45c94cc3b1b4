#pragma once
// Display times of frames and the preview's speed: times are whole jiffies (1/60 s), and the
// preview's timer runs at 16 ms per jiffy so intervals stay whole multiples of 16 ms.

#include <cstdint>
#include <span>
#include <string>

namespace vt {

inline constexpr int kMsPerJiffy = 16;
inline constexpr int kNeutralSpeed = 100;  // percent

// time x speed / 100, rounded half up (a remainder of 50 or more adds one).
int32_t ScaleTime(int32_t time, int speed);

// The preview timer's interval for a frame of `time` jiffies at `speed` percent; never negative.
int PreviewIntervalMs(int32_t time, int speed);

// The smallest display time of the frames (999999 when there are none).
int32_t SmallestTime(std::span<const int32_t> times);

// The speed slider: its range is 0 to `maximum`, and the neutral position (speed 100) depends on
// the smallest frame time m so that the right end plays the fastest frame at one jiffy.
class SpeedSlider {
  public:
    // Sets the range up from the frames' times and puts the speed back to 100.
    void Setup(std::span<const int32_t> times);

    int minimum() const { return 0; }
    int maximum() const { return m_maximum; }
    int neutral() const { return m_neutral; }
    int speed() const { return m_speed; }
    int32_t smallestTime() const { return m_smallest; }

    // The thumb moved to `position` while tracking; sets and returns the speed. Moving right makes
    // the speed smaller and the animation faster.
    int Track(int position);

  private:
    int32_t m_smallest = 999999;
    int m_maximum = 20;
    int m_neutral = 20;
    int m_speed = kNeutralSpeed;
};

// "%d.%d seconds" for the total of the frames' times (whole seconds and tenths).
std::string DurationText(std::span<const int32_t> times);

}  // namespace vt
