#pragma once
// The Librarian's exchanges with other programs: edit sessions with the Studio, icons dragged to
// another Librarian window, and installing an icon to the system. The frame owns one exchange and
// asks it before anything that would end a session or hand icons elsewhere.
//
// LocalExchange is the exchange of a Librarian that has no partners: it holds no sessions, starts
// none, refuses every drop elsewhere (the no-drop cursor), and installs nothing.

#include <windows.h>

#include <cstdint>
#include <memory>

namespace vt::librarian {

class LibrarianExchange {
  public:
    virtual ~LibrarianExchange() = default;

    // Edit sessions.
    virtual bool HasSessions() const = 0;
    virtual bool HasSessionFor(uint32_t serial) const = 0;
    // Ends every session (serial 0) or the sessions of one icon.
    virtual void EndSessions(uint32_t serial = 0) = 0;
    // An icon's table index changed (the table's last record moved into a freed place).
    virtual void IconMoved(size_t from, size_t to) = 0;
    // Edit Icon (the selected icon) or New Icon placed at `where` (client coordinates of the icon
    // window; x = -1 for the right edge).
    virtual void StartEditSession(bool newIcon, POINT where) = 0;

    // Dragging icons out: whether the icon window `target` (another process's "VtLibChild")
    // takes them; the icon window shows the no-drop cursor when it does not.
    virtual bool AcceptsDropOn(HWND target) const = 0;
    // Hands the selected icons to `target`; `screen` is the drop point. True when they went.
    virtual bool DragIconsTo(HWND target, POINT screen, bool move) = 0;

    // Install to System with the one selected icon.
    virtual void InstallSelected() = 0;

    // The frame's WM_DDE_* messages, unchanged.
    virtual LRESULT OnDdeMessage(HWND frame, UINT msg, WPARAM wp, LPARAM lp) = 0;
};

class LocalExchange : public LibrarianExchange {
  public:
    bool HasSessions() const override { return false; }
    bool HasSessionFor(uint32_t) const override { return false; }
    void EndSessions(uint32_t) override {}
    void IconMoved(size_t, size_t) override {}
    void StartEditSession(bool, POINT) override {}
    bool AcceptsDropOn(HWND) const override { return false; }
    bool DragIconsTo(HWND, POINT, bool) override { return false; }
    void InstallSelected() override {}
    LRESULT OnDdeMessage(HWND frame, UINT msg, WPARAM wp, LPARAM lp) override {
        return DefWindowProcA(frame, msg, wp, lp);
    }
};

}  // namespace vt::librarian
