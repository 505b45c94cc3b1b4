#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "librarian/icon_groups.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"

namespace vt {
namespace {

using test::MakeDib;
using test::MakeGroup;
using test::MakePe;
using test::PeResource;

PeResource Group(uint32_t id, std::vector<std::vector<uint8_t>> blocks, std::vector<uint16_t> ids,
                 std::u16string name = {}) {
    return {14, id, std::move(name), MakeGroup(blocks, ids)};
}
PeResource Image(uint32_t id, std::vector<uint8_t> block) {
    return {3, id, {}, std::move(block)};
}

class ModuleReaderTest : public ::testing::Test {
  protected:
    LibStatus Read(const std::vector<uint8_t>& bytes, const std::string& name = "prog.exe") {
        path = dir.Write(name, bytes);
        ReadOptions o;
        o.kind = kKindProgram;
        o.prompt = &prompt;
        return ReadModuleIcons(ws, path, true, o);
    }
    std::string Name(size_t i) const { return Workspace::ShownName(ws.icons()[i]); }

    test::TempFolder dir;
    std::string path;
    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(ModuleReaderTest, PeGroupsAndImagesLinkByNumberInDirectoryOrder) {
    auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 4, 2), c = MakeDib(32, 32, 8, 3);
    ASSERT_EQ(Read(MakePe({Group(1, {a, b}, {1, 2}), Group(7, {c}, {3}), Image(1, a), Image(2, b),
                           Image(3, c)})),
              LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(Name(0), "prog 001");
    EXPECT_EQ(Name(1), "prog 002");
    EXPECT_EQ(ws.icons()[1].resourceId, 7u);
    EXPECT_EQ(ws.icons()[0].imageCount, 2);
    ASSERT_EQ(ws.images().size(), 3u);
    std::vector<uint8_t> block;
    auto f = ws.FormatsOf(1);
    ASSERT_EQ(f.size(), 1u);
    ASSERT_TRUE(ws.ReadImageOf(ws.formats()[f[0]], &block));
    EXPECT_EQ(block, c);
    EXPECT_EQ(ws.images()[2].colorCode, 256);
    EXPECT_EQ(ws.tallies().size(), 3u);
    EXPECT_TRUE(prompt.texts().empty());
}

TEST_F(ModuleReaderTest, Pe32PlusResourceDirectoryIsFound) {
    auto a = MakeDib(32, 32, 24);
    ASSERT_EQ(Read(MakePe({Group(1, {a}, {1}), Image(1, a)}, /*plus=*/true)), LibStatus::Ok);
    EXPECT_EQ(ws.images().size(), 1u);
}

TEST_F(ModuleReaderTest, ResourcesAreFoundThroughTheDirectoryAddressNotTheSectionName) {
    auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 8, 2);
    auto resources = {Group(1, {a, b}, {1, 2}), Image(1, a), Image(2, b)};
    // Linkers merge resources into other sections, and the directory need not open the section.
    for (test::PeLayout layout :
         {test::PeLayout{false, ".text", 0}, test::PeLayout{false, ".rsrc", 0x130},
          test::PeLayout{true, ".data", 0x800}}) {
        SCOPED_TRACE(layout.sectionName);
        ASSERT_EQ(Read(MakePe(resources, layout)), LibStatus::Ok);
        ASSERT_EQ(ws.icons().size(), 1u);
        auto own = ws.FormatsOf(0);
        ASSERT_EQ(own.size(), 2u);
        std::vector<uint8_t> block;
        ASSERT_TRUE(ws.ReadImageOf(ws.formats()[own[1]], &block));
        EXPECT_EQ(block, b);
    }
}

TEST_F(ModuleReaderTest, NoResourceDirectoryHoldsNoIconsAndAnAddressOutsideEverySectionFails) {
    auto a = MakeDib(16, 16, 4);
    const auto pe = MakePe({Group(1, {a}, {1}), Image(1, a)});
    // The resource data directory of a PE32 header: 136 bytes after the signature at 64.
    constexpr size_t kDirectoryField = 64 + 136;
    ASSERT_EQ(LoadLE32(&pe[kDirectoryField]), 0x3000u);
    auto none = pe;
    StoreLE32(&none[kDirectoryField], 0);
    EXPECT_EQ(Read(none), LibStatus::NoIcons);

    auto outside = pe;
    StoreLE32(&outside[kDirectoryField], 0x900000);
    EXPECT_EQ(Read(outside), LibStatus::ReadError);
    // The group's data entry (root 32 bytes, two type directories of 24, two language directories
    // of 24) pointing past the section.
    auto data = pe;
    constexpr size_t kGroupData = 0x400 + 32 + 48 + 48;
    ASSERT_EQ(LoadLE32(&data[kGroupData + 4]), 6u + 14u);  // the group's size
    StoreLE32(&data[kGroupData], 0x3000 + 0x10000);
    EXPECT_EQ(Read(data), LibStatus::ReadError);
    EXPECT_TRUE(prompt.texts().empty());
}

TEST_F(ModuleReaderTest, NamedGroupsOfUpTo15CharactersShowTheirName) {
    auto a = MakeDib(16, 16, 1);
    ASSERT_EQ(Read(MakePe({Group(0, {a}, {1}, u"FIFTEEN_CHARS_X"),
                           Group(0, {a}, {2}, u"SIXTEEN_CHARS_XY"), Image(1, a), Image(2, a)})),
              LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(Name(0), "FIFTEEN_CHARS_X");
    EXPECT_STREQ(ws.icons()[0].resourceName, "FIFTEEN_CHARS_X");
    EXPECT_EQ(ws.icons()[0].resourceId, 0u);
    EXPECT_EQ(Name(1), "prog 002");
    EXPECT_STREQ(ws.icons()[1].resourceName, "");
}

TEST_F(ModuleReaderTest, FilesWithoutIconsOpenWithNothing) {
    EXPECT_EQ(Read(MakePe({Image(1, MakeDib(16, 16, 4))})), LibStatus::NoIcons);
    EXPECT_EQ(Read(MakePe({{6, 1, {}, std::vector<uint8_t>(64, 'x')}})), LibStatus::NoIcons);
    // A group whose images are missing yields no icon either.
    EXPECT_EQ(Read(MakePe({Group(1, {MakeDib(16, 16, 4)}, {5})})), LibStatus::NoIcons);
    EXPECT_TRUE(ws.icons().empty());
}

TEST_F(ModuleReaderTest, AGroupOf21FormatsFailsTheWholeFile) {
    std::vector<std::vector<uint8_t>> blocks;
    std::vector<PeResource> res;
    std::vector<uint16_t> ids;
    for (uint16_t i = 1; i <= 21; ++i) blocks.push_back(MakeDib(16, 16, 1)), ids.push_back(i);
    res.push_back(Group(1, blocks, ids));
    for (uint16_t i = 1; i <= 21; ++i) res.push_back(Image(i, blocks[0]));
    EXPECT_EQ(Read(MakePe(res)), LibStatus::ReadError);
    // Twenty still fit.
    blocks.pop_back(), ids.pop_back(), res.erase(res.begin()), res.pop_back();
    res.insert(res.begin(), Group(1, blocks, ids));
    EXPECT_EQ(Read(MakePe(res)), LibStatus::Ok);
    EXPECT_EQ(ws.icons()[0].imageCount, 20);
}

TEST_F(ModuleReaderTest, PngAndOversizedImagesAreLeftOutNotTheFile) {
    auto small = MakeDib(32, 32, 4);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(300, 0);
    auto big = MakeDib(128, 128, 32);  // 65,536 bytes of colour alone
    ASSERT_EQ(Read(MakePe({Group(1, {small, png, big}, {1, 2, 3}), Image(1, small), Image(2, png),
                           Image(3, big)})),
              LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 1u);
    EXPECT_EQ(ws.icons()[0].imageCount, 1);
    EXPECT_EQ(ws.FormatsOf(0).size(), 1u);
    EXPECT_EQ(ws.images().size(), 1u);
}

TEST_F(ModuleReaderTest, AnImageThatIsNeitherDibNorPngFailsAndRestoresTheWorkspace) {
    auto a = MakeDib(16, 16, 4);
    ASSERT_EQ(Read(MakePe({Group(1, {a}, {1}), Image(1, a)}, false)), LibStatus::Ok);
    auto bad = a;
    bad[0] = 41;
    std::string second =
        dir.Write("bad.dll", MakePe({Group(1, {a, a}, {1, 2}), Image(1, a), Image(2, bad)}));
    const auto before = ws.Save();
    EXPECT_EQ(ReadModuleIcons(ws, second, false), LibStatus::ReadError);
    EXPECT_EQ(ws.icons().size(), before.icons);
    EXPECT_EQ(ws.formats().size(), before.formats);
    EXPECT_EQ(ws.images().size(), before.images);
    EXPECT_EQ(ws.nextSerial(), before.nextSerial);
    EXPECT_EQ(ws.tallies().size(), before.tallies.size());
    EXPECT_EQ(ws.icons()[0].next, 0u);
}

TEST_F(ModuleReaderTest, DataEntryWhereADirectoryBelongsShowsTheCascadeMessage) {
    auto a = MakeDib(16, 16, 4);
    auto pe = MakePe({Group(1, {a}, {1}), Image(1, a)});
    // Clear the subdirectory bit of the root's group entry.
    size_t root = 0x400;
    pe[root + 16 + 7] &= 0x7F;
    EXPECT_EQ(Read(pe), LibStatus::Cascade);
    ASSERT_EQ(prompt.texts().size(), 1u);
    EXPECT_NE(prompt.texts()[0].find("exceeds the cascade limits of Vantoro"), std::string::npos);
    EXPECT_NE(prompt.texts()[0].find("Filename=" + path), std::string::npos);
}

TEST_F(ModuleReaderTest, AnImageLinksToTheFirstEntryThatNamesItOnly) {
    auto a = MakeDib(16, 16, 4);
    ASSERT_EQ(Read(MakePe({Group(1, {a}, {1}), Group(2, {a, a}, {1, 1}), Image(1, a)})),
              LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 2u);
    EXPECT_EQ(ws.icons()[0].imageCount, 1);
    EXPECT_EQ(ws.icons()[1].imageCount, 0);
    EXPECT_EQ(ws.formats().size(), 1u);
}

TEST_F(ModuleReaderTest, FilesThatAreNotModulesFailToRead) {
    EXPECT_EQ(Read(std::vector<uint8_t>(600, 'M')), LibStatus::ReadError);
    auto pe = MakePe({Group(1, {MakeDib(16, 16, 4)}, {1})});
    pe.resize(200);  // fewer than 440 header bytes
    EXPECT_EQ(Read(pe), LibStatus::ReadError);
    EXPECT_EQ(ReadModuleIcons(ws, dir.File("missing.exe"), true), LibStatus::CannotOpen);
}

TEST_F(ModuleReaderTest, IconGroupsApiListsAndBuildsIconFiles) {
    auto a = MakeDib(32, 32, 4, 5), b = MakeDib(16, 16, 8, 6);
    path = dir.Write("shell.dll", MakePe({Group(3, {a, b}, {1, 2}), Group(0, {b}, {3}, u"APP"),
                                          Image(1, a), Image(2, b), Image(3, b)}));
    std::vector<IconGroupInfo> groups;
    ASSERT_EQ(ListIconGroups(path, &groups), LibStatus::Ok);
    ASSERT_EQ(groups.size(), 2u);
    // Named entries come first in a PE directory.
    EXPECT_EQ(groups[0].resourceName, "APP");
    EXPECT_EQ(groups[0].resourceId, 0u);
    EXPECT_EQ(groups[1].resourceId, 3u);
    EXPECT_EQ(groups[1].formatCount, 2u);
    std::vector<uint8_t> ico;
    ASSERT_EQ(BuildIconFileOfGroup(path, 1, &ico), LibStatus::Ok);
    EXPECT_EQ(ico, test::MakeIco({a, b}));
    EXPECT_EQ(BuildIconFileOfGroup(path, 2, &ico), LibStatus::Refused);
    EXPECT_EQ(ListIconGroups(dir.Write("t.txt", {'h', 'i'}), &groups), LibStatus::NotRecognised);
}

}  // namespace
}  // namespace vt
