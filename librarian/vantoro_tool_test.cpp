// The command-line tool as scripts use it: outputs, files and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"

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
    EXPECT_NE(out.find("[32x32, 16 colors] [16x16, 256 colors]"), std::string::npos) << out;
    EXPECT_NE(out.find("two.dll: icon library, 2 icons"), std::string::npos) << out;
    EXPECT_NE(out.find("APP"), std::string::npos) << out;
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
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]),
              "APP");  // named groups come first in a PE directory
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "two 002");
    EXPECT_EQ(Workspace::ShownName(ws.icons()[2]), "single");
    EXPECT_EQ(ws.FormatsOf(2).size(), 2u);
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

}  // namespace
}  // namespace vt
