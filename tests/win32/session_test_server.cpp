#include "tests/win32/session_test_server.h"

#include <dde.h>

#include "common/win32/dde_blocks.h"
#include "common/win32/edit_session_client.h"
#include "tests/win32/editor_wine_testutil.h"

namespace vt::test {

TestServer* TestServer::s_self = nullptr;

TestServer::TestServer(const std::string& t, bool bad) : token(t), malformed(bad) {
    s_self = this;
    m_format = RegisterClipboardFormatA("VtIcon");
    icon.width = icon.height = 32, icon.colorCode = 16, icon.name = "served";
    icon.images.push_back(RecordFromImage(MakeOpaqueImage(32, 32, kColors16, 9)));
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VtTestLibrarian";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "test server", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

TestServer::~TestServer() {
    DestroyWindow(window);
    s_self = nullptr;
}

bool TestServer::PostBlock(std::vector<uint8_t> bytes, UINT_PTR item) {
    SetDdeFlags(bytes, kAckRequested | kReleaseByReceiver | kResponseToRequest);
    HGLOBAL block = NewDdeBlock(bytes);
    if (!block || !PostDdeMessage(editor, WM_DDE_DATA, window, reinterpret_cast<UINT_PTR>(block), item)) {
        if (block) FreeDdeBlock(block);
        return false;
    }
    m_sent = block;
    return true;
}

// The header names eight images of 32 x 32, 16 colours, and none follows.
static std::vector<uint8_t> MalformedIconBlock() {
    std::vector<uint8_t> bytes(24, 0);
    bytes[4] = 32, bytes[8] = 32, bytes[12] = 16, bytes[16] = 8;
    return bytes;
}

bool TestServer::PostMalformedData() {
    std::vector<uint8_t> bytes = MalformedIconBlock();
    bytes[2] = static_cast<uint8_t>(m_format), bytes[3] = static_cast<uint8_t>(m_format >> 8);
    return editor && PostBlock(std::move(bytes), GlobalAddAtomA("GetIcon"));
}

LRESULT CALLBACK TestServer::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    TestServer* s = s_self;
    if (!s) return DefWindowProcA(w, msg, wp, lp);
    HWND from = reinterpret_cast<HWND>(wp);
    char text[64] = {};
    switch (msg) {
        case WM_DDE_INITIATE:
            GlobalGetAtomNameA(HIWORD(lp), text, sizeof text);
            if (s->token == text) {
                s->editor = from;
                SendMessageA(from, WM_DDE_ACK, reinterpret_cast<WPARAM>(w),
                             MAKELPARAM(GlobalAddAtomA("Vantoro"), GlobalAddAtomA(text)));
            }
            return 0;
        case WM_DDE_REQUEST: {
            ++s->requests;
            UINT_PTR format = 0, item = 0;
            UnpackDDElParam(msg, lp, &format, &item);
            FreeDDElParam(msg, lp);
            if (s->sendIcon) {
                s->PostBlock(BuildEditIconBlock(static_cast<uint16_t>(format), s->icon), item);
            } else if (s->malformed) {
                std::vector<uint8_t> bytes = MalformedIconBlock();
                bytes[2] = static_cast<uint8_t>(format), bytes[3] = static_cast<uint8_t>(format >> 8);
                s->PostBlock(std::move(bytes), item);
            } else {
                GlobalDeleteAtom(static_cast<ATOM>(item));
            }
            return 0;
        }
        case WM_DDE_POKE: {
            UINT_PTR data = 0, item = 0;
            UnpackDDElParam(msg, lp, &data, &item);
            FreeDDElParam(msg, lp);
            HGLOBAL block = reinterpret_cast<HGLOBAL>(data);
            uint16_t flags = 0;
            std::optional<ImageBlocks> images;
            if (const auto bytes = ReadDdeBlock(block, s->m_format, &flags)) images = ParseIconUpdateBlock(*bytes);
            if (images) s->updates.push_back(std::move(*images));
            PostDdeAck(from, w, images.has_value(), static_cast<ATOM>(item));
            // Taken: the block is ours to free when the editor says so; refused: it stays the editor's.
            if (images && (flags & kReleaseByReceiver)) FreeDdeBlock(block);
            return 0;
        }
        case WM_DDE_ACK: {
            UINT_PTR status = 0, item = 0;
            UnpackDDElParam(msg, lp, &status, &item);
            FreeDDElParam(msg, lp);
            s->negativeAcks = (status & 0x8000) ? 0 : 1;
            if (!(status & 0x8000) && s->m_sent) FreeDdeBlock(s->m_sent);
            s->m_sent = nullptr;
            if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
            return 0;
        }
        case WM_DDE_TERMINATE: s->terminated = true; return 0;
        default: return DefWindowProcA(w, msg, wp, lp);
    }
}

}  // namespace vt::test
