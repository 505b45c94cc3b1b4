// A blank icon window that lets the frame build and run while the real one (icon_window.cpp) is
// not in the tree; the build uses it only then. It shows nothing and takes no drops.
#include "librarian/win32/librarian_app.h"
#include "librarian/win32/resource.h"

namespace vt::librarian {

namespace {

class BlankView : public IconView {
  public:
    explicit BlankView(HWND hwnd) : m_hwnd(hwnd) {}
    HWND hwnd() const override { return m_hwnd; }
    void WorkspaceReplaced() override { Redraw(); }
    void Relayout() override { Redraw(); }
    void ArrangeByPosition() override { Redraw(); }
    void Redraw() override { InvalidateRect(m_hwnd, nullptr, TRUE); }
    void InvalidateIcons(const std::vector<size_t>&) override { Redraw(); }

  private:
    HWND m_hwnd;
};

}  // namespace

bool RegisterIconWindow(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.lpszClassName = kChildClass;
    return RegisterClassExA(&wc) != 0;
}

IconView* CreateIconView(HWND frame, FrameServices&) {
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, kChildClass, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 0,
                                0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ICON_WINDOW)),
                                g_app.instance, nullptr);
    static BlankView view(hwnd);
    return hwnd ? &view : nullptr;
}

void HandleShellDrop(const std::vector<std::string>&, POINT, bool, bool) {}

#ifndef VTMGR_ITEM_DIALOGS
bool RunRenameDialog(HWND, size_t, bool) { return false; }
void RunIconPropertiesDialog(HWND, size_t) {}
void RunFilePropertiesDialog(HWND) {}
#endif

}  // namespace vt::librarian
