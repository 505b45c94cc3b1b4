#include "librarian/win32/suite_exchange.h"

#include <commctrl.h>
#include <dde.h>

#include <cstring>
#include <span>
#include <string>

#include "common/win32/dde_blocks.h"
#include "librarian/edit_sessions.h"
#include "librarian/exchange_blocks.h"
#include "librarian/icon_file_writer.h"
#include "librarian/search.h"
#include "librarian/staging.h"
#include "librarian/win32/librarian_app.h"
#include "librarian/win32/resource.h"

namespace vt::librarian {

namespace {

using InstallIconFn = int(WINAPI*)(HWND, LPCSTR);

constexpr char kApplication[] = "Vantoro";
constexpr char kGetIcon[] = "GetIcon";
constexpr char kIconUpdate[] = "IconUpdate";
constexpr char kDragTopic[] = "Make it so!";
constexpr char kEngage[] = "Engage!";
constexpr char kFileTopic[] = "Shields down!";
constexpr char kEngineerClass[] = "EGRFrame";
constexpr char kNoDropTarget[] = "Drop target is not responding.";
// How long a drag source waits for the drop target to take the icons.
constexpr DWORD kDropWaitMs = 15000;
constexpr char kInProgress[] =
    "An edit session is currently in progress.\n\nPlease end the current session before beginning another.";
constexpr char kMultipleSelected[] = "Multiple icons are selected.  Please select the icon you wish to edit.";
// How often the sessions are checked for Studios that ended without a word.
constexpr UINT kPruneMs = 2000;

HWND AsWindow(uintptr_t w) { return reinterpret_cast<HWND>(w); }
uintptr_t AsNumber(HWND w) { return reinterpret_cast<uintptr_t>(w); }

class SuiteExchange : public LibrarianExchange {
  public:
    SuiteExchange() { s_self = this; }
    ~SuiteExchange() override {
        if (m_timer) KillTimer(nullptr, m_timer);
        s_self = nullptr;
    }

    bool HasSessions() const override {
        const_cast<SuiteExchange*>(this)->PruneDead();
        return m_sessions.count() > 0;
    }
    bool HasSessionFor(uint32_t serial) const override {
        const_cast<SuiteExchange*>(this)->PruneDead();
        return m_sessions.HasSessionFor(serial);
    }
    void EndSessions(uint32_t serial) override;
    void IconMoved(size_t from, size_t to) override { m_sessions.IconMoved(from, to); }
    void StartEditSession(bool newIcon, POINT where) override;
    bool AcceptsDropOn(HWND target) const override;
    bool DragIconsTo(HWND target, POINT screen, bool move) override;
    void InstallSelected() override;
    LRESULT OnDdeMessage(HWND frame, UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    static void CALLBACK PruneTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_self) s_self->PruneDead();
    }
    void PruneDead();
    void OnInitiate(HWND frame, HWND from, ATOM application, ATOM topic);
    void OnRequest(HWND frame, HWND from, LPARAM lp);
    void OnAck(HWND from, LPARAM lp);
    void OnPoke(HWND frame, HWND from, LPARAM lp);
    void OnTerminate(HWND frame, HWND from);
    // Applies the images of a session's update; false when they could not be taken.
    bool ApplyUpdate(SessionSlot& slot, const ImageBlocks& images);
    // Icons dropped here by another Librarian; false when they could not be taken.
    bool TakeDroppedIcons(const DraggedIconsBlock& dropped);
    void ShowStatus(const std::string& text);
    // Initiates a conversation on `topic` with `target`; the window that answered, or nullptr.
    HWND InitiateWith(HWND target, const char* topic);
    // Waits for the answer to a poke of `block` to `partner`: true when it was taken. A refused
    // block is freed; without an answer "Drop target is not responding." is shown.
    bool WaitForDropAnswer(HWND partner, HGLOBAL block);
    // The selected icon handed to the Engineer as an icon file ("Shields down!").
    bool SendIconFile(HWND engineer, POINT screen);

    // The drag this window sends (one at a time): the target that answered, and the answer.
    enum class DragState { None, Initiating, AwaitingAck, Done };
    DragState m_dragState = DragState::None;
    HWND m_dropTarget = nullptr;
    bool m_dropTaken = false;
    // The Librarian dropping icons here (a "Make it so!" conversation).
    HWND m_dropSource = nullptr;

    static SuiteExchange* s_self;
    EditSessions m_sessions;
    uint32_t m_sequence = 0;
    UINT_PTR m_timer = 0;
};

SuiteExchange* SuiteExchange::s_self = nullptr;

std::string AtomText(ATOM atom) {
    char text[256] = {};
    if (!atom || !GlobalGetAtomNameA(atom, text, sizeof text)) return {};
    return text;
}

void SuiteExchange::PruneDead() {
    // A Studio that died leaves its slot; the icon keeps what it last received.
    for (const SessionSlot& gone : m_sessions.Prune([](uintptr_t w) { return IsWindow(AsWindow(w)) != FALSE; }))
        if (gone.sentBlock) FreeDdeBlock(reinterpret_cast<HGLOBAL>(gone.sentBlock));
    if (m_timer && m_sessions.count() == 0) {
        KillTimer(nullptr, m_timer);
        m_timer = 0;
    }
}

void SuiteExchange::EndSessions(uint32_t serial) {
    const int64_t which = serial == 0 ? -2 : static_cast<int64_t>(serial);
    for (uintptr_t w : m_sessions.EndAll(which))
        PostMessageA(AsWindow(w), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_app.frame), 0);
}

void SuiteExchange::StartEditSession(bool newIcon, POINT where) {
    Prompt& prompt = g_app.services->prompt();
    PruneDead();
    if (m_sessions.Full()) {
        prompt.Tell(kInProgress, PromptIcon::Stop);
        if (HWND first = AsWindow(m_sessions.slots()[0].window)) BringWindowToTop(first);
        return;
    }
    const Workspace& ws = g_app.workspace;
    int64_t index = -1;
    char letter = 'N';
    if (!newIcon) {
        const std::vector<size_t> selection = ws.Selection();
        if (selection.size() != 1) {
            prompt.Tell(kMultipleSelected, PromptIcon::Stop);
            return;
        }
        index = static_cast<int64_t>(selection[0]);
        letter = ws.mode() == kModeProgram ? 'P' : 'I';
    }
    const uint32_t token = MakeSessionToken(GetCurrentProcessId(), ++m_sequence);
    m_sessions.SetPending(token, index, where.x, where.y);
    std::string line = "\"" + g_app.studioPath + "\" !" + letter + std::to_string(token) + " ";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // A Studio that cannot be started is not reported.
    if (CreateProcessA(g_app.studioPath.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

LRESULT SuiteExchange::OnDdeMessage(HWND frame, UINT msg, WPARAM wp, LPARAM lp) {
    HWND from = reinterpret_cast<HWND>(wp);
    if (msg != WM_DDE_INITIATE) PruneDead();
    switch (msg) {
        case WM_DDE_INITIATE: OnInitiate(frame, from, LOWORD(lp), HIWORD(lp)); return 0;
        case WM_DDE_REQUEST: OnRequest(frame, from, lp); return 0;
        case WM_DDE_ACK: OnAck(from, lp); return 0;
        case WM_DDE_POKE: OnPoke(frame, from, lp); return 0;
        case WM_DDE_TERMINATE: OnTerminate(frame, from); return 0;
        default: return 0;
    }
}

void SuiteExchange::OnInitiate(HWND frame, HWND from, ATOM application, ATOM topic) {
    if (!g_app.iconClipFormat || from == frame || lstrcmpiA(AtomText(application).c_str(), kApplication) != 0) return;
    if (lstrcmpiA(AtomText(topic).c_str(), kDragTopic) == 0) {
        // Another Librarian is about to drop icons here.
        if (g_app.workspace.mode() == kModeProgram) return;
        m_dropSource = from;
        DWORD_PTR done = 0;
        SendMessageTimeoutA(from, WM_DDE_ACK, reinterpret_cast<WPARAM>(frame),
                            MAKELPARAM(GlobalAddAtomA(kApplication), GlobalAddAtomA(kDragTopic)), SMTO_NORMAL, 5000,
                            &done);
        return;
    }
    const Workspace& ws = g_app.workspace;
    const auto slot = m_sessions.Open(AsNumber(from), AtomText(topic), [&ws](int64_t index) -> int64_t {
        return index < static_cast<int64_t>(ws.iconCount()) ? ws.icons()[static_cast<size_t>(index)].serial : -1;
    });
    if (!slot) return;
    // The initiator deletes the atoms of the acknowledgement.
    const ATOM app = GlobalAddAtomA(kApplication);
    const ATOM top = GlobalAddAtomA(AtomText(topic).c_str());
    DWORD_PTR result = 0;
    SendMessageTimeoutA(from, WM_DDE_ACK, reinterpret_cast<WPARAM>(frame), MAKELPARAM(app, top), SMTO_NORMAL,
                        5000, &result);
    if (!m_timer) m_timer = SetTimer(nullptr, 0, kPruneMs, PruneTimer);
}

void SuiteExchange::OnRequest(HWND frame, HWND from, LPARAM lp) {
    UINT_PTR format = 0, item = 0;
    UnpackDDElParam(WM_DDE_REQUEST, lp, &format, &item);
    FreeDDElParam(WM_DDE_REQUEST, lp);
    SessionSlot* slot = m_sessions.Find(AsNumber(from));
    const ATOM itemAtom = static_cast<ATOM>(item);
    const Workspace& ws = g_app.workspace;
    const long index = slot && slot->serial >= 0 ? ws.FindIconBySerial(static_cast<uint32_t>(slot->serial)) : -1;
    HGLOBAL block = nullptr;
    if (index >= 0 && format == g_app.iconClipFormat && lstrcmpiA(AtomText(itemAtom).c_str(), kGetIcon) == 0 &&
        !slot->sentBlock) {
        // The session's own icon, whatever is selected now, under its own name.
        EditIconBlock icon;
        const FormatKey& f = ws.currentFormat();
        if (MakeEditIconBlock(ws, static_cast<size_t>(index), Workspace::ShownName(ws.icons()[index]), &icon) ==
            LibStatus::Ok) {
            icon.width = f.width, icon.height = f.height, icon.colorCode = f.colorCode;
            std::vector<uint8_t> bytes = BuildEditIconBlock(static_cast<uint16_t>(g_app.iconClipFormat), icon);
            // Released by the Studio once it has taken it; a refusal leaves it to us.
            SetDdeFlags(bytes, kAckRequested | kReleaseByReceiver | kResponseToRequest);
            block = NewDdeBlock(bytes);
            if (!block) g_app.services->prompt().Tell("Out of global memory.  Cannot complete this request.",
                                                      PromptIcon::Stop);
        }
    }
    if (!block) {
        PostDdeAck(from, frame, false, itemAtom);
        return;
    }
    if (!PostDdeMessage(from, WM_DDE_DATA, frame, reinterpret_cast<UINT_PTR>(block), itemAtom)) {
        FreeDdeBlock(block);
        GlobalDeleteAtom(itemAtom);
        return;
    }
    slot->sentBlock = reinterpret_cast<uintptr_t>(block);
}

void SuiteExchange::OnAck(HWND from, LPARAM lp) {
    if (m_dragState == DragState::Initiating) {
        // Sent during our initiation: the atoms are the answerer's, and ours to delete.
        GlobalDeleteAtom(LOWORD(lp));
        GlobalDeleteAtom(HIWORD(lp));
        if (!m_dropTarget) m_dropTarget = from;
        else if (from != m_dropTarget) PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_app.frame), 0);
        return;
    }
    UINT_PTR status = 0, item = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lp, &status, &item)) return;
    FreeDDElParam(WM_DDE_ACK, lp);
    if (m_dragState == DragState::AwaitingAck && from == m_dropTarget) {
        m_dropTaken = (status & 0x8000) != 0;
        m_dragState = DragState::Done;
        if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
        return;
    }
    if (SessionSlot* slot = m_sessions.Find(AsNumber(from)); slot && slot->sentBlock) {
        // Taken: the Studio frees it. Refused: it is still ours.
        if (!(status & 0x8000)) FreeDdeBlock(reinterpret_cast<HGLOBAL>(slot->sentBlock));
        slot->sentBlock = 0;
    }
    if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
}

void SuiteExchange::OnPoke(HWND frame, HWND from, LPARAM lp) {
    UINT_PTR data = 0, item = 0;
    if (!UnpackDDElParam(WM_DDE_POKE, lp, &data, &item)) return;
    FreeDDElParam(WM_DDE_POKE, lp);
    const ATOM itemAtom = static_cast<ATOM>(item);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(data);
    SessionSlot* slot = m_sessions.Find(AsNumber(from));
    bool taken = false;
    uint16_t flags = 0;
    if (from && from == m_dropSource) {
        std::optional<DraggedIconsBlock> dropped;
        if (lstrcmpiA(AtomText(itemAtom).c_str(), kEngage) == 0)
            if (const auto bytes = ReadDdeBlock(block, g_app.iconClipFormat, &flags))
                dropped = ParseDraggedIconsBlock(*bytes);
        taken = dropped && TakeDroppedIcons(*dropped);
        PostDdeAck(from, frame, taken, itemAtom);
        if (taken && (flags & kReleaseByReceiver)) FreeDdeBlock(block);
        // One drop per conversation: it ends here.
        PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(frame), 0);
        m_dropSource = nullptr;
        return;
    }
    if (slot && lstrcmpiA(AtomText(itemAtom).c_str(), kIconUpdate) == 0) {
        // Another process's bytes: only the checked parser reads them.
        std::optional<ImageBlocks> images;
        if (const auto bytes = ReadDdeBlock(block, g_app.iconClipFormat, &flags)) images = ParseIconUpdateBlock(*bytes);
        taken = images && ApplyUpdate(*slot, *images);
    }
    // Acknowledged once processed; a taken block with the release flag is freed here, a refused
    // one stays the sender's.
    PostDdeAck(from, frame, taken, itemAtom);
    if (taken && (flags & kReleaseByReceiver)) FreeDdeBlock(block);
}

bool SuiteExchange::ApplyUpdate(SessionSlot& slot, const ImageBlocks& images) {
    Workspace& ws = g_app.workspace;
    const std::vector<FormatTally> before = ws.tallies();
    long index = -1;
    if (slot.serial < 0) {
        if (images.empty() || ws.mode() == kModeProgram) return false;
        // A new icon's first update places it, named "(untitled)".
        POINT at{slot.x, slot.y};
        if (at.x < 0 && g_app.view) {
            RECT client{};
            GetClientRect(g_app.view->hwnd(), &client);
            at.x = client.right - (g_app.desktop.largeIcon + g_app.desktop.horizontalGap);
            at.y = static_cast<LONG>(ws.currentFormat().height);
        }
        index = ws.AddImage(images[0], -1, at.x, at.y);
        if (index < 0) return false;
        slot.serial = ws.icons()[static_cast<size_t>(index)].serial;
    } else {
        index = ws.FindIconBySerial(static_cast<uint32_t>(slot.serial));
        if (index < 0) return true;  // the icon was deleted meanwhile: taken, nothing applied
    }
    if (ApplyIconUpdate(ws, static_cast<size_t>(index), images) != LibStatus::Ok) return false;
    ws.UpdateCellSize(static_cast<size_t>(index));
    if (g_app.view) g_app.view->ArrangeByPosition();
    g_app.services->ImagesChanged(FormatBoxCause::Added, before);
    return true;
}

void SuiteExchange::OnTerminate(HWND frame, HWND from) {
    if (from && from == m_dropSource) {
        PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(frame), 0);
        m_dropSource = nullptr;
        return;
    }
    if (from && from == m_dropTarget) {
        // The target ended the drop's conversation.
        PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(frame), 0);
        if (m_dragState == DragState::AwaitingAck) m_dragState = DragState::Done;
        m_dropTarget = nullptr;
        return;
    }
    SessionSlot* slot = m_sessions.Find(AsNumber(from));
    if (!slot) return;
    PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(frame), 0);
    m_sessions.Close(AsNumber(from));
}

bool IsEngineer(HWND window) {
    char cls[32] = {};
    return GetClassNameA(GetAncestor(window, GA_ROOT), cls, sizeof cls) && lstrcmpiA(cls, kEngineerClass) == 0;
}

bool SuiteExchange::AcceptsDropOn(HWND target) const {
    if (!g_app.iconClipFormat || !IsWindow(target)) return false;
    char cls[32] = {};
    GetClassNameA(GetAncestor(target, GA_ROOT), cls, sizeof cls);
    if (lstrcmpiA(cls, kFrameClass) == 0) return true;
    // The Engineer takes one icon file at a time.
    return lstrcmpiA(cls, kEngineerClass) == 0 && g_app.workspace.Selection().size() == 1;
}

HWND SuiteExchange::InitiateWith(HWND target, const char* topic) {
    m_dropTarget = nullptr;
    m_dragState = DragState::Initiating;
    const ATOM app = GlobalAddAtomA(kApplication);
    const ATOM top = GlobalAddAtomA(topic);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(g_app.frame), MAKELPARAM(app, top),
                        SMTO_ABORTIFHUNG, 5000, &result);
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(top);
    m_dragState = DragState::None;
    if (!m_dropTarget) {
        MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxA(nullptr, kNoDropTarget, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
    }
    return m_dropTarget;
}

bool SuiteExchange::WaitForDropAnswer(HWND partner, HGLOBAL block) {
    // Other messages are still dispatched; a target that went away or does not answer in time
    // ends the wait.
    m_dropTaken = false;
    m_dragState = DragState::AwaitingAck;
    const DWORD start = GetTickCount();
    MSG msg{};
    while (m_dragState == DragState::AwaitingAck && IsWindow(partner) && GetTickCount() - start < kDropWaitMs) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) continue;
        while (m_dragState == DragState::AwaitingAck && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (msg.message == WM_QUIT) break;
    }
    const bool answered = m_dragState == DragState::Done;
    m_dragState = DragState::None;
    if (!answered) {
        // The block may be the target's by now: it is left alone.
        PostMessageA(partner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_app.frame), 0);
        m_dropTarget = nullptr;
        MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxA(nullptr, kNoDropTarget, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!m_dropTaken) FreeDdeBlock(block);
    return m_dropTaken;
}

bool SuiteExchange::SendIconFile(HWND engineer, POINT screen) {
    Workspace& ws = g_app.workspace;
    const std::vector<size_t> selection = ws.Selection();
    if (selection.size() != 1) return false;
    // The Engineer keeps the file's name, so it is written where it stays: a folder of the
    // staging folder, named after the icon.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string folder = StagingFolder(windows) + "\\Dropped Icons";
    CreateDirectoryA(StagingFolder(windows).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string name = Workspace::ShownName(ws.icons()[selection[0]]);
    for (char& c : name)
        if (std::strchr("\\/:*?\"<>|", c)) c = '_';
    const std::string path = folder + "\\" + name + ".ico";
    if (SaveIconAsIco(ws, selection[0], path) != LibStatus::Ok) {
        g_app.services->prompt().Tell("Error detected attempting to write icon to staging file.");
        return false;
    }
    HWND partner = InitiateWith(engineer, kFileTopic);
    if (!partner) return false;
    FileNamesBlock names;
    names.x = screen.x, names.y = screen.y;
    names.names = {path};
    std::vector<uint8_t> bytes = BuildFileNamesBlock(static_cast<uint16_t>(g_app.iconClipFormat), names);
    SetDdeFlags(bytes, kReleaseByReceiver);
    HGLOBAL block = NewDdeBlock(bytes);
    const ATOM item = block ? GlobalAddAtomA(kEngage) : 0;
    if (!block || !PostDdeMessage(partner, WM_DDE_POKE, g_app.frame, reinterpret_cast<UINT_PTR>(block), item)) {
        if (block) FreeDdeBlock(block);
        if (item) GlobalDeleteAtom(item);
        PostMessageA(partner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_app.frame), 0);
        m_dropTarget = nullptr;
        return false;
    }
    return WaitForDropAnswer(partner, block);
}

void SuiteExchange::ShowStatus(const std::string& text) {
    if (HWND bar = GetDlgItem(g_app.frame, IDC_STATUSBAR))
        SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool SuiteExchange::DragIconsTo(HWND target, POINT screen, bool move) {
    Workspace& ws = g_app.workspace;
    const std::vector<size_t> selection = ws.Selection();
    if (selection.empty() || !g_app.iconClipFormat) return false;
    HWND frame = g_app.frame;
    if (IsEngineer(target)) return SendIconFile(target, screen);
    HWND partner = InitiateWith(GetAncestor(target, GA_ROOT), kDragTopic);
    if (!partner) return false;

    // The block: every selected icon with its images in format-table order and its name.
    DraggedIconsBlock dragged;
    dragged.x = screen.x, dragged.y = screen.y;
    size_t images = 0;
    ShowStatus("Copying icons...");
    bool readFailed = false;
    for (size_t index : selection) {
        EditIconBlock icon;
        if (MakeEditIconBlock(ws, index, "", &icon) != LibStatus::Ok) {
            readFailed = true;
            break;
        }
        images += icon.images.size();
        std::string name = Workspace::ShownName(ws.icons()[index]).substr(0, 49);
        dragged.icons.push_back(DraggedIcon{std::move(icon.images), std::move(name)});
        ShowStatus("Icons:  " + WithThousands(dragged.icons.size(), g_app.thousands));
        ShowStatus("Images:  " + WithThousands(images, g_app.thousands));
    }
    HGLOBAL block = nullptr;
    if (!readFailed) {
        std::vector<uint8_t> bytes = BuildDraggedIconsBlock(static_cast<uint16_t>(g_app.iconClipFormat), dragged);
        SetDdeFlags(bytes, kReleaseByReceiver);
        block = NewDdeBlock(bytes);
        if (!block) g_app.services->prompt().Tell("Out of global memory.  Cannot complete this request.", PromptIcon::Stop);
    }
    const ATOM item = block ? GlobalAddAtomA(kEngage) : 0;
    if (!block || !PostDdeMessage(partner, WM_DDE_POKE, frame, reinterpret_cast<UINT_PTR>(block), item)) {
        if (block) FreeDdeBlock(block);
        if (item) GlobalDeleteAtom(item);
        PostMessageA(partner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(frame), 0);
        m_dropTarget = nullptr;
        m_dragState = DragState::None;
        return false;
    }
    if (!WaitForDropAnswer(partner, block)) return false;
    if (move && ws.mode() != kModeProgram) {
        for (size_t index : selection) EndSessions(ws.icons()[index].serial);
        ws.RemoveIcons(selection);
        ws.SelectNone();
    }
    return true;
}

bool SuiteExchange::TakeDroppedIcons(const DraggedIconsBlock& dropped) {
    Workspace& ws = g_app.workspace;
    if (ws.mode() == kModeProgram || !g_app.view) return false;
    const std::vector<FormatTally> before = ws.tallies();
    POINT at{dropped.x, dropped.y};
    ScreenToClient(g_app.view->hwnd(), &at);
    at.y += GetScrollPos(g_app.view->hwnd(), SB_VERT);
    bool any = false;
    for (const DraggedIcon& icon : dropped.icons) {
        long index = -1;
        for (const std::vector<uint8_t>& image : icon.images) {
            const long added = ws.AddImage(image, index, at.x, at.y);
            if (added >= 0) index = added;
        }
        if (index < 0) continue;
        ws.Rename(static_cast<size_t>(index), icon.name);
        ws.UpdateCellSize(static_cast<size_t>(index));
        any = true;
    }
    if (!any) return dropped.icons.empty();
    g_app.view->ArrangeByPosition();
    g_app.services->ImagesChanged(FormatBoxCause::Added, before);
    return true;
}

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
