#pragma once
// The text tool's window "Add Text" (class "ICSText" in the Studio, "ANIText" in the Animator): a
// two-line edit box and "Font...". Every
// change of the text or the font renders the text with the system's fonts into a 1-bit surface
// word-wrapped to the image width and places it as a floating selection in colour A on colour B.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

#include "common/win32/window_dispatch.h"
#include "draw/draw_engine.h"
#include "draw/text_layout.h"

namespace vt {

inline constexpr int kTextEditId = 1112;
inline constexpr int kTextFontId = 1110;
// The undo code a committed text is recorded with.
inline constexpr int kTextOperation = 12;

class TextWindow {
  public:
    struct Hooks {
        std::function<void(int x, int y)> moved;  // the window's new position, to be remembered
        std::function<void()> changed;            // the document was modified by a rendering
    };

    // className: the program's class for the window; programTitle captions the out-of-memory
    // message of its window procedure.
    static bool Register(HINSTANCE instance, const char* className, const char* programTitle);
    // font: the 60-byte LOGFONT kept in the persistent state; filled with the icon title font when
    // its height is 0. labelText and buttonText come from the string table.
    static TextWindow* Create(HINSTANCE instance, HWND owner, int x, int y,
                              std::array<uint8_t, 60>& font, DrawEngine& engine, Hooks hooks,
                              const char* labelText, const char* buttonText);

    HWND hwnd() const { return m_hwnd; }
    bool active() const { return m_active; }
    // The tool was chosen: a fresh surface, an empty edit box with the focus, the window shown.
    void Begin();
    // The tool was left: the window hides and the surface goes.
    void End();
    // The text was put down by a press in the grid: the edit box empties for the next text.
    void Restart();
    // Colour A or B changed: a text still floating is rendered again in the new colours.
    void ColorsChanged();
    void Render(bool fontChanged);

    ~TextWindow();
    TextWindow(const TextWindow&) = delete;
    TextWindow& operator=(const TextWindow&) = delete;

  private:
    template <class Window>
    friend LRESULT DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    TextWindow() = default;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void PickFont();
    static UINT_PTR CALLBACK FontHook(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
    bool ApplyFont(const LOGFONTA& font);
    void FreeSurface();

    HWND m_hwnd = nullptr;
    HWND m_owner = nullptr;
    HWND m_edit = nullptr;
    HINSTANCE m_instance = nullptr;
    std::array<uint8_t, 60>* m_fontRecord = nullptr;
    DrawEngine* m_engine = nullptr;
    Hooks m_hooks;
    const char* m_label = "";
    const char* m_button = "";
    HFONT m_font = nullptr;
    HDC m_surfaceDc = nullptr;
    HBITMAP m_surface = nullptr;
    HGDIOBJ m_oldSurface = nullptr;
    void* m_bits = nullptr;
    int m_surfaceWidth = 0, m_surfaceHeight = 0;
    bool m_active = false;
    TextBoxSize m_previous{};
};

}  // namespace vt
