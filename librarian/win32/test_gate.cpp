#include "librarian/win32/test_gate.h"

#include <cstdlib>
#include <cstring>

#include "common/win32/window_picture.h"
#include "librarian/win32/librarian_app.h"

namespace vt::librarian {

namespace {

std::string g_folder;
TestDropHeader g_header;
std::vector<std::string> g_pending;

// A plain name: no folder separators, no drive, not "." or "..".
bool PlainName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() >= MAX_PATH) return false;
    return name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

void StartTestGate() {
    const char* folder = std::getenv(kWindowPictureFolderVariable);
    g_folder = folder ? folder : "";
}

bool ReadTestDrop(const COPYDATASTRUCT& data, TestDropHeader* header, std::vector<std::string>* paths) {
    if (g_folder.empty() || data.dwData != kTestDropRequest || !data.lpData || data.cbData <= sizeof *header)
        return false;
    std::memcpy(header, data.lpData, sizeof *header);
    const char* text = static_cast<const char*>(data.lpData) + sizeof *header;
    const size_t size = data.cbData - sizeof *header;
    if (text[size - 1] != '\0') return false;
    paths->clear();
    for (size_t at = 0; at < size && text[at];) {
        const std::string name(text + at);
        if (!PlainName(name)) return false;
        paths->push_back(g_folder + "\\" + name);
        at += name.size() + 1;
    }
    return !paths->empty();
}

bool AcceptTestDrop(const COPYDATASTRUCT& data, HWND frame, UINT runMessage) {
    if (!ReadTestDrop(data, &g_header, &g_pending)) return false;
    PostMessageA(frame, runMessage, 0, 0);
    return true;
}

void RunTestDrop() {
    const std::vector<std::string> paths = std::move(g_pending);
    g_pending.clear();
    if (paths.empty()) return;
    HandleShellDrop(paths, POINT{g_header.x, g_header.y}, g_header.askWhenNotEmpty != 0,
                    g_header.foldersToSearch != 0);
}

}  // namespace vt::librarian
