#pragma once
// The Studio's frame window, class "ICSFrame".

#include <windows.h>

namespace vt::studio {

class FrameWindow {
public:
    static bool Register(HINSTANCE instance);
    static HWND Create(HINSTANCE instance, int show);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id);
    void OnDestroy();

    HWND m_hwnd = nullptr;
};

}  // namespace vt::studio
