#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "librarian/exchange_blocks.h"
#include "librarian/librarian_testutil.h"
#include "librarian/staging.h"

namespace vt {
namespace {

using test::MakeDib;
constexpr uint16_t kFormat = 0xC0DE;

TEST(ExchangeBlocks, EditIconBlockLayoutAndRoundTrip) {
    EditIconBlock b;
    b.width = 32, b.height = 32, b.colorCode = 16, b.programFile = true;
    b.images = {MakeDib(32, 32, 4), MakeDib(16, 16, 1)};
    b.name = "Folder 001";
    auto bytes = BuildEditIconBlock(kFormat, b);
    ASSERT_EQ(bytes.size(), 282 + b.images[0].size() + 4 + b.images[1].size() + 4);
    EXPECT_EQ(LoadLE16(&bytes[0]), 0x9000);
    EXPECT_EQ(LoadLE16(&bytes[2]), kFormat);
    EXPECT_EQ(LoadLE32(&bytes[16]), 0x10002u);
    EXPECT_EQ(LoadLE32(&bytes[20]), b.images[0].size());
    auto back = ParseEditIconBlock(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->images, b.images);
    EXPECT_EQ(back->name, "Folder 001");
    EXPECT_TRUE(back->programFile);
    EXPECT_EQ(back->colorCode, 16u);
}

TEST(ExchangeBlocks, UpdateAndDraggedBlocksRoundTrip) {
    ImageBlocks images = {MakeDib(48, 48, 24)};
    auto update = BuildIconUpdateBlock(kFormat, images);
    EXPECT_EQ(LoadLE16(&update[0]), 0x2000);
    EXPECT_EQ(update.size(), 8 + 4 + images[0].size());
    EXPECT_EQ(ParseIconUpdateBlock(update), images);

    DraggedIconsBlock d;
    d.x = -5, d.y = 700;
    d.icons = {{{MakeDib(32, 32, 4), MakeDib(16, 16, 4)}, "one"},
               {{MakeDib(32, 32, 8)}, std::string(60, 'n')}};
    auto bytes = BuildDraggedIconsBlock(kFormat, d);
    size_t images3 = 0;
    for (const auto& icon : d.icons)
        for (const auto& i : icon.images) images3 += i.size() + 4;
    EXPECT_EQ(bytes.size(), 18 + 54 * 2 + images3);
    auto back = ParseDraggedIconsBlock(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, -5);
    ASSERT_EQ(back->icons.size(), 2u);
    EXPECT_EQ(back->icons[0].images, d.icons[0].images);
    EXPECT_EQ(back->icons[1].name, std::string(49, 'n'));  // 50 bytes with the terminator
}

TEST(ExchangeBlocks, FileNamesBlock) {
    FileNamesBlock f;
    f.x = 1, f.y = 2, f.askWhenNotEmpty = true;
    f.names = {"C:\\icons\\a.ico", "D:\\b.dll"};
    auto bytes = BuildFileNamesBlock(kFormat, f);
    EXPECT_EQ(LoadLE32(&bytes[20]), 2u);
    auto back = ParseFileNamesBlock(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->names, f.names);
    EXPECT_TRUE(back->askWhenNotEmpty);
    EXPECT_FALSE(back->foldersToSearch);
    bytes.pop_back();  // the last name loses its terminator
    EXPECT_FALSE(ParseFileNamesBlock(bytes));
}

TEST(ExchangeBlocks, EveryLengthIsCheckedAgainstTheBlock) {
    ImageBlocks images = {MakeDib(16, 16, 4)};
    auto update = BuildIconUpdateBlock(kFormat, images);
    for (size_t cut = 0; cut < update.size(); cut += 7)
        EXPECT_FALSE(ParseIconUpdateBlock(std::span<const uint8_t>(update.data(), cut))) << cut;
    auto huge = update;
    StoreLE32(&huge[4], 0xFFFFFFFF);
    EXPECT_FALSE(ParseIconUpdateBlock(huge));
    StoreLE32(&huge[4], 1);
    StoreLE32(&huge[8], 0xFFFFFFF0);
    EXPECT_FALSE(ParseIconUpdateBlock(huge));
    auto notImage = update;
    notImage[12] = 41;
    EXPECT_FALSE(ParseIconUpdateBlock(notImage));

    DraggedIconsBlock d;
    d.icons = {{images, "x"}};
    auto dragged = BuildDraggedIconsBlock(kFormat, d);
    StoreLE32(&dragged[12], 0x7FFFFFFF);
    EXPECT_FALSE(ParseDraggedIconsBlock(dragged));
    EXPECT_FALSE(ParseEditIconBlock(std::vector<uint8_t>(19, 0)));
}

TEST(ExchangeBlocks, EditBlockFromTheWorkspaceAndTheStagingFile) {
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    auto a = MakeDib(32, 32, 4), b = MakeDib(16, 16, 4);
    ws.AddImage(a, -1);
    ws.AddImage(b, 0);
    EditIconBlock block;
    ASSERT_EQ(MakeEditIconBlock(ws, 0, "last", &block), LibStatus::Ok);
    EXPECT_EQ(block.images, (ImageBlocks{a, b}));
    EXPECT_EQ(block.width, 32u);
    EXPECT_FALSE(block.programFile);

    test::TempFolder dir;
    ScriptedPrompt prompt;
    std::string folder;
    ASSERT_EQ(WriteStagingFile(ws, 0, dir.path(), prompt, &folder), LibStatus::Ok);
    EXPECT_EQ(folder, dir.path() + "/Installed System Icons");
    EXPECT_EQ(test::ReadAll(folder + "/stage.ico"), test::MakeIco({a, b}));
    // A second install overwrites the same file.
    ws.AddImage(MakeDib(48, 48, 4), -1);
    ASSERT_EQ(WriteStagingFile(ws, 1, dir.path(), prompt, &folder), LibStatus::Ok);
    EXPECT_EQ(test::ReadAll(folder + "/stage.ico"), test::MakeIco({MakeDib(48, 48, 4)}));
    // A Windows folder that cannot hold the staging folder.
    std::string file = dir.Write("plainfile", {1});
    EXPECT_NE(WriteStagingFile(ws, 0, file, prompt, &folder), LibStatus::Ok);
    EXPECT_EQ(
        prompt.texts(),
        (std::vector<std::string>{"Error detected attempting to write icon to staging file."}));
}

}  // namespace
}  // namespace vt
