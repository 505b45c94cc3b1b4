#include "engineer/win32/frame_window.h"

#include <commctrl.h>
#include <dde.h>

#include <cstdlib>
#include <span>

#include "appservices/win32/vtapp.h"
#include "common/win32/menu_state_query.h"
#include "common/win32/program_launch.h"
#include "common/win32/window_dispatch.h"
#include "engineer/engineer_dialog.h"
#include "engineer/win32/engineer_app.h"
#include "engineer/win32/engineer_dialogs.h"
#include "engineer/win32/main_dialog.h"
#include "engineer/win32/resource.h"
#include "sysicons/icon_cache.h"

namespace vt::engineer {

namespace {

Engineer& Core() { return *g_app.core; }
bool MotifMode() { return Core().mode == EngineerMode::Motif; }

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DispatchToWindow<FrameWindow>(hwnd, msg, wp, lp, kProgramTitle);
}

HMENU FileMenu(HWND frame) { return GetSubMenu(GetMenu(frame), 0); }

}  // namespace

int ShellIconSize() {
    std::string text;
    if (g_app.registry.ReadString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", &text) != kRegOk)
        return 32;
    return std::atoi(text.c_str());
}

namespace {

}  // namespace

bool FrameWindow::Register(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = FrameProc;
    wc.cbWndExtra = 4;  // word 0: the page; word 2: the list's item height
    wc.hInstance = instance;
    wc.hIcon = g_app.programIcon;
    wc.hIconSm = g_app.programIconSmall;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = "vtegr";
    wc.lpszClassName = kFrameClass;
    return RegisterClassExA(&wc) != 0;
}

FrameWindow* FrameWindow::Create(HINSTANCE instance) {
    auto* self = new FrameWindow;
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, kFrameClass, kProgramTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, self);
    return hwnd ? self : nullptr;  // a failed creation deleted the object with its window
}

LRESULT FrameWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MenuStateQueryMessage()) {
        RefreshFileMenu();
        return AnswerMenuStateQuery(m_hwnd, wp);
    }
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_COMMAND: OnCommand(LOWORD(wp)); return 0;
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wp) == FileMenu(m_hwnd)) RefreshFileMenu();
            return 0;
        case WM_MENUSELECT: OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp)); return 0;
        case WM_WININICHANGE: OnSettingChange(); return 0;
        case WM_DDE_INITIATE: OnDdeInitiate(reinterpret_cast<HWND>(wp), lp); return 0;
        case WM_DDE_POKE: OnDdePoke(reinterpret_cast<HWND>(wp), lp); return 0;
        case WM_DDE_TERMINATE: m_drop.OnTerminate(static_cast<WindowId>(wp)); return 0;
        case WM_COPYDATA: return g_app.pictures.Answer(*reinterpret_cast<COPYDATASTRUCT*>(lp), {m_hwnd});
        case WM_CLOSE: OnClose(); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

void FrameWindow::OnCreate() {
    g_app.frame = m_hwnd;
    g_app.frameWindow = this;
    g_app.prompt.SetOwner(m_hwnd);
    g_app.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hwnd,
                                   reinterpret_cast<HMENU>(IDC_STATUS_BAR), g_app.instance, nullptr);
    HMENU menu = GetMenu(m_hwnd);
    CheckMenuItem(menu, IDM_LOCAL_UPDATE, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(menu, IDM_QUALITY_CHECK, MF_BYCOMMAND | (g_app.settings.quality.checking ? MF_CHECKED : MF_UNCHECKED));
    InsertMenuA(menu, IDM_ABOUT, MF_BYCOMMAND | MF_STRING, IDM_SUPPORT, "Inter&net Services and Support...");
    InsertMenuA(menu, IDM_ABOUT, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
    RebuildRecentItems();
}

bool FrameWindow::Start(int show) {
    m_dialog = MainDialog::Create(m_hwnd);
    if (!m_dialog) return false;
    g_app.dialog = m_dialog->hwnd();
    const SIZE d = m_dialog->Size();
    RECT status;
    GetWindowRect(g_app.status, &status);
    FrameMeasures m;
    m.dialogWidth = d.cx;
    m.dialogHeight = d.cy;
    // The frame's border is the dialog frame and the client edge around the client area.
    m.dialogFrameX = GetSystemMetrics(SM_CXDLGFRAME) + GetSystemMetrics(SM_CXEDGE);
    m.dialogFrameY = GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYEDGE);
    m.caption = GetSystemMetrics(SM_CYCAPTION);
    m.menu = GetSystemMetrics(SM_CYMENU);
    m.statusBar = status.bottom - status.top;
    m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    m.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const FramePlace place = PlaceFrame(m);
    MoveWindow(m_hwnd, place.x, place.y, place.width, place.height, FALSE);
    SetWindowPos(g_app.dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    LayoutStatus();
    RefreshFrame();
    ShowWindow(m_hwnd, show);
    ShowWindow(g_app.dialog, SW_SHOW);
    UpdateWindow(m_hwnd);
    ShowRowStatus();
    return true;
}

void FrameWindow::LayoutStatus() {
    SendMessageA(g_app.status, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(g_app.status, &client);
    HDC dc = GetDC(g_app.status);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(g_app.status, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int i = 0; i < 2; ++i) {
        SIZE s{};
        GetTextExtentPoint32A(dc, g_app.words[i].c_str(), static_cast<int>(g_app.words[i].size()), &s);
        if (s.cx > widest) widest = s.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(g_app.status, dc);
    int parts[2] = {client.right - (widest + 10), -1};
    SendMessageA(g_app.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(g_app.status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(m_message.c_str()));
    SendMessageA(g_app.status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(g_app.words[MotifMode() ? 1 : 0].c_str()));
}

void FrameWindow::ShowRowStatus() {
    m_message = m_dialog ? m_dialog->StatusText() : std::string();
    if (!m_menuOpen) SendMessageA(g_app.status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(m_message.c_str()));
}

void FrameWindow::ClearStatus() {
    m_message.clear();
    if (!m_menuOpen) SendMessageA(g_app.status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(""));
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        // The menu closed: the two parts again, the message part as it was.
        m_menuOpen = false;
        SendMessageA(g_app.status, SB_SIMPLE, FALSE, 0);
        if (m_dialog && m_dialog->page() != kCategorySystem) ShowRowStatus();
        SendMessageA(g_app.status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(m_message.c_str()));
        return;
    }
    m_menuOpen = true;
    int id = static_cast<int>(item);
    if (flags & MF_POPUP) {
        if (flags & MF_SYSMENU) {
            id = IDS_SYSTEM_MENU;
        } else {
            static const int kPopups[] = {IDS_FILE_MENU, IDS_CONFIG_MENU, IDS_HELP_MENU};
            id = item < 3 ? kPopups[item] : 0;
        }
    } else if (flags & MF_SEPARATOR) {
        id = 0;
    }
    const std::string help = id ? LoadText(id) : std::string();
    SendMessageA(g_app.status, SB_SIMPLE, TRUE, 0);
    SendMessageA(g_app.status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(help.c_str()));
}

void FrameWindow::RefreshFrame() {
    SetWindowTextA(m_hwnd, g_app.rules->Title(LoadText(IDS_UNTITLED)).c_str());
    RefreshFileMenu();
}

void FrameWindow::RefreshFileMenu() {
    HMENU menu = GetMenu(m_hwnd);
    const FileMenuState state = g_app.rules->FileMenu();
    auto enable = [menu](int id, bool on) { EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(IDM_NEW, state.newEnabled);
    enable(IDM_SAVE, state.saveEnabled);
    enable(IDM_SAVE_AS, state.saveAsEnabled);
    enable(IDM_REBUILD_CACHE, state.rebuildCacheEnabled);
    // The recent entries, labelled against the current folder of the moment.
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    const auto& entries = g_app.recent.entries();
    for (size_t i = 0; i < entries.size() && i < static_cast<size_t>(m_recentShown); ++i) {
        const std::string label = RecentMotifLabel(static_cast<int>(i) + 1, entries[i].path, folder);
        ModifyMenuA(menu, IDM_RECENT_FIRST + static_cast<UINT>(i), MF_BYCOMMAND | MF_STRING,
                    IDM_RECENT_FIRST + i, label.c_str());
    }
}

// The recent entries stand between Explorer and Exit: a separator, the entries, and the separator
// 1039 before "E&xit".
void FrameWindow::RebuildRecentItems() {
    HMENU file = FileMenu(m_hwnd);
    for (int i = 0; i < 4; ++i) DeleteMenu(file, IDM_RECENT_FIRST + static_cast<UINT>(i), MF_BYCOMMAND);
    DeleteMenu(file, IDM_RECENT_SEPARATOR, MF_BYCOMMAND);
    DeleteMenu(file, IDM_RECENT_LEADING, MF_BYCOMMAND);
    const size_t count = g_app.recent.size();
    if (count > 0) InsertMenuA(file, IDM_EXIT, MF_BYCOMMAND | MF_SEPARATOR, IDM_RECENT_LEADING, nullptr);
    for (size_t i = 0; i < count; ++i)
        InsertMenuA(file, IDM_EXIT, MF_BYCOMMAND | MF_STRING, IDM_RECENT_FIRST + i,
                    g_app.recent.entries()[i].path.c_str());
    InsertMenuA(file, IDM_EXIT, MF_BYCOMMAND | MF_SEPARATOR, IDM_RECENT_SEPARATOR, nullptr);
    m_recentShown = static_cast<int>(count);
    RefreshFileMenu();
}

void FrameWindow::OnCommand(int id) {
    switch (id) {
        case IDM_NEW:
            g_app.motif->New();
            m_dialog->Reload();
            RefreshFrame();
            return;
        case IDM_OPEN:
            g_app.rules->OpenWithDialog();
            AfterOpen();
            return;
        case IDM_SAVE:
        case IDM_SAVE_AS:
            // A saved Motif is one to come back to: it heads the recent list like an opened one.
            if (g_app.motif->Save(id == IDM_SAVE_AS)) {
                g_app.recent.Add(Core().motifPath, Core().theme ? 1 : 0);
                RebuildRecentItems();
            }
            m_dialog->Refresh();
            RefreshFrame();
            return;
        case IDM_REBUILD_CACHE:
            Core().RebuildIconCache();
            m_dialog->Reload();
            return;
        case IDM_EXPLORER: ShowSuiteExplorer(g_app.programFolder); return;
        case IDM_EXIT: PostMessageA(m_hwnd, WM_CLOSE, 0, 0); return;
        case IDM_LOCAL_UPDATE: SwitchMode(0); return;
        case IDM_MOTIF_MODE: SwitchMode(1); return;
        case IDM_QUALITY_CHECK:
            if (RunQualityCheckDialog(m_hwnd, &g_app.settings.quality))
                CheckMenuItem(GetMenu(m_hwnd), IDM_QUALITY_CHECK,
                              MF_BYCOMMAND | (g_app.settings.quality.checking ? MF_CHECKED : MF_UNCHECKED));
            return;
        case IDM_HELP_TOPICS: OpenSuiteHelp(m_hwnd, g_app.programFolder); return;
        case IDM_SUPPORT: {
            ModalScope scope;
            VtSupportDialog(m_hwnd);
            return;
        }
        case IDM_SHELL_VERSION:
            g_app.prompt.Show({Format("Shell Version: %s", g_app.icons->facts().shell.text.c_str()), {},
                               PromptIcon::Information, PromptButtons::Ok, true, 0});
            return;
        case IDM_ABOUT: {
            ModalScope scope;
            VtAboutBox(g_app.instance, m_hwnd, "Engineer", g_app.instance);
            return;
        }
        default:
            if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + 4) OpenRecent(id - IDM_RECENT_FIRST);
            return;
    }
}

void FrameWindow::SwitchMode(int mode) {
    if (!g_app.rules->SwitchMode(mode ? EngineerMode::Motif : EngineerMode::LocalUpdate)) return;
    HMENU menu = GetMenu(m_hwnd);
    CheckMenuItem(menu, IDM_LOCAL_UPDATE, MF_BYCOMMAND | (mode ? MF_UNCHECKED : MF_CHECKED));
    CheckMenuItem(menu, IDM_MOTIF_MODE, MF_BYCOMMAND | (mode ? MF_CHECKED : MF_UNCHECKED));
    m_dialog->ShowMode();
    LayoutStatus();
    RefreshFrame();
}

// After an open of any kind: the list, buttons, status, title and the recent entries follow.
void FrameWindow::AfterOpen() {
    if (static_cast<int>(g_app.recent.size()) != m_recentShown) RebuildRecentItems();
    m_dialog->Reload();
    ShowRowStatus();
    RefreshFrame();
}

void FrameWindow::OpenFromCommandLine(const std::string& path) {
    g_app.rules->OpenCommandLine(path);
    AfterOpen();
}

void FrameWindow::OpenRecent(int position) {
    g_app.rules->OpenRecent(static_cast<size_t>(position));
    AfterOpen();
}

void FrameWindow::OnSettingChange() {
    if (Core().ignoreSettingChanges) return;
    // Only a change of the shell's icon size concerns the Engineer.
    const int size = ShellIconSize();
    if (size == g_app.shellIconSize) return;
    g_app.shellIconSize = size;
    if (g_app.icons->facts().isNt()) g_app.shell.ReinitializeIcons(false);
    g_app.icons->RefreshCurrentIcons();
    m_dialog->FollowIconSize();
}

static std::string AtomName(ATOM atom) {
    char name[256] = {};
    if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
    return name;
}

void FrameWindow::OnDdeInitiate(HWND from, LPARAM atoms) {
    m_initiateNames[0] = AtomName(LOWORD(atoms));
    m_initiateNames[1] = AtomName(HIWORD(atoms));
    m_drop.OnInitiate(reinterpret_cast<WindowId>(from), m_initiateNames[0], m_initiateNames[1]);
}

void FrameWindow::AcknowledgeInitiate(WindowId to) {
    // The answer carries the initiate's atoms, each added once more for the initiator to delete.
    const ATOM application = GlobalAddAtomA(m_initiateNames[0].c_str());
    const ATOM topic = GlobalAddAtomA(m_initiateNames[1].c_str());
    SendMessageA(reinterpret_cast<HWND>(to), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hwnd), MAKELPARAM(application, topic));
}

void FrameWindow::OnDdePoke(HWND from, LPARAM packed) {
    UINT_PTR memory = 0, item = 0;
    UnpackDDElParam(WM_DDE_POKE, packed, &memory, &item);
    FreeDDElParam(WM_DDE_POKE, packed);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(memory);
    // A block that cannot be locked is refused like any other bad drop.
    const void* bytes = block ? GlobalLock(block) : nullptr;
    std::optional<std::span<const uint8_t>> data;
    if (bytes) data = std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), GlobalSize(block));
    const DropOutcome outcome = m_drop.OnPoke(reinterpret_cast<WindowId>(from), data, static_cast<uint32_t>(item));
    if (bytes) GlobalUnlock(block);
    // A taken block is the receiver's to free; a refused one goes back to its sender with the
    // negative acknowledgement.
    if (outcome == DropOutcome::Taken && bytes) GlobalFree(block);
}

void FrameWindow::PostAck(WindowId to, uint16_t status, uint32_t itemAtom) {
    PostMessageA(reinterpret_cast<HWND>(to), WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hwnd),
                 PackDDElParam(WM_DDE_ACK, status, itemAtom));
}

void FrameWindow::PostTerminate(WindowId to) {
    PostMessageA(reinterpret_cast<HWND>(to), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hwnd), 0);
}

bool FrameWindow::AcceptsDrops() {
    return m_dialog && m_dialog->page() != kCategorySystem && g_app.modalDepth == 0;
}

std::optional<int> FrameWindow::RowAt(int32_t screenX, int32_t screenY) {
    return m_dialog->RowAt({screenX, screenY});
}

void FrameWindow::Take(int row, const std::string& path) {
    m_dialog->SelectRow(row);
    m_dialog->TakeFile(row, path, 0);
}

void FrameWindow::OnClose() {
    // Nothing pending or modified is lost without the question.
    if (!g_app.rules->MayClose()) return;
    DestroyWindow(m_hwnd);
}

void FrameWindow::OnDestroy() {
    SaveRecentMotifs(g_app.registry, g_app.recent);
    SaveEngineerSettings(g_app.registry, g_app.settings);
    PostQuitMessage(0);
}

}  // namespace vt::engineer
