#include "common/win32/edit_session_client.h"

#include <dde.h>

#include "common/win32/dde_blocks.h"

namespace vt {

namespace {

constexpr char kApplication[] = "Vantoro";
constexpr UINT_PTR kWaitTimer = 0x5E55;
constexpr UINT kWaitMs = 10000;
// How long a closing editor waits for the Librarian to take its last update.
constexpr UINT kCloseWaitMs = 10000;

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

EditSessionClient* EditSessionClient::s_closing = nullptr;

std::vector<uint8_t> ImageFromRecord(std::vector<uint8_t> record) {
    if (record.size() < kBitmapHeaderSize) return record;
    const int32_t width = static_cast<int32_t>(Le32(&record[4]));
    const int32_t height = static_cast<int32_t>(Le32(&record[8])) / 2;
    const uint16_t bits = static_cast<uint16_t>(record[14] | record[15] << 8);
    const int32_t code = bits == 1 ? kMonochrome : bits == 4 ? kColors16 : bits == 8 ? kColors256 : kTrueColor;
    PutLe32(&record[8], static_cast<uint32_t>(height));
    if (width > 0 && height > 0 && width <= 1024 && height <= 1024)
        PutLe32(&record[20], static_cast<uint32_t>(XorSize(width, height, code)));
    return record;
}

std::vector<uint8_t> RecordFromImage(const IconImage& image) {
    std::vector<uint8_t> record = image.block;
    if (record.size() >= kBitmapHeaderSize) {
        PutLe32(&record[8], static_cast<uint32_t>(image.height * 2));
        PutLe32(&record[20], static_cast<uint32_t>(image.XorBytes()));
    }
    return record;
}

EditSessionClient::~EditSessionClient() {
    if (s_closing == this) s_closing = nullptr;
    if (m_closeTimer) KillTimer(nullptr, m_closeTimer);
}

bool EditSessionClient::Start(HWND frame, char modeLetter, const std::string& topic) {
    m_frame = frame;
    m_format = RegisterClipboardFormatA("VtIcon");
    const ATOM app = GlobalAddAtomA(kApplication);
    const ATOM top = GlobalAddAtomA(topic.c_str());
    m_state = kInitiating;
    // Every top-level window hears the initiation; a hung one is passed over.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(frame), MAKELPARAM(app, top),
                        SMTO_ABORTIFHUNG, 2000, &result);
    GlobalDeleteAtom(app);
    GlobalDeleteAtom(top);
    if (!m_librarian) {
        m_state = kIdle;
        m_prompt.Tell(kNoLibrarianText, PromptIcon::Exclamation);
        return false;
    }
    if (modeLetter == 'N') {
        m_state = kIdle;
        return true;
    }
    m_state = kWaiting;
    m_waiting = true;
    const ATOM item = GlobalAddAtomA("GetIcon");
    if (!PostDdeMessage(m_librarian, WM_DDE_REQUEST, frame, m_format, item)) GlobalDeleteAtom(item);
    SetTimer(frame, kWaitTimer, kWaitMs, nullptr);
    bool timedOut = false;
    MSG msg{};
    while (m_waiting) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            timedOut = true;
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == frame && msg.wParam == kWaitTimer) {
            timedOut = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(frame, kWaitTimer);
    m_waiting = false;
    m_state = kIdle;
    if (timedOut || m_refused) {
        // The Librarian's slot is freed with the conversation.
        End();
        if (timedOut) m_prompt.Tell(kSessionFailedText, PromptIcon::Stop);
        return false;
    }
    return true;
}

bool EditSessionClient::SendUpdate(bool thenClose) {
    if (!m_librarian) return false;
    std::vector<std::vector<uint8_t>> records;
    for (const IconImage* image : m_document.ImagesToSend()) records.push_back(RecordFromImage(*image));
    std::vector<uint8_t> bytes = BuildIconUpdateBlock(static_cast<uint16_t>(m_format), records);
    SetDdeFlags(bytes, kReleaseByReceiver);
    HGLOBAL block = NewDdeBlock(bytes);
    if (!block) {
        m_prompt.Tell(kGlobalMemoryText, PromptIcon::Stop);
        return false;
    }
    const ATOM item = GlobalAddAtomA("IconUpdate");
    m_state = kUpdateSent;
    if (!PostDdeMessage(m_librarian, WM_DDE_POKE, m_frame, reinterpret_cast<UINT_PTR>(block), item)) {
        FreeDdeBlock(block);
        GlobalDeleteAtom(item);
        return false;
    }
    m_updates.push_back(block);
    if (thenClose) {
        m_closing = true;
        s_closing = this;
        m_closeTimer = SetTimer(nullptr, 0, kCloseWaitMs, CloseTimer);
    }
    return true;
}

void CALLBACK EditSessionClient::CloseTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (s_closing) s_closing->FinishClosing();
}

void EditSessionClient::FinishClosing() {
    if (m_closeTimer) KillTimer(nullptr, m_closeTimer);
    m_closeTimer = 0;
    s_closing = nullptr;
    m_closing = false;
    End();
    m_document.CloseProgram();
}

void EditSessionClient::End() {
    if (!m_librarian) return;
    PostMessageA(m_librarian, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_frame), 0);
    m_librarian = nullptr;
}

void EditSessionClient::OnDdeMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND from = reinterpret_cast<HWND>(wp);
    switch (msg) {
        case WM_DDE_ACK: OnAck(from, lp); break;
        case WM_DDE_DATA: OnData(from, lp); break;
        case WM_DDE_TERMINATE:
            if (from && from == m_librarian) {
                m_librarian = nullptr;
                m_waiting = false;
                m_refused = true;
                m_document.CloseProgram();
            }
            break;
        default: break;
    }
}

void EditSessionClient::OnAck(HWND from, LPARAM lp) {
    if (m_state == kInitiating) {
        // Sent, not posted: the atoms are the answerer's, and ours to delete.
        GlobalDeleteAtom(LOWORD(lp));
        GlobalDeleteAtom(HIWORD(lp));
        if (!m_librarian) {
            m_librarian = from;
        } else if (from != m_librarian) {
            // One Librarian is enough: any other that answered ends its conversation.
            PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_frame), 0);
        }
        return;
    }
    UINT_PTR status = 0, item = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lp, &status, &item)) return;
    FreeDDElParam(WM_DDE_ACK, lp);
    if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
    if (from != m_librarian) return;
    if (m_state == kWaiting && !(status & 0x8000)) {
        m_refused = true;
        m_waiting = false;
    } else if (m_state == kUpdateSent && !m_updates.empty()) {
        // Refused: the block is still ours. Taken: the Librarian freed it.
        HGLOBAL answered = m_updates.front();
        m_updates.pop_front();
        if (!(status & 0x8000)) FreeDdeBlock(answered);
        if (!m_updates.empty()) return;
        m_state = kIdle;
        if (m_closing) FinishClosing();
    }
}

void EditSessionClient::OnData(HWND from, LPARAM lp) {
    UINT_PTR data = 0, item = 0;
    if (!UnpackDDElParam(WM_DDE_DATA, lp, &data, &item)) return;
    FreeDDElParam(WM_DDE_DATA, lp);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(data);
    const ATOM itemAtom = static_cast<ATOM>(item);
    uint16_t flags = 0;
    bool taken = false;
    if (from == m_librarian && m_state == kWaiting) {
        // Another process's bytes: only the checked parser reads them.
        std::optional<EditIconBlock> icon;
        if (const auto bytes = ReadDdeBlock(block, m_format, &flags)) icon = ParseEditIconBlock(*bytes);
        if (icon) {
            for (auto& record : icon->images) record = ImageFromRecord(std::move(record));
            taken = m_document.ReceiveIcon(*icon);
        }
        if (!taken) m_refused = true;
        m_waiting = false;
    }
    if (!taken) {
        // Refused: the block stays the sender's.
        PostDdeAck(from, m_frame, false, itemAtom);
        return;
    }
    if (flags & kAckRequested)
        PostDdeAck(from, m_frame, true, itemAtom);
    else
        GlobalDeleteAtom(itemAtom);
    if (flags & kReleaseByReceiver) FreeDdeBlock(block);
}

}  // namespace vt
