// Damaged and hostile files: every read ends cleanly (run under ASan/UBSan in the sanitizer
// preset).
#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "librarian/library_writer.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"

namespace vt {
namespace {

using test::MakeDib;

class HostileInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 8, 2);
        pe = test::MakePe({{14, 1, {}, test::MakeGroup({a, b}, {1, 2})},
                           {14, 0, u"NAME", test::MakeGroup({a}, {1})},
                           {3, 1, {}, a},
                           {3, 2, {}, b}});
        Workspace ws;
        ASSERT_EQ(ws.New(), LibStatus::Ok);
        ws.AddImage(a, -1);
        ws.AddImage(b, 0);
        ws.AddImage(a, -1);
        std::string lib = dir.File("lib.icl");
        TempFileWriter out;
        ASSERT_TRUE(out.Open(lib, "ICM"));
        ScriptedPrompt p;
        ASSERT_GT(WriteLibrary(ws, out, p), 0);
        ASSERT_TRUE(out.Commit());
        ne = test::ReadAll(lib);
        ico = test::MakeIco({a, b});
    }
    LibStatus ReadModule(const std::vector<uint8_t>& bytes) {
        Workspace ws;
        ScriptedPrompt prompt;  // says Yes to the header question, so that path runs too
        ReadOptions o;
        o.prompt = &prompt;
        LibStatus st = ReadModuleIcons(ws, dir.Write("m.bin", bytes), true, o);
        // Whatever was read is consistent: every format's image can be read back.
        for (const FormatEntry& f : ws.formats()) {
            std::vector<uint8_t> block;
            EXPECT_TRUE(ws.ReadImageOf(f, &block));
        }
        return st;
    }
    LibStatus ReadIcon(const std::vector<uint8_t>& bytes) {
        Workspace ws;
        return ReadIconFileToWorkspace(ws, dir.Write("i.ico", bytes), true);
    }

    test::TempFolder dir;
    std::vector<uint8_t> pe, ne, ico;
};

TEST_F(HostileInputTest, TruncationAndBitFlipSweep) {
    for (const auto* original : {&pe, &ne}) {
        for (size_t n = 0; n < original->size(); n += 41)
            ReadModule({original->begin(), original->begin() + n});
        for (size_t i = 0; i < original->size(); i += 17) {
            auto flipped = *original;
            flipped[i] ^= static_cast<uint8_t>(1u << (i % 8));
            ReadModule(flipped);
        }
    }
    for (size_t n = 0; n < ico.size(); n += 5) ReadIcon({ico.begin(), ico.begin() + n});
    for (size_t i = 0; i < 6 + 32; ++i) {
        auto flipped = ico;
        flipped[i] ^= 0xFF;
        ReadIcon(flipped);
    }
}

TEST_F(HostileInputTest, NeAlignmentShiftsOfZeroAndSixteenAndMore) {
    size_t table = 128 + 64;
    for (uint16_t shift : {0, 16, 17, 31, 32, 0xFFFF}) {
        auto bytes = ne;
        StoreLE16(&bytes[table], shift);
        LibStatus st = ReadModule(bytes);
        EXPECT_NE(st, LibStatus::Ok) << shift;  // every offset now points elsewhere or nowhere
    }
}

TEST_F(HostileInputTest, NeOffsetsPastTheEndAndHugeCounts) {
    size_t table = 128 + 64;
    auto past = ne;
    StoreLE16(&past[table + 10], 0xFFFF);  // first group's offset
    EXPECT_EQ(ReadModule(past), LibStatus::ReadError);
    auto count = ne;
    StoreLE16(&count[table + 4], 0xFFFF);  // group count
    ReadModule(count);
    auto names = ne;
    StoreLE16(&names[128 + 0x26], 0xFFFF);  // resident names far away: the table runs past the file
    EXPECT_EQ(ReadModule(names), LibStatus::ReadError);
    auto inverted = ne;
    StoreLE16(&inverted[128 + 0x24], 0xFFF0);
    EXPECT_EQ(ReadModule(inverted), LibStatus::ReadError);
    auto pointer = ne;
    StoreLE32(&pointer[60], 0xFFFFFFF0);
    EXPECT_EQ(ReadModule(pointer), LibStatus::ReadError);
}

TEST_F(HostileInputTest, PeDirectoriesThatPointAtThemselvesOrFarAway) {
    const size_t root = 0x400;
    // The group type's subdirectory is the root itself: its entries are types, not languages.
    auto self = pe;
    StoreLE32(&self[root + 16 + 4], 0x80000000u);
    ReadModule(self);
    // Language entries that point back at the root as if it were a data entry.
    auto loop = pe;
    uint32_t groupDir = LoadLE32(&loop[root + 16 + 4]) & 0x7FFFFFFF;
    uint32_t lang = LoadLE32(&loop[root + groupDir + 16 + 4]) & 0x7FFFFFFF;
    StoreLE32(&loop[root + lang + 20], 0x80000000u);
    EXPECT_EQ(ReadModule(loop), LibStatus::Cascade);
    // Counts of 0xFFFF at the root and offsets near 2^32.
    auto counts = pe;
    StoreLE16(&counts[root + 14], 0xFFFF);
    StoreLE16(&counts[root + 12], 0xFFFF);
    EXPECT_EQ(ReadModule(counts), LibStatus::ReadError);
    auto far = pe;
    StoreLE32(&far[root + 16 + 4], 0xFFFFFFFFu);
    EXPECT_EQ(ReadModule(far), LibStatus::ReadError);
    // Sizes near 2^32 in an image's data entry: the image is left out, the file still opens.
    auto size = pe;
    uint32_t imageTypeDir = LoadLE32(&size[root + 24 + 4]) & 0x7FFFFFFF;
    uint32_t imageLang = LoadLE32(&size[root + imageTypeDir + 16 + 4]) & 0x7FFFFFFF;
    uint32_t imageData = LoadLE32(&size[root + imageLang + 20]);
    StoreLE32(&size[root + imageData + 4], 0xFFFFFFF0);
    EXPECT_EQ(ReadModule(size), LibStatus::Ok);
    auto sections = pe;
    StoreLE16(&sections[64 + 6], 0xFFFF);  // section count past the headers
    EXPECT_EQ(ReadModule(sections), LibStatus::Ok);
}

TEST_F(HostileInputTest, IconFilesWithLyingDirectories) {
    auto huge = ico;
    StoreLE32(&huge[6 + 8], 0xFFFFFFF0);       // bytes in resource
    EXPECT_EQ(ReadIcon(huge), LibStatus::Ok);  // the image is left out
    auto far = ico;
    StoreLE32(&far[6 + 12], 0xFFFFFFF0);  // image offset
    EXPECT_EQ(ReadIcon(far), LibStatus::ReadError);
    auto count = ico;
    StoreLE16(&count[4], 0xFFFF);
    EXPECT_EQ(ReadIcon(count), LibStatus::ReadError);
}

}  // namespace
}  // namespace vt
