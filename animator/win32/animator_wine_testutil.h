#pragma once
// Helpers of the Animator's Wine tests: animations written and read back with the core, and a
// running VTANI with its frame list, time field and preview. The editors' helpers (settings, the
// edit grid, file dialogs, window pictures) act on VTANI in every program linking these.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "animator/animation.h"
#include "draw/grid_geometry.h"
#include "tests/win32/editor_wine_testutil.h"
#include "tests/win32/uidriver.h"

namespace vt::test {

// One frame of a test animation: a solid 16-colour picture of `colour` with a transparent
// top-left quarter when `holed`, its time and hot spot.
struct TestFrame {
    uint32_t colour = 9;
    int32_t time = 10;
    uint32_t hotX = 0, hotY = 0;
    bool holed = false;
};
void WriteAnimation(const std::string& path, const std::vector<TestFrame>& frames);

// An animation read back with the core (its own host, no messages).
class ReadBack {
public:
    explicit ReadBack(const std::string& path);
    bool ok() const { return m_ok; }
    Animation& animation() { return *m_animation; }

private:
    ImageHost m_host;
    std::unique_ptr<Animation> m_animation;
    bool m_ok = false;
};

// A text value in the Animator's settings.
void WriteSettingText(const char* key, const char* name, const std::string& text);

// A running Animator and its windows.
class Animator {
public:
    // Starts VTANI with `args` and waits for its frame, list and preview.
    bool Start(const std::string& args = {});
    // Closes it, answering No to a save question; returns the exit code.
    int CloseDiscarding();

    HWND frame = nullptr;
    HWND list = nullptr;
    HWND timeEdit = nullptr;
    HWND preview = nullptr;
    Program program;

    int FrameCount() const;
    int Selected() const;
    // Chooses a frame in the list as a click does (selection and its notification).
    void SelectFrame(int index);
    // Replaces the time field's text as typing does.
    void TypeTime(const std::string& text);
    std::string TimeText() const;
    // The message box the program shows next: its texts, answered with `button`.
    std::string AnswerBox(int button);
    // The dialog titled `title`, once it is shown.
    HWND WaitForDialog(const char* title);
    bool ToolBarEnabled(int command) const;
    int PreviewFrame() const;
    // A stroke through the cells of the edit grid.
    void Stroke(const std::vector<POINT>& cells);
};

}  // namespace vt::test
