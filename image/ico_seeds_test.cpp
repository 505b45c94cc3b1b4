// The fuzzer's seed files are made by our own writer from documents drawn in code. This test
// checks that the committed seeds are exactly what the writer makes today; run it with
// VT_UPDATE_SEEDS=1 to write them again after a deliberate change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "common/byte_reader.h"
#include "image/ico_file.h"
#include "image/icon_testutil.h"

namespace vt {
namespace {

std::map<std::string, std::vector<uint8_t>> MakeSeeds() {
    std::map<std::string, std::vector<uint8_t>> seeds;
    auto add = [&](const std::string& name, const IconResource& doc) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(EncodeIcoFile(doc, &bytes));
        seeds[name] = bytes;
    };
    add("formats.ico", test::SampleDocument(kIconResource));
    add("pointer.cur", test::SampleDocument(kCursorResource));
    ImageHost host = test::TestHost(nullptr);
    for (int32_t code : {kMonochrome, kColors16, kColors256, kTrueColor}) {
        IconResource one;
        test::AddDrawnImage(one, host, 16, 16, code, static_cast<uint32_t>(code));
        add("single" + std::to_string(code) + ".ico", one);
    }
    // A 32-bit image as other programs write them, with alpha: the header turned to 32 bits and
    // the pixels widened.
    IconResource tc;
    IconImage& img = test::AddDrawnImage(tc, host, 8, 8, kTrueColor, 9);
    std::vector<uint8_t> file;
    EncodeIcoFile(tc, &file);
    std::vector<uint8_t> wide(file.begin(), file.begin() + 22 + 40);
    StoreLE16(wide.data() + 22 + 14, 32);
    for (int32_t row = 7; row >= 0; --row)
        for (int32_t x = 0; x < 8; ++x) {
            uint32_t v = img.XorValue(x, row);
            bool clear = img.AndBit(x, row) && v == 0;
            wide.insert(wide.end(),
                        {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                         static_cast<uint8_t>(v), static_cast<uint8_t>(clear ? 0 : 255)});
        }
    std::span<const uint8_t> mask = img.AndBits();
    wide.insert(wide.end(), mask.begin(), mask.end());
    StoreLE32(wide.data() + 6 + 8, static_cast<uint32_t>(wide.size() - 22));
    seeds["alpha32.ico"] = wide;
    return seeds;
}

std::filesystem::path SeedDir() {
    return std::filesystem::path(__FILE__).parent_path() / "testdata" / "ico_seeds";
}

TEST(IcoSeeds, CommittedSeedsAreTheWritersOutput) {
    const auto seeds = MakeSeeds();
    const char* update = std::getenv("VT_UPDATE_SEEDS");
    if (update && *update == '1') {
        std::filesystem::create_directories(SeedDir());
        for (const auto& [name, bytes] : seeds)
            test::WriteBytes((SeedDir() / name).string(), bytes);
    }
    for (const auto& [name, bytes] : seeds) {
        SCOPED_TRACE(name);
        EXPECT_EQ(test::ReadBytes((SeedDir() / name).string()), bytes);
        IconResource doc;
        ImageHost host;
        MemorySource src(bytes);
        EXPECT_EQ(DecodeIcoFile(src, doc, host), IcoStatus::Ok);
    }
}

}  // namespace
}  // namespace vt
