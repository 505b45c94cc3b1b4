#include "common/win32/dde_blocks.h"

#include <dde.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace vt {

namespace {

struct Counting {
    bool enabled = false;
    std::string folder;
    DdeBlockCounts counts;
};

Counting& TheCounting() {
    static Counting counting;
    return counting;
}

}  // namespace

void StartDdeBlockCounting() {
    Counting& c = TheCounting();
    char folder[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(kDdeBlockCountVariable, folder, sizeof folder);
    c.enabled = n > 0 && n < sizeof folder;
    c.folder = c.enabled ? folder : "";
    c.counts = {};
}

DdeBlockCounts CurrentDdeBlockCounts() { return TheCounting().counts; }

void WriteDdeBlockCounts() {
    const Counting& c = TheCounting();
    if (!c.enabled) return;
    const std::string path = c.folder + "\\dde-blocks-" + std::to_string(GetCurrentProcessId()) + ".txt";
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fprintf(f, "%ld %ld\n", c.counts.made, c.counts.freed);
        std::fclose(f);
    }
}

void FreeDdeBlock(HGLOBAL block) {
    if (!block) return;
    GlobalFree(block);
    if (TheCounting().enabled) ++TheCounting().counts.freed;
}

HGLOBAL NewDdeBlock(std::span<const uint8_t> bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes.size());
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (TheCounting().enabled) ++TheCounting().counts.made;
    return block;
}

void SetDdeFlags(std::vector<uint8_t>& bytes, uint16_t flags) {
    if (bytes.size() < 4) return;
    bytes[0] = static_cast<uint8_t>(flags);
    bytes[1] = static_cast<uint8_t>(flags >> 8);
}

std::optional<std::vector<uint8_t>> ReadDdeBlock(HGLOBAL block, UINT format, uint16_t* flags) {
    if (!block) return std::nullopt;
    const SIZE_T size = GlobalSize(block);
    const auto* p = static_cast<const uint8_t*>(GlobalLock(block));
    if (!p) return std::nullopt;
    std::optional<std::vector<uint8_t>> out;
    if (size >= 4 && static_cast<UINT>(p[2] | p[3] << 8) == format) {
        out.emplace(p, p + size);
        if (flags) *flags = static_cast<uint16_t>(p[0] | p[1] << 8);
    }
    GlobalUnlock(block);
    return out;
}

bool PostDdeMessage(HWND to, UINT msg, HWND from, UINT_PTR low, UINT_PTR high) {
    const LPARAM lp = PackDDElParam(msg, low, high);
    if (PostMessageA(to, msg, reinterpret_cast<WPARAM>(from), lp)) return true;
    FreeDDElParam(msg, lp);
    return false;
}

void PostDdeAck(HWND to, HWND from, bool positive, ATOM item) {
    if (!PostDdeMessage(to, WM_DDE_ACK, from, positive ? 0x8000 : 0, item) && item) GlobalDeleteAtom(item);
}

}  // namespace vt
