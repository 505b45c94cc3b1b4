// Times the Librarian, VTMGR.EXE, as a user meets it under Wine on a workspace of 10,000 icons
// (five libraries of 2,000 icons, three formats among them): the search that reads them, each sort,
// each view and 50 page scrolls per view. Each step is timed from the request until the program has
// painted everything it invalidated. A timing program, not a test: it prints the figures and fails
// only when a step does not finish within a minute. Run it through bench/librarian_timing.sh.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"

namespace vt::test {
namespace {

constexpr DWORD kStepLimitMs = 60000;
constexpr int kPageScrolls = 50;

double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Returns once the program has painted what the step invalidated. Another process cannot read a
// window's update region under Wine, so the paint is asked for: a window handles one message at a
// time, and a sent WM_PAINT either finds the paint done already, waits for the one under way, or
// is itself that paint (BeginPaint takes the pending region). The icon window, the status bar and
// the tool bar are the windows a step repaints.
bool Repainted(HWND frame, HWND child) {
    bool ok = true;
    for (HWND w : {child, GetDlgItem(frame, IDC_STATUSBAR),
                   FindWindowExA(frame, nullptr, TOOLBARCLASSNAMEA, nullptr)}) {
        DWORD_PTR r = 0;
        if (w && !SendMessageTimeoutA(w, WM_PAINT, 0, 0, SMTO_NORMAL, kStepLimitMs, &r)) ok = false;
    }
    return ok;
}

struct Timer {
    HWND frame, child;
    bool ok = true;

    // Runs a step that is done when `done` holds, then times it to the end of its repaint.
    void Step(const std::string& name, const std::function<void()>& start,
              const std::function<bool()>& done = {}) {
        const double t0 = NowMs();
        start();
        if (done) ok = WaitUntil(done, kStepLimitMs, name) && ok;
        ok = Repainted(frame, child) && ok;
        std::printf("%-36s %10.1f ms\n", name.c_str(), NowMs() - t0);
        std::fflush(stdout);
    }
    void Command(const std::string& name, int id) {
        Step(name, [&] { ok = SendCommand(frame, id, kStepLimitMs) && ok; });
    }
};

int Run() {
    const std::string folder = PictureFolder() + "\\timing-many";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int f = 0; f < 5; ++f) {
        std::vector<TestIcon> icons;
        // One image per icon keeps each library's resource table within what it can hold.
        const std::pair<int, int> formats[] = {{16, 4}, {32, 4}, {32, 8}};
        for (int i = 0; i < 2000; ++i)
            icons.push_back({"icon " + std::to_string((i * 7919 + f) % 10000),
                             {formats[(i + f) % 3]},
                             static_cast<uint8_t>(i)});
        WriteTestLibrary(folder + "\\part" + std::to_string(f) + ".icl", icons);
    }
    ResetLibrarianSettings();
    // The drop that starts the search goes through the harness's gate, opened at start-up.
    EnableWindowPictures(true);
    Program librarian;
    if (!librarian.Start("VTMGR.EXE")) return 1;
    HWND frame = WaitForLibrarian(librarian);
    HWND child = frame ? ChildOfClass(frame, "VtLibChild") : nullptr;
    if (!child) return 1;
    Timer timer{frame, child};
    timer.Step(
        "search (5 libraries, 10,000 icons)",
        [&] {
            timer.ok = SendTestDrop(frame, {"timing-many"}, POINT{0, 0}, false, true) && timer.ok;
        },
        [&] { return StatusText(frame) == "10,000 objects"; });
    timer.Command("view: Specific", IDM_VIEW_SPECIFIC);
    timer.Command("sort: by specific format", IDM_ARRANGE_FORMAT);
    timer.Command("sort: by name", IDM_ARRANGE_NAME);
    timer.Command("sort: by image count", IDM_ARRANGE_COUNT);
    timer.Command("sort: by position", IDM_ARRANGE_POSITION);
    const std::pair<const char*, int> views[] = {{"Raw", IDM_VIEW_RAW},
                                                 {"Desktop", IDM_VIEW_DESKTOP},
                                                 {"Windows", IDM_VIEW_WINDOWS},
                                                 {"Specific", IDM_VIEW_SPECIFIC}};
    for (const auto& [name, id] : views) {
        timer.Command(std::string("view: ") + name, id);
        timer.Step(std::string("  50 page scrolls in ") + name, [&] {
            for (int i = 0; i < kPageScrolls; ++i) {
                DWORD_PTR r = 0;
                SendMessageTimeoutA(child, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_NORMAL, kStepLimitMs,
                                    &r);
                timer.ok = Repainted(frame, child) && timer.ok;
            }
        });
        DWORD_PTR r = 0;
        SendMessageTimeoutA(child, WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, kStepLimitMs, &r);
        Repainted(frame, child);
    }
    const int exitCode = CloseLibrarian(librarian, frame);
    return timer.ok && exitCode == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vt::test

int main() {
    return vt::test::Run();
}
