#pragma once
// The suite's window-message DDE plumbing: shared data blocks with the 4-byte exchange header
// (16-bit flags, 16-bit clipboard format), posting with packed parameters, acknowledgements.
// Every block from another process is checked here for size and format before anyone reads it.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vt {

// A shared, movable, zeroed block holding `bytes`; nullptr when memory is short.
HGLOBAL NewDdeBlock(std::span<const uint8_t> bytes);
// Frees a block this process made or was given to free.
void FreeDdeBlock(HGLOBAL block);
// Writes the header's flags into a block's bytes (at least 4 bytes long).
void SetDdeFlags(std::vector<uint8_t>& bytes, uint16_t flags);
// A copy of a received block when it can be locked, holds the header and names `format`;
// *flags receives the header's flags.
std::optional<std::vector<uint8_t>> ReadDdeBlock(HGLOBAL block, UINT format, uint16_t* flags);
// Posts a DDE message whose lParam is packed from `low` and `high`; false (and the packed value
// freed) when it could not be posted.
bool PostDdeMessage(HWND to, UINT msg, HWND from, UINT_PTR low, UINT_PTR high);
// A positive (0x8000) or negative acknowledgement naming `item`; the atom is deleted when the
// acknowledgement cannot be posted.
void PostDdeAck(HWND to, HWND from, bool positive, ATOM item);

// Counting for the tests. Every block is freed exactly once whatever the partner answers, and a
// test checks that across the processes of a conversation: when the harness names a folder in
// kDdeBlockCountVariable as it starts a program, the program counts the blocks NewDdeBlock makes
// and FreeDdeBlock frees, and writes the two numbers ("made freed") to "dde-blocks-<process
// id>.txt" in that folder as it ends. Without the variable nothing is counted or written.
inline constexpr char kDdeBlockCountVariable[] = "VT_DDE_BLOCK_COUNTS";
struct DdeBlockCounts {
    long made = 0;
    long freed = 0;
};
// Reads the variable; called once at start-up. Later changes to the environment change nothing.
void StartDdeBlockCounting();
DdeBlockCounts CurrentDdeBlockCounts();
// Writes the counts when counting was enabled at start-up.
void WriteDdeBlockCounts();
// Start-up and end of a program: counting from construction, the file written on destruction.
class DdeBlockCountingScope {
  public:
    DdeBlockCountingScope() { StartDdeBlockCounting(); }
    ~DdeBlockCountingScope() { WriteDdeBlockCounts(); }
    DdeBlockCountingScope(const DdeBlockCountingScope&) = delete;
    DdeBlockCountingScope& operator=(const DdeBlockCountingScope&) = delete;
};

}  // namespace vt
