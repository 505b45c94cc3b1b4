#include "engineer/drop_receiver.h"

#include <cstring>

#include "common/byte_reader.h"
#include "sysicons/text.h"

namespace vt {

const char* const kDropApplication = "Vantoro";
const char* const kDropTopic = "Shields down!";

std::optional<FileDrop> ReadFileDropBlock(std::span<const uint8_t> block) {
    if (block.size() < kFileDropHeaderSize) return std::nullopt;
    auto i32 = [&](size_t at) { return static_cast<int32_t>(LoadLE32(block.data() + at)); };
    std::span<const uint8_t> names = block.subspan(kFileDropHeaderSize);
    const void* end = std::memchr(names.data(), 0, names.size());
    if (!end) return std::nullopt;
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(end) - names.data());
    if (length == 0 || length > kMaxDropPathChars) return std::nullopt;
    FileDrop d;
    d.x = i32(4);
    d.y = i32(8);
    d.path.assign(reinterpret_cast<const char*>(names.data()), length);
    return d;
}

bool DropReceiver::OnInitiate(WindowId from, std::string_view application, std::string_view topic) {
    // Atom names compare without regard to case, as the system's atom table does.
    if (from == 0 || !EqualsNoCase(application, kDropApplication) ||
        !EqualsNoCase(topic, kDropTopic))
        return false;
    if (m_peer != 0 && m_peer != from) m_sink.PostTerminate(m_peer);
    m_peer = from;
    m_sink.AcknowledgeInitiate(from);
    return true;
}

DropOutcome DropReceiver::Refuse(WindowId to, uint32_t itemAtom) {
    if (to == 0) return DropOutcome::Refused;  // nobody to answer
    m_sink.PostAck(to, kDropRefused, itemAtom);
    m_sink.PostTerminate(to);
    if (to == m_peer) m_peer = 0;
    return DropOutcome::Refused;
}

DropOutcome DropReceiver::OnPoke(WindowId from, std::optional<std::span<const uint8_t>> block,
                                 uint32_t itemAtom) {
    if (from == 0 || from != m_peer || !block) return Refuse(from, itemAtom);
    std::optional<FileDrop> drop = ReadFileDropBlock(*block);
    if (!drop || !m_target.AcceptsDrops()) return Refuse(from, itemAtom);
    std::optional<int> row = m_target.RowAt(drop->x, drop->y);
    if (!row) return Refuse(from, itemAtom);
    m_sink.PostAck(from, kDropAccepted, itemAtom);
    m_target.Take(*row, drop->path);
    m_sink.PostTerminate(from);
    m_peer = 0;
    return DropOutcome::Taken;
}

void DropReceiver::OnTerminate(WindowId from) {
    if (from == 0 || from != m_peer) return;
    m_sink.PostTerminate(from);
    m_peer = 0;
}

}  // namespace vt
