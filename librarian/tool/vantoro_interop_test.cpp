// `vantoro extract` against icoutils over Wine's 64-bit program files: every icon file we write
// holds, byte for byte and in order, the image blocks of the file `wrestool -x --type=14` writes
// for the same group, PNG images included, and our groups are those `wrestool -l` lists, by the
// same IDs and names. The whole x86_64 set takes a few seconds for each tool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>

#include "common/byte_reader.h"
#include "librarian/librarian_testutil.h"
#include "librarian/stored_icons.h"

namespace vt {
namespace {

namespace fs = std::filesystem;
using test::kWineProgramFolder;

int Shell(const std::string& command, std::string* out = nullptr) {
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) return -1;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        if (out) out->append(buf, n);
    int rc = pclose(p);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

using Blocks = std::vector<std::vector<uint8_t>>;

Blocks IcoBlocks(const std::string& path) {
    std::vector<uint8_t> ico = test::ReadAll(path);
    Blocks out;
    ByteReader r(ico);
    r.Skip(4);
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count && r.ok(); ++i) {
        ByteReader e = r.Sub(6 + 16 * size_t{i}, 16);
        e.Skip(8);
        uint32_t size = e.U32(), offset = e.U32();
        if (!e.ok() || !InRange(ico.size(), offset, size)) {
            ADD_FAILURE() << path << ": entry " << i << " outside the file";
            break;
        }
        out.emplace_back(ico.begin() + offset, ico.begin() + offset + size);
    }
    return out;
}

TEST(VantoroInterop, ExtractWritesTheImageBlocksWrestoolWritesWithTheSameNames) {
    if (!fs::is_directory(kWineProgramFolder)) GTEST_SKIP() << "Wine's program files are absent";
    ASSERT_EQ(Shell("wrestool --version"), 0) << "wrestool (icoutils) is needed";
    const char* bin = std::getenv("VT_BIN_DIR");
    std::string tool = std::string(bin ? bin : "bin") + "/vantoro";

    const std::vector<std::string> paths = test::WineProgramFiles();
    ASSERT_GT(paths.size(), 100u);
    std::string args;
    for (const std::string& p : paths) args += " '" + p + "'";

    test::TempFolder dir;
    std::string ours = dir.File("ours"), theirs = dir.File("theirs");
    fs::create_directory(ours);
    fs::create_directory(theirs);
    EXPECT_EQ(Shell(tool + " extract -o '" + ours + "'" + args), 0);
    Shell("wrestool -x --type=14 -o '" + theirs + "'" + args);

    // wrestool names its files FILE_14_NAME_LANGUAGE.ico; ours are FILE_NAME.ico.
    std::map<std::string, std::string> theirFiles;
    std::regex theirName("(.*)_14_(.*)_[0-9]+\\.ico");
    for (const auto& e : fs::directory_iterator(theirs)) {
        std::smatch m;
        std::string name = e.path().filename().string();
        ASSERT_TRUE(std::regex_match(name, m, theirName)) << name;
        std::string key = m[1].str() + "_" + m[2].str() + ".ico";
        EXPECT_FALSE(theirFiles.count(key)) << "a group in two languages: " << name;
        theirFiles[key] = e.path().string();
    }
    std::map<std::string, std::string> ourFiles;
    for (const auto& e : fs::directory_iterator(ours))
        ourFiles[e.path().filename().string()] = e.path().string();
    std::vector<std::string> theirNames, ourNames;
    for (const auto& [k, v] : theirFiles) theirNames.push_back(k);
    for (const auto& [k, v] : ourFiles) ourNames.push_back(k);
    EXPECT_EQ(ourNames, theirNames);
    ASSERT_GT(ourNames.size(), 100u);

    size_t images = 0, png = 0;
    Blocks allOurs, allTheirs;
    for (const auto& [name, path] : ourFiles) {
        if (!theirFiles.count(name)) continue;
        Blocks a = IcoBlocks(path), b = IcoBlocks(theirFiles[name]);
        EXPECT_EQ(a, b) << name;
        for (const auto& block : a) png += DescribeBlock(block).kind == BlockKind::Png;
        images += a.size();
        allOurs.insert(allOurs.end(), a.begin(), a.end());
        allTheirs.insert(allTheirs.end(), b.begin(), b.end());
    }
    std::sort(allOurs.begin(), allOurs.end());
    std::sort(allTheirs.begin(), allTheirs.end());
    EXPECT_TRUE(allOurs == allTheirs);
    EXPECT_GT(images, 1000u);
    EXPECT_GT(png, 10u);  // shell32's 256 x 256 images among them

    // The groups of all files, in order, are those wrestool lists, by ID or whole name.
    std::string listing;
    Shell("wrestool -l --type=14" + args, &listing);
    std::regex listed("--name=('([^']*)'|([0-9]+))");
    std::vector<std::string> expected, got;
    for (std::sregex_iterator it(listing.begin(), listing.end(), listed), end; it != end; ++it)
        expected.push_back((*it)[2].matched ? (*it)[2].str() : (*it)[3].str());
    for (const std::string& path : paths) {
        int kind = 0;
        std::vector<StoredGroup> stored;
        ReadStoredIcons(path, ReadDepth::Headers, &kind, &stored);
        for (const StoredGroup& g : stored) got.push_back(g.named ? g.name : std::to_string(g.id));
    }
    EXPECT_EQ(got, expected);
    size_t groups = got.size();
    EXPECT_EQ(groups, ourNames.size());
}

}  // namespace
}  // namespace vt
