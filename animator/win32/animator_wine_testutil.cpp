#include "animator/win32/animator_wine_testutil.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "animator/win32/ani_preview.h"
#include "animator/win32/resource.h"

namespace vt::test {

namespace {

// Every Animator test program drives VTANI.EXE.
[[maybe_unused]] const bool g_animator = [] {
    SetEditorUnderTest({"VTANI.EXE", "Animator", "ANIFrame", "ANIPAlette", "Vantoro Animator"});
    return true;
}();

ImageHost TestHost() {
    ImageHost host;
    host.newImagePalette = [](int32_t, ColorValues256& out) {
        for (uint32_t i = 0; i < 256; ++i) out[i] = i * 0x010101u;
        return true;
    };
    return host;
}

}  // namespace

void WriteAnimation(const std::string& path, const std::vector<TestFrame>& frames) {
    ImageHost host = TestHost();
    Animation a(host);
    ASSERT_TRUE(a.New(kColors16));
    if (frames.size() > 1) {
        const int more = static_cast<int>(frames.size() - 1);
        ASSERT_EQ(a.InsertFrames(more, true, false), more);
    }
    for (size_t f = 0; f < frames.size(); ++f) {
        IconImage& img = a.frame(f).image();
        for (int32_t y = 0; y < 32; ++y)
            for (int32_t x = 0; x < 32; ++x) {
                const bool hole = frames[f].holed && x < 16 && y < 16;
                img.SetAndBit(x, y, hole);
                img.SetXorValue(x, y, hole ? 0 : frames[f].colour);
            }
        img.hotSpotX = frames[f].hotX;
        img.hotSpotY = frames[f].hotY;
        a.frame(f).time = frames[f].time;
    }
    ASSERT_TRUE(a.Save(path));
}

ReadBack::ReadBack(const std::string& path) : m_host(TestHost()) {
    m_animation = std::make_unique<Animation>(m_host);
    m_ok = m_animation->Open(path, kTrueColor);
}

void WriteSettingText(const char* key, const char* name, const std::string& text) {
    const std::string sub = std::string("Software\\Kelvane\\Vantoro 98\\") + EditorUnderTest().section + "\\" + key;
    RegSetKeyValueA(HKEY_CURRENT_USER, sub.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool Animator::Start(const std::string& args) {
    if (!program.Start("VTANI.EXE", args)) return false;
    frame = WaitForEditorFrame(program);
    if (!frame) return false;
    list = GetDlgItem(frame, IDC_FRAME_LIST);
    timeEdit = GetDlgItem(list, IDC_TIME_EDIT);
    preview = program.WaitForWindow("ANIPreview");
    return list && timeEdit && preview;
}

int Animator::CloseDiscarding() {
    if (!program.running()) return program.WaitForExit();
    return vt::test::CloseDiscarding(program, frame);
}

int Animator::FrameCount() const { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
int Animator::Selected() const { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void Animator::SelectFrame(int index) {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDC_FRAME_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Animator::TypeTime(const std::string& text) {
    SendMessageA(timeEdit, EM_SETSEL, 0, -1);
    SendMessageA(timeEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Animator::TimeText() const { return WindowTitle(timeEdit); }

std::string Animator::AnswerBox(int button) {
    HWND box = program.WaitForWindowTitled("Vantoro Animator");
    if (!box) return {};
    const std::string texts = AllChildTexts(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    WaitUntil([&] { return !IsWindow(box); }, kDefaultWaitMs, "the message box closed");
    return texts;
}

HWND Animator::WaitForDialog(const char* title) {
    HWND dlg = program.WaitForWindowTitled(title);
    if (dlg) WaitUntil([&] { return IsWindowVisible(dlg) != FALSE; }, kDefaultWaitMs, title);
    return dlg;
}

bool Animator::ToolBarEnabled(int command) const {
    HWND bar = GetDlgItem(frame, IDC_TOOLBAR);
    return SendMessageA(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

int Animator::PreviewFrame() const {
    static const UINT query = RegisterWindowMessageA(animator::kPreviewFrameMessage);
    DWORD_PTR r = 0;
    SendMessageTimeoutA(preview, query, 0, 0, SMTO_NORMAL, 5000, &r);
    return static_cast<int>(r);
}

void Animator::Stroke(const std::vector<POINT>& cells) { EditorGrid(frame, 32, 32).Stroke(cells); }

}  // namespace vt::test
