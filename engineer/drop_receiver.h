#pragma once
// Icon files dropped on the Engineer by a sending program: the "Shields down!" conversation seen
// from the receiving side, and the reader of the file-name block it pokes. A drop that cannot be
// read, lands nowhere, or comes at a bad time is refused (negative acknowledgement and
// termination) and changes nothing.
// The program calls: DropReceiver (one per frame) with OnInitiate (992), OnPoke (999) and
// OnTerminate (993), implementing DropSink (996/993 out) and DropTarget (where the drop lands);
// ReadFileDropBlock; the message and status numbers below.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vt {

constexpr unsigned kMsgDdeInitiate = 992;
constexpr unsigned kMsgDdeTerminate = 993;
constexpr unsigned kMsgDdeAck = 996;
constexpr unsigned kMsgDdePoke = 999;
constexpr uint16_t kDropAccepted = 0x8000;  // acknowledgement status of a taken drop
constexpr uint16_t kDropRefused = 0;

extern const char* const kDropApplication;  // "Vantoro"
extern const char* const kDropTopic;        // "Shields down!"

// The file-name block: DDE header (4 bytes), drop point x and y in screen coordinates, two flags
// and a name count (ignored), then zero-terminated names from offset 24.
constexpr size_t kFileDropHeaderSize = 24;
constexpr size_t kMaxDropPathChars = 259;
struct FileDrop {
    int32_t x = 0;
    int32_t y = 0;
    std::string path;  // the first name
};
// Nothing for a block under 24 bytes, a first name that does not end inside the block, an empty
// one, or one of more than 259 characters.
std::optional<FileDrop> ReadFileDropBlock(std::span<const uint8_t> block);

using WindowId = uintptr_t;

// What goes out to the sending program.
class DropSink {
  public:
    virtual ~DropSink() = default;
    // The initiate's acknowledgement: 996 sent to the initiator with the frame window and the
    // initiate's own atoms.
    virtual void AcknowledgeInitiate(WindowId to) = 0;
    // 996 posted with the status and the poke's item atom.
    virtual void PostAck(WindowId to, uint16_t status, uint32_t itemAtom) = 0;
    // 993 posted with the frame window.
    virtual void PostTerminate(WindowId to) = 0;
};

// Where a drop lands; the windows answer.
class DropTarget {
  public:
    virtual ~DropTarget() = default;
    // False on the System page and while a modal dialog or message box is open.
    virtual bool AcceptsDrops() = 0;
    // The row of the list entry under the screen point; nothing outside the list or past its last
    // entry.
    virtual std::optional<int> RowAt(int32_t screenX, int32_t screenY) = 0;
    // Selects the row and gives it the file with icon index 0 as "C&hange..." does (quality check
    // on icon pages). Called after the positive acknowledgement went out.
    virtual void Take(int row, const std::string& path) = 0;
};

enum class DropOutcome { Taken, Refused };

class DropReceiver {
  public:
    DropReceiver(DropSink& sink, DropTarget& target) : m_sink(sink), m_target(target) {}

    // 992 with the names of its two atoms: application "Vantoro" and topic "Shields down!" make
    // the initiator the peer (a former peer is told the conversation ended). False when ignored.
    bool OnInitiate(WindowId from, std::string_view application, std::string_view topic);
    // 999: `block` is the poked memory, nothing when it could not be locked. Every poke ends the
    // conversation: 993 goes out and the peer is forgotten.
    DropOutcome OnPoke(WindowId from, std::optional<std::span<const uint8_t>> block,
                       uint32_t itemAtom);
    // 993 from the peer: answered with 993, the peer forgotten. From anyone else: ignored.
    void OnTerminate(WindowId from);

    WindowId peer() const { return m_peer; }

  private:
    DropOutcome Refuse(WindowId to, uint32_t itemAtom);

    DropSink& m_sink;
    DropTarget& m_target;
    WindowId m_peer = 0;
};

}  // namespace vt
