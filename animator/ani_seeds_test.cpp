// The fuzzer's seed files are made by our own writer (and, for the shapes other writers use, by
// hand). This test checks that the committed seeds are what is made today; run it with
// VT_UPDATE_SEEDS=1 to write them again after a deliberate change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "animator/ani_file.h"
#include "animator/ani_testutil.h"
#include "common/file_io.h"

namespace vt {
namespace {

using namespace vt::testing;

std::map<std::string, Bytes> MakeSeeds() {
    const std::vector<Bytes> blocks = {MakeBlock(4, 0), MakeBlock(1, 1), MakeBlock(8, 2),
                                       MakeBlock(24, 3), MakeBlock(4, 5)};
    // Steps as (picture, time), all with the hot spot (3, 4).
    auto frames = [&](std::vector<std::pair<int, int32_t>> steps) {
        std::vector<AniFrameImage> f;
        for (auto [b, t] : steps) f.push_back({t, 3, 4, blocks[static_cast<size_t>(b)]});
        return f;
    };
    std::map<std::string, Bytes> seeds;
    seeds["new.ani"] = BuildAni(AniHeader{}, "", "", frames({{0, 10}}));
    seeds["repeat.ani"] = BuildAni(AniHeader{}, "abc", "", frames({{0, 10}, {0, 10}, {0, 10}}));
    seeds["rates.ani"] =
        BuildAni(AniHeader{}, "abcd", "author", frames({{0, 10}, {4, 10}, {0, 20}, {4, 3}}));
    seeds["mono.ani"] = BuildAni(AniHeader{}, "", "credits", frames({{1, 1}, {1, 2}}));
    AniHeader h;
    h.bitCount = 8;
    h.width = h.height = 32;
    seeds["colors256.ani"] = BuildAni(h, "t", "", frames({{2, 5}, {0, 5}}));
    h.bitCount = 24;
    seeds["truecolor.ani"] = BuildAni(h, "", "", frames({{3, 6}}));
    // A two-image "icon" chunk and an unknown chunk, as other writers make them.
    Bytes icon = CursorFile({{16, 16, 1, 1, FileImageOf(MakeBlock(4, 7))},
                             {32, 32, 7, 8, FileImageOf(MakeBlock(4, 5))}});
    seeds["foreign.ani"] =
        AniFile({Chunk("junk", {1, 2, 3}), Chunk("anih", AnihData(1, 2, 10, 3)),
                 Chunk("seq ", Le32({0, 0})), List("fram", {Chunk("icon", icon)})});
    return seeds;
}

std::filesystem::path SeedDir() {
    return std::filesystem::path(__FILE__).parent_path() / "testdata" / "ani_seeds";
}

TEST(AniSeeds, CommittedSeedsAreWhatTheWriterMakes) {
    const auto seeds = MakeSeeds();
    const char* update = std::getenv("VT_UPDATE_SEEDS");
    if (update && *update == '1') {
        std::filesystem::create_directories(SeedDir());
        for (const auto& [name, bytes] : seeds)
            ASSERT_TRUE(WriteFileReplacing((SeedDir() / name).string(), "ANI", bytes));
    }
    for (const auto& [name, bytes] : seeds) {
        SCOPED_TRACE(name);
        Bytes committed;
        EXPECT_TRUE(ReadWholeFile((SeedDir() / name).string(), &committed, 1 << 20));
        EXPECT_EQ(committed, bytes);
        AniContents c;
        EXPECT_TRUE(ParseAni(bytes, 1024, &c).ok());
    }
}

}  // namespace
}  // namespace vt
