#include "animator/frame_timing.h"

#include <algorithm>
#include <limits>

#include "common/prompt.h"

namespace vt {

namespace {

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t ScaleTime(int32_t time, int speed) {
    // Times from files can be anything a 32-bit field holds, so the product is taken in 64 bits.
    int64_t product = static_cast<int64_t>(time) * speed;
    int64_t quotient = product / 100;
    if (product % 100 >= 50) ++quotient;
    return Clamp32(quotient);
}

int PreviewIntervalMs(int32_t time, int speed) {
    int64_t ms = static_cast<int64_t>(ScaleTime(time, speed)) * kMsPerJiffy;
    return static_cast<int>(std::clamp<int64_t>(ms, 0, std::numeric_limits<int32_t>::max()));
}

int32_t SmallestTime(std::span<const int32_t> times) {
    int32_t m = 999999;
    for (int32_t t : times) m = std::min(m, t);
    return m;
}

void SpeedSlider::Setup(std::span<const int32_t> times) {
    m_smallest = SmallestTime(times);
    int32_t m = m_smallest;
    if (m < 2) {
        m_maximum = 20;
        m_neutral = 20;
    } else if (m <= 21) {
        m_maximum = 20;
        m_neutral = 21 - m;
    } else {
        // m is at most 999999, so twice it still fits.
        m_maximum = 2 * m;
        m_neutral = m;
    }
    m_speed = kNeutralSpeed;
}

int SpeedSlider::Track(int position) {
    position = std::clamp(position, 0, m_maximum);
    if (position == m_neutral) {
        m_speed = kNeutralSpeed;
    } else {
        // Frames of 0 or 1 jiffy (or negative times from a file) would divide by zero or turn the
        // scale around; the slider then works as for one-jiffy frames.
        int64_t m = std::max<int32_t>(m_smallest, 1);
        m_speed = static_cast<int>((m + m_neutral - position) * 100 / m);
    }
    return m_speed;
}

std::string DurationText(std::span<const int32_t> times) {
    int64_t sum = 0;
    for (int32_t t : times) sum += t;
    int64_t seconds = sum / 60;
    int64_t tenths = (sum % 60) * 10 / 60;
    return Format("%lld.%lld seconds", static_cast<long long>(seconds),
                  static_cast<long long>(tenths));
}

}  // namespace vt
