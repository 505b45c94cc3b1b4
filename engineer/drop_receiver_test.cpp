#include <gtest/gtest.h>

#include <map>

#include "engineer/drop_receiver.h"

namespace vt {
namespace {

std::vector<uint8_t> Block(int32_t x, int32_t y, const std::string& names, uint32_t count = 1) {
    std::vector<uint8_t> b(24, 0);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(4, static_cast<uint32_t>(x));
    put(8, static_cast<uint32_t>(y));
    put(20, count);
    b.insert(b.end(), names.begin(), names.end());
    return b;
}

TEST(FileDropBlock, GoodAndHostileBlocks) {
    auto d = ReadFileDropBlock(Block(-20, 300, std::string("C:\\a.ico\0C:\\b.ico\0", 18), 0));
    ASSERT_TRUE(d) << "the count is ignored";
    EXPECT_EQ(d->x, -20);
    EXPECT_EQ(d->y, 300);
    EXPECT_EQ(d->path, "C:\\a.ico");

    std::vector<uint8_t> shortBlock = Block(1, 1, std::string("\0", 1));
    shortBlock.resize(23);
    EXPECT_FALSE(ReadFileDropBlock(shortBlock));
    EXPECT_FALSE(ReadFileDropBlock(Block(1, 1, "C:\\unterminated.ico")));
    EXPECT_FALSE(ReadFileDropBlock(Block(1, 1, std::string("\0", 1)))) << "empty name";
    std::string longest(259, 'a');
    EXPECT_TRUE(ReadFileDropBlock(Block(1, 1, longest + '\0')));
    EXPECT_FALSE(ReadFileDropBlock(Block(1, 1, longest + "a" + '\0')));
}

constexpr WindowId kPeer = 0x50, kStranger = 0x60;

class Recorder : public DropSink, public DropTarget {
  public:
    void AcknowledgeInitiate(WindowId to) override { log.push_back("ack-initiate " + Hex(to)); }
    void PostAck(WindowId to, uint16_t status, uint32_t atom) override {
        log.push_back("ack " + Hex(to) + " " + Hex(status) + " atom " + std::to_string(atom));
    }
    void PostTerminate(WindowId to) override { log.push_back("terminate " + Hex(to)); }
    bool AcceptsDrops() override { return accepts; }
    std::optional<int> RowAt(int32_t x, int32_t y) override {
        auto it = rows.find({x, y});
        if (it == rows.end()) return std::nullopt;
        return it->second;
    }
    void Take(int row, const std::string& path) override {
        log.push_back("take " + std::to_string(row) + " " + path);
    }
    static std::string Hex(uintptr_t v) {
        char buf[20];
        std::snprintf(buf, sizeof buf, "%lx", static_cast<unsigned long>(v));
        return buf;
    }
    bool accepts = true;
    std::map<std::pair<int, int>, int> rows{{{10, 20}, 12}};
    std::vector<std::string> log;
};

TEST(DropConversation, TakenDropIsAcknowledgedBeforeItIsTakenThenTerminated) {
    Recorder r;
    DropReceiver receiver(r, r);
    EXPECT_FALSE(receiver.OnInitiate(kPeer, "Vantoro", "Make it so!"));
    EXPECT_TRUE(r.log.empty());
    EXPECT_TRUE(receiver.OnInitiate(kPeer, "VANTORO", "Shields down!"));
    EXPECT_EQ(receiver.peer(), kPeer);
    auto block = Block(10, 20, std::string("D:\\disk.ico\0", 12));
    EXPECT_EQ(receiver.OnPoke(kPeer, std::span<const uint8_t>(block), 7), DropOutcome::Taken);
    EXPECT_EQ(r.log, (std::vector<std::string>{"ack-initiate 50", "ack 50 8000 atom 7",
                                               "take 12 D:\\disk.ico", "terminate 50"}));
    EXPECT_EQ(receiver.peer(), 0u);
}

TEST(DropConversation, EveryHostileCaseIsRefusedAndChangesNothing) {
    auto good = Block(10, 20, std::string("D:\\disk.ico\0", 12));
    auto outside = Block(11, 20, std::string("D:\\disk.ico\0", 12));
    auto hostile = Block(10, 20, "D:\\no-end");
    struct Case {
        const char* what;
        WindowId from;
        const std::vector<uint8_t>* block;  // null: the memory could not be locked
        bool accepts;
    } cases[] = {
        {"unlockable memory", kPeer, nullptr, true},
        {"not the peer", kStranger, &good, true},
        {"unterminated name", kPeer, &hostile, true},
        {"outside the list", kPeer, &outside, true},
        {"System page or a modal dialog", kPeer, &good, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder r;
        r.accepts = c.accepts;
        DropReceiver receiver(r, r);
        ASSERT_TRUE(receiver.OnInitiate(kPeer, "Vantoro", "Shields down!"));
        r.log.clear();
        std::optional<std::span<const uint8_t>> span;
        if (c.block) span = std::span<const uint8_t>(*c.block);
        EXPECT_EQ(receiver.OnPoke(c.from, span, 9), DropOutcome::Refused);
        std::string to = Recorder::Hex(c.from);
        EXPECT_EQ(r.log, (std::vector<std::string>{"ack " + to + " 0 atom 9", "terminate " + to}));
        EXPECT_EQ(receiver.peer(), c.from == kPeer ? 0u : kPeer);
    }
}

TEST(DropConversation, TerminationAndANewInitiator) {
    Recorder r;
    DropReceiver receiver(r, r);
    receiver.OnTerminate(kPeer);
    EXPECT_TRUE(r.log.empty()) << "no conversation";
    ASSERT_TRUE(receiver.OnInitiate(kPeer, "Vantoro", "Shields down!"));
    ASSERT_TRUE(receiver.OnInitiate(kStranger, "Vantoro", "Shields down!"));
    receiver.OnTerminate(kPeer);
    EXPECT_EQ(r.log,
              (std::vector<std::string>{"ack-initiate 50", "terminate 50", "ack-initiate 60"}))
        << "the former peer is told once and then ignored";
    receiver.OnTerminate(kStranger);
    EXPECT_EQ(r.log.back(), "terminate 60");
    EXPECT_EQ(receiver.peer(), 0u);
}

}  // namespace
}  // namespace vt
