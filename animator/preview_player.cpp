#include "animator/preview_player.h"

#include "animator/frame_timing.h"

namespace vt {

int PreviewPlayer::Start(std::span<const int32_t> times, size_t selected, SpeedRatio speed) {
    if (times.empty()) {
        m_playing = false;
        return -1;
    }
    m_playing = true;
    m_frame = selected < times.size() ? selected : 0;
    return PreviewIntervalMs(times[m_frame], speed);
}

int PreviewPlayer::Tick(std::span<const int32_t> times, SpeedRatio speed) {
    if (!m_playing || times.empty()) return -1;
    // Frames may have been removed since the last tick; the count is taken afresh each time.
    m_frame = m_frame + 1 < times.size() ? m_frame + 1 : 0;
    return PreviewIntervalMs(times[m_frame], speed);
}

}  // namespace vt
