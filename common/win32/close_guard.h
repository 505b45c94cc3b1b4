#pragma once
// An editor frame's close that arrives while one of its commands runs (a command may run a modal
// dialog, whose message loop delivers the WM_CLOSE) waits until the last command is over, so
// nothing runs on a destroyed frame. The frame counts its commands here and the close asked for
// meanwhile is posted again afterwards.

#include <windows.h>

namespace vt {

class CloseGuard {
public:
    // waitWhileDisabled: the close also waits while the frame is disabled (a message box opened
    // outside a command still runs on the frame), and is posted when the frame is enabled again.
    explicit CloseGuard(bool waitWhileDisabled = false) : m_waitWhileDisabled(waitWhileDisabled) {}

    void Begin() { ++m_depth; }
    // Ends a command; posts the close asked for meanwhile once no command runs.
    void End(HWND frame) {
        if (--m_depth == 0 && m_pending && Free(frame)) PostClose(frame);
    }
    // Ends a stretch counted like a command without posting a close held during it.
    void EndQuietly() { --m_depth; }
    // For WM_CLOSE: true when the close must wait; it is then remembered.
    bool Hold(HWND frame) {
        if (m_depth > 0 || !Free(frame)) {
            m_pending = true;
            return true;
        }
        return false;
    }
    // For WM_ENABLE: a close held while the frame was disabled goes now.
    void OnEnable(HWND frame, bool enabled) {
        if (enabled && m_pending && m_depth == 0) PostClose(frame);
    }

private:
    bool Free(HWND frame) const { return !m_waitWhileDisabled || IsWindowEnabled(frame); }
    void PostClose(HWND frame) {
        m_pending = false;
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }

    int m_depth = 0;
    bool m_pending = false;
    bool m_waitWhileDisabled;
};

}  // namespace vt
