// Real files and an independent reader: icoutils' wrestool reads our libraries, and Wine's own
// program files and fonts are read by us and compared with what wrestool finds in them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "librarian/icon_file_writer.h"
#include "librarian/librarian_testutil.h"
#include "librarian/library_writer.h"
#include "librarian/reader.h"

namespace vt {
namespace {

namespace fs = std::filesystem;
using test::kWineProgramFolder;
constexpr const char* kWineFontFolder = "/usr/share/wine/fonts";

std::string RunTool(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    if (status) *status = rc;
    return out;
}

void RequireWrestool() {
    int status = -1;
    RunTool("wrestool --version", &status);
    ASSERT_EQ(status, 0) << "wrestool (icoutils) is needed";
}

// The "--name=" of every resource wrestool lists, in its order.
std::vector<std::string> WrestoolNames(const std::string& listing) {
    std::vector<std::string> names;
    std::regex line("--name=('([^']*)'|([0-9]+))");
    for (std::sregex_iterator it(listing.begin(), listing.end(), line), end; it != end; ++it)
        names.push_back((*it)[2].matched ? (*it)[2].str() : (*it)[3].str());
    return names;
}

// The image blocks of an icon file.
std::vector<std::vector<uint8_t>> IcoImages(const std::vector<uint8_t>& ico) {
    std::vector<std::vector<uint8_t>> out;
    ByteReader r(ico);
    r.Skip(4);
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count && r.ok(); ++i) {
        ByteReader e = r.Sub(6 + 16 * size_t{i}, 16);
        e.Skip(8);
        uint32_t size = e.U32(), offset = e.U32();
        if (!e.ok() || !InRange(ico.size(), offset, size)) break;
        out.emplace_back(ico.begin() + offset, ico.begin() + offset + size);
    }
    return out;
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// wrestool writes a correct icon file followed by as many more bytes as the group resource has
// (whatever its buffer held); the icon file before them must be exactly ours.
void ExpectSameIconFile(const std::vector<uint8_t>& theirs, const std::vector<uint8_t>& ours,
                        size_t groupSize, const std::string& what) {
    ASSERT_EQ(theirs.size(), ours.size() + groupSize) << what;
    EXPECT_TRUE(std::equal(ours.begin(), ours.end(), theirs.begin())) << what;
}

TEST(LibrarianInterop, WrestoolReadsOurLibrariesAsTwoTypesWithIdsFromOne) {
    RequireWrestool();
    test::TempFolder dir;
    Workspace ws;
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    ws.AddImage(test::MakeDib(32, 32, 4, 1), -1);
    ws.AddImage(test::MakeDib(16, 16, 8, 2), 0);
    ws.AddImage(test::MakeDib(48, 48, 24, 3), -1);
    ws.AddImage(test::MakeDib(32, 32, 1, 4), -1);
    ws.Rename(0, "first");
    std::string lib = dir.File("out.icl");
    {
        TempFileWriter out;
        ASSERT_TRUE(out.Open(lib, "ICM"));
        ScriptedPrompt prompt;
        ASSERT_EQ(WriteLibrary(ws, out, prompt), 3);
        ASSERT_TRUE(out.Commit());
    }
    std::string all = RunTool("wrestool -l " + Quote(lib));
    std::string groups = RunTool("wrestool -l --type=14 " + Quote(lib));
    std::string icons = RunTool("wrestool -l --type=3 " + Quote(lib));
    EXPECT_EQ(WrestoolNames(groups), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(WrestoolNames(icons), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(WrestoolNames(all).size(), 7u) << all;

    std::string out = dir.File("x");
    fs::create_directory(out);
    RunTool("wrestool -x --type=14 -o " + Quote(out) + " " + Quote(lib));
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(out)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        std::vector<uint8_t> ours;
        ASSERT_EQ(BuildIconFile(ws, i, &ours), LibStatus::Ok);
        ExpectSameIconFile(test::ReadAll(files[i].string()), ours, 6 + 14 * ws.FormatsOf(i).size(),
                           files[i].string());
    }
}

TEST(LibrarianInterop, WineProgramFilesGiveTheGroupsAndImagesWrestoolFinds) {
    RequireWrestool();
    ASSERT_TRUE(fs::is_directory(kWineProgramFolder)) << "wine is needed";
    const std::vector<std::string> paths = test::WineProgramFiles();
    ASSERT_GT(paths.size(), 100u);

    // One wrestool run lists every group of every file in file order, one more extracts them all.
    test::TempFolder dir;
    std::string args;
    for (const std::string& p : paths) args += " " + Quote(p);
    std::vector<std::string> theirNames = WrestoolNames(RunTool("wrestool -l --type=14" + args));
    RunTool("wrestool -x --type=14 -o " + Quote(dir.path()) + args);

    std::vector<std::string> ourNames;
    size_t images = 0;
    for (const std::string& path : paths) {
        Workspace ws;
        LibStatus st = ReadModuleIcons(ws, path, true);
        if (st == LibStatus::NoIcons) continue;
        ASSERT_EQ(st, LibStatus::Ok) << path;
        for (size_t i = 0; i < ws.icons().size(); ++i) {
            const IconEntry& icon = ws.icons()[i];
            size_t at = ourNames.size();
            std::string name =
                icon.resourceId ? std::to_string(icon.resourceId) : icon.resourceName;
            // Names too long for the 15-character field are not read; take wrestool's to compare
            // the rest.
            if (name.empty() && at < theirNames.size() && theirNames[at].size() > 15)
                name = theirNames[at];
            ourNames.push_back(name);

            // Each kept image equals, in order, one of the images of wrestool's icon file.
            std::string ico =
                dir.File(fs::path(path).filename().string() + "_14_" + name + "_0.ico");
            std::vector<std::vector<uint8_t>> theirs = IcoImages(test::ReadAll(ico));
            size_t j = 0;
            for (size_t fi : ws.FormatsOf(i)) {
                std::vector<uint8_t> block;
                ASSERT_TRUE(ws.ReadImageOf(ws.formats()[fi], &block));
                while (j < theirs.size() && theirs[j] != block) ++j;
                EXPECT_LT(j, theirs.size()) << ico;
                ++j;
                ++images;
            }
        }
    }
    EXPECT_EQ(ourNames, theirNames);
    EXPECT_GT(theirNames.size(), 100u);
    EXPECT_GT(images, 500u);
}

TEST(LibrarianInterop, WineFontsAreNeFilesWithoutIcons) {
    ASSERT_TRUE(fs::is_directory(kWineFontFolder)) << "fonts-wine is needed";
    size_t fonts = 0;
    for (const auto& e : fs::directory_iterator(kWineFontFolder)) {
        if (e.path().extension() != ".fon") continue;
        ++fonts;
        Workspace ws;
        ScriptedPrompt prompt;
        ReadOptions o;
        o.kind = kKindLibrary;
        o.prompt = &prompt;
        EXPECT_EQ(ReadModuleIcons(ws, e.path().string(), true, o), LibStatus::NoIcons) << e.path();
        EXPECT_TRUE(prompt.texts().empty());
    }
    EXPECT_GT(fonts, 5u);
}

}  // namespace
}  // namespace vt
