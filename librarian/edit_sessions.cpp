#include "librarian/edit_sessions.h"

namespace vt {

uint32_t MakeSessionToken(uint32_t processId, uint32_t sequence) {
    // 16 bits of process and 15 of sequence: a positive 31-bit number, never 0.
    return ((processId & 0xFFFFu) << 15 | (sequence & 0x7FFFu)) | (processId == 0 && sequence == 0);
}

size_t EditSessions::count() const {
    size_t n = 0;
    for (const SessionSlot& s : m_slots) n += s.window != 0;
    return n;
}

void EditSessions::SetPending(uint32_t token, int64_t iconIndex, int32_t x, int32_t y) {
    m_token = token;
    m_index = iconIndex;
    m_x = x;
    m_y = y;
}

void EditSessions::IconMoved(size_t from, size_t to) {
    if (m_index == static_cast<int64_t>(from)) m_index = static_cast<int64_t>(to);
}

void EditSessions::IconRemoved(size_t index) {
    if (m_index == static_cast<int64_t>(index)) m_token = 0;
}

std::optional<size_t> EditSessions::Open(uintptr_t window, const std::string& topic,
                                         const std::function<int64_t(int64_t)>& serialOfPending) {
    if (m_token == 0 || window == 0 || topic != std::to_string(m_token) || Find(window)) return std::nullopt;
    for (size_t i = 0; i < kSessionSlots; ++i) {
        SessionSlot& s = m_slots[i];
        if (s.window) continue;
        const int64_t serial = m_index < 0 ? -1 : serialOfPending(m_index);
        if (m_index >= 0 && serial < 0) return std::nullopt;  // the icon is gone
        s = SessionSlot{window, serial, m_x, m_y, 0};
        m_token = 0;
        return i;
    }
    return std::nullopt;
}

SessionSlot* EditSessions::Find(uintptr_t window) {
    if (!window) return nullptr;
    for (SessionSlot& s : m_slots)
        if (s.window == window) return &s;
    return nullptr;
}

bool EditSessions::Close(uintptr_t window) {
    SessionSlot* s = Find(window);
    if (!s) return false;
    *s = SessionSlot{};
    return true;
}

std::vector<uintptr_t> EditSessions::EndAll(int64_t serial) {
    std::vector<uintptr_t> windows;
    for (SessionSlot& s : m_slots) {
        if (!s.window || (serial >= 0 && s.serial != serial)) continue;
        windows.push_back(s.window);
        s = SessionSlot{};
    }
    return windows;
}

bool EditSessions::HasSessionFor(int64_t serial) const {
    for (const SessionSlot& s : m_slots)
        if (s.window && s.serial == serial) return true;
    return false;
}

std::vector<SessionSlot> EditSessions::Prune(const std::function<bool(uintptr_t)>& alive) {
    std::vector<SessionSlot> gone;
    for (SessionSlot& s : m_slots) {
        if (!s.window || alive(s.window)) continue;
        gone.push_back(s);
        s = SessionSlot{};
    }
    return gone;
}

}  // namespace vt
