#pragma once
// Program-wide state of the Studio: one instance per process.

#include <windows.h>

#include <string>

namespace vt::studio {

struct StudioApp {
    HINSTANCE instance = nullptr;
    std::string programFolder;
    bool multiByte = false;
    HWND frame = nullptr;
    std::string documentTitle = "untitled";
};

extern StudioApp g_app;

// "Vantoro Studio- <document>", the frame's title.
std::string FrameTitle(const std::string& document);

}  // namespace vt::studio
