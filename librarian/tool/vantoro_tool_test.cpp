// The command-line tool as scripts use it: outputs, files and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "animator/ani_testutil.h"
#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"
#include "librarian/stored_icons.h"

namespace vt {
namespace {

using test::MakeDib;

std::string Tool() {
    const char* bin = std::getenv("VT_BIN_DIR");
    return std::string(bin ? bin : "bin") + "/vantoro";
}

// Runs the tool; returns its exit code, with standard output (and error) in *out.
int Vantoro(const std::string& args, std::string* out = nullptr) {
    std::string text;
    FILE* p = popen((Tool() + " " + args + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    int status = pclose(p);
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class VantoroToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(Tool())) << Tool();
        a = MakeDib(32, 32, 4, 1);
        b = MakeDib(16, 16, 8, 2);
        ico = dir.Write("single.ico", test::MakeIco({a, b}));
        dll = dir.Write("two.dll", test::MakePe({{14, 5, {}, test::MakeGroup({a}, {1})},
                                                 {14, 0, u"APP", test::MakeGroup({b}, {2})},
                                                 {3, 1, {}, a},
                                                 {3, 2, {}, b}}));
    }
    test::TempFolder dir;
    std::vector<uint8_t> a, b;
    std::string ico, dll;
};

TEST_F(VantoroToolTest, UsageAndHelp) {
    std::string out;
    EXPECT_EQ(Vantoro("", &out), 2);
    EXPECT_NE(out.find("usage: vantoro"), std::string::npos);
    EXPECT_EQ(Vantoro("--help", &out), 0);
    EXPECT_EQ(Vantoro("frobnicate", &out), 2);
    EXPECT_NE(out.find("unknown command: frobnicate"), std::string::npos);
    EXPECT_EQ(Vantoro("extract " + ico, &out), 2);
    EXPECT_EQ(Vantoro("search " + dir.path() + " --type 9", &out), 2);
}

TEST_F(VantoroToolTest, InfoListsKindsIconsAndFormats) {
    std::string out;
    EXPECT_EQ(Vantoro("info " + ico + " " + dll, &out), 0);
    EXPECT_NE(out.find("single.ico: icon file, 1 icon"), std::string::npos) << out;
    EXPECT_NE(out.find("[32×32, 16 colors] [16×16, 256 colors]"), std::string::npos) << out;
    EXPECT_NE(out.find("two.dll: program file, 2 icons"), std::string::npos) << out;
    EXPECT_NE(out.find("name APP"), std::string::npos) << out;
    EXPECT_NE(out.find("id 5"), std::string::npos) << out;
    std::string text = dir.Write("notes.txt", {'h', 'i'});
    EXPECT_EQ(Vantoro("info " + text + " " + dir.File("missing.dll"), &out), 1);
    EXPECT_NE(out.find("not a file type that contains icons"), std::string::npos) << out;
    EXPECT_NE(out.find("cannot open file"), std::string::npos) << out;
}

TEST_F(VantoroToolTest, ExtractWritesOneIconFilePerIcon) {
    std::string out = dir.File("out");
    std::filesystem::create_directory(out);
    EXPECT_EQ(Vantoro("extract " + dll + " " + ico + " -o " + out), 0);
    EXPECT_EQ(test::ReadAll(out + "/two.dll_5.ico"), test::MakeIco({a}));
    EXPECT_EQ(test::ReadAll(out + "/two.dll_APP.ico"), test::MakeIco({b}));
    EXPECT_EQ(test::ReadAll(out + "/single.ico.ico"), test::MakeIco({a, b}));
    EXPECT_EQ(Vantoro("extract " + dll + " -o " + dir.File("nowhere")), 1);
}

TEST_F(VantoroToolTest, LibraryHoldsEveryIconOfTheInputs) {
    std::string lib = dir.File("all.icl");
    std::string out;
    EXPECT_EQ(Vantoro("library " + lib + " " + dll + " " + ico, &out), 0) << out;
    Workspace ws;
    ASSERT_EQ(ReadModuleIcons(ws, lib, true), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 3u);
    // Named groups come first in a PE directory.
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), "APP");
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "two 002");
    EXPECT_EQ(Workspace::ShownName(ws.icons()[2]), "single");
    EXPECT_EQ(ws.FormatsOf(2).size(), 2u);
    // Extracting the 16-bit library gives back the blocks exactly, without the alignment padding
    // its resource table counts.
    std::string back = dir.File("back");
    std::filesystem::create_directory(back);
    EXPECT_EQ(Vantoro("extract " + lib + " -o " + back, &out), 0) << out;
    const std::vector<std::vector<uint8_t>> expected[] = {{b}, {a}, {a, b}};
    for (int id = 1; id <= 3; ++id) {
        std::vector<StoredGroup> groups;
        int kind = 0;
        ASSERT_EQ(ReadStoredIcons(back + "/all.icl_" + std::to_string(id) + ".ico",
                                  ReadDepth::Whole, &kind, &groups),
                  LibStatus::Ok);
        std::vector<std::vector<uint8_t>> blocks;
        for (const StoredImage& image : groups[0].images) blocks.push_back(image.bytes);
        EXPECT_EQ(blocks, expected[id - 1]) << id;
    }
    EXPECT_EQ(Vantoro("library " + dir.File("none.icl") + " " + dir.Write("t.txt", {'x'})), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.icl")));
}

TEST_F(VantoroToolTest, SearchCountsFilesIconsAndImages) {
    std::string out;
    EXPECT_EQ(Vantoro("search " + dir.path() + " -v", &out), 0);
    EXPECT_NE(out.find("Files:  2  Icons:  3  Images:  4"), std::string::npos) << out;
    EXPECT_NE(out.find(dll), std::string::npos) << out;
    EXPECT_EQ(Vantoro("search " + dir.path() + " --type 3", &out), 0);
    EXPECT_NE(out.find("Files:  1  Icons:  1  Images:  2"), std::string::npos) << out;
    EXPECT_EQ(Vantoro("search " + dir.File("missing"), &out), 1);
}

// A PNG stream's start padded to `size` bytes: what the Librarian's workspace leaves out.
std::vector<uint8_t> Png(size_t size) {
    std::vector<uint8_t> p = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I',
                              'H',  'D', 'R', 0,   0,    1,    0,    0,    0, 1, 0, 8,  6};
    p.resize(size, 0x33);
    return p;
}

TEST_F(VantoroToolTest, ExtractIsLosslessAndNamesWhatItLeavesOut) {
    std::vector<uint8_t> png = Png(40000);
    std::string mixed = dir.Write(
        "mixed.dll", test::MakePe({{14, 0, u"IDI_SHELL_RENAME_FOLDER", test::MakeGroup({a}, {1})},
                                   {14, 1, {}, test::MakeGroup({a, png}, {1, 2})},
                                   {14, 3, {}, test::MakeGroup({png}, {2})},
                                   {14, 4, {}, test::MakeGroup({a, b}, {1, 9})},
                                   {14, 6, {}, test::MakeGroup({b}, {8})},
                                   {3, 1, {}, a},
                                   {3, 2, {}, png}}));
    std::string out = dir.File("out"), text;
    std::filesystem::create_directory(out);
    EXPECT_EQ(Vantoro("extract " + mixed + " -o " + out, &text), 1);
    EXPECT_EQ(test::ReadAll(out + "/mixed.dll_IDI_SHELL_RENAME_FOLDER.ico"), test::MakeIco({a}));
    EXPECT_EQ(test::ReadAll(out + "/mixed.dll_1.ico").size(), 6 + 32 + a.size() + png.size());
    std::vector<StoredGroup> groups;
    int kind = 0;
    ASSERT_EQ(ReadStoredIcons(out + "/mixed.dll_3.ico", ReadDepth::Whole, &kind, &groups),
              LibStatus::Ok);
    EXPECT_EQ(groups[0].images[0].bytes, png);
    EXPECT_EQ(test::ReadAll(out + "/mixed.dll_4.ico"), test::MakeIco({a}));
    EXPECT_FALSE(std::filesystem::exists(out + "/mixed.dll_6.ico"));
    EXPECT_NE(text.find("mixed.dll: icon id 4: image 2 (resource 9): no icon resource with ID 9"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("mixed.dll: icon id 6: no image could be taken; no file written"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("4 icon files written"), std::string::npos) << text;

    // A file whose only icon is PNG is extracted whole: nothing left out, status 0.
    std::string pngOnly = dir.Write(
        "png.dll", test::MakePe({{14, 7, {}, test::MakeGroup({png}, {1})}, {3, 1, {}, png}}));
    EXPECT_EQ(Vantoro("extract " + pngOnly + " -o " + out, &text), 0) << text;
    EXPECT_EQ(test::ReadAll(out + "/png.dll_7.ico").size(), 6 + 16 + png.size());

    // By position: the old numbering, one file per group in file order.
    std::string byPosition = dir.File("pos");
    std::filesystem::create_directory(byPosition);
    EXPECT_EQ(Vantoro("extract --names position " + dll + " -o " + byPosition), 0);
    EXPECT_EQ(test::ReadAll(byPosition + "/two.dll_1.ico"), test::MakeIco({b}));  // "APP" first
    EXPECT_EQ(test::ReadAll(byPosition + "/two.dll_2.ico"), test::MakeIco({a}));
    EXPECT_EQ(Vantoro("extract --names nonsense " + dll + " -o " + byPosition), 2);
}

TEST_F(VantoroToolTest, LibrarySkipsIconsLeftWithNoImageAndSaysWhy) {
    std::vector<uint8_t> png = Png(3000);
    std::string pngOnly =
        dir.Write("png.dll", test::MakePe({{14, 7, {}, test::MakeGroup({png}, {1})},
                                           {14, 8, {}, test::MakeGroup({a, png}, {2, 1})},
                                           {3, 1, {}, png},
                                           {3, 2, {}, a}}));
    std::string lib = dir.File("out.icl"), text;
    EXPECT_EQ(Vantoro("library " + lib + " " + pngOnly + " " + ico, &text), 1);
    EXPECT_NE(text.find("png.dll: icon id 7: image 1: PNG-compressed images cannot be kept"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("png.dll: icon id 7: no image an icon library can hold; skipped"),
              std::string::npos)
        << text;
    Workspace ws;
    ASSERT_EQ(ReadModuleIcons(ws, lib, true), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 2u);  // no empty group, and the reading order kept
    EXPECT_EQ(ws.FormatsOf(0).size(), 1u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "single");
}

TEST_F(VantoroToolTest, InfoMarksImagesItCannotShow) {
    std::vector<uint8_t> hostile = a;
    StoreLE32(hostile.data() + 8, 0);  // height 0
    std::string file =
        dir.Write("h.dll", test::MakePe({{14, 1, {}, test::MakeGroup({Png(500), hostile}, {1, 2})},
                                         {3, 1, {}, Png(500)},
                                         {3, 2, {}, hostile}}));
    std::string out;
    EXPECT_EQ(Vantoro("info " + file, &out), 1);
    EXPECT_NE(out.find("[PNG 256×256] [unreadable header]"), std::string::npos) << out;
    EXPECT_EQ(Vantoro("info " + dll, &out), 0);
}

TEST_F(VantoroToolTest, JsonOfHostileNamesParses) {
    // A group name with a quote, a backslash, control characters and an unpaired surrogate, in a
    // file whose own name holds a quote, a backslash, a control byte and a byte that is no UTF-8.
    std::u16string name = u"q\"b\\s\x01\x1f";
    name.push_back(char16_t{0xD800});
    std::string path = dir.Write("we\"ird\\\x02\xff.dll",
                                 test::MakePe({{14, 0, name, test::MakeGroup({a}, {1})},
                                               {14, 3, {}, test::MakeGroup({a, Png(90)}, {1, 2})},
                                               {3, 1, {}, a},
                                               {3, 2, {}, Png(90)}}));
    std::string quoted = "'" + path + "'";
    std::string out;
    EXPECT_EQ(Vantoro("info --json " + quoted + " " + ico + " >" + dir.File("info.json")), 0);
    std::vector<uint8_t> bytes = test::ReadAll(dir.File("info.json"));
    std::string info(bytes.begin(), bytes.end());
    EXPECT_NE(info.find("\"name\": \"q\\\"b\\\\s\\u0001\\u001f\xef\xbf\xbd\""), std::string::npos)
        << info;
    EXPECT_NE(info.find("\"kind\": \"PNG\""), std::string::npos) << info;
    EXPECT_EQ(Vantoro("-h >/dev/null; python3 -m json.tool " + dir.File("info.json") +
                          " >/dev/null && echo parsed",
                      &out),
              0);
    EXPECT_EQ(out, "parsed\n");
    EXPECT_EQ(Vantoro("search " + dir.path() +
                          " -v --json | python3 -c 'import json,sys; d=json."
                          "load(sys.stdin); print(d[\"counts\"][\"icons\"], len(d[\"files\"]))'",
                      &out),
              0);
    EXPECT_EQ(out, "5 3\n");
}

TEST_F(VantoroToolTest, AnimatedCursorInfoAndFramesAsCursorFiles) {
    using namespace vt::testing;
    Bytes ani = AniFile(
        {Chunk("anih", AnihData(2, 3, 7, 3)),
         List("INFO", {Chunk("INAM", {'S', 'p', 'i', 'n', 0}), Chunk("IART", {'M', 'e', 0})}),
         Chunk("rate", Le32({5, 6, 7})), Chunk("seq ", Le32({0, 1, 0})),
         List("fram", {Chunk("icon", SimpleCursor(4, 1, 3, 4)),
                       Chunk("icon", SimpleCursor(8, 2, 9, 10))})});
    std::string file = dir.Write("spin.ani", ani);
    std::string out;
    EXPECT_EQ(Vantoro("info " + file, &out), 0) << out;
    EXPECT_NE(out.find("2 frames, 3 steps, 18 jiffies"), std::string::npos) << out;
    EXPECT_NE(out.find("title:  Spin"), std::string::npos) << out;
    EXPECT_NE(out.find("author: Me"), std::string::npos) << out;
    EXPECT_NE(out.find("frame   2  32×32, 256 colors, hot spot 9,10"), std::string::npos) << out;
    EXPECT_NE(out.find("sequence: 1:5 2:6 1:7"), std::string::npos) << out;
    EXPECT_EQ(Vantoro("info --json " + file + " | python3 -m json.tool >/dev/null"), 0);

    std::string frames = dir.File("frames");
    std::filesystem::create_directory(frames);
    EXPECT_EQ(Vantoro("extract " + file + " -o " + frames), 0);
    std::vector<uint8_t> cur = test::ReadAll(frames + "/spin.ani_frame2.cur");
    ASSERT_GE(cur.size(), 22u);
    EXPECT_EQ(cur[2], 2);                     // a cursor file
    EXPECT_EQ(LoadLE16(cur.data() + 10), 9);  // with the frame's hot spot
    EXPECT_EQ(LoadLE16(cur.data() + 12), 10);
    EXPECT_TRUE(std::filesystem::exists(frames + "/spin.ani_frame1.cur"));

    // Hostile animations end with a clear error and status 1.
    Bytes cut(ani.begin(), ani.begin() + 60);
    EXPECT_EQ(Vantoro("info " + dir.Write("cut.ani", cut), &out), 1);
    EXPECT_NE(out.find("cut.ani: a step names a frame the file does not hold"), std::string::npos)
        << out;
    EXPECT_EQ(
        Vantoro("extract " + dir.Write("x.ani", {'R', 'I', 'F', 'F'}) + " -o " + frames, &out), 1);
    EXPECT_NE(out.find("not an animated cursor"), std::string::npos) << out;
}

TEST_F(VantoroToolTest, EveryCommandHasHelp) {
    for (const char* command : {"info", "extract", "library", "search", "make"}) {
        std::string out;
        EXPECT_EQ(Vantoro(std::string(command) + " --help", &out), 0) << command;
        EXPECT_EQ(out.rfind(std::string("usage: vantoro ") + command, 0), 0u) << out;
    }
}

}  // namespace
}  // namespace vt
