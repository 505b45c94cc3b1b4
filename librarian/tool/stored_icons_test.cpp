// Icon groups as stored: every image taken whole, whatever the Librarian's workspace keeps, and
// every image that cannot be taken named with its reason; the JSON text of untrusted names.
#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "librarian/json_text.h"
#include "librarian/librarian_testutil.h"
#include "librarian/stored_icons.h"
#include "librarian/workspace_types.h"

namespace vt {
namespace {

using test::MakeDib;

// A PNG stream's start (signature and IHDR) padded to `size` bytes.
std::vector<uint8_t> MakePng(uint32_t width, uint32_t height, size_t size) {
    ByteWriter w;
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    w.Bytes(sig);
    const uint8_t ihdr[8] = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    w.Bytes(ihdr);
    for (uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8) w.U8(static_cast<uint8_t>(v >> s));
    const uint8_t rest[5] = {8, 6, 0, 0, 0};
    w.Bytes(rest);
    std::vector<uint8_t> out = w.Take();
    out.resize(size, 0x5A);
    return out;
}

// The (entry head, block) pairs of an icon file, checked as an outside reader would.
std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> Parse(
    const std::vector<uint8_t>& ico) {
    std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> out;
    ByteReader r(ico);
    r.Skip(4);
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count; ++i) {
        ByteReader e = r.Sub(6 + 16 * size_t{i}, 16);
        auto head = e.Bytes(8);
        uint32_t size = e.U32(), offset = e.U32();
        EXPECT_TRUE(e.ok() && InRange(ico.size(), offset, size));
        if (!e.ok() || !InRange(ico.size(), offset, size)) break;
        out.push_back(
            {{head.begin(), head.end()}, {ico.begin() + offset, ico.begin() + offset + size}});
    }
    return out;
}

TEST(StoredIcons, ProgramFileGroupsKeepPngLargeImagesAndWholeNames) {
    test::TempFolder dir;
    std::vector<uint8_t> small = MakeDib(16, 16, 4, 1);
    std::vector<uint8_t> large = MakeDib(128, 128, 8, 2);  // past the workspace's image buffer
    std::vector<uint8_t> png = MakePng(256, 256, 30000);
    ASSERT_GT(large.size(), kImageBufferSize);
    std::string dll =
        dir.Write("a.dll", test::MakePe({{14, 0, u"IDI_SHELL_RENAME_FOLDER",
                                          test::MakeGroup({small, png, large}, {1, 2, 3})},
                                         {14, 2, {}, test::MakeGroup({small}, {1})},
                                         {3, 1, {}, small},
                                         {3, 2, {}, png},
                                         {3, 3, {}, large}},
                                        true));
    int kind = 0;
    std::vector<StoredGroup> groups;
    ASSERT_EQ(ReadStoredIcons(dll, ReadDepth::Whole, &kind, &groups), LibStatus::Ok);
    EXPECT_EQ(kind, kKindProgram);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_TRUE(groups[0].named);
    EXPECT_EQ(groups[0].name, "IDI_SHELL_RENAME_FOLDER");
    EXPECT_FALSE(groups[1].named);
    EXPECT_EQ(groups[1].id, 2u);

    auto images = Parse(BuildStoredIconFile(groups[0]));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].second, small);
    EXPECT_EQ(images[1].second, png);
    EXPECT_EQ(images[2].second, large);
    // The directory fields are the group's own (MakeGroup writes width, height and bit count).
    std::vector<uint8_t> group = test::MakeGroup({small, png, large}, {1, 2, 3});
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(images[k].first,
                  std::vector<uint8_t>(group.begin() + 6 + 14 * k, group.begin() + 14 + 14 * k));
    EXPECT_EQ(BlockText(groups[0].images[1].description), "PNG 256×256");
    EXPECT_EQ(BlockText(groups[0].images[2].description), "128×128, 256 colors");

    // Reading only headers describes the same images without their bytes.
    std::vector<StoredGroup> heads;
    ASSERT_EQ(ReadStoredIcons(dll, ReadDepth::Headers, &kind, &heads), LibStatus::Ok);
    EXPECT_EQ(heads[0].images[2].size, large.size());
    EXPECT_LE(heads[0].images[2].bytes.size(), 64u);
    EXPECT_EQ(BlockText(heads[0].images[1].description), "PNG 256×256");
}

TEST(StoredIcons, ImagesThatCannotBeTakenAreNamedAndTheRestKept) {
    test::TempFolder dir;
    std::vector<uint8_t> a = MakeDib(32, 32, 4, 1);
    // Group 1 names image 9, which the file lacks.
    std::vector<uint8_t> pe =
        test::MakePe({{14, 1, {}, test::MakeGroup({a, a}, {1, 9})}, {3, 1, {}, a}});
    int kind = 0;
    std::vector<StoredGroup> groups;
    ASSERT_EQ(ReadStoredIcons(dir.Write("m.dll", pe), ReadDepth::Whole, &kind, &groups),
              LibStatus::Ok);
    ASSERT_EQ(groups[0].images.size(), 2u);
    EXPECT_TRUE(groups[0].images[0].problem.empty());
    EXPECT_EQ(groups[0].images[1].problem, "no icon resource with ID 9");
    EXPECT_EQ(Parse(BuildStoredIconFile(groups[0])).size(), 1u);

    // An icon file whose second image lies past its end; more entries than the Librarian's 20.
    std::vector<std::vector<uint8_t>> blocks(25, MakeDib(16, 16, 1, 3));
    std::vector<uint8_t> ico = test::MakeIco(blocks);
    StoreLE32(ico.data() + 6 + 16 + 12, static_cast<uint32_t>(ico.size() - 8));
    ASSERT_EQ(ReadStoredIcons(dir.Write("i.ico", ico), ReadDepth::Whole, &kind, &groups),
              LibStatus::Ok);
    EXPECT_EQ(kind, kKindIconFile);
    ASSERT_EQ(groups[0].images.size(), 25u);
    EXPECT_EQ(groups[0].images[1].problem, "the image lies beyond the end of the file");
    EXPECT_EQ(Parse(BuildStoredIconFile(groups[0])).size(), 24u);

    // A directory cut short keeps the entries it holds and says so.
    ico.resize(6 + 16 * 3);
    ASSERT_EQ(ReadStoredIcons(dir.Write("cut.ico", ico), ReadDepth::Whole, &kind, &groups),
              LibStatus::Ok);
    EXPECT_EQ(groups[0].problem, "the directory promises 25 images but holds only 3");
    EXPECT_EQ(ReadStoredIcons(dir.File("none.ico"), ReadDepth::Whole, &kind, &groups),
              LibStatus::CannotOpen);
}

TEST(StoredIcons, HostileHeadersAreUnreadableNotShownAsTheyAre) {
    std::vector<uint8_t> dib = MakeDib(32, 32, 4, 1);
    EXPECT_EQ(BlockText(DescribeBlock(dib)), "32×32, 16 colors");
    std::vector<uint8_t> noHeight = dib;
    StoreLE32(noHeight.data() + 8, 0);
    EXPECT_EQ(BlockText(DescribeBlock(noHeight)), "unreadable header");
    std::vector<uint8_t> threeBits = dib;
    StoreLE16(threeBits.data() + 14, 3);
    EXPECT_EQ(BlockText(DescribeBlock(threeBits)), "unreadable header");
    std::vector<uint8_t> badPng = MakePng(0, 16, 100);
    EXPECT_EQ(DescribeBlock(badPng).kind, BlockKind::Png);
    EXPECT_EQ(BlockText(DescribeBlock(badPng)), "unreadable header");
    EXPECT_EQ(BlockText(DescribeBlock(std::vector<uint8_t>(10, 0))), "unreadable header");
    EXPECT_EQ(BlockText(DescribeBlock(MakeDib(48, 48, 24))), "48×48, True Color");
}

TEST(JsonText, UntrustedBytesAlwaysMakeValidJson) {
    EXPECT_EQ(JsonString("plain"), "\"plain\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\x01\n\t\x7f", 4)), "\"\\u0001\\n\\t\\u007f\"");
    EXPECT_EQ(JsonString(std::string("\0x", 2)), "\"\\u0000x\"");
    EXPECT_EQ(JsonString("caf\xc3\xa9 \xe2\x82\xac"), "\"caf\xc3\xa9 \xe2\x82\xac\"");
    // Bytes outside valid UTF-8 read as Latin-1: a lone byte, an overlong form, a surrogate.
    EXPECT_EQ(JsonString("\xff"), "\"\\u00ff\"");
    EXPECT_EQ(JsonString("\xc0\xaf"), "\"\\u00c0\\u00af\"");
    EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");
    EXPECT_EQ(JsonString("\xe2\x82"), "\"\\u00e2\\u0082\"");  // cut short
}

}  // namespace
}  // namespace vt
