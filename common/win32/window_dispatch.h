#pragma once
// The one window procedure body every window class of the suite shares: the C++ object passed
// to CreateWindow is stored at WM_NCCREATE, each message goes to its OnMessage, and the object
// is deleted with its window at WM_NCDESTROY.

#include <windows.h>

#include <new>

namespace vt {

// memoryTitle: windows whose actions allocate as they go (the frame, the text window) pass the
// program's title; an allocation that fails in a message then ends that message with the
// out-of-memory box instead of escaping into the system. The box says "Cannot complete this
// function." unless the window class words it its own way in a static `kOutOfMemoryText`.
template <class Window>
LRESULT DispatchToWindow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                         const char* memoryTitle = nullptr) {
    Window* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (!memoryTitle) {
        result = self->OnMessage(msg, wp, lp);
    } else {
        try {
            result = self->OnMessage(msg, wp, lp);
        } catch (const std::bad_alloc&) {
            MessageBeep(MB_ICONHAND);
            const char* text = "Out of global memory.  Cannot complete this function.";
            if constexpr (requires { Window::kOutOfMemoryText; }) text = Window::kOutOfMemoryText;
            MessageBoxA(hwnd, text, memoryTitle, MB_ICONSTOP);
        }
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
    }
    return result;
}

}  // namespace vt
