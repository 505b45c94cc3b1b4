#pragma once
// The preview's playback: which frame is shown and how long until the next, at the speed the
// slider is tracking. The shell owns the timer and the painting; this decides what they do.

#include <cstddef>
#include <cstdint>
#include <span>

#include "animator/frame_timing.h"

namespace vt {

class PreviewPlayer {
  public:
    // "Display Animation": starts at the frame `selected` (0-based) and returns the timer
    // interval in milliseconds for it, or -1 when there is nothing to play.
    int Start(std::span<const int32_t> times, size_t selected, SpeedRatio speed);
    // A timer tick: moves to the next frame (after the last comes the first) and returns its
    // interval, or -1 when not playing.
    int Tick(std::span<const int32_t> times, SpeedRatio speed);
    // "Stop Animation", and every command that changes what is played.
    void Stop() { m_playing = false; }

    bool playing() const { return m_playing; }
    // 0-based index of the frame on show.
    size_t frame() const { return m_frame; }
    // The toolbar while playing: new and remove frame and "Display Animation" off, "Stop
    // Animation" on; the other way round when stopped.
    bool frameCommandsEnabled() const { return !m_playing; }
    bool stopEnabled() const { return m_playing; }

  private:
    bool m_playing = false;
    size_t m_frame = 0;
};

}  // namespace vt
