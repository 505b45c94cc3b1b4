// skyhook.dll across processes under Wine: a stand-in taskbar and a stand-in controller, the
// library hooked into the taskbar's process by the controller, the taskbar's items read back
// inside that process.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "taskbar/pattern_table.h"
#include "taskbar/resort_plan.h"
#include "taskbar/win32/skyhook.h"
#include "taskbar/win32/skyhook_test_wire.h"
#include "tests/win32/uidriver.h"

namespace vt::test {
namespace {

// The helpers sit in the test programs' folder, next to the deliverables' folder.
const std::string kHelperDir = "..\\testbin\\";

// Titles known to the stand-in taskbar; their index is each button's application value.
const char kTitles[] =
    "|Inbox - Mail|Notepad - a.txt|Calculator|Notepad - b.txt|Sent - Mail|Paint"
    "|Notepad - c.txt|Outbox - MAIL";
constexpr int kShownAtStart = 6;
// Title 8: longer than the 250 characters a button record keeps, with its end past them.
const std::string kLongTitle = "Long" + std::string(292, '-') + "Tail";

LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, kDefaultWaitMs,
                             &result)) {
        ADD_FAILURE() << "no answer to message " << msg;
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// The "traceout" dialog window the library sends its trace lines to.
class TraceWindow {
  public:
    TraceWindow() {
        m_window = CreateWindowExA(0, "#32770", "traceout", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~TraceWindow() { DestroyWindow(m_window); }
    bool Has(const std::string& text) const {
        for (const std::string& line : m_lines)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
    size_t Count(const std::string& text) const {
        size_t n = 0;
        for (const std::string& line : m_lines) n += line.find(text) != std::string::npos;
        return n;
    }
    // Every line so far, for failure messages.
    std::string All() const {
        std::string out;
        for (const std::string& line : m_lines) out += line;
        return out;
    }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TraceWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_COPYDATA && self) {
            auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
            if (data->dwData == 1 && data->cbData > 0 &&
                static_cast<const char*>(data->lpData)[data->cbData - 1] == '\0')
                self->m_lines.emplace_back(static_cast<const char*>(data->lpData));
            return TRUE;
        }
        return CallWindowProcA(self->m_oldProc, hwnd, msg, wParam, lParam);
    }
    HWND m_window = nullptr;
    WNDPROC m_oldProc = nullptr;
    std::vector<std::string> m_lines;
};

class SkyhookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_taskbarProgram.Start(
            kHelperDir + kTaskbarExe, std::to_string(kShownAtStart) + kTitles + "|" + kLongTitle));
        m_taskbar = m_taskbarProgram.WaitForWindow(kTaskbarClass);
        ASSERT_TRUE(m_taskbar);
        m_tab = reinterpret_cast<HWND>(Ask(m_taskbar, kTbTabControl));
        ASSERT_TRUE(IsWindow(m_tab));
        ASSERT_TRUE(
            m_controllerProgram.Start(kHelperDir + kControllerExe, BinDir() + "\\skyhook.dll"));
        m_controller = m_controllerProgram.WaitForWindow(kControllerClass);
        ASSERT_TRUE(m_controller);
    }

    void SetParameters(const std::string& text) {
        COPYDATASTRUCT data = {1, static_cast<DWORD>(text.size() + 1),
                               const_cast<char*>(text.c_str())};
        ASSERT_EQ(Ask(m_controller, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    }

    // Installs the hook and has the controller post command 1, as the real controller does.
    void Hook() {
        const std::string begun = "BegSubcl " + std::to_string(m_taskbarProgram.pid());
        const size_t before = m_trace.Count(begun);
        ASSERT_NE(Ask(m_controller, kCtlInstall), 0);
        ASSERT_NE(Ask(m_controller, kCtlPost, kSkyhookSubclass, reinterpret_cast<LPARAM>(m_tab)),
                  0);
        ASSERT_TRUE(WaitUntil([&] { return m_trace.Count(begun) > before; }, kDefaultWaitMs,
                              "the tab control subclassed"));
        EXPECT_EQ(Ask(m_taskbar, kTbLibraryLoaded), 1);
    }

    void Command(WPARAM command) {
        Ask(m_controller, kCtlSend, command, reinterpret_cast<LPARAM>(m_tab));
    }

    std::vector<int> Order() {
        std::vector<int> out;
        const LRESULT n = Ask(m_taskbar, kTbCount);
        for (LRESULT i = 0; i < n; ++i)
            out.push_back(static_cast<int>(Ask(m_taskbar, kTbItemValue, i)));
        return out;
    }

    bool WaitForNotifications(WPARAM code, LRESULT count) {
        return WaitUntil([&] { return Ask(m_controller, kCtlNotifications, code) >= count; },
                         kDefaultWaitMs, "notification " + std::to_string(code));
    }

    // Posting lets the click go through the taskbar's message loop, as a real click does.
    // A message sent to the taskbar can be handled before a click posted earlier (sent messages
    // come first), so the count the taskbar saw is awaited, then checked exactly.
    bool WaitForRightClicks(LRESULT count) {
        WaitUntil([&] { return Ask(m_taskbar, kTbRightClicks) >= count; }, kDefaultWaitMs,
                  "the taskbar's right clicks");
        const LRESULT seen = Ask(m_taskbar, kTbRightClicks);
        EXPECT_EQ(seen, count);
        return seen == count;
    }
    void Click(UINT message, WPARAM keys) {
        PostMessageA(m_tab, message, keys, MAKELPARAM(5, 5));
        Ask(m_taskbar, kTbCount);  // the posted click has been handled once a later send returns
    }

    TraceWindow m_trace;  // first, so the library finds it when it first traces
    Program m_taskbarProgram;
    Program m_controllerProgram;
    HWND m_taskbar = nullptr;
    HWND m_tab = nullptr;
    HWND m_controller = nullptr;
};

TEST_F(SkyhookTest, HooksAnotherProcessResortsItsButtonsReportsClicksAndUnloads) {
    ASSERT_EQ(Ask(m_taskbar, kTbSelect, 3), 0);
    SetParameters("0 0 1 1 2 1|Notepad*|*|*MAIL");
    EXPECT_EQ(Ask(m_controller, kCtlStoredParams), 1);
    Hook();

    Command(kSkyhookResort);
    // Notepad group first, the unmatched where "*" stands, the mail group (case folded) last.
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 2, 5, 0, 4}));
    EXPECT_EQ(Ask(m_taskbar, kTbSelection), 1) << "the selected button keeps the selection";
    EXPECT_TRUE(m_trace.Has("ItemText: 'Notepad - b.txt'"));

    // Refresh reads every title in the new order without moving anything.
    Command(kSkyhookRefresh);
    EXPECT_TRUE(m_trace.Has("Displ: 0 'Notepad - a.txt'")) << m_trace.All();
    EXPECT_TRUE(m_trace.Has("Displ: 5 'Sent - Mail'"));
    EXPECT_TRUE(m_trace.Has("Erase set to FALSE"));
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 2, 5, 0, 4}));

    // Ctrl + right click is reported and swallowed; a plain right click reaches the taskbar.
    Click(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL);
    EXPECT_TRUE(WaitForNotifications(kSkyhookCtrlRightClick, 1));
    EXPECT_EQ(Ask(m_taskbar, kTbRightClicks), 0);
    Click(WM_RBUTTONDOWN, MK_RBUTTON);
    Click(WM_RBUTTONUP, 0);
    EXPECT_TRUE(WaitForRightClicks(1));
    EXPECT_EQ(Ask(m_controller, kCtlNotifications, kSkyhookCtrlRightClick), 1);

    // Click mode 0: a left click is reported and still handled by the taskbar.
    Click(WM_LBUTTONDOWN, MK_LBUTTON);
    Click(WM_LBUTTONUP, 0);
    EXPECT_TRUE(WaitForNotifications(kSkyhookLeftClick, 1));
    // The hook reports before it hands the click on, so the taskbar's count is awaited too.
    WaitUntil([&] { return Ask(m_taskbar, kTbLeftClicks) >= 1; }, kDefaultWaitMs,
              "the taskbar's left click");
    EXPECT_EQ(Ask(m_taskbar, kTbLeftClicks), 1);

    // Square buttons: the taskbar's own size request is remembered and made square.
    Ask(m_taskbar, kTbSetItemSize, 150, 22);
    EXPECT_EQ(Ask(m_taskbar, kTbItemWidth), 24);
    EXPECT_EQ(Ask(m_taskbar, kTbItemHeight), 22);

    // Ending the subclassing puts the taskbar's size back and unloads the library after 5 s.
    char detached[32];
    snprintf(detached, sizeof detached, "DllDetach: %x \n",
             static_cast<unsigned>(m_taskbarProgram.pid()));
    const DWORD ended = GetTickCount();
    EXPECT_EQ(Ask(m_controller, kCtlRemove), 0);
    EXPECT_TRUE(m_trace.Has("EndSubcl " + std::to_string(m_taskbarProgram.pid())));
    EXPECT_EQ(Ask(m_taskbar, kTbItemWidth), 150);
    EXPECT_EQ(Ask(m_taskbar, kTbLibraryLoaded), 1)
        << "unloaded before the window procedures were safe";
    // Wine keeps for good the reference it took when it loaded the hook's library into the
    // taskbar's process; Windows drops it once the hook is removed. Drop it as Windows would, so
    // that only the library's own reference is left for it to release.
    EXPECT_EQ(Ask(m_taskbar, kTbDropHookReference), 1);
    EXPECT_EQ(Ask(m_taskbar, kTbLibraryLoaded), 1) << "the library holds no reference of its own";
    EXPECT_TRUE(WaitUntil([&] { return Ask(m_taskbar, kTbLibraryLoaded) == 0; }, 15000,
                          "skyhook.dll to leave the taskbar's process"))
        << m_trace.All();
    EXPECT_GE(GetTickCount() - ended, 4500u);
    EXPECT_TRUE(
        WaitUntil([&] { return m_trace.Has(detached); }, kDefaultWaitMs, "the detach trace"));

    // Afterwards the taskbar gets every click itself again.
    Click(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL);
    Click(WM_RBUTTONUP, 0);
    EXPECT_TRUE(WaitForRightClicks(2));
    EXPECT_EQ(Ask(m_controller, kCtlNotifications, kSkyhookCtrlRightClick), 1);
}

TEST_F(SkyhookTest, InsertedButtonIsSortedAtTheNextPaintOnlyWithSeveralPatterns) {
    SetParameters("1 0 1 1 2 1|Notepad*");
    Hook();
    Ask(m_taskbar, kTbAddButton, 6);  // "Notepad - c.txt"
    Ask(m_taskbar, kTbUpdate);
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}))
        << "one pattern never re-sorts on insertion";
    Command(kSkyhookResort);
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 6, 0, 2, 4, 5})) << "command 4 still re-orders";

    SetParameters("1 0 1 1 2 1|*Mail|Notepad*");
    Ask(m_taskbar, kTbAddButton, 7);  // "Outbox - MAIL"
    Ask(m_taskbar, kTbUpdate);
    EXPECT_EQ(Order(), (std::vector<int>{0, 4, 7, 1, 3, 6, 2, 5}));

    // Click mode 1: left clicks are not reported.
    Click(WM_LBUTTONDOWN, MK_LBUTTON);
    Click(WM_LBUTTONUP, 0);
    EXPECT_EQ(Ask(m_controller, kCtlNotifications, kSkyhookLeftClick), 0);
    EXPECT_EQ(Ask(m_taskbar, kTbLeftClicks), 1);
}

TEST_F(SkyhookTest, CaseSensitiveUpperCasePatternLeavesMixedCaseTitlesUnmatched) {
    SetParameters("0 1 1 1 1 0|*MAIL|NOTEPAD*");
    Ask(m_taskbar, kTbAddButton, 7);  // "Outbox - MAIL"
    Hook();
    Command(kSkyhookResort);
    EXPECT_EQ(Order(), (std::vector<int>{7, 0, 1, 2, 3, 4, 5}));
}

TEST_F(SkyhookTest, ApplyingSettingsSpeedsUpTooltipsAndEndingRestoresThem) {
    const LRESULT initial = Ask(m_taskbar, kTbTooltipDelay, TTDT_INITIAL);
    const LRESULT autoPop = Ask(m_taskbar, kTbTooltipDelay, TTDT_AUTOPOP);
    SetParameters("0 0 1 1 2 1|*");
    Hook();
    Command(kSkyhookApplySettings);
    EXPECT_EQ(Ask(m_taskbar, kTbTooltipDelay, TTDT_AUTOPOP), 20000);
    EXPECT_EQ(Ask(m_taskbar, kTbTooltipDelay, TTDT_INITIAL), 0);
    EXPECT_EQ(Ask(m_taskbar, kTbTooltipDelay, TTDT_RESHOW), 0);
    // Nothing was remembered yet, so the taskbar's size was asked for and squared.
    EXPECT_EQ(Ask(m_taskbar, kTbItemWidth), 26);
    Command(kSkyhookEnd);
    EXPECT_EQ(Ask(m_taskbar, kTbTooltipDelay, TTDT_INITIAL), initial);
    EXPECT_EQ(Ask(m_taskbar, kTbTooltipDelay, TTDT_AUTOPOP), autoPop);
    EXPECT_EQ(Ask(m_taskbar, kTbItemWidth), 160);
}

TEST_F(SkyhookTest, MoreButtonsThanTheWorkArrayKeepTheTaskbarsOrder) {
    SetParameters("0 0 1 1 2 1|*Mail");
    Ask(m_taskbar, kTbAddButton, 2, kMaxButtons - kShownAtStart);  // "Calculator" many times
    Hook();
    Command(kSkyhookResort);
    std::vector<int> order = Order();
    ASSERT_EQ(order.size(), static_cast<size_t>(kMaxButtons));
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 4) << "a full work array is still re-sorted";

    Ask(m_taskbar, kTbAddButton, 7);  // "Outbox - MAIL", button 201
    Command(kSkyhookResort);
    order = Order();
    ASSERT_EQ(order.size(), static_cast<size_t>(kMaxButtons + 1)) << "no button may be lost";
    EXPECT_EQ(order.back(), 7) << "beyond the work array the order stays as it was";
    EXPECT_TRUE(m_trace.Has("Too many buttons: 201"));
}

TEST_F(SkyhookTest, LongTitleIsMatchedOnTheCharactersItsRecordKeeps) {
    // Its end lies beyond the record, so "*Tail" cannot see it and the button stays unmatched.
    SetParameters("0 0 1 1 2 1|Paint|*Tail");
    Ask(m_taskbar, kTbAddButton, 8);
    Hook();
    Command(kSkyhookResort);
    EXPECT_EQ(Order(), (std::vector<int>{5, 0, 1, 2, 3, 4, 8}));
    EXPECT_TRUE(m_trace.Has("ItemText: '" + kLongTitle.substr(0, kMaxTitleChars) + "'"));
}

TEST_F(SkyhookTest, PatternsBeyondTheSharedArrayAreDropped) {
    std::string parameters = "0 0 1 1 2 1";
    for (int i = 1; i < kMaxPatterns; ++i) parameters += "|none" + std::to_string(i);
    parameters += "|Paint|Notepad*";  // the 100th and the 101st pattern
    SetParameters(parameters);
    Hook();
    Command(kSkyhookResort);
    EXPECT_EQ(Order(), (std::vector<int>{5, 0, 1, 2, 3, 4}));
}

TEST_F(SkyhookTest, EndThroughTheHookRemovesItBeforeAnySubclassing) {
    SetParameters("0 0 1 1 2 1|*");
    ASSERT_NE(Ask(m_controller, kCtlInstall), 0);
    ASSERT_NE(Ask(m_controller, kCtlPost, kSkyhookEnd, reinterpret_cast<LPARAM>(m_tab)), 0);
    Ask(m_taskbar, kTbCount);  // the posted message has gone through the taskbar's loop
    ASSERT_NE(Ask(m_controller, kCtlPost, kSkyhookSubclass, reinterpret_cast<LPARAM>(m_tab)), 0);
    Ask(m_taskbar, kTbCount);
    Sleep(300);
    Ask(m_taskbar, kTbCount);
    EXPECT_FALSE(m_trace.Has("BegSubcl")) << "the hook was still installed";
    EXPECT_EQ(Ask(m_controller, kCtlRemove), 0) << "nothing was left to remove";
}

TEST_F(SkyhookTest, DestroyedTabControlEndsTheSubclassingAndANewOneCanBeHooked) {
    SetParameters("0 0 1 1 2 1|Notepad*");
    Hook();
    Ask(m_taskbar, kTbSetItemSize, 150, 22);
    m_tab = reinterpret_cast<HWND>(Ask(m_taskbar, kTbRecreateTab));
    ASSERT_TRUE(IsWindow(m_tab));
    EXPECT_TRUE(m_trace.Has("EndSubcl " + std::to_string(m_taskbarProgram.pid())));
    // Not subclassed any more: removing finds only the (already removed) hook.
    EXPECT_EQ(Ask(m_controller, kCtlRemove), 0);
    // The new tab control is a fresh start, with the taskbar's own size.
    EXPECT_EQ(Ask(m_taskbar, kTbItemWidth), 160);
    Hook();
    EXPECT_EQ(m_trace.Count("BegSubcl"), 2u);
    Command(kSkyhookResort);
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 0, 2, 4, 5}));
    EXPECT_EQ(Ask(m_controller, kCtlRemove), 0);
    EXPECT_EQ(m_trace.Count("EndSubcl"), 2u);
}

// What the stand-in taskbar shows, read back after it has painted.
class SkyhookPaintTest : public SkyhookTest {
  protected:
    RECT Item(int index) {
        RECT r;
        r.left = static_cast<LONG>(Ask(m_taskbar, kTbItemEdge, index, 0));
        r.top = static_cast<LONG>(Ask(m_taskbar, kTbItemEdge, index, 1));
        r.right = static_cast<LONG>(Ask(m_taskbar, kTbItemEdge, index, 2));
        r.bottom = static_cast<LONG>(Ask(m_taskbar, kTbItemEdge, index, 3));
        return r;
    }
    COLORREF Pixel(LONG x, LONG y) { return static_cast<COLORREF>(Ask(m_taskbar, kTbPixel, x, y)); }
    // The pixels of an item's border and inner bevel, where the library draws.
    std::vector<COLORREF> Edges(int index) {
        Ask(m_taskbar, kTbUpdate);
        const RECT r = Item(index);
        const LONG midX = (r.left + r.right) / 2;
        const LONG midY = (r.top + r.bottom) / 2;
        return {Pixel(r.left, midY),       Pixel(r.left + 1, midY),  Pixel(r.right - 1, midY),
                Pixel(r.right - 2, midY),  Pixel(midX, r.top),       Pixel(midX, r.top + 1),
                Pixel(midX, r.bottom - 1), Pixel(midX, r.bottom - 2)};
    }
    void Repaint() {
        Command(kSkyhookRepaint);
        Ask(m_taskbar, kTbUpdate);
    }
    void PointAt(int index) {
        const RECT r = Item(index);
        POINT pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(m_tab, &pt);
        SetCursorPos(pt.x, pt.y);
    }
    void PointAway() { SetCursorPos(0, 500); }
};

TEST_F(SkyhookPaintTest, StyleZeroDrawsNothingOverTheTabControlsOwnPainting) {
    PointAway();
    Ask(m_taskbar, kTbSelect, 0);
    const std::vector<COLORREF> selected = Edges(0);
    const std::vector<COLORREF> plain = Edges(1);
    SetParameters("0 0 1 1 0 0|*");
    Hook();
    Repaint();
    EXPECT_EQ(Edges(0), selected);
    EXPECT_EQ(Edges(1), plain);
    // With style 0 the hot-tracking timer does not raise the button under the mouse either.
    PointAt(1);
    Sleep(400);
    EXPECT_EQ(Edges(1), plain);
    PointAway();
}

TEST_F(SkyhookPaintTest, FlatStylesFrameTheButtonsAndRaiseTheHotOne) {
    PointAway();
    Ask(m_taskbar, kTbSelect, 0);
    const std::vector<COLORREF> selected = Edges(0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(face, light);

    SetParameters("0 0 1 1 1 0|*");
    Hook();
    Repaint();
    // Style 1: a light one-pixel frame, the inner bevel covered with the face colour.
    EXPECT_EQ(Edges(1),
              (std::vector<COLORREF>{light, face, light, face, light, face, light, face}));
    EXPECT_EQ(Edges(0), selected) << "the selected button keeps its own look";

    SetParameters("0 0 1 1 2 0|*");
    Repaint();
    EXPECT_EQ(Edges(1), (std::vector<COLORREF>(8, face))) << "style 2 has no frame";

    // The button under the mouse is drawn raised once the 100 ms timer notices it.
    PointAt(2);
    const RECT r = Item(2);
    const LONG midY = (r.top + r.bottom) / 2;
    EXPECT_TRUE(
        WaitUntil([&] { return Pixel(r.right - 1, midY) == shadow; }, 3000, "the hot button"));
    EXPECT_EQ(Pixel(r.left, midY), light);
    EXPECT_EQ(Pixel(r.left + 1, midY), face);
    EXPECT_EQ(Pixel((r.left + r.right) / 2, r.bottom - 1), shadow);
    PointAway();
    EXPECT_TRUE(WaitUntil([&] { return Pixel(r.right - 1, midY) == face; }, 3000,
                          "the hot button to go flat"));
}

}  // namespace
}  // namespace vt::test
