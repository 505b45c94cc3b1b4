#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "librarian/library_writer.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"
#include "librarian/save_flow.h"

namespace vt {
namespace {

using test::MakeDib;

class LibraryWriterTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(ws.New(), LibStatus::Ok); }
    // Writes the workspace as a library; the bytes, or empty when nothing was committed.
    std::vector<uint8_t> Write(long* result = nullptr) {
        path = dir.File("lib.icl");
        TempFileWriter out;
        EXPECT_TRUE(out.Open(path, "ICM"));
        long n = WriteLibrary(ws, out, prompt);
        if (result) *result = n;
        if (n <= 0 || !out.Commit()) return {};
        return test::ReadAll(path);
    }
    void ReadBack(Workspace* into, Prompt* p = nullptr) {
        ReadOptions o;
        o.kind = kKindLibrary;
        o.prompt = p;
        ASSERT_EQ(ReadModuleIcons(*into, path, true, o), LibStatus::Ok);
    }

    test::TempFolder dir;
    std::string path;
    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(LibraryWriterTest, OneIconWithOneImageHasShiftOneAndNamesAt108) {
    auto block = MakeDib(32, 32, 4);
    ws.AddImage(block, -1);
    ws.Rename(0, "solo");
    auto bytes = Write();
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], 'M');
    EXPECT_EQ(bytes[126], 'K');
    EXPECT_EQ(bytes[127], 'V');
    EXPECT_EQ(LoadLE32(&bytes[60]), 128u);
    EXPECT_EQ(bytes[128], 'N');
    EXPECT_EQ(LoadLE16(&bytes[128 + 0x22]), 64);
    EXPECT_EQ(LoadLE16(&bytes[128 + 0x24]), 64);
    EXPECT_EQ(LoadLE16(&bytes[128 + 0x26]), 108);
    EXPECT_EQ(bytes[182], 2);
    EXPECT_EQ(bytes[128 + 0x3F], 3);
    EXPECT_EQ(LoadLE16(&bytes[192]), 1);  // S
    EXPECT_EQ(LoadLE16(&bytes[194]), 0x800E);
    EXPECT_EQ(LoadLE16(&bytes[202 + 6]), 0x8001);
    // Resident names: 03 "ICL", 04 "solo", 0.
    const uint8_t names[] = {3, 'I', 'C', 'L', 4, 's', 'o', 'l', 'o', 0};
    EXPECT_TRUE(std::equal(std::begin(names), std::end(names), bytes.begin() + 128 + 108));
    // First data unit: ⌊(2 + 40 + 3) / 2⌋ + ⌊(9 + 2) / 2⌋ + 96 = 22 + 5 + 96 = 123.
    EXPECT_EQ(LoadLE16(&bytes[202]), 123);
    EXPECT_EQ(LoadLE16(&bytes[222]), 123 + 10);  // the image after the 20-byte group
    size_t image = 133 * 2;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin() + static_cast<long>(image)));
    EXPECT_EQ(bytes.size(), image + block.size() + 2);
}

TEST_F(LibraryWriterTest, AlignmentShiftFollowsTheSizes) {
    EXPECT_EQ(LibraryAlignmentShift(0, 4, 1, 1), 1);
    // c just below 98,303 rounds to k = 1; from there k = 2 needs two bits.
    EXPECT_EQ(LibraryAlignmentShift(98302 - 1106 - 5 - 14 - 30, 4, 1, 1), 1);
    EXPECT_EQ(LibraryAlignmentShift(98303 - 1106 - 5 - 14 - 30, 4, 1, 1), 2);
    EXPECT_EQ(LibraryAlignmentShift(229372 - 1106 - 5 - 14 - 30, 4, 1, 1), 2);
    EXPECT_EQ(LibraryAlignmentShift(229373 - 1106 - 5 - 14 - 30, 4, 1, 1), 3);
}

TEST_F(LibraryWriterTest, ResourceTableOf65466BytesSavesAnd65467IsRefused) {
    // R = 16 + 12 × (icons + images): 5,454 records give 65,464; two more bytes cannot come from
    // whole records, so the limit is checked on both sides of the message's arithmetic.
    EXPECT_EQ(TooManyResourcesMessage(65467),
              "Cannot save this many resources into a New Executable (NE) format library file.  "
              "The resource "
              "table is currently 65467 bytes - it must be reduced by 1 bytes before it can be "
              "saved as a library.");
    auto block = MakeDib(16, 16, 1);
    // 2,727 icons of one image: R = 16 + 12 × 5,454 = 65,464 still saves.
    for (int i = 0; i < 2727; ++i) ws.AddImage(block, -1);
    long n = 0;
    EXPECT_FALSE(Write(&n).empty());
    EXPECT_EQ(n, 2727);
    // One more image makes 65,476: refused with the message, nothing written.
    ws.AddImage(block, 0);
    EXPECT_TRUE(Write(&n).empty());
    EXPECT_EQ(n, -1);
    ASSERT_EQ(prompt.texts().size(), 1u);
    EXPECT_EQ(prompt.texts()[0], TooManyResourcesMessage(65476));
    // No temporary file is left beside the library, and the library is the one saved before.
    EXPECT_EQ(test::ListFolder(dir.path()), std::vector<std::string>{"lib.icl"});
}

TEST_F(LibraryWriterTest, RefusedAndFailedSavesLeaveTheTargetAndTheWorkspaceAsTheyWere) {
    auto block = MakeDib(16, 16, 1);
    ws.AddImage(block, -1);
    SaveState state;
    ASSERT_EQ(SaveWorkspaceAs(ws, state, dir.File("lib.icl"), prompt), LibStatus::Ok);
    const std::vector<uint8_t> saved = test::ReadAll(state.path);
    const SaveState savedState = state;
    ASSERT_FALSE(saved.empty());

    // Too many resources: 2,727 icons and one more image make R = 65,476.
    for (int i = 1; i < 2727; ++i) ws.AddImage(block, -1);
    ws.AddImage(block, 0);
    auto expectUntouched = [&](const std::string& before) {
        EXPECT_EQ(test::ReadAll(savedState.path), saved);
        EXPECT_EQ(test::ListFolder(dir.path()), std::vector<std::string>{"lib.icl"});
        EXPECT_EQ(test::DescribeWorkspace(ws), before);
        EXPECT_EQ(state.path, savedState.path);
        EXPECT_EQ(ws.mode(), kModeLibrary);
        EXPECT_TRUE(ws.modified());
    };
    std::string before = test::DescribeWorkspace(ws);
    prompt.Clear();
    EXPECT_EQ(SaveWorkspaceAs(ws, state, state.path, prompt), LibStatus::TooManyResources);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{TooManyResourcesMessage(65476)});
    expectUntouched(before);

    // A block that cannot be read back whole fails the write half-way.
    ws.RemoveIcon(5);
    ws.SetModified(true);
    const uint8_t notAnImage[4] = {41, 0, 0, 0};
    ASSERT_TRUE(ws.WriteBlockAt(ws.images().back().workspaceOffset, notAnImage));
    before = test::DescribeWorkspace(ws);
    prompt.Clear();
    bool needsName = false;
    EXPECT_EQ(SaveWorkspace(ws, state, prompt, &needsName), LibStatus::WriteError);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{kSaveIncomplete});
    expectUntouched(before);
}

TEST_F(LibraryWriterTest, RoundTripKeepsNamesOrderFormatsAndBytes) {
    auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 8, 2), c = MakeDib(48, 48, 24, 3),
         d = MakeDib(32, 32, 1, 4);
    ws.AddImage(a, -1);
    ws.AddImage(b, 0);
    ws.AddImage(c, -1);
    ws.AddImage(d, -1);
    ws.Rename(0, std::string(50, 'N'));
    Workspace::SetDisplayName(&ws.icons()[1], "");  // an empty name is stored as 01 03
    ws.Rename(2, "third");
    auto bytes = Write();
    ASSERT_FALSE(bytes.empty());
    const uint8_t untitled[] = {1, 3};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), std::begin(untitled), std::end(untitled)),
              bytes.end());

    Workspace back;
    ReadBack(&back);
    ASSERT_EQ(back.icons().size(), 3u);
    EXPECT_EQ(Workspace::ShownName(back.icons()[0]), std::string(50, 'N'));
    EXPECT_EQ(Workspace::ShownName(back.icons()[1]), "(untitled)");
    EXPECT_EQ(Workspace::ShownName(back.icons()[2]), "third");
    std::vector<std::vector<uint8_t>> expected[] = {{a, b}, {c}, {d}};
    for (size_t i = 0; i < 3; ++i) {
        auto own = back.FormatsOf(i);
        ASSERT_EQ(own.size(), expected[i].size());
        for (size_t k = 0; k < own.size(); ++k) {
            std::vector<uint8_t> block;
            ASSERT_TRUE(back.ReadImageOf(back.formats()[own[k]], &block));
            EXPECT_EQ(block, expected[i][k]);
            EXPECT_EQ(back.formats()[own[k]].bytesInResource, block.size());
        }
    }
    // Group image numbers run 1, 2, 3, 4 across icons, as the image IDs 0x8001 …
    EXPECT_EQ(back.images().size(), 4u);
    EXPECT_EQ(back.images()[0].resourceId, 1);
    EXPECT_EQ(back.images()[3].resourceId, 4);
    EXPECT_TRUE(prompt.texts().empty());

    // Written again, the read-back workspace gives a file of the same layout.
    std::vector<uint8_t> again;
    {
        std::string second = dir.File("again.icl");
        TempFileWriter out;
        ASSERT_TRUE(out.Open(second, "ICM"));
        ASSERT_EQ(WriteLibrary(back, out, prompt), 3);
        ASSERT_TRUE(out.Commit());
        again = test::ReadAll(second);
    }
    Workspace::SetDisplayName(&ws.icons()[1], kUntitledName);
    EXPECT_EQ(again.size(), Write().size());
}

TEST_F(LibraryWriterTest, AfterADeleteTheLibraryComesBackInDisplayOrder) {
    // Deleting the second of five moves the last record into its place in the table, while the
    // window still shows 1, 3, 4, 5.
    for (int i = 1; i <= 5; ++i) {
        long at = ws.AddImage(MakeDib(16 + 8 * i, 16 + 8 * i, 4), -1);
        ws.Rename(static_cast<size_t>(at), "icon " + std::to_string(i));
    }
    ws.SelectOne(1);
    prompt.Answer(PromptAnswer::Yes);
    ASSERT_EQ(ws.DeleteSelection(prompt), LibStatus::Ok);
    ASSERT_EQ(Workspace::ShownName(ws.icons()[1]), "icon 5");
    ASSERT_FALSE(Write().empty());

    Workspace back;
    ReadBack(&back);
    std::vector<std::string> names;
    for (size_t i : back.DisplayOrder()) {
        names.push_back(Workspace::ShownName(back.icons()[i]));
        std::vector<uint8_t> block;
        ASSERT_TRUE(back.ReadImageOf(back.formats()[back.FormatsOf(i).at(0)], &block));
        EXPECT_EQ(LoadLE32(block.data() + 4), 16 + 8 * static_cast<uint32_t>(names.back()[5] - '0'))
            << "the image stays with its name";
    }
    EXPECT_EQ(names, (std::vector<std::string>{"icon 1", "icon 3", "icon 4", "icon 5"}));
}

TEST_F(LibraryWriterTest, LargeWorkspacesUseWiderUnitsAndStillReadBack) {
    // About 2.3 MB of images: 64-byte units, and every offset still lands where the reader looks.
    for (int i = 0; i < 180; ++i) ws.AddImage(MakeDib(64, 64, 24, static_cast<uint8_t>(i)), -1);
    auto bytes = Write();
    ASSERT_FALSE(bytes.empty());
    EXPECT_GE(LoadLE16(&bytes[192]), 5);
    Workspace back;
    ReadBack(&back);
    ASSERT_EQ(back.icons().size(), 180u);
    std::vector<uint8_t> block;
    ASSERT_TRUE(back.ReadImageOf(back.formats()[back.FormatsOf(179)[0]], &block));
    EXPECT_EQ(block, MakeDib(64, 64, 24, 179));
}

TEST_F(LibraryWriterTest, ZeroTargetSystemIsCorrectedOnlyOnYes) {
    ws.AddImage(MakeDib(16, 16, 4), -1);
    auto bytes = Write();
    ASSERT_FALSE(bytes.empty());
    bytes[182] = 0;
    path = dir.Write("old.icl", bytes);

    ScriptedPrompt no;
    no.Answer(PromptAnswer::No);
    Workspace a;
    ReadBack(&a, &no);
    ASSERT_EQ(no.texts().size(), 1u);
    EXPECT_EQ(no.texts()[0], kHeaderCorrectionQuestion);
    EXPECT_EQ(test::ReadAll(path), bytes);

    // No question while searching or for program files.
    ScriptedPrompt silent;
    ReadOptions o;
    o.kind = kKindProgram;
    o.prompt = &silent;
    Workspace b;
    ASSERT_EQ(ReadModuleIcons(b, path, true, o), LibStatus::Ok);
    o.kind = kKindLibrary;
    o.searching = true;
    ASSERT_EQ(ReadModuleIcons(b, path, true, o), LibStatus::Ok);
    EXPECT_TRUE(silent.texts().empty());

    ScriptedPrompt yes;
    yes.Answer(PromptAnswer::Yes);
    Workspace c;
    ReadBack(&c, &yes);
    auto fixed = test::ReadAll(path);
    bytes[182] = 2;
    EXPECT_EQ(fixed, bytes);
}

TEST_F(LibraryWriterTest, NeFilesWithoutTheIclNameTableGetNumberedNames) {
    ws.AddImage(MakeDib(16, 16, 4), -1);
    ws.AddImage(MakeDib(16, 16, 4), -1);
    auto bytes = Write();
    ASSERT_FALSE(bytes.empty());
    size_t names = 128 + LoadLE16(&bytes[128 + 0x26]);
    bytes[names + 1] = 'X';  // module name "XCL"
    path = dir.Write("a rather long program name.exe", bytes);
    Workspace back;
    ReadBack(&back);
    EXPECT_EQ(Workspace::ShownName(back.icons()[0]), "a rather long progra 001");
    EXPECT_EQ(Workspace::ShownName(back.icons()[1]), "a rather long progra 002");
}

}  // namespace
}  // namespace vt
