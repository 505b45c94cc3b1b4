#include "librarian/win32/suite_exchange.h"

#include <string>

#include "librarian/staging.h"
#include "librarian/win32/librarian_app.h"

namespace vt::librarian {

namespace {

using InstallIconFn = int(WINAPI*)(HWND, LPCSTR);

class SuiteExchange : public LocalExchange {
  public:
    void InstallSelected() override;
};

void SuiteExchange::InstallSelected() {
    const std::vector<size_t> selection = g_app.workspace.Selection();
    if (selection.size() != 1 || !g_app.services) return;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string folder;
    if (WriteStagingFile(g_app.workspace, selection[0], windows, g_app.services->prompt(), &folder) != LibStatus::Ok)
        return;
    // The installer library is found by the normal search; without it the command just ends.
    HMODULE library = LoadLibraryA("vtinst.dll");
    if (!library) return;
    if (auto install = reinterpret_cast<InstallIconFn>(reinterpret_cast<void*>(GetProcAddress(library, "InstallIcon"))))
        install(g_app.frame, folder.c_str());
    FreeLibrary(library);
}

}  // namespace

std::unique_ptr<LibrarianExchange> CreateSuiteExchange() { return std::make_unique<SuiteExchange>(); }

}  // namespace vt::librarian
