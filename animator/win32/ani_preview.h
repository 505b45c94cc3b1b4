#pragma once
// The Animator's preview ("ANIPreview"): a tool window titled "Preview" that shows the frame
// being edited at 1 : 1 on the button face, plays the animation with "Display Animation" and
// "Stop Animation", and holds the global speed slider.

#include <windows.h>

#include <functional>

#include "animator/animation.h"
#include "animator/preview_player.h"
#include "common/win32/window_dispatch.h"
#include "draw/ink.h"
#include "draw/win32/edit_grid.h"

namespace vt {
class ViewColors;
}

namespace vt::animator {

// Asked of the preview window by tests: the 1-based frame on show while playing, 0 when stopped.
inline constexpr char kPreviewFrameMessage[] = "VantoroPreviewFrame";

class AnimatorPreview : public GridPreview {
public:
    static constexpr int kOffset = 12;
    static constexpr UINT_PTR kPlayTimer = 1;

    static bool Register(HINSTANCE instance, const char* className);
    // A tool window owned by `owner`, created hidden.
    static AnimatorPreview* Create(HINSTANCE instance, const char* className, HWND owner, int x, int y,
                                   const ViewColors& colors, Animation& animation);

    HWND hwnd() const { return m_hwnd; }
    // The frame being edited, shown while not playing.
    void SetImage(const IconImage* image);
    // GridPreview: the whole image again, and one pixel as a tool paints it; neither while the
    // animation plays.
    void Redraw() override;
    void SetPixel(int x, int y, Ink ink) override;

    void Play();
    void Stop();
    bool playing() const { return m_player.playing(); }
    // The frames' times changed: the slider's range and neutral position follow them.
    void ResetSlider();

    // The user hid the window with its close button.
    void SetHiddenHook(std::function<void()> hook) { m_hiddenHook = std::move(hook); }
    // Playing started or stopped.
    void SetPlayingHook(std::function<void()> hook) { m_playingHook = std::move(hook); }
    // The slider was let go and the frames' times were rewritten.
    void SetSpeedAppliedHook(std::function<void()> hook) { m_speedHook = std::move(hook); }

private:
    AnimatorPreview(const ViewColors& colors, Animation& animation) : m_colors(colors), m_animation(animation) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    template <class Window>
    friend LRESULT vt::DispatchToWindow(HWND, UINT, WPARAM, LPARAM, const char*);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnPaint(HDC given);
    void OnTimer();
    void OnSlider(int code);
    void UpdateButtons();
    void DrawButton(const DRAWITEMSTRUCT& item);
    RECT ImageRect() const;
    const IconImage* ShownImage() const;

    HWND m_hwnd = nullptr;
    HWND m_play = nullptr;
    HWND m_stop = nullptr;
    HWND m_slider = nullptr;
    HWND m_tips = nullptr;
    HWND m_sliderTip = nullptr;
    HBITMAP m_playGlyph = nullptr;
    HBITMAP m_stopGlyph = nullptr;
    const ViewColors& m_colors;
    Animation& m_animation;
    const IconImage* m_image = nullptr;
    PreviewPlayer m_player;
    std::function<void()> m_hiddenHook;
    std::function<void()> m_playingHook;
    std::function<void()> m_speedHook;
};

}  // namespace vt::animator
