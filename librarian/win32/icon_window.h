#pragma once
// The Librarian's icon window "VtLibChild": shows the workspace in the current view, scrolls it,
// selects with the mouse and the keys, drags icons, takes files dropped from the shell and shows
// the context menus. Its first extra window word holds the workspace mode, so that another
// Librarian dragging icons over it can tell a program file from a distance.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/win32/window_dispatch.h"
#include "librarian/view_layout.h"
#include "librarian/win32/librarian_app.h"

namespace vt::librarian {

// Icons made from the workspace's image blocks, the least recently drawn given up first. A window
// of 10,000 icons would otherwise hold one icon handle per image, and a process has 10,000 at
// most; a few hundred cover every image of a screenful.
class IconImageCache {
  public:
    explicit IconImageCache(size_t capacity = 300) : m_capacity(capacity) {}
    ~IconImageCache() { Clear(); }
    IconImageCache(const IconImageCache&) = delete;
    IconImageCache& operator=(const IconImageCache&) = delete;

    // The image drawn at width × height, made from its block on first use; nullptr when the block
    // cannot be read or is no image (*readFailed tells the first apart).
    HICON Get(const Workspace& ws, size_t imageIndex, int width, int height, bool* readFailed);
    void Clear();
    size_t size() const { return m_entries.size(); }

  private:
    struct Entry {
        uint64_t key;
        HICON icon;
    };
    size_t m_capacity;
    std::list<Entry> m_entries;  // most recently used first
    std::unordered_map<uint64_t, std::list<Entry>::iterator> m_index;
};

class IconWindow : public IconView {
  public:
    static bool Register(HINSTANCE instance);
    static IconWindow* Create(HWND frame, FrameServices& services);
    // The one icon window of this process (drops from the test gate come through it).
    static IconWindow* Instance() { return s_instance; }

    // IconView.
    HWND hwnd() const override { return m_hwnd; }
    void WorkspaceReplaced() override;
    void Relayout() override;
    void ArrangeByPosition() override;
    void Redraw() override;
    void InvalidateIcons(const std::vector<size_t>& iconIndices) override;

    // Files dropped at a point of the client area (the shell, the test gate, later the file
    // sender).
    void DropFiles(const std::vector<std::string>& names, POINT clientPoint, bool askWhenNotEmpty,
                   bool foldersToSearch);

  private:
    explicit IconWindow(FrameServices& services) : m_services(services) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

    // Painting.
    void OnPaint();
    void PaintArea(HDC dc, const RECT& area);
    void PaintIcon(HDC dc, size_t index, int offsetY, HDC selectionDc);
    bool DrawImage(HDC dc, size_t imageIndex, int x, int y, int width, int height);
    void DrawLabel(HDC dc, size_t index, int offsetY, bool selected);

    // Layout and scrolling.
    vt::DesktopMetrics Metrics() const;
    void Arrange();
    void UpdateScrollBar();
    void ScrollTo(int32_t position);
    void OnVScroll(int code);
    void OnSize(int width, int height);
    int64_t OffsetY() const;
    POINT ToWorkspace(POINT client) const;
    void InvalidateIcon(size_t index);
    void SyncMode();
    // The display order, rebuilt when the table's size changed behind the window's back.
    const std::vector<size_t>& Order();

    // Selection and keys.
    void SelectionChanged();
    void OnButtonDown(POINT client, bool right, bool ctrl);
    void OnMouseMove(POINT client, WPARAM keys);
    void OnButtonUp(POINT client, bool right);
    void OnKeyDown(WPARAM key);
    void DrawBand();

    // Dragging icons.
    void StartDrag(POINT screen);
    void TrackDrag(POINT screen);
    void EndDrag(POINT screen, bool cancelled);
    void DropOnSelf(POINT client);
    HWND OtherIconWindowAt(POINT screen) const;
    // The top-level window of another program under the point (the Engineer takes dropped icons
    // through the exchange); nullptr over this process or another Librarian.
    HWND OtherProgramAt(POINT screen) const;

    // Context menus and shell drops.
    void ShowContextMenu(POINT client);
    void AddDroppedFiles(const std::vector<std::string>& paths, POINT clientPoint);
    void OnDropFiles(HDROP drop);

    static IconWindow* s_instance;
    HWND m_hwnd = nullptr;
    FrameServices& m_services;
    ViewLayout m_layout;
    SelectionMarks m_marks;
    std::vector<size_t> m_order;  // display order, table indices
    IconImageCache m_cache;
    int32_t m_position = 0;  // vertical scroll position, in units
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_paintFailed = false;

    // Mouse state.
    enum class Track { None, Pending, Dragging, Band };
    Track m_track = Track::None;
    bool m_rightButton = false;
    size_t m_pendingIcon = 0;  // the icon pressed on, while a drag may start
    bool m_pendingCtrl = false;
    POINT m_downClient{};  // where the button went down (client)
    POINT m_bandStart{};   // workspace coordinates
    POINT m_bandEnd{};
    bool m_bandDrawn = false;
    bool m_bandAdds = false;  // Ctrl held: the band adds to the selection
    HIMAGELIST m_dragImage = nullptr;
};

}  // namespace vt::librarian
