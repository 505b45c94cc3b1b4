#pragma once
// An editor frame's tool bar (with tool tips), its three-part status bar and the menu help shown
// in it. The Studio and the Animator differ only in their buttons and identifiers.

#include <windows.h>

#include <span>
#include <string>

namespace vt {

// Tool tips and tool box tips are the strings numbered command - 224.
inline constexpr int kToolTipStringOffset = 224;

struct BarButton {
    int image;    // in the bitmap strip; -1 for a separator
    int command;
    bool enabled;
    bool check;   // a button that stays pressed (Set Hot Spot)
};
inline constexpr BarButton kBarSeparator{-1, 0, false, false};

// A flat tool bar of 16 x 16 buttons from the bitmap resource bitmapId (imageCount images, pure
// green standing for the button face), created hidden; the caller shows it.
HWND CreateFrameToolBar(HWND frame, HINSTANCE instance, int barId, int bitmapId, int imageCount,
                        std::span<const BarButton> buttons);
// The tip of a tool bar or tool box command: the string numbered command - 224.
std::string ToolTipText(HINSTANCE instance, int command);

// A status bar with a size grip in `font`, created hidden.
HWND CreateFrameStatusBar(HWND frame, HINSTANCE instance, int barId, HFONT font);
// Sets the part widths: the two right parts fit "  99,99XX" and "  99 x 99XX" plus 15 pixels in
// the status font, leaving room for the size grip.
void LayoutStatusParts(HWND statusBar, HFONT font);
// Text of one part (0 messages, 1 position, 2 extent); the bar may be null.
void SetStatusText(HWND statusBar, int part, const std::string& text);

// The menu help for a WM_MENUSELECT: the string numbered like the command, systemMenuString for
// the system menu itself, recentFirst's string for every recent-file entry up to recentLast;
// empty for other pop-ups and when the menu closes.
std::string MenuHelpText(HINSTANCE instance, UINT item, UINT flags, HMENU menu, int systemMenuString,
                         int recentFirst, int recentLast);

}  // namespace vt
