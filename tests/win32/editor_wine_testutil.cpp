#include "tests/win32/editor_wine_testutil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/file_io.h"
#include "common/win32/window_picture.h"
#include "draw/palette_layout.h"
#include "image/ico_file.h"

namespace vt::test {

namespace {
EditorProgram& Current() {
    static EditorProgram program{};
    return program;
}

std::string SettingsKey() { return std::string("Software\\Kelvane\\Vantoro 98\\") + EditorUnderTest().section; }
constexpr uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                      0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}  // namespace

void SetEditorUnderTest(const EditorProgram& program) { Current() = program; }

const EditorProgram& EditorUnderTest() {
    if (!Current().exe) ADD_FAILURE() << "no editor named with SetEditorUnderTest";
    return Current();
}

IconImage MakeOpaqueImage(int w, int h, int32_t code, uint32_t fill) {
    IconImage img;
    img.width = w;
    img.height = h;
    img.colorCode = code;
    EXPECT_TRUE(img.AllocateBlock());
    for (uint32_t i = 0; i < img.TableEntries(); ++i) {
        uint32_t rgb = 0;
        if (code == kMonochrome) rgb = i ? 0xFFFFFF : 0;
        else if (code == kColors16) rgb = kStandard16[i];
        else rgb = i == 255 ? 0xFFFFFF : i == 0 ? 0 : ((i * 37) % 256) << 16 | ((i * 91) % 256) << 8 | ((i * 13) % 256);
        img.SetTableColor(i, SwapRedBlue(rgb));
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            img.SetXorValue(x, y, fill);
            img.SetAndBit(x, y, false);
        }
    return img;
}

void WriteIconFile(const std::string& path, int type, std::vector<IconImage> images) {
    IconResource doc;
    doc.resourceType = type;
    doc.images = std::move(images);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeIcoFile(doc, &bytes));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

IconResource ReadIconFileBack(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    MemorySource source(bytes);
    IconResource doc;
    ImageHost host;
    EXPECT_EQ(DecodeIcoFile(source, doc, host), IcoStatus::Ok) << path;
    return doc;
}

void ResetEditorSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey().c_str()); }

namespace {
bool ReadValue(const char* key, const char* name, std::vector<uint8_t>* out) {
    const std::string path = SettingsKey() + "\\" + key;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(h, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        out->resize(size);
        ok = RegQueryValueExA(h, name, nullptr, nullptr, out->data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(h);
    return ok;
}
}  // namespace

std::string ReadSettingText(const char* key, const char* name) {
    std::vector<uint8_t> v;
    if (!ReadValue(key, name, &v)) return "<absent>";
    return std::string(reinterpret_cast<const char*>(v.data()), strnlen(reinterpret_cast<const char*>(v.data()), v.size()));
}

std::vector<uint8_t> ReadSettingBinary(const char* key, const char* name) {
    std::vector<uint8_t> v;
    ReadValue(key, name, &v);
    return v;
}

bool SettingExists(const char* key, const char* name) {
    std::vector<uint8_t> v;
    return ReadValue(key, name, &v);
}

void WriteStateRecord(const EditorState& state) {
    const auto bytes = EncodeEditorState(state);
    const std::string path = SettingsKey() + "\\Persistent";
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, "State", 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(h);
}

HWND WaitForEditorFrame(Program& program) {
    HWND frame = program.WaitForWindow(EditorUnderTest().frameClass);
    if (!frame) return nullptr;
    if (!WaitUntil([&] { return IsWindowVisible(frame) != FALSE; }, kDefaultWaitMs, "the frame to show"))
        return nullptr;
    return frame;
}

EditorGrid::EditorGrid(HWND frame, int imageWidth, int imageHeight) : m_frame(frame) {
    RECT client{};
    GetClientRect(frame, &client);
    auto heightOf = [&](const char* cls) {
        HWND w = ChildOfClass(frame, cls);
        if (!w || !IsWindowVisible(w)) return 0;
        RECT r;
        GetWindowRect(w, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    m_geo = GridGeometry::Compute(client.right, client.bottom, heightOf("ToolbarWindow32"),
                                  heightOf("msctls_statusbar32"), imageWidth, imageHeight, true);
}

POINT EditorGrid::CellCentre(int x, int y) const {
    const GridRect c = m_geo.Cell(x, y);
    return {(c.left + c.right) / 2, (c.top + c.bottom) / 2};
}

void EditorGrid::Send(UINT msg, WPARAM keys, POINT p) {
    DWORD_PTR r;
    ASSERT_NE(SendMessageTimeoutA(m_frame, msg, keys, MAKELPARAM(p.x, p.y), SMTO_NORMAL, 5000, &r), 0);
}

void EditorGrid::Press(int x, int y, bool right) {
    Send(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, CellCentre(x, y));
}
void EditorGrid::MoveTo(int x, int y, bool right) {
    Send(WM_MOUSEMOVE, right ? MK_RBUTTON : MK_LBUTTON, CellCentre(x, y));
}
void EditorGrid::Release(int x, int y, bool right) {
    Send(right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, CellCentre(x, y));
}

void EditorGrid::Stroke(const std::vector<POINT>& cells, bool right) {
    ASSERT_FALSE(cells.empty());
    Press(cells.front().x, cells.front().y, right);
    for (size_t i = 1; i < cells.size(); ++i) MoveTo(cells[i].x, cells[i].y, right);
    Release(cells.back().x, cells.back().y, right);
}

void EditorGrid::MoveBelowGrid(bool right) {
    const GridRect f = m_geo.Frame();
    Send(WM_MOUSEMOVE, right ? MK_RBUTTON : MK_LBUTTON, {f.left + 5, f.bottom + 6});
}

void ParkPointer(HWND frame, POINT client) {
    ClientToScreen(frame, &client);
    SetCursorPos(client.x, client.y);
}

void ClickPaletteIndex(HWND palette, int32_t code, int index, bool right) {
    for (const PaletteCell& c : PaletteCells(code)) {
        if (c.kind != PaletteCellKind::Entry || c.value != index) continue;
        const int x = (c.rect.left + c.rect.right) / 2 + 4, y = (c.rect.top + c.rect.bottom) / 2 + 4;
        DWORD_PTR r;
        SendMessageTimeoutA(palette, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
        SendMessageTimeoutA(palette, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
        return;
    }
    ADD_FAILURE() << "no palette cell for index " << index;
}

int CloseDiscarding(Program& program, HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    for (int i = 0; i < 300 && program.running(); ++i) {
        // The save question is a dialog captioned with the program's title.
        if (HWND box = FindWindowA("#32770", EditorUnderTest().title)) PostMessageA(box, WM_COMMAND, IDNO, 0);
        Sleep(20);
    }
    return program.WaitForExit();
}

namespace {
// Programs inherit this process's environment when the driver starts them.
class WindowPicturesEnabled : public ::testing::Environment {
public:
    void SetUp() override { EnableWindowPictures(true); }
};
[[maybe_unused]] ::testing::Environment* const g_windowPictures =
    ::testing::AddGlobalTestEnvironment(new WindowPicturesEnabled);
}  // namespace

bool RequestShownPicture(HWND frame, const std::string& fileName) {
    COPYDATASTRUCT data{kWindowShownRequest, static_cast<DWORD>(fileName.size() + 1),
                        const_cast<char*>(fileName.c_str())};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result))
        return false;
    return result != 0;
}

WindowPicture ReadPicture(HWND frame, const std::string& fileName) {
    WindowPicture picture;
    const std::vector<uint8_t> b = ReadFileBytes(PictureFolder() + "\\" + fileName);
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
    };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || b[28] != 24) {
        ADD_FAILURE() << "not a 24-bit picture: " << fileName;
        return picture;
    }
    const size_t offset = u32(10);
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    if (w <= 0 || h <= 0 || offset > b.size() || stride * static_cast<size_t>(h) > b.size() - offset) {
        ADD_FAILURE() << "a picture cut short: " << fileName;
        return picture;
    }
    picture.width = w;
    picture.height = h;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &b[offset + stride * static_cast<size_t>(h - 1 - y)];
        for (int x = 0; x < w; ++x)
            picture.pixels.push_back(static_cast<uint32_t>(row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x]));
    }
    // The program pictures its visible windows and those the frame owns; their union is the picture.
    struct Union {
        HWND frame;
        RECT all;
    } u{frame, {}};
    GetWindowRect(frame, &u.all);
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* un = reinterpret_cast<Union*>(lp);
            if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) == un->frame) {
                RECT r;
                GetWindowRect(w, &r);
                UnionRect(&un->all, &un->all, &r);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&u));
    picture.corner = {u.all.left, u.all.top};
    EXPECT_EQ(u.all.right - u.all.left, w) << "the pictured windows moved";
    EXPECT_EQ(u.all.bottom - u.all.top, h) << "the pictured windows moved";
    return picture;
}

bool RequestSnapshot(HWND frame, const std::string& windowsPath) {
    const std::string name = FileNameOf(windowsPath);
    const std::string written = PictureFolder() + "\\" + name;
    if (!RequestPicture(frame, name)) return false;
    if (lstrcmpiA(written.c_str(), windowsPath.c_str()) == 0) return true;
    return MoveFileExA(written.c_str(), windowsPath.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool EditorPicture::Take(HWND frame, const std::string& fileName, bool shown) {
    const std::string path = PictureFolder() + "\\" + fileName;
    DeleteFileA(path.c_str());
    if (!(shown ? RequestShownPicture(frame, fileName) : RequestPicture(frame, fileName))) return false;
    m_picture = ReadPicture(frame, fileName);
    return m_picture.width > 0;
}

COLORREF EditorPicture::At(HWND window, int x, int y) const {
    POINT p{x, y};
    ClientToScreen(window, &p);
    const int px = p.x - m_picture.corner.x, py = p.y - m_picture.corner.y;
    if (px < 0 || py < 0 || px >= m_picture.width || py >= m_picture.height) {
        ADD_FAILURE() << "point " << x << "," << y << " is outside the picture";
        return CLR_INVALID;
    }
    const uint32_t c = m_picture.At(px, py);
    return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF);
}

}  // namespace vt::test
