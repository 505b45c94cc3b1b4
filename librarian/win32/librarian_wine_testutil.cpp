#include "librarian/win32/librarian_wine_testutil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "librarian/librarian_testutil.h"
#include "librarian/save_flow.h"
#include "librarian/win32/resource.h"
#include "librarian/win32/test_gate.h"
#include "librarian/workspace.h"

namespace vt::test {

namespace {
constexpr char kLibrarianKey[] = "Software\\Kelvane\\Vantoro 98\\Librarian";

// The Librarians these tests start answer pictures and delivered drops in PictureFolder().
class TestFolderEnabled : public ::testing::Environment {
  public:
    void SetUp() override { EnableWindowPictures(true); }
};
[[maybe_unused]] ::testing::Environment* const g_testFolder =
    ::testing::AddGlobalTestEnvironment(new TestFolderEnabled);
}  // namespace

void ResetLibrarianSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kLibrarianKey); }

std::vector<uint8_t> ReadLibrarianSetting(const char* key, const char* name) {
    const std::string path = std::string(kLibrarianKey) + "\\" + key;
    std::vector<uint8_t> out;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return out;
    DWORD size = 0;
    if (RegQueryValueExA(h, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        out.resize(size);
        if (RegQueryValueExA(h, name, nullptr, nullptr, out.data(), &size) != ERROR_SUCCESS) out.clear();
    }
    RegCloseKey(h);
    return out;
}

void WriteLibrarianSetting(const char* key, const char* name, const std::vector<uint8_t>& bytes) {
    const std::string path = std::string(kLibrarianKey) + "\\" + key;
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(h);
}

HWND WaitForLibrarian(Program& librarian) {
    HWND frame = librarian.WaitForWindow("VtLibMain");
    if (!frame) return nullptr;
    const std::string titled = std::string(kLibrarianTitle) + "- ";
    if (!WaitUntil([&] { return IsWindowVisible(frame) && WindowTitle(frame).rfind(titled, 0) == 0; },
                   kDefaultWaitMs, "the Librarian's frame to show"))
        return nullptr;
    return frame;
}

std::string StatusText(HWND frame) { return ControlText(frame, IDC_STATUSBAR); }

HWND WaitForMessage(Program& librarian, DWORD timeoutMs) {
    return librarian.WaitForWindowTitled(kLibrarianTitle, timeoutMs);
}

std::string MessageText(HWND box) { return box ? AllChildTexts(box) : std::string(); }

void ExpectMessage(Program& librarian, const std::string& part, int button) {
    HWND box = WaitForMessage(librarian);
    ASSERT_NE(box, nullptr) << "no message containing: " << part;
    EXPECT_NE(MessageText(box).find(part), std::string::npos) << MessageText(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitUntil([&] { return !IsWindow(box); }, kDefaultWaitMs, "the message box to close");
}

int CloseLibrarian(Program& librarian, HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    for (int i = 0; i < 300 && librarian.running(); ++i) {
        if (HWND box = FindWindowA("#32770", kLibrarianTitle)) PostMessageA(box, WM_COMMAND, IDNO, 0);
        Sleep(20);
    }
    return librarian.WaitForExit();
}

bool SendTestDrop(HWND frame, const std::vector<std::string>& names, POINT clientPoint, bool askWhenNotEmpty,
                  bool foldersToSearch) {
    librarian::TestDropHeader header;
    header.x = clientPoint.x;
    header.y = clientPoint.y;
    header.askWhenNotEmpty = askWhenNotEmpty;
    header.foldersToSearch = foldersToSearch;
    std::vector<char> data(sizeof header);
    std::memcpy(data.data(), &header, sizeof header);
    for (const std::string& n : names) data.insert(data.end(), n.c_str(), n.c_str() + n.size() + 1);
    data.push_back(0);
    COPYDATASTRUCT cds{librarian::kTestDropRequest, static_cast<DWORD>(data.size()), data.data()};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result))
        return false;
    return result != 0;
}

std::vector<std::string> WorkspaceFiles() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((std::string(temp) + "ICM*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

// An image block whose 16 colours are the standard ones, so that pictures show its fill.
std::vector<uint8_t> ColouredDib(int size, int bits, uint8_t fill) {
    static constexpr uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                 0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<uint8_t> dib = MakeDib(size, size, bits, fill);
    const size_t entries = bits == 4 ? 16 : bits == 1 ? 2 : bits == 8 ? 256 : 0;
    for (size_t i = 0; i < entries && 40 + 4 * i + 3 < dib.size(); ++i) {
        const uint32_t rgb = bits == 1 ? (i ? 0xFFFFFF : 0) : kStandard16[i % 16];
        dib[40 + 4 * i] = static_cast<uint8_t>(rgb);
        dib[40 + 4 * i + 1] = static_cast<uint8_t>(rgb >> 8);
        dib[40 + 4 * i + 2] = static_cast<uint8_t>(rgb >> 16);
    }
    return dib;
}

}  // namespace

void WriteTestIconFile(const std::string& path, const TestIcon& icon) {
    std::vector<std::vector<uint8_t>> blocks;
    for (auto [size, bits] : icon.formats) blocks.push_back(ColouredDib(size, bits, icon.fill));
    WriteBytes(path, MakeIco(blocks));
}

void WriteTestLibrary(const std::string& path, const std::vector<TestIcon>& icons) {
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    for (const TestIcon& icon : icons) {
        long index = -1;
        for (auto [size, bits] : icon.formats) {
            index = ws.AddImage(ColouredDib(size, bits, icon.fill), index);
            ASSERT_GE(index, 0);
        }
        ws.Rename(static_cast<size_t>(index), icon.name);
    }
    SaveState state;
    ScriptedPrompt prompt;
    ASSERT_EQ(SaveWorkspaceAs(ws, state, path, prompt), LibStatus::Ok) << path;
    ws.Discard();
}

}  // namespace vt::test
