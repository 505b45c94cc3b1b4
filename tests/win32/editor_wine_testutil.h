#pragma once
// Helpers of the editors' Wine tests (the Studio's and the Animator's): icon images made with the
// core, the program's settings in the registry, the edit grid's cells as the user would hit them
// with the mouse, and pictures of the program's windows.
//
// Each test program names the editor it drives once, with SetEditorUnderTest (the Studio's tests
// do so in studio/win32/studio_wine_testutil.cpp); the helpers below act on that program.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/editor_state.h"
#include "draw/grid_geometry.h"
#include "image/icon_resource.h"
#include "tests/win32/uidriver.h"

namespace vt::test {

// The editor a test program drives.
struct EditorProgram {
    const char* exe;           // "VTEDIT.EXE"
    const char* section;       // its settings section, "Studio"
    const char* frameClass;    // "ICSFrame"
    const char* paletteClass;  // "ICSPAlette"
    const char* title;         // the caption of its message boxes, "Vantoro Studio"
};
void SetEditorUnderTest(const EditorProgram& program);
const EditorProgram& EditorUnderTest();

// An image of the format with every pixel opaque `fill`; the standard 16 colours, black and white
// for monochrome, and for 256 colours a ramp with black at 0 and white at 255.
IconImage MakeOpaqueImage(int w, int h, int32_t code, uint32_t fill);
// Writes an icon (type 1) or cursor (type 2) file of the images.
void WriteIconFile(const std::string& path, int type, std::vector<IconImage> images);
// Reads a file back with the core.
IconResource ReadIconFileBack(const std::string& path);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// The program's settings key, emptied so that each test starts like a first run.
void ResetEditorSettings();
std::string ReadSettingText(const char* key, const char* name);
std::vector<uint8_t> ReadSettingBinary(const char* key, const char* name);
bool SettingExists(const char* key, const char* name);
void WriteStateRecord(const EditorState& state);

// The program's frame once start-up has placed and shown it (the window exists earlier, at its
// creation size).
HWND WaitForEditorFrame(Program& program);


// The edit grid of a running editor, measured from its frame as the program lays it out.
class EditorGrid {
public:
    EditorGrid(HWND frame, int imageWidth, int imageHeight);
    POINT CellCentre(int x, int y) const;
    void Press(int x, int y, bool right = false);
    void MoveTo(int x, int y, bool right = false);
    void Release(int x, int y, bool right = false);
    // Press, move through every listed cell, release.
    void Stroke(const std::vector<POINT>& cells, bool right = false);
    void Click(int x, int y, bool right = false) { Stroke({{x, y}}, right); }
    // A move with the button held to a place below the grid, in the frame's client area.
    void MoveBelowGrid(bool right = false);
    // The grid with its frame, in client coordinates.
    GridRect Frame() const { return m_geo.Frame(); }

private:
    void Send(UINT msg, WPARAM keys, POINT p);
    HWND m_frame;
    GridGeometry m_geo;
};

// Puts the system's pointer on a client point of the frame, or off the program with a point
// outside it. The grid follows the real pointer too: moving it sends a mouse move that arrives
// at some later time, and so does the grid when it holds the pointer inside itself during a
// selection drag. Tests park the pointer where a drag ends, so that a late move changes nothing.
void ParkPointer(HWND frame, POINT client);

// Clicks a palette cell showing `index` of a 16-colour or 256-colour palette window.
void ClickPaletteIndex(HWND palette, int32_t code, int index, bool right = false);

// Closes the program, answering No when it asks to save changes; returns its exit code.
int CloseDiscarding(Program& program, HWND frame);

// Every test program linking these helpers enables window pictures (uidriver.h) for the programs
// it starts; a test that must see a program without them turns them off around its start.
// A picture of the windows as they show now, not repainted (kWindowShownRequest).
bool RequestShownPicture(HWND frame, const std::string& fileName);

// A picture the program wrote into PictureFolder(), read back: 0x00RRGGBB pixels, rows from the top.
// Its corner is the top-left of the program's pictured windows on the screen.
struct WindowPicture {
    int width = 0, height = 0;
    POINT corner{};
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
WindowPicture ReadPicture(HWND frame, const std::string& fileName);

// The same, moved to `windowsPath` once written (tests that compare pictures keep them with their
// other files).
bool RequestSnapshot(HWND frame, const std::string& windowsPath);

// A picture of the program's windows looked at through the windows' own coordinates.
class EditorPicture {
public:
    // Asks for the picture as PictureFolder()\fileName (as shown now, or repainted) and reads it.
    bool Take(HWND frame, const std::string& fileName, bool shown = false);
    // The colour at a client point of the frame or of a window it owns, as RGB().
    COLORREF At(HWND window, int x, int y) const;

private:
    WindowPicture m_picture;
};

}  // namespace vt::test
