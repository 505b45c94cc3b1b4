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

int32_t ScaleTime(int32_t time, SpeedRatio speed) {
    if (speed.den <= 0) return time;
    // Times from files can be anything a 32-bit field holds, and speeds are at most a few
    // thousand over at most 2 x 999999, so the product fits in 64 bits.
    int64_t product = static_cast<int64_t>(time) * speed.num;
    int64_t quotient = product / speed.den;
    if (2 * (product % speed.den) >= speed.den) ++quotient;
    // A frame that shows at all keeps showing for at least one jiffy.
    if (time >= 1 && quotient < 1) quotient = 1;
    return Clamp32(quotient);
}

int PreviewIntervalMs(int32_t time, SpeedRatio speed) {
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
    m_ratio = {};
}

int SpeedSlider::Track(int position) {
    position = std::clamp(position, 0, m_maximum);
    // Frames of 0 or 1 jiffy (or negative times from a file) would divide by zero or turn the
    // scale around; the slider then works as for one-jiffy frames.
    const int64_t m = std::max<int32_t>(m_smallest, 1);
    const int64_t steps = m + m_neutral - position;
    if (position == m_neutral) {
        m_speed = kNeutralSpeed;
        m_ratio = {};
    } else if (m <= 21) {
        m_speed = static_cast<int>(steps * 100 / m);
        m_ratio = {m_speed, 100};
    } else {
        // A whole percent is too coarse here: at 2m the fastest frame would play at 0 %, and
        // for m above 100 several positions would; the exact fraction keeps it at one jiffy.
        m_ratio = {std::max<int64_t>(steps, 1), m};
        m_speed = static_cast<int>(std::max<int64_t>(m_ratio.num * 100 / m, 1));
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
