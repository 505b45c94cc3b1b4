#pragma once
// The Librarian's table of edit sessions: up to ten Studio windows, each editing one icon (by
// serial) or a new icon still to be placed, and the one token a started Studio will name when it
// asks for its conversation. Window handles are opaque numbers here.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vt {

inline constexpr size_t kSessionSlots = 10;

struct SessionSlot {
    uintptr_t window = 0;   // the editor's window; 0 = free
    int64_t serial = -1;    // the icon edited; -1 = a new icon not yet placed
    int32_t x = -1, y = 0;  // where a new icon goes (client coordinates; x = -1: the right edge)
    uintptr_t sentBlock = 0;  // the icon data sent and not yet acknowledged (0 = none)
};

// A session token: unique per process (the process id) and per session in it (the sequence),
// positive, so that it fits the command line's decimal form.
uint32_t MakeSessionToken(uint32_t processId, uint32_t sequence);

class EditSessions {
  public:
    bool Full() const { return count() == kSessionSlots; }
    size_t count() const;
    const std::array<SessionSlot, kSessionSlots>& slots() const { return m_slots; }

    // A Studio is being started for the icon at table index `iconIndex` (-1: a new icon placed
    // at x, y). Replaces an older pending session.
    void SetPending(uint32_t token, int64_t iconIndex, int32_t x, int32_t y);
    uint32_t pendingToken() const { return m_token; }
    int64_t pendingIndex() const { return m_index; }
    // The icon table's last record moved into a freed place.
    void IconMoved(size_t from, size_t to);
    // The pending icon went away.
    void IconRemoved(size_t index);

    // An initiation naming `topic` from `window`: opens a slot when the topic is the pending
    // token and a slot is free; `serialOfPending` gives the pending icon's serial. The token is
    // used up, so one Studio and only one attaches to it. Returns the slot.
    std::optional<size_t> Open(uintptr_t window, const std::string& topic,
                               const std::function<int64_t(int64_t index)>& serialOfPending);
    SessionSlot* Find(uintptr_t window);
    // Frees the window's slot; false when it had none.
    bool Close(uintptr_t window);
    // The windows of every session (serial < 0) or of one icon's sessions, their slots freed.
    std::vector<uintptr_t> EndAll(int64_t serial = -2);
    bool HasSessionFor(int64_t serial) const;
    // Frees the slots whose window no longer exists; returns them as they were.
    std::vector<SessionSlot> Prune(const std::function<bool(uintptr_t window)>& alive);

  private:
    std::array<SessionSlot, kSessionSlots> m_slots{};
    uint32_t m_token = 0;
    int64_t m_index = -1;
    int32_t m_x = -1, m_y = 0;
};

}  // namespace vt
